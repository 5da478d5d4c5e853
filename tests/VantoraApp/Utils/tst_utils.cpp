// The per-user folder tree every action of the host shares, the remembered
// file-dialog locations, the translucency probe and the colour rounding.
#include "actionutils.h"
#include "testing.h"
#include "utils.h"

#include <QSettings>
#include <QStandardPaths>

class TestUtils : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString dataRoot() const { return home.path() + "/data"; }

private slots:
    // Data functions run before init(): the first one needs the home too.
    void initTestCase() { UseHome(home.path()); }
    void init() { UseHome(home.path()); }

    void appName()
    {
        const QString settings = CUtils::GetSettingsFolder();
        CUtils::SetAppName("");
        QCOMPARE(CUtils::GetAppName(), QString("RUZ Irida"));
        CUtils::SetAppName("X");
        QCOMPARE(CUtils::GetAppName(), QString("X"));
        QCOMPARE(CUtils::GetSettingsFolder(), settings);
    }

    // Every action builds these strings the same way, doubled separators
    // included; none of them creates anything.
    void folders_data()
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

    void folders()
    {
        QFETCH(QString, folder);
        QFETCH(QString, underRoot);
        QCOMPARE(folder, dataRoot() + underRoot);
        QVERIFY(!QDir(dataRoot() + "/lumex software").exists());
    }

    void setupFolders()
    {
        QCoreApplication::setApplicationName("FolderTest");
        // Single levels only: the data root and the documents folder must exist.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(documents.startsWith(home.path()));
        QDir().mkpath(documents);
        QDir().mkpath(dataRoot());
        CUtils::SetupFolders();
        const QString product = dataRoot() + "/lumex software/RUZ Irida";
        for (const char* folder : {"/Actions", "/Scripts", "/Reports/Action Reports", "/Reports/App Log", "/WF",
                                   "/Settings/Favorites", "/Settings/AdvSplitTemplates"})
            QVERIFY2(QDir(product + folder).exists(), folder);
        QVERIFY(QDir(documents + "/FolderTest/Input").exists());
        QVERIFY(QDir(documents + "/FolderTest/Output").exists());
    }

    void lastVisitedLocation()
    {
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkSettings::OpenFile"), desktop);
        CActionUtils::SaveLastVisitedLocation("BookmarkSettings::OpenFile", "/tmp/in");
        CActionUtils::SaveLastVisitedLocation("BookmarkSettings::SaveFile", "");
        QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkSettings::SaveFile"), QString(""));
        QCOMPARE(CActionUtils::GetLastVisitedLocation("BookmarkAttributes::OpenFile"), desktop);
        // Other actions read the same INI file.
        QSettings ini(CUtils::GetSettingsFolder() + "/LastVisitedLocations.vsf", QSettings::IniFormat);
        QCOMPARE(ini.value("BookmarkSettings::OpenFile").toString(), QString("/tmp/in"));
    }

    void openGLThreshold_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("supported");
        QTest::newRow("1.x only") << 0x1F << false;
        QTest::newRow("2.0") << 0x20 << true;
        QTest::newRow("0x40") << 0x40 << true;
        QTest::newRow("0x41") << 0x41 << false;
        QTest::newRow("0x7ff") << 0x7FF << false;
        QTest::newRow("0x800") << 0x800 << true;
    }

    void openGLThreshold()
    {
        QFETCH(int, flags);
        QTEST(CUtils::IsSupportedOpenGLVersion(flags), "supported");
    }

    // Probing once built a GL widget and crashed without a display.
    void openGLProbeWithoutDisplay()
    {
        const bool supported = CUtils::CheckOpenGLSupport();
        if (QGuiApplication::platformName() == "offscreen" && qEnvironmentVariableIsEmpty("DISPLAY"))
            QVERIFY(!supported);
    }

    void round_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("half rounds down") << 127.5 << 127;
        QTest::newRow("above half") << 127.6 << 128;
        QTest::newRow("whole") << 255.0 << 255;
        QTest::newRow("negative half") << -0.5 << -1;
    }

    void round()
    {
        QFETCH(double, x);
        QTEST(CActionUtils::Round(x), "expected");
    }
};

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
