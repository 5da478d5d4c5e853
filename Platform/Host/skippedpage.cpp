#include "skippedpage.h"

#include "pdflibrarybinding.h"

#include <QTextStream>

namespace SkippedPage {

bool wasSkipped(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    return library.LastErrorCode() == ErrorCode;
}

void warn(int page)
{
    QTextStream(stderr) << "vantora: page " << page
                        << " skipped: its text takes more work than a page may (forms drawn inside one another "
                           "hundreds of thousands of times).\n";
}

} // namespace SkippedPage
