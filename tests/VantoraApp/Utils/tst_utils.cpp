#include "actionutils.h"
#include "utils.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestUtils : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void appName_data();
    void appName();
    void folders_data();
    void folders();
    void setupFolders();
    void lastVisitedLocation();
    void openGLThreshold_data();
    void openGLThreshold();
    void openGLProbeDoesNotCrash();
    void round_data();
    void round();

private:
    QString dataRoot() const { return home.path() + "/data"; }

    QTemporaryDir home;
};

void TestUtils::initTestCase()
{
    QVERIFY(home.isValid());
    // Keep every per-user location inside the temporary folder.
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", dataRoot().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    QCOMPARE(CUtils::GetAppDataFolder(), dataRoot());
}

void TestUtils::init()
{
    QDir(dataRoot()).removeRecursively();
    QDir().mkpath(dataRoot());
    CUtils::SetAppName(QString());
}

void TestUtils::appName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << QString() << "RUZ Irida";
    QTest::newRow("empty") << "" << "RUZ Irida";
    QTest::newRow("set") << "X" << "X";
}

void TestUtils::appName()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString settings = CUtils::GetSettingsFolder();
    CUtils::SetAppName(name);
    QCOMPARE(CUtils::GetAppName(), expected);
    QCOMPARE(CUtils::GetSettingsFolder(), settings);
}

void TestUtils::folders_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("underRoot");
    const QString tools = "/lumex software/RUZ Irida/";
    QTest::newRow("tools") << CUtils::GetAppDataToolsFolder() << tools;
    QTest::newRow("sequences") << CUtils::GetSequenceFolder() << tools + "Actions";
    QTest::newRow("settings") << CUtils::GetSettingsFolder() << tools + "/Settings";
    QTest::newRow("collections") << CUtils::GetCollectionsFolder() << tools + "/Settings/Favorites";
    QTest::newRow("split templates") << CUtils::GetAdvSplitTemplatesFolder() << tools + "/Settings/AdvSplitTemplates";
    QTest::newRow("reports") << CUtils::GetReportsFolder() << tools + "/Reports/Action Reports";
    QTest::newRow("app log") << CUtils::GetAppLogFolder() << tools + "/Reports/App Log";
    QTest::newRow("workflows") << CUtils::GetWFFolder() << tools + "WF";
    QTest::newRow("action settings") << CActionUtils::GetSettingsFolder() << tools + "/Settings";
    QTest::newRow("action collections") << CActionUtils::GetCollectionsFolder() << tools + "/Settings/Favorites";
    QTest::newRow("action sequences") << CActionUtils::GetSequenceFolder() << tools + "Actions";
    QTest::newRow("action data") << CActionUtils::GetVantoraAppDataFolder() << tools;
}

void TestUtils::folders()
{
    QFETCH(QString, folder);
    QFETCH(QString, underRoot);
    QCOMPARE(folder, dataRoot() + underRoot);
    QVERIFY(!QDir(dataRoot() + "/lumex software").exists());
}

void TestUtils::setupFolders()
{
    QCoreApplication::setApplicationName("FolderTest");
    // Creates single levels only: the user's documents folder must exist.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home.path()));
    QDir().mkpath(documents);

    CUtils::SetupFolders();
    const QString product = dataRoot() + "/lumex software/RUZ Irida";
    for (const char* folder : {"/Actions", "/Scripts", "/Reports/Action Reports", "/Reports/App Log", "/WF",
                               "/Settings/Favorites", "/Settings/AdvSplitTemplates"})
        QVERIFY2(QDir(product + folder).exists(), folder);
    QVERIFY(QDir(documents + "/FolderTest/Input").exists());
    QVERIFY(QDir(documents + "/FolderTest/Output").exists());
    CUtils::SetupFolders();  // a second run finds everything in place
    QVERIFY(QDir(product + "/Settings").exists());
}

void TestUtils::lastVisitedLocation()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString file = CUtils::GetSettingsFolder() + "/LastVisitedLocations.vsf";
    QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkSettings::OpenFile"), desktop);
    QVERIFY(!QFile::exists(file));

    CUtils::SetupFolders();
    CActionUtils::SaveLastVisitedLocation("BookmarkSettings::OpenFile", "/tmp/in");
    CActionUtils::SaveLastVisitedLocation("BookmarkSettings::SaveFile", "");
    QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkSettings::OpenFile"), QString("/tmp/in"));
    QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkSettings::SaveFile"), QString(""));
    QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkAttributes::OpenFile"), desktop);

    // Other actions read the same INI file.
    QSettings ini(file, QSettings::IniFormat);
    QCOMPARE(ini.value("BookmarkSettings::OpenFile").toString(), QString("/tmp/in"));
}

void TestUtils::openGLThreshold_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("supported");
    QTest::newRow("1.x only") << 0x1F << false;
    QTest::newRow("2.0") << 0x20 << true;
    QTest::newRow("up to 2.0") << 0x3F << true;
    QTest::newRow("0x40") << 0x40 << true;
    QTest::newRow("0x41") << 0x41 << false;
    QTest::newRow("up to 2.1") << 0x7F << false;
    QTest::newRow("0x7ff") << 0x7FF << false;
    QTest::newRow("0x800") << 0x800 << true;
    QTest::newRow("3.0 and later") << 0x1FFF << true;
}

void TestUtils::openGLThreshold()
{
    QFETCH(int, flags);
    QFETCH(bool, supported);
    QCOMPARE(CUtils::IsSupportedOpenGLVersion(flags), supported);
}

void TestUtils::openGLProbeDoesNotCrash()
{
    const bool supported = CUtils::CheckOpenGLSupport();
    if (QGuiApplication::platformName() == "offscreen" && qEnvironmentVariableIsEmpty("DISPLAY"))
        QVERIFY(!supported);
}

void TestUtils::round_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("half rounds down") << 127.5 << 127;
    QTest::newRow("above half") << 127.6 << 128;
    QTest::newRow("whole") << 255.0 << 255;
    QTest::newRow("just below whole") << 254.9999 << 255;
    QTest::newRow("negative half") << -0.5 << -1;
    QTest::newRow("negative") << -0.4 << 0;
}

void TestUtils::round()
{
    QFETCH(double, x);
    QFETCH(int, expected);
    QCOMPARE(CActionUtils::Round(x), expected);
}

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
