// vantora settings edit: the wizard opened on a settings export, and the
// edited file run through vantora on a drawn manual.

#include "hosterror.h"
#include "samplepdf.h"
#include "settingseditcommand.h"
#include "wizardtesting.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QtTest>

using Prefs = QMap<QString, QVariant>;

namespace {

// A level by font size and a text mask, as a user sets it in the editor.
void AddLevel(QWidget* d, double size, const QString& mask)
{
    QVERIFY(Click(d, "page3AddButton"));
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(false);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(true);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(0.5);
    Child<QAbstractButton>(d, "textMaskCheckBox")->setChecked(true);
    Child<QLineEdit>(d, "maskLineEdit")->setText(mask);
    QVERIFY(Click(d, "page4OkButton"));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

} // namespace

class TestSettingsEditCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void finishWritesExportThatRuns();
    void cancelLeavesFileAlone_data();
    void cancelLeavesFileAlone();
    void otherSettingsFilesAreRefused();
    void usageMistakes_data();
    void usageMistakes();

private:
    int Edit(const QString& file, std::function<void(QWidget*)> step);
    QString Vantora(const QStringList& arguments, int* exitCode);

    QString binDir = qEnvironmentVariable("VANTORA_BIN_DIR");
    QTemporaryDir work;
};

void TestSettingsEditCommand::init()
{
    QVERIFY(work.isValid());
}

int TestSettingsEditCommand::Edit(const QString& file, std::function<void(QWidget*)> step)
{
    WhenModal("CPrefsDialog", std::move(step));
    QString output;
    QTextStream out(&output);
    const SettingsEditCommand command(
        {"settings", "edit", "--plugin", binDir + "/libBuildBookmarks.so", file});
    return command.execute(out);
}

QString TestSettingsEditCommand::Vantora(const QStringList& arguments, int* exitCode)
{
    QProcess vantora;
    vantora.setProcessChannelMode(QProcess::MergedChannels);
    vantora.start(binDir + "/vantora", arguments);
    vantora.waitForFinished(60000);
    *exitCode = vantora.exitCode();
    return QString::fromUtf8(vantora.readAll());
}

void TestSettingsEditCommand::finishWritesExportThatRuns()
{
    const QString settings = work.filePath("levels.ini");
    const int result = Edit(settings, [](QWidget* d) {
        AddLevel(d, 20, "^\\d+ ");
        AddLevel(d, 14, "^\\d+\\.\\d+ ");
        QVERIFY(Click(d, "page3FinishButton"));
    });
    QCOMPARE(result, 0);
    const Prefs prefs = QSettings(settings, QSettings::IniFormat).value("ActionPrefs").toMap();
    QCOMPARE(prefs.value("LevelCount").toInt(), 2);
    QCOMPARE(prefs.value("TextMaskEdit2").toString(), QStringLiteral("^\\d+\\.\\d+ "));

    SamplePdf manual;
    const QFont body("DejaVu Sans", 10);
    QFont heading("DejaVu Sans", 20);
    QFont section("DejaVu Sans", 14);
    manual.drawText(1, {72, 100}, "1 Getting started", heading);
    manual.drawText(1, {72, 140}, "Some words of body text.", body);
    manual.drawText(1, {72, 180}, "1.1 Installing", section);
    manual.drawText(2, {72, 100}, "2 Daily use", heading);
    manual.drawText(2, {72, 140}, "2.1 Opening documents", section);
    manual.drawText(2, {72, 180}, "Headings need numbers: 20 is not one.", body);
    const QString input = work.filePath("manual.pdf");
    const QString output = work.filePath("manual-bookmarked.pdf");
    QVERIFY(manual.write(input));

    int exitCode = -1;
    const QString run = Vantora({"run", "--settings", settings, input, "-o", output}, &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(run));
    const QString outline = Vantora({"outline", output}, &exitCode);
    QVERIFY2(exitCode == 0, qPrintable(outline));

    // Each title once, chapters before their sections, sections indented.
    QStringList titles;
    for (const QString& line : outline.split('\n'))
        for (const char* title : {"1 Getting started", "1.1 Installing", "2 Daily use", "2.1 Opening documents"})
            if (line.contains(QLatin1String(title)))
                titles << line;
    QVERIFY2(titles.size() == 4, qPrintable(outline));
    QVERIFY2(titles[0].contains("1 Getting started") && titles[2].contains("2 Daily use"), qPrintable(outline));
    auto indent = [](const QString& line) { return line.indexOf(QRegularExpression("\\d")); };
    QVERIFY2(indent(titles[1]) > indent(titles[0]), qPrintable(outline));
    QVERIFY2(indent(titles[3]) > indent(titles[2]), qPrintable(outline));
}

void TestSettingsEditCommand::cancelLeavesFileAlone_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("existing export") << true;
    QTest::newRow("no file yet") << false;
}

void TestSettingsEditCommand::cancelLeavesFileAlone()
{
    QFETCH(bool, exists);
    const QString settings = work.filePath(exists ? "kept.ini" : "never.ini");
    if (exists) {
        QSettings file(settings, QSettings::IniFormat);
        file.setValue("ActionPrefs", Prefs{{"LevelCount", 1}, {"FontSizeCheck1", true},
                                           {"FontSizeValue1", 18.0}, {"Properties1", "size: 18"}});
    }
    const QByteArray before = Contents(settings);

    const int result = Edit(settings, [](QWidget* d) {
        AddLevel(d, 9, "x");
        QVERIFY(Click(d, "page3CloseButton"));
    });
    QCOMPARE(result, int(HostError::Failure));
    QCOMPARE(Contents(settings), before);
}

void TestSettingsEditCommand::otherSettingsFilesAreRefused()
{
    const QString settings = work.filePath("handwritten.ini");
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[BookmarksByContent]\nInsertionMode=0\n[Level1]\nFontSizeCheck=true\n");
    }
    const QByteArray before = Contents(settings);
    QString output;
    QTextStream out(&output);
    const SettingsEditCommand command({"settings", "edit", settings});
    try {
        command.execute(out);
        QFAIL("a hand-written settings file was opened for editing");
    } catch (const HostError& error) {
        QCOMPARE(error.exitCode(), int(HostError::Failure));
        QVERIFY(error.message().contains("not a settings export"));
    }
    QCOMPARE(Contents(settings), before);
}

void TestSettingsEditCommand::usageMistakes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no subcommand") << QStringList{"settings"};
    QTest::newRow("unknown subcommand") << QStringList{"settings", "show", "a.ini"};
    QTest::newRow("no file") << QStringList{"settings", "edit"};
    QTest::newRow("two files") << QStringList{"settings", "edit", "a.ini", "b.ini"};
    QTest::newRow("option of run") << QStringList{"settings", "edit", "--nth", "2", "a.ini"};
    QTest::newRow("--plugin without value") << QStringList{"settings", "edit", "a.ini", "--plugin"};
}

void TestSettingsEditCommand::usageMistakes()
{
    QFETCH(QStringList, arguments);
    QVERIFY(SettingsEditCommand::isRequested(arguments));
    try {
        SettingsEditCommand command(arguments);
        QFAIL("the arguments were accepted");
    } catch (const HostError& error) {
        QCOMPARE(error.exitCode(), int(HostError::Usage));
    }
}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    TestSettingsEditCommand test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingseditcommand.moc"
