// How much of a bookmark run is the engine's own work: a full run against the
// PDF library's text extraction of the same pages, on one generated document.
//
//   enginebench [pages] [document.pdf]
//
// Without a document it draws one (chapters, sections, topics and body text
// in four styles) into bench/cache/, once per page count.
#include "buildbookmarkapi.h"
#include "fontnamematcher.h"
#include "headingdetector.h"
#include "levelrules.h"
#include "pdflibrarybinding.h"
#include "settingskeys.h"
#include "textrecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

using namespace SettingsKeys;

constexpr int Repeats = 5;

struct Style
{
    const char* family;
    int size;
    bool bold;
    QColor colour;
};

const Style ChapterStyle{"DejaVu Serif", 20, true, QColor(0x20, 0x30, 0x80)};
const Style SectionStyle{"DejaVu Sans", 15, true, Qt::black};
const Style TopicStyle{"DejaVu Sans", 12, false, QColor(0x80, 0x00, 0x00)};
const Style BodyStyle{"DejaVu Serif", 10, false, Qt::black};

bool DrawDocument(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    if (!painter.isActive())
        return false;

    auto line = [&painter](const Style& style, qreal y, const QString& text) {
        QFont font(QString::fromLatin1(style.family));
        font.setPixelSize(style.size);
        font.setBold(style.bold);
        painter.setFont(font);
        painter.setPen(style.colour);
        painter.drawText(QPointF(72, y), text);
    };
    int chapter = 0, section = 0, topic = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        qreal y = 60;
        if (page % 10 == 1) {
            line(ChapterStyle, y, QStringLiteral("Chapter %1 of the manual").arg(++chapter));
            y += 36;
            section = 0;
        }
        for (int block = 0; block < 2; ++block) {
            line(SectionStyle, y, QStringLiteral("%1.%2 Section heading").arg(chapter).arg(++section));
            y += 26;
            topic = 0;
            for (int part = 0; part < 2; ++part) {
                line(TopicStyle, y, QStringLiteral("Topic %1 in detail").arg(++topic));
                y += 20;
                for (int row = 0; row < 12 && y < 800; ++row) {
                    static const char* const tails[] = {"a printed line", "an ordinary manual page",
                                                        "the width", "a column of prose", "one line"};
                    line(BodyStyle, y, QStringLiteral("Body text line %1 of page %2, with words enough to fill %3.")
                                           .arg(row + 1).arg(page).arg(QLatin1String(tails[(row + page) % 5])));
                    y += 13;
                }
            }
        }
    }
    return painter.end();
}

QVariantMap FourLevels()
{
    QVariantMap settings{{LevelCount, 4}, {InsertionMode, 0}, {ZoomSettings, 2}};
    const Style* styles[] = {&ChapterStyle, &SectionStyle, &TopicStyle, &BodyStyle};
    for (int level = 1; level <= 4; ++level) {
        const Style& style = *styles[level - 1];
        settings[Level(FontNameCheck, level)] = true;
        settings[Level(FontNameCombo, level)] = QString::fromLatin1(style.family);
        settings[Level(FontSizeCheck, level)] = true;
        settings[Level(FontSizeValue, level)] = double(style.size);
        settings[Level(FontSizeTolerance, level)] = 0.5;
        settings[Level(FontColorCheck, level)] = true;
        settings[Level(ColorInHex, level)] = style.colour.name();
        settings[Level(LeadingNumbers, level)] = 2;
    }
    // The deepest level takes only lines that look like body headings, so it
    // tests every record but files few.
    settings[Level(TextMaskCheck, 4)] = true;
    settings[Level(TextMaskEdit, 4)] = QStringLiteral("^Body text line 1 of");
    settings[Level(RepeatedHeadings, 2)] = true;
    return settings;
}

QString FromWide(const std::wstring& text)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), int(text.size()));
}

