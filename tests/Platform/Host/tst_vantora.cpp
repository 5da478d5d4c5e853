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
    void initTestCase();
    void infoShowsThePluginAsTheHostLoadsIt();
    void outlineOfTheSample();
    void textAndFontsShowTheHeadingStyles();
    void everyNthPageAppendsAfterExistingBookmarks();
    void bundledSettingsRebuildTheSampleOutline();
    void actionListRunsItsBookmarkSteps();
    void inPlaceReplacesOnlyTheInput();
    void failedWorkProcSavesOnlyWhenAsked();
    void passwordProtectedInput();
    void helpAndVersion();
    void settingsEditNeedsADisplay();
    void failuresChangeNoFile_data();
    void failuresChangeNoFile();

private:
    // unset: environment variables vantora must not see
    Outcome vantora(const QStringList& arguments, const QStringList& unset = {});
    QString tree(const QString& pdf);

    QTemporaryDir mDir;
    QString mSample;
    QList<Heading> mHeadings;
    bool mOutlinesReadable = false;
};

Outcome TestVantora::vantora(const QStringList& arguments, const QStringList& unset)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset)
        environment.remove(name);
    if (!environment.contains("LSAN_OPTIONS"))
        environment.insert("LSAN_OPTIONS", "print_suppressions=0:suppressions=" VANTORA_QT_LEAKS);
    process.setProcessEnvironment(environment);
    process.start(QDir(qEnvironmentVariable("VANTORA_BIN_DIR")).filePath("vantora"), arguments);
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

QString TestVantora::tree(const QString& pdf)
{
    const Outcome outcome = vantora({"outline", pdf});
    return outcome.exitCode == 0 ? outcome.out : QStringLiteral("failed: ") + outcome.err;
}


void TestVantora::initTestCase()
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

void TestVantora::infoShowsThePluginAsTheHostLoadsIt()
{
    const Outcome info = vantora({"info"});
    QCOMPARE(info.exitCode, 0);
    QVERIFY(info.out.contains("org.ombrel.vantora.buildbookmarks"));
    QVERIFY(info.out.contains("Display name: Bookmarks by Content"));

    const Outcome missing = vantora({"--plugin", mDir.filePath("nothing.so"), "info"});
    QCOMPARE(missing.exitCode, 1);
    QCOMPARE(missing.err.count('\n'), 1);
}

void TestVantora::outlineOfTheSample()
{
    REQUIRE_OUTLINES();
    QCOMPARE(tree(mSample), QStringLiteral("Cover  (1)\n"));
    const Outcome json = vantora({"outline", "--json", mSample});
    const QJsonArray items = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.at(0).toObject()["title"].toString(), QStringLiteral("Cover"));
    QCOMPARE(items.at(0).toObject()["page"].toInt(), 1);

    // Nested deeper than the printout goes: it says how many it leaves out.
    QByteArray deep = "%PDF-1.7\n1 0 obj << /Type /Catalog /Pages 2 0 R /Outlines 4 0 R >> endobj 2 0 obj << /Type"
                      " /Pages /Kids [3 0 R] /Count 1 >> endobj 3 0 obj << /Type /Page /Parent 2 0 R >> endobj\n";
    for (int item = 4; item <= 110; ++item)
        deep += QByteArray::number(item) + " 0 obj << /Title (L" + QByteArray::number(item - 4) + ") /First "
                + QByteArray::number(item + 1) + " 0 R >> endobj\n";
    deep += "111 0 obj << /Title (Deepest) >> endobj trailer << /Root 1 0 R >>\n";
    QFile file(mDir.filePath("deep.pdf"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(deep) == deep.size());
    file.close();
    QVERIFY(tree(file.fileName()).endsWith(QString(198, ' ') + "L100  (0)\n" + QString(200, ' ')
                                           + "(7 bookmarks nested deeper than 100 levels not shown)\n"));
    QCOMPARE(vantora({"outline", "--json", file.fileName()}).out.count("\"deeperNotShown\": 7"), 1);
}

void TestVantora::textAndFontsShowTheHeadingStyles()
{
    const Outcome text = vantora({"text", "--page", "3", mSample});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains(QRegularExpression("^Helvetica-Bold,#1f3a93,20,.*,1 Getting Started$",
                                                  QRegularExpression::MultilineOption)),
             qPrintable(text.out));
    QVERIFY(!text.out.contains("# page 4"));

    const Outcome fonts = vantora({"fonts", mSample});
    QCOMPARE(fonts.exitCode, 0);
    QVERIFY2(fonts.out.contains("14, Helvetica-Bold, #8b1a1a, 11, p3: 1.1 Installing Lanternfish"), qPrintable(fonts.out));

    const Outcome beyond = vantora({"text", "--page", "99", mSample});
    QCOMPARE(beyond.exitCode, 1);
}

