#include "suggestedchecks.h"

#include "recordline.h"

bool SuggestedChecks::passes(const RecordLine& line) const
{
    if (std::abs(line.size - size) > tolerance)
        return false;
    if (!font.isEmpty() && !line.font.contains(font))
        return false;
    if (!colour.isEmpty() && line.colour.compare(colour, Qt::CaseInsensitive) != 0)
        return false;
    if (!maskParts.isEmpty() && mCompiled.indexIn(line.text) < 0)
        return false;
    return !keywords.contains(line.text);
}

void SuggestedChecks::compileMask()
{
    mCompiled = QRegExp(mask(), Qt::CaseSensitive, QRegExp::RegExp);
}