// The best of a few runs, in milliseconds.
double BestOf(const std::function<void()>& prepare, const std::function<void()>& work,
              int repeats = Repeats)
{
    double best = 1e300;
    for (int run = 0; run < repeats; ++run) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int pages = args.size() > 1 ? args.at(1).toInt() : 1000;

    QString document = args.size() > 2 ? args.at(2) : QString();
    if (document.isEmpty()) {
        const QDir cache(QStringLiteral(VANTORA_BENCH_CACHE));
        QDir().mkpath(cache.path());
        document = cache.filePath(QStringLiteral("manual-%1.pdf").arg(pages));
        if (!QFileInfo::exists(document) && !DrawDocument(document, pages)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(document));
            return 2;
        }
    }

    const QString libraryPath = qEnvironmentVariable("VANTORA_BIN_DIR", QStringLiteral(VANTORA_BIN_DIR))
                                + QStringLiteral("/OmbrelPDFLibraryCPDylib1311.dylib");
    OmbrelPDFLibraryCPDylibCPP1311 library(libraryPath.toStdWString());
    if (!library.LibraryLoaded()) {
        std::fprintf(stderr, "cannot load %s\n", qPrintable(libraryPath));
        return 2;
    }
    auto load = [&] {
        if (library.LoadFromFile(document.toStdWString(), std::wstring()) != 1) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(document));
            std::exit(2);
        }
    };
    load();
    const int pageCount = library.PageCount();

    // 1. The library alone: every page's text records, as the engine asks for them.
    QStringList texts;
    const double extraction = BestOf([&] { texts.clear(); }, [&] {
        for (int page = 1; page <= pageCount; ++page) {
            library.SelectPage(page);
            library.SetTextExtractionOptions(1, 0);
            texts.append(FromWide(library.GetPageText(3)));
        }
    });

    // 2. A full run: engine and library together, the document reloaded each time.
    QVariantMap settings = FourLevels();
    const double fullRun = BestOf(load, [&] {
        CBuildBookmarkAPI engine(&library, &settings);
        engine.BuildBookmarks();
    }, 2);
    const int bookmarks = library.OutlineCount();

    // 3. The engine's record test alone, on the texts already extracted.
    CFontNameMatcher fonts(CFontNameMatcher::InstalledFamilies());
    int headings = 0;
    const double recordTest = BestOf([&] { headings = 0; }, [&] {
        QVector<CLevelRules> levels;
        for (int level = 1; level <= 4; ++level)
            levels.append(CLevelRules::Read(settings, level, {}));
        CHeadingDetector detector(levels, fonts);
        for (const QString& text : texts)
            for (const QString& line : CTextRecord::SplitPage(text))
                headings += detector.Classify(CTextRecord::Parse(line)).level >= 0;
    });

    int records = 0;
    for (const QString& text : texts)
        records += CTextRecord::SplitPage(text).size();

    // The library's share of the full run is its text extraction plus its
    // outline work; what is left over is the engine's, which the record test
    // measures on its own.
    const double outlineWork = fullRun - extraction - recordTest;
    QTextStream out(stdout);
    out << "document          " << QFileInfo(document).fileName() << ", " << pageCount << " pages, "
        << records << " records, 4 levels, " << bookmarks << " bookmarks\n";
    out << "full run          " << QString::number(fullRun, 'f', 1) << " ms\n";
    out << "text extraction   " << QString::number(extraction, 'f', 1) << " ms, library alone\n";
    out << "engine's own work " << QString::number(recordTest, 'f', 1) << " ms, records parsed and tested, "
        << headings << " headings\n";
    out << "outline writing   " << QString::number(outlineWork, 'f', 1) << " ms, library, by difference\n";
    out << "engine share      " << QString::number(100.0 * recordTest / fullRun, 'f', 1)
        << " % of the full run; " << QString::number(100.0 * recordTest / extraction, 'f', 1)
        << " % of the extraction time\n";
    return 0;
}