void TestVantora::everyNthPageAppendsAfterExistingBookmarks()
{
    REQUIRE_OUTLINES();
    const QString output = mDir.filePath("nth.pdf");
    const QByteArray before = Digest(mSample);
    const Outcome run = vantora({"run", "--nth", "4", mSample, "-o", output});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err)); // not a terminal: no progress line
    QVERIFY(run.out.startsWith("Saved "));
    QCOMPARE(tree(output), QStringLiteral("Cover  (1)\nPage 4  (4)\nPage 8  (8)\nPage 12  (12)\n"));
    QCOMPARE(Digest(mSample), before);
}

void TestVantora::bundledSettingsRebuildTheSampleOutline()
{
    REQUIRE_OUTLINES();
    const QString output = mDir.filePath("rebuilt.pdf");
    const Outcome run = vantora({"run", "--settings", VANTORA_SAMPLES_DIR "/samplemanual.ini", mSample, "-o", output});
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
    walk(QJsonDocument::fromJson(json.out.toUtf8()).array(), 1);
    QCOMPARE(found.size(), mHeadings.size());
    for (int i = 0; i < found.size(); ++i) {
        // A title that wraps may keep only its first line.
        QVERIFY2(mHeadings[i].title.startsWith(found[i].title) && found[i].title.size() > 3,
                 qPrintable(found[i].title + " / " + mHeadings[i].title));
        QCOMPARE(found[i].page, mHeadings[i].page);
        QCOMPARE(found[i].level, mHeadings[i].level);
    }
}

void TestVantora::actionListRunsItsBookmarkSteps()
{
    REQUIRE_OUTLINES();
    const QString list = mDir.filePath("Steps.xqq");
    {
        QSettings file(list, QSettings::IniFormat);
        file.setValue("SequenceName", "Steps");
        file.setValue("ActionName0", "Rotate Pages");
        file.setValue("ActionPrefs0", QVariantMap{{"Angle", 90}});
        file.setValue("ActionName1", "Bookmarks by Content");
        file.setValue("ActionPrefs1", QVariantMap{{"NthChecked", true}, {"NthPage", 5}});
        file.setValue("ActionName2", "Bookmarks by Content");
        file.setValue("ActionPrefs2", QVariantMap{{"NthChecked", true}, {"NthPage", 6}});
    }
    const QString output = mDir.filePath("list.pdf");
    QCOMPARE(vantora({"run", "--settings", list, mSample, "-o", output}).exitCode, 0);
    QCOMPARE(tree(output), QStringLiteral("Cover  (1)\nPage 5  (5)\nPage 10  (10)\nPage 6  (6)\nPage 12  (12)\n"));
}

void TestVantora::inPlaceReplacesOnlyTheInput()
{
    REQUIRE_OUTLINES();
    QTemporaryDir folder;
    const QString copy = folder.filePath("manual.pdf");
    QVERIFY(QFile::copy(mSample, copy));
    const Outcome run = vantora({"run", "--nth", "6", "--in-place", copy});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(tree(copy), QStringLiteral("Cover  (1)\nPage 6  (6)\nPage 12  (12)\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"manual.pdf"});
}

void TestVantora::failedWorkProcSavesOnlyWhenAsked()
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

void TestVantora::passwordProtectedInput()
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
}

void TestVantora::helpAndVersion()
{
    const Outcome version = vantora({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.startsWith("vantora ") && version.out.count('\n') == 1, qPrintable(version.out));
    const Outcome help = vantora({"help", "run"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.contains("--keep-partial"), qPrintable(help.out));
    QCOMPARE(vantora({"run", "--help"}).out, help.out);
    QVERIFY(vantora({"--help"}).out.contains("settings edit FILE.ini"));
}

void TestVantora::settingsEditNeedsADisplay()
{
    const QString settings = mDir.filePath("levels.ini");
    const Outcome edit = vantora({"settings", "edit", settings}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    QCOMPARE(edit.exitCode, 1);
    QVERIFY2(edit.err.contains("needs a display"), qPrintable(edit.err));
    QVERIFY(!QFile::exists(settings));
}

void TestVantora::failuresChangeNoFile_data()
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
    QTest::newRow("no output named") << QStringList{"run", "--nth", "2", "IN"} << 2 << "-o OUTPUT.pdf or --in-place";
}

void TestVantora::failuresChangeNoFile()
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
    for (QString& argument : arguments)
        argument = argument == "IN" ? input : argument.replace("DIR", folder.path());

    const QMap<QString, QByteArray> before = Snapshot(folder.path());
    const Outcome outcome = vantora(arguments);
    QCOMPARE(outcome.exitCode, exitCode);
    QVERIFY2(outcome.err.startsWith("vantora: ") && outcome.err.contains(expected), qPrintable(outcome.err));
    if (exitCode == 1)
        QCOMPARE(outcome.err.count('\n'), 1);
    QVERIFY(outcome.out.isEmpty());
    QCOMPARE(Snapshot(folder.path()), before);
}

QTEST_GUILESS_MAIN(TestVantora)
#include "tst_vantora.moc"
