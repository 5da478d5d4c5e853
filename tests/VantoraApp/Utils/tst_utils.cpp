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
    void init() { UseHome(home.path()); }

    // The tree keeps the product's name whatever the application calls itself.
    void appName()
    {
        const QString settings = CUtils::GetSettingsFolder();
        CUtils::SetAppName("X");
        QCOMPARE(CUtils::GetSettingsFolder(), settings);
    }

    // Every action builds these strings the same way, doubled separators
    // included; none of them creates anything.
    void folders()
    {
        const QString tools = dataRoot() + "/lumex software/RUZ Irida/";
        QCOMPARE(CUtils::GetAppDataToolsFolder(), tools);
        QCOMPARE(CUtils::GetSequenceFolder(), tools + "Actions");
        QCOMPARE(CUtils::GetSettingsFolder(), tools + "/Settings");
        QCOMPARE(CUtils::GetCollectionsFolder(), tools + "/Settings/Favorites");
        QVERIFY(!QDir(dataRoot() + "/lumex software").exists());
    }

    // One level at a time, each folder after its parent: the data root and
    // the documents folder must exist.
    void setupFolders()
    {
        QCoreApplication::setApplicationName("FolderTest");
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QDir().mkpath(documents);
        QDir().mkpath(dataRoot());
        CUtils::SetupFolders();
        for (const QString& folder :
             {CUtils::GetCollectionsFolder(), CUtils::GetAppLogFolder(), documents + "/FolderTest/Output"})
            QVERIFY2(QDir(folder).exists(), qPrintable(folder));
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

    // Older than 2.0, and a newest version in the 2.1 range, get the opaque frame.
    void openGLThreshold()
    {
        for (int flags : {0x20, 0x40, 0x800})
            QVERIFY2(CUtils::IsSupportedOpenGLVersion(flags), qPrintable(QString::number(flags, 16)));
        for (int flags : {0x1F, 0x41, 0x7FF})
            QVERIFY2(!CUtils::IsSupportedOpenGLVersion(flags), qPrintable(QString::number(flags, 16)));
    }

    // Probing once built a GL widget and crashed without a display.
    void openGLProbeWithoutDisplay()
    {
        const bool supported = CUtils::CheckOpenGLSupport();
        if (QGuiApplication::platformName() == "offscreen" && qEnvironmentVariableIsEmpty("DISPLAY"))
            QVERIFY(!supported);
    }

    // Halves go down, below zero too.
    void round()
    {
        QCOMPARE(CActionUtils::Round(127.5), 127);
        QCOMPARE(CActionUtils::Round(127.6), 128);
        QCOMPARE(CActionUtils::Round(-0.5), -1);
    }
};

QTEST_MAIN(TestUtils)
#include "tst_utils.moc"
