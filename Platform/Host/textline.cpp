#include "textline.h"

#include "pdflibrarybinding.h"
#include "skippedpage.h"

#include <QTextStream>

namespace {

// LastErrorCode after a page whose text takes more work than a page may.

} // namespace

bool TextLine::parse(const QString& record, TextLine* line)
{
    // A font name that holds a comma comes in double quotes.
    int fontEnd = record.indexOf(QLatin1Char(','));
    if (record.startsWith(QLatin1Char('"'))) {
        const int quoteEnd = record.indexOf(QLatin1String("\","));
        if (quoteEnd > 0)
            fontEnd = quoteEnd + 1;
    }
    if (fontEnd < 0)
        return false;
    const QStringList rest = record.mid(fontEnd + 1).split(QLatin1Char(','));
    if (rest.size() < 11)
        return false;
    line->font = record.left(fontEnd).remove(QLatin1Char('"'));
    line->colour = rest.at(0);
    line->size = rest.at(1);
    line->corners = rest.mid(2, 8);
    line->text = QStringList(rest.mid(10)).join(QLatin1Char(','));
    return true;
}

QList<TextLine> TextLine::ofPage(OmbrelPDFLibraryCPDylibCPP1311& library, int page)
{
    library.SelectPage(page);
    library.SetTextExtractionOptions(1, 0);
    const std::wstring text = library.GetPageText(3);
    if (text.empty() && SkippedPage::wasSkipped(library))
        SkippedPage::warn(page);
    const QString records = QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()));
    QList<TextLine> lines;
    for (const QString& record : records.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        TextLine line;
        if (parse(record, &line))
            lines << line;
    }
    return lines;
}

const QStringList& TextLine::cornerNames()
{
    static const QStringList names{"lower_left", "lower_right", "upper_right", "upper_left"};
    return names;
}
