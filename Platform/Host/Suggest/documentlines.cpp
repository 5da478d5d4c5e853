#include "documentlines.h"

#include <cmath>

namespace {

// The engine's rule for a line that carries on the title above it: next
// record, same look, not left of it, at most one and a half sizes lower.
bool Continues(const RecordLine& above, const RecordLine& line)
{
    if (line.page != above.page || line.index != above.index + 1)
        return false;
    if (line.font != above.font || line.size != above.size || line.colour != above.colour)
        return false;
    const double drop = above.top - line.top;
    return line.left >= above.left - 0.5 && drop > 0.0 && drop <= 1.5 * std::abs(line.size);
}

} // namespace

DocumentLines DocumentLines::from(const QList<QStringList>& pages)
{
    DocumentLines document;
    document.pageCount = pages.size();
    for (int page = 0; page < pages.size(); ++page) {
        const QStringList& records = pages.at(page);
        for (int index = 0; index < records.size(); ++index) {
            RecordLine line;
            if (!RecordLine::parse(records.at(index), page + 1, index, &line) || line.text.trimmed().isEmpty())
                continue;
            document.continues << (!document.lines.isEmpty() && Continues(document.lines.constLast(), line));
            document.styles << TextStyle{TextStyle::roundedSize(line.size), TextStyle::withoutSubsetPrefix(line.font),
                                         line.colour};
            document.lines << line;
        }
    }
    return document;
}
