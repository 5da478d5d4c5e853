// vantora as a user runs it: the built executable, the real plug-in loaded
// with QPluginLoader, the stand-in PDF library, and PDFs on disk. Every
// failure must leave the files as they were.
#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "rawpdf.h"

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

QByteArray Digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// The folder's files with their contents' digests: what "nothing changed" means.
QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, Digest(QDir(folder).filePath(name)));
    return files;
}

struct Heading
{
    QString title;
    int page;
    int level;
};

} // namespace

// Until the PDF library reads bookmarks, the tests that compare outlines wait.
#define REQUIRE_OUTLINES()                                            \
    if (!mOutlinesReadable)                                           \
    QSKIP("The PDF library does not read bookmarks yet.")

class TestVantora : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(mDir.isValid());
        mSample = mDir.filePath("sample.pdf");
        const QString headings = mDir.filePath("headings.json");
        QCOMPARE(QProcess::execute(VANTORA_PYTHON, {VANTORA_SAMPLES_DIR "/makesamplemanual.py", mSample, headings}), 0);
        QFile file(headings);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll()).array()) {
            const QJsonObject heading = value.toObject();
            mHeadings << Heading{heading["title"].toString(), heading["page"].toInt(), heading["level"].toInt()};
        }
        QVERIFY(mHeadings.size() > 20);
        mOutlinesReadable = tree(mSample).contains("Cover");
    }

    void infoShowsThePluginAsTheHostLoadsIt()
    {
        const Outcome info = vantora({"info"});
        QCOMPARE(info.exitCode, 0);
        QVERIFY(info.out.contains("org.ombrel.vantora.buildbookmarks"));
        QVERIFY(info.out.contains("Display name: Bookmarks by Content"));

        const Outcome missing = vantora({"--plugin", mDir.filePath("nothing.so"), "info"});
        QCOMPARE(missing.exitCode, 1);
        QCOMPARE(missing.err.count('\n'), 1);
    }

    void outlineOfTheSample()
    {
        REQUIRE_OUTLINES();
        QCOMPARE(tree(mSample), QStringLiteral("Cover  (1)\n"));
        const Outcome json = vantora({"outline", "--json", mSample});
        const QJsonArray items = QJsonDocument::fromJson(json.out.toUtf8())["outline"].toArray();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.at(0).toObject()["title"].toString(), QStringLiteral("Cover"));
        QCOMPARE(items.at(0).toObject()["page"].toInt(), 1);

        // Nested deeper than the printout goes: it says how many it leaves out.
        // Bold items without /Count are closed all the same.
        QByteArray deep = "%PDF-1.7\n1 0 obj << /Type /Catalog /Pages 2 0 R /Outlines 4 0 R >> endobj 2 0 obj << /Type"
                          " /Pages /Kids [3 0 R] /Count 1 >> endobj 3 0 obj << /Type /Page /Parent 2 0 R >> endobj\n";
        for (int item = 4; item <= 110; ++item)
            deep += QByteArray::number(item) + " 0 obj << /Title (L" + QByteArray::number(item - 4) + ") /F 2 /First "
                    + QByteArray::number(item + 1) + " 0 R >> endobj\n";
        deep += "111 0 obj << /Title (Deepest) >> endobj trailer << /Root 1 0 R >>\n";
        QFile file(mDir.filePath("deep.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(deep) == deep.size());
        file.close();
        QVERIFY(tree(file.fileName()).endsWith(QString(198, ' ') + "L100  (0)\n" + QString(200, ' ')
                                               + "(7 bookmarks nested deeper than 100 levels not shown)\n"));
        const QString deepJson = vantora({"outline", "--json", file.fileName()}).out;
        QCOMPARE(deepJson.count("\"deeperNotShown\": 7"), 1);
        QVERIFY(!deepJson.contains("\"open\": true"));
    }

    void textAndFontsShowTheHeadingStyles()
    {
        const Outcome text = vantora({"text", "--page", "3", mSample});
        QCOMPARE(text.exitCode, 0);
        QVERIFY2(text.out.contains(QRegularExpression("^3,Helvetica-Bold,#1f3a93,20,.*,1 Getting Started$",
                                                      QRegularExpression::MultilineOption)),
                 qPrintable(text.out));
        QVERIFY(!text.out.contains("\n4,"));

        const Outcome fonts = vantora({"fonts", mSample});
        QCOMPARE(fonts.exitCode, 0);
        QVERIFY2(fonts.out.contains("14, Helvetica-Bold, #8b1a1a, 11 lines, p3-4,6-7,9-12: 1.1 Installing Lanternfish"),
                 qPrintable(fonts.out));
        QVERIFY(!fonts.out.contains("Fonts ("));
        QVERIFY(vantora({"fonts", "--all", mSample}).out.contains("\nFonts (5): name, family, encoding\n"));

        const Outcome beyond = vantora({"text", "--page", "99", mSample});
        QCOMPARE(beyond.exitCode, 1);
    }

    // The levels a user wrote and those found in the text make the outline
    // the sample was drawn with.
    void levelsRebuildTheSampleOutline_data()
    {
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("bundled settings") << QStringList{"--settings", VANTORA_SAMPLES_DIR "/samplemanual.ini"};
        QTest::newRow("suggested levels") << QStringList{"--auto"};
    }

    void levelsRebuildTheSampleOutline()
    {
        REQUIRE_OUTLINES();
        QFETCH(QStringList, levels);
        const QString output = mDir.filePath("rebuilt.pdf");
        const Outcome run = vantora(QStringList{"run"} << levels << mSample << "-o" << output);
        QCOMPARE(run.exitCode, 0);
        const Outcome json = vantora({"outline", "--json", output});
        QList<Heading> found;
        std::function<void(const QJsonArray&, int)> walk = [&](const QJsonArray& items, int level) {
            for (const QJsonValue& value : items) {
                const QJsonObject item = value.toObject();
                found << Heading{item["title"].toString(), item["page"].toInt(), level};
                walk(item["children"].toArray(), level + 1);
            }
        };
        walk(QJsonDocument::fromJson(json.out.toUtf8())["outline"].toArray(), 1);
        QCOMPARE(found.size(), mHeadings.size());
        // Every title whole, the one that wraps onto two lines too.
        for (int i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].title, mHeadings[i].title);
            QCOMPARE(found[i].page, mHeadings[i].page);
            QCOMPARE(found[i].level, mHeadings[i].level);
        }
    }

    // The file `suggest` writes runs unchanged, to the very outline --auto
    // makes, destinations and all.
    void suggestedFileRunsAsAuto()
    {
        const QString settings = mDir.filePath("suggested.ini");
        const Outcome suggest = vantora({"suggest", mSample, "-o", settings});
        QCOMPARE(suggest.exitCode, 0);
        QVERIFY2(QFile(settings).size() > 0, qPrintable(suggest.err));
        const Outcome fromFile = vantora({"run", "--settings", settings, "--dry-run", "--json", mSample});
        const Outcome automatic = vantora({"run", "--auto", "--dry-run", "--json", mSample});
        QCOMPARE(automatic.exitCode, 0);
        QVERIFY(automatic.out.contains("\"destination\""));
        QCOMPARE(automatic.out, fromFile.out);
    }

    void nthPageRuns_data()
    {
        QTest::addColumn<QStringList>("arguments");  // OUT: the output, or the copy changed in place
        QTest::addColumn<QString>("tree");
        QTest::newRow("after the existing bookmarks") << QStringList{"run", "--nth", "4", "IN", "-o", "OUT"}
                                                      << "Cover  (1)\nPage 4  (4)\nPage 8  (8)\nPage 12  (12)\n";
        QTest::newRow("in place") << QStringList{"run", "--nth", "6", "--in-place", "OUT"} << "Cover  (1)\nPage 6  (6)\nPage 12  (12)\n";
        QTest::newRow("every step of an action list") << QStringList{"run", "--settings", "LIST", "IN", "-o", "OUT"}
                                                      << "Cover  (1)\nPage 5  (5)\nPage 10  (10)\nPage 6  (6)\nPage 12  (12)\n";
    }

    void nthPageRuns()
    {
        REQUIRE_OUTLINES();
        QFETCH(QStringList, arguments);
        QFETCH(QString, tree);
        QTemporaryDir folder;
        const QString output = folder.filePath("manual.pdf"), list = folder.filePath("Steps.xqq");
        QVERIFY(QFile::copy(mSample, output));
        {
            QSettings file(list, QSettings::IniFormat);
            file.setValue("ActionName0", "Rotate Pages");
            file.setValue("ActionPrefs0", QVariantMap{{"Angle", 90}});
            for (int step : {1, 2}) {
                file.setValue(QStringLiteral("ActionName%1").arg(step), "Bookmarks by Content");
                file.setValue(QStringLiteral("ActionPrefs%1").arg(step), QVariantMap{{"NthChecked", true}, {"NthPage", 4 + step}});
            }
        }
        arguments.replaceInStrings("IN", mSample).replaceInStrings("OUT", output).replaceInStrings("LIST", list);
        const QByteArray before = Digest(mSample);
        const Outcome run = vantora(arguments);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));  // not a terminal: no progress line
        QCOMPARE(this->tree(output), tree);
        QCOMPARE(Digest(mSample), before);
        QVERIFY(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).filter(".part").isEmpty());
    }

    void failedWorkProcSavesOnlyWhenAsked()
    {
        REQUIRE_OUTLINES();
        QTemporaryDir folder;
        const QString output = folder.filePath("partial.pdf");
        const QStringList run{"--plugin", VANTORA_FAILING_ACTION, "run", "--nth", "1", mSample, "-o", output};

        const Outcome failed = vantora(run);
        QCOMPARE(failed.exitCode, 1);
        QVERIFY2(failed.err.contains("Bookmarks by Content: Bookmark builder error\n"), qPrintable(failed.err));
        QVERIFY2(failed.err.contains("was not written"), qPrintable(failed.err));
        QVERIFY(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

        const Outcome kept = vantora(QStringList(run) << "--keep-partial");
        QCOMPARE(kept.exitCode, 1);
        QVERIFY(kept.err.contains("Bookmark builder error"));
        QCOMPARE(tree(output), QStringLiteral("Cover  (1)\nMade before the failure  (1)\n"));
    }

    void passwordProtectedInput()
    {
        const QString qpdf = QStandardPaths::findExecutable("qpdf");
        if (qpdf.isEmpty())
            QSKIP("qpdf is not installed.");
        const QString locked = mDir.filePath("locked.pdf");
        QCOMPARE(QProcess::execute(qpdf, {"--encrypt", "secret", "owner", "256", "--", mSample, locked}), 0);

        const Outcome none = vantora({"outline", locked});
        QCOMPARE(none.exitCode, 1);
        QVERIFY2(none.err.contains("--password"), qPrintable(none.err));
        const Outcome wrong = vantora({"outline", "--password", "guess", locked});
        QCOMPARE(wrong.exitCode, 1);
        QVERIFY2(wrong.err.contains("password") && wrong.err.contains("wrong"), qPrintable(wrong.err));
        const Outcome right = vantora({"text", "--page", "3", "--password", "secret", locked});
        QCOMPARE(right.exitCode, 0);
        QVERIFY(right.out.contains("1 Getting Started"));
        QCOMPARE(vantora({"fonts", "--password", "secret", locked}).exitCode, 0);
    }

    void helpAndVersion()
    {
        const Outcome version = vantora({"--version"});
        QCOMPARE(version.exitCode, 0);
        QVERIFY2(version.out.startsWith("vantora ") && version.out.count('\n') == 1, qPrintable(version.out));
        const Outcome help = vantora({"help", "run"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY2(help.out.contains("--keep-partial"), qPrintable(help.out));
        QCOMPARE(vantora({"run", "--help"}).out, help.out);
        QCOMPARE(vantora({"set-outline", "--help"}).out, vantora({"help", "set-outline"}).out);
        QVERIFY(vantora({"--help"}).out.contains("settings edit FILE.ini"));
    }

    void settingsEditNeedsADisplay()
    {
        const QString settings = mDir.filePath("levels.ini");
        const Outcome edit = vantora({"settings", "edit", settings}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
        QCOMPARE(edit.exitCode, 1);
        QVERIFY2(edit.err.contains("needs a display"), qPrintable(edit.err));
        QVERIFY(!QFile::exists(settings));
    }

    // Forms drawn inside one another 2^19 times: the page is left out, the
    // run goes on to the next and names the page it left.
    void runNamesThePageItSkips()
    {
        auto stream = [](const QByteArray& content, const QByteArray& entries) {
            return "<< " + entries + " /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content
                + "\nendstream";
        };
        const QByteArray font = "/Resources << /Font << /F1 2 0 R >> /XObject << /N 7 0 R >> >>";
        QList<QByteArray> objects{"<< /Type /Catalog /Pages 3 0 R >>",
                                  "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
                                  "<< /Type /Pages /Kids [4 0 R 5 0 R] /Count 2 >>",
                                  "<< /Type /Page /MediaBox [0 0 612 792] " + font + " /Contents 6 0 R >>",
                                  "<< /Type /Page /MediaBox [0 0 612 792] " + font + " /Contents 26 0 R >>",
                                  stream("/N Do", "")};
        for (int form = 7; form < 26; ++form)
            objects << stream(form < 25 ? "/N Do /N Do" : "BT /F1 9 Tf 72 100 Td (leaf) Tj ET",
                              "/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << /Font << /F1 2 0 R >> "
                              "/XObject << /N " + QByteArray::number(form + 1) + " 0 R >> >>");
        objects << stream("BT /F1 18 Tf 72 720 Td (After) Tj ET", "");
        QFile file(mDir.filePath("fan-out.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(RawPdf::fromObjects(objects)) > 0);
        file.close();
        QFile settings(mDir.filePath("fan-out.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write("[Level1]\nFontSizeCheck=true\nFontSizeValue=18\n") > 0);
        settings.close();
        const Outcome run = vantora({"run", "--settings", settings.fileName(), "--dry-run", file.fileName()});
        QCOMPARE(run.out, QStringLiteral("After  (2)\n"));
        QVERIFY2(run.err.startsWith("vantora: page 1 skipped: its text takes more work"), qPrintable(run.err));
    }

    void failuresChangeNoFile_data()
    {
        QTest::addColumn<QStringList>("arguments"); // IN: a copy of the sample, DIR: the folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing input") << QStringList{"run", "--nth", "2", "DIR/none.pdf", "-o", "DIR/out.pdf"} << 1 << "does not exist";
        QTest::newRow("not a PDF") << QStringList{"run", "--nth", "2", "DIR/notes.pdf", "-o", "DIR/out.pdf"} << 1 << "is not a PDF file";
        QTest::newRow("damaged PDF") << QStringList{"outline", "DIR/damaged.pdf"} << 1 << "damaged.pdf";
        QTest::newRow("folder as input") << QStringList{"fonts", "DIR"} << 1 << "is a folder";
        QTest::newRow("missing settings") << QStringList{"run", "--settings", "DIR/none.ini", "IN", "--in-place"} << 1 << "does not exist";
        QTest::newRow("settings without levels") << QStringList{"run", "--settings", "DIR/empty.ini", "IN", "--in-place"} << 1 << "no bookmark levels";
        QTest::newRow("PDF as settings") << QStringList{"run", "--settings", "IN", "IN", "--in-place"} << 1 << "holds no bookmark settings";
        QTest::newRow("missing output folder") << QStringList{"run", "--nth", "2", "IN", "-o", "DIR/no/out.pdf"} << 1 << "does not exist";
        QTest::newRow("output is a folder") << QStringList{"run", "--nth", "2", "IN", "-o", "DIR"} << 1 << "is a folder";
        QTest::newRow("no output named") << QStringList{"run", "--nth", "2", "IN"} << 2 << "-o OUTPUT.pdf, --in-place";
        QTest::newRow("output is the input") << QStringList{"run", "--nth", "2", "IN", "-o", "DIR/manual.pdf"} << 2 << "--in-place";
        QTest::newRow("output links to the input") << QStringList{"set-outline", "IN", "DIR/notes.pdf", "-o", "DIR/link.pdf"} << 2 << "--in-place";
        QTest::newRow("outline syntax") << QStringList{"set-outline", "IN", "DIR/bad.txt", "--in-place"} << 1 << "bad.txt\", line 2:";
        QTest::newRow("outline page beyond") << QStringList{"set-outline", "IN", "DIR/far.txt", "--in-place"} << 1 << "line 1: page 99";
        QTest::newRow("batch settings") << QStringList{"run", "--settings", "DIR/empty.ini", "IN", "--output-dir", "DIR"} << 1 << "no bookmark levels";
        QTest::newRow("suggest from no text") << QStringList{"suggest", "DIR/blank.pdf", "-o", "DIR/levels.ini"} << 1 << "no text to find headings in";
        QTest::newRow("run --auto on no text") << QStringList{"run", "--auto", "DIR/blank.pdf", "-o", "DIR/out.pdf"} << 1 << "no levels suggested";
    }

    void failuresChangeNoFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString input = folder.filePath("manual.pdf");
        QVERIFY(QFile::copy(mSample, input));
        QFile notes(folder.filePath("notes.pdf"));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("These are notes, not a PDF.\n");
        notes.close();
        QFile damaged(folder.filePath("damaged.pdf"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 9 0 R");
        damaged.close();
        {
            QSettings empty(folder.filePath("empty.ini"), QSettings::IniFormat);
            empty.setValue("ActionPrefs", QVariantMap{{"LevelCount", 0}});
        }
        QVERIFY(QFile::link(input, folder.filePath("link.pdf")));
        RawPdf blank;
        blank.addPage("0 0 1 rg 100 100 200 200 re f\n");
        QVERIFY(blank.write(folder.filePath("blank.pdf")));
        for (const auto& [name, text] : {std::pair<QString, QByteArray>{"bad.txt", "\"One\" 1\n  \"Two 2\n"},
                                         {"far.txt", "\"Far\" 99\n"}}) {
            QFile outline(folder.filePath(name));
            QVERIFY(outline.open(QIODevice::WriteOnly));
            outline.write(text);
        }
        for (QString& argument : arguments)
            argument = argument == "IN" ? input : argument.replace("DIR", folder.path());

        const QMap<QString, QByteArray> before = Snapshot(folder.path());
        const Outcome outcome = vantora(arguments);
        QCOMPARE(outcome.exitCode, exitCode);
        QVERIFY2(outcome.err.startsWith("vantora: ") && outcome.err.contains(expected), qPrintable(outcome.err));
        if (exitCode == 1)
            QCOMPARE(outcome.err.count('\n'), 1);
        else
            QVERIFY(outcome.err.contains("Run \"vantora --help\""));
        QVERIFY(outcome.out.isEmpty());
        QCOMPARE(Snapshot(folder.path()), before);
    }

    void emptyRunSavesNothing()
    {
        QTemporaryDir folder;
        const QString settings = folder.filePath("huge.ini");
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Level1]\nFontSizeCheck=true\nFontSizeValue=77\nFontSizeTolerance=0.1\n");
        file.close();
        const QString output = folder.filePath("out.pdf");
        const QStringList run{"run", "--settings", settings, mSample, "-o", output};

        const Outcome refused = vantora(run);
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(refused.err, QStringLiteral("vantora: No line matched level 1 (size 77 ± 0.1): nothing saved. "
                                             "`vantora fonts %1` lists the sizes in use.\n").arg(mSample));
        QVERIFY(!QFile::exists(output));

        const Outcome allowed = vantora(QStringList(run) << "--allow-empty");
        QCOMPARE(allowed.exitCode, 0);
        QVERIFY2(allowed.out.endsWith("with 0 bookmarks.\n"), qPrintable(allowed.out));
    }

    void dryRunPrintsWhatTheRunWouldSave()
    {
        REQUIRE_OUTLINES();
        QFile file(VANTORA_SAMPLES_DIR "/samplemanual.ini");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray settings = file.readAll();
        const QMap<QString, QByteArray> before = Snapshot(mDir.path());
        const Outcome tree = vantora({"run", "--dry-run", "--settings", "-", mSample}, {}, settings);
        const Outcome json = vantora({"run", "--dry-run", "--json", "--settings", "-", mSample}, {}, settings);
        QCOMPARE(Snapshot(mDir.path()), before);

        const QString output = mDir.filePath("saved.pdf");
        QCOMPARE(vantora({"run", "--settings", "-", mSample, "-o", output}, {}, settings).exitCode, 0);
        QCOMPARE(tree.out, this->tree(output));
        QCOMPARE(json.out, vantora({"outline", "--json", output}).out);
        QVERIFY(tree.out.startsWith("1 Getting Started  (3)\n"));
        // Replacing as many bookmarks as the document had is no empty run.
        QCOMPARE(vantora({"run", "--dry-run", "--settings", "-", output}, {}, settings).out, tree.out);
    }

    void jsonDocumentsCarryTheirVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("path"); // keys and indices down to a value
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("outline") << QStringList{"outline", "--json", "OUT"} << "outline/0/children/1/destination/page" << QVariant(4);
        QTest::newRow("outline leaf") << QStringList{"outline", "--json", "OUT"} << "outline/0/children/1/children" << QVariant(QVariantList());
        QTest::newRow("outline level") << QStringList{"outline", "--json", "OUT"} << "outline/0/children/0/children/0/level" << QVariant(3);
        QTest::newRow("outline open") << QStringList{"outline", "--json", "OUT"} << "outline/0/open" << QVariant(true);
        QTest::newRow("destination kind") << QStringList{"outline", "--json", "OUT"} << "outline/0/destination/kind" << QVariant("XYZ");
        QTest::newRow("text") << QStringList{"text", "--json", "--page", "3", "IN"} << "lines/2/text" << QVariant("1 Getting Started");
        QTest::newRow("text corner") << QStringList{"text", "--json", "--page", "3", "IN"} << "lines/2/corners/upper_left/x" << QVariant(72);
        QTest::newRow("fonts") << QStringList{"fonts", "--json", "IN"} << "styles/1/colour" << QVariant("#1f3a93");
        QTest::newRow("fonts pages") << QStringList{"fonts", "--json", "IN"} << "styles/1/pages/2" << QVariant(6);
        QTest::newRow("all fonts") << QStringList{"fonts", "--json", "--all", "IN"} << "fonts/0/encoding" << QVariant("WinAnsiEncoding");
        QTest::newRow("dry run") << QStringList{"run", "--dry-run", "--json", "--nth", "5", "IN"} << "outline/1/title" << QVariant("Page 5");
    }

    void jsonDocumentsCarryTheirVersion()
    {
        REQUIRE_OUTLINES();
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
        QFETCH(QVariant, expected);
        const QString bookmarked = mDir.filePath("json.pdf");
        if (!QFile::exists(bookmarked))
            QCOMPARE(vantora({"run", "--settings", VANTORA_SAMPLES_DIR "/samplemanual.ini", mSample, "-o", bookmarked}).exitCode, 0);
        for (QString& argument : arguments)
            argument = argument == "IN" ? mSample : argument == "OUT" ? bookmarked : argument;
        const Outcome outcome = vantora(arguments);
        QCOMPARE(outcome.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(outcome.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json["version"].toInt(), 1);
        QJsonValue value = json.object();
        for (const QString& step : path.split('/')) {
            bool index = false;
            const int at = step.toInt(&index);
            value = index ? value.toArray().at(at) : value.toObject().value(step);
        }
        QCOMPARE(value.toVariant(), expected);
    }

    void textIsQuotedCsv()
    {
        const Outcome text = vantora({"text", "--page", "1", mSample});
        QCOMPARE(text.exitCode, 0);
        const QStringList lines = text.out.split('\n');
        QCOMPARE(lines.first(), QStringLiteral("page,font,colour,size,lower_left_x,lower_left_y,lower_right_x,lower_right_y,"
                                               "upper_right_x,upper_right_y,upper_left_x,upper_left_y,text"));
        QVERIFY2(text.out.contains(QRegularExpression("\n1,Helvetica,#4d4d4d,14,([^,\"]+,){8}"
                                                      "\"Collections, archives and remote sites\"\n")),
                 qPrintable(text.out));
    }

    void fontsGroupSubsetsOfOneFont()
    {
        RawPdf pdf;
        pdf.addFont("F1", "ABCDEF+Helvetica-Bold");
        pdf.addFont("F2", "GHIJKL+Helvetica-Bold");
        pdf.addPage("BT /F1 18 Tf 72 700 Td (Chapter One) Tj ET");
        pdf.addPage("BT /F2 18 Tf 72 700 Td (Chapter Two) Tj ET BT /F2 10 Tf 72 600 Td (Body) Tj ET");
        const QString path = mDir.filePath("subsets.pdf");
        QVERIFY(pdf.write(path));
        const Outcome fonts = vantora({"fonts", path});
        QCOMPARE(fonts.exitCode, 0);
        QCOMPARE(fonts.out, QStringLiteral("Text styles (2), largest first: size, font, colour, lines, pages: example\n"
                                           "  18, Helvetica-Bold, #000000, 2 lines, p1-2: Chapter One\n"
                                           "  10, Helvetica-Bold, #000000, 1 line, p2: Body\n"));
    }

    void outlineRoundTrip_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("fromStandardInput");
        QTest::addColumn<QByteArray>("zoom"); // the settings' ZoomSettings line and more
        QTest::addColumn<QByteArray>("view"); // as mutool shows the first bookmark's
        QTest::newRow("text") << "text" << false << QByteArray("ZoomSettings=0") << QByteArray("zoom=nan");
        QTest::newRow("json, fit width") << "json" << false << QByteArray("ZoomSettings=2") << QByteArray("view=FitH");
        QTest::newRow("json, zoom, from standard input")
            << "json" << true << QByteArray("ZoomSettings=1\nZoomValue=150") << QByteArray("zoom=150,72,");
    }

    void outlineRoundTrip()
    {
        REQUIRE_OUTLINES();
        QFETCH(QString, format);
        QFETCH(bool, fromStandardInput);
        QFETCH(QByteArray, zoom);
        QFETCH(QByteArray, view);
        QTemporaryDir folder;
        // Destinations and closed parents, which a copy must keep.
        const QString settings = folder.filePath("levels.ini");
        QFile original(VANTORA_SAMPLES_DIR "/samplemanual.ini");
        QVERIFY(original.open(QIODevice::ReadOnly));
        QFile changed(settings);
        QVERIFY(changed.open(QIODevice::WriteOnly));
        changed.write(original.readAll().replace("ZoomSettings=0", zoom + "\nCollapseBookmarks=true"));
        changed.close();
        const QString bookmarked = folder.filePath("bookmarked.pdf");
        QCOMPARE(vantora({"run", "--settings", settings, mSample, "-o", bookmarked}).exitCode, 0);

        const QString exported = vantora({"outline", "--format", format, bookmarked}).out;
        QVERIFY(exported.contains(format == "text" ? "\"1 Getting Started\" 3 closed\n  \"1.1 Installing Lanternfish\" 3 "
                                                     "closed\n    \"1.1.1 From packages\" 3\n"
                                                   : "\"open\": false"));
        const QString copy = folder.filePath("copy.pdf");
        const QString outline = folder.filePath("outline");
        QFile file(outline);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(exported.toUtf8());
        file.close();
        const Outcome imported = fromStandardInput
            ? vantora({"set-outline", mSample, "-", "-o", copy}, {}, exported.toUtf8())
            : vantora({"set-outline", mSample, outline, "-o", copy});
        QCOMPARE(imported.exitCode, 0);
        QCOMPARE(vantora({"outline", "--format", format, copy}).out, exported);

        const QString mutool = QStandardPaths::findExecutable("mutool");
        if (mutool.isEmpty())
            QSKIP("mutool is not installed.");
        QProcess show;
        show.start(mutool, {"show", bookmarked, "outline"});
        QVERIFY(show.waitForFinished());
        const QByteArray expected = show.readAllStandardOutput();
        show.start(mutool, {"show", copy, "outline"});
        QVERIFY(show.waitForFinished());
        QCOMPARE(show.readAllStandardOutput(), expected);
        QVERIFY2(expected.contains(view), expected.constData());
    }

    void manyFilesIntoAFolder()
    {
        REQUIRE_OUTLINES();
        QTemporaryDir folder;
        const QString first = folder.filePath("first.pdf");
        const QString broken = folder.filePath("broken.pdf");
        QVERIFY(QFile::copy(mSample, first));
        QFile notes(broken);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a PDF\n");
        notes.close();
        const QString out = folder.filePath("out");
        const Outcome batch = vantora({"run", "--nth", "4", first, broken, mSample, "--output-dir", out, "--jobs", "2"});
        QCOMPARE(batch.exitCode, 1);
        QCOMPARE(batch.out, QStringLiteral("%1: Saved %2 with 4 bookmarks.\n%3: \"%3\" is not a PDF file.\n"
                                           "%4: Saved %5 with 4 bookmarks.\n")
                                .arg(first, out + "/first.pdf", broken, mSample, out + "/sample.pdf"));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), (QStringList{"first.pdf", "sample.pdf"}));
        QCOMPARE(tree(out + "/first.pdf"), tree(out + "/sample.pdf"));
    }

    void latin1FileNamesOpen_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("UTF-8 locale") << "C.UTF-8";
        QTest::newRow("C locale") << "C";
    }

    // A name written in Latin-1 is no UTF-8: its byte 0xE9 must reach the
    // file system as it came, in and out. Only a shell passes such bytes.
    void latin1FileNamesOpen()
    {
        QFETCH(QString, locale);
        QTemporaryDir folder;
        const QString script = QStringLiteral(
            "cd \"$1\" && in=$(printf 'caf\\351.pdf') && out=$(printf 'out\\351.pdf') && cp \"$2\" \"$in\" && "
            "for command in text fonts outline; do \"$3\" $command \"$in\" >/dev/null || exit 1; done && "
            "\"$3\" run --nth 2 \"$in\" -o \"$out\" >/dev/null && test -s \"$out\"");
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LANG", locale);
        environment.insert("LC_ALL", locale);
        process.setProcessEnvironment(environment);
        process.start("/bin/sh", {"-c", script, "sh", folder.path(), mSample,
                                  QDir(qEnvironmentVariable("VANTORA_BIN_DIR")).filePath("vantora")});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        QProcess::execute("/bin/sh", {"-c", "rm -f \"$1\"/*.pdf", "sh", folder.path()});
    }

private:
    Outcome vantora(const QStringList& arguments, const QStringList& unset = {}, const QByteArray& input = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : unset)
            environment.remove(name);
        if (!environment.contains("LSAN_OPTIONS"))
            environment.insert("LSAN_OPTIONS", "print_suppressions=0:suppressions=" VANTORA_QT_LEAKS);
        process.setProcessEnvironment(environment);
        process.start(QDir(qEnvironmentVariable("VANTORA_BIN_DIR")).filePath("vantora"), arguments);
        process.write(input);
        process.closeWriteChannel();
        Outcome outcome;
        if (!process.waitForFinished(180000)) {
            process.kill();
            process.waitForFinished();
            return outcome;
        }
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        outcome.out = QString::fromUtf8(process.readAllStandardOutput());
        outcome.err = QString::fromUtf8(process.readAllStandardError());
        return outcome;
    }

    QString tree(const QString& pdf)
    {
        const Outcome outcome = vantora({"outline", pdf});
        return outcome.exitCode == 0 ? outcome.out : QStringLiteral("failed: ") + outcome.err;
    }
    // unset: environment variables vantora must not see; input: its standard input
    QTemporaryDir mDir;
    QString mSample;
    QList<Heading> mHeadings;
    bool mOutlinesReadable = false;
};

QTEST_GUILESS_MAIN(TestVantora)
#include "tst_vantora.moc"
