#include "outlinewriter.h"

#include "hosterror.h"
#include "pdflibrarybinding.h"

namespace {

void CheckPages(const QList<OutlineItem>& items, int pages, const QString& source)
{
    for (const OutlineItem& item : items) {
        if (item.page < 1 || item.page > pages)
            throw HostError(QStringLiteral("%1, %2: page %3 is not in the document, which has %4 pages.")
                                .arg(source, item.origin)
                                .arg(item.page)
                                .arg(pages));
        CheckPages(item.children, pages, source);
    }
}

void Add(OmbrelPDFLibraryCPDylibCPP1311& library, int parent, const OutlineItem& item)
{
    // An item without a destination of its own opens at its title's line:
    // the library finds it in the text of the page it read last.
    if (item.destination.kind == OutlineDestination::None && library.SelectedPage() != item.page) {
        library.SelectPage(item.page);
        library.GetPageText(3);
    }
    const int id = library.NewOutline(parent, item.title.toStdWString(), item.page, 0.0);
    if (id == 0)
        throw HostError(QStringLiteral("The PDF library could not add the bookmark \"%1\".").arg(item.title));
    const OutlineDestination& to = item.destination;
    if (to.kind != OutlineDestination::None)
        library.SetOutlineDestinationFull(id, item.page, to.zoom, to.kind, to.c[0], to.c[1], to.c[2], to.c[3]);
    for (const OutlineItem& child : item.children)
        Add(library, id, child);
    if (!item.children.isEmpty()) {
        if (item.open)
            library.OpenOutline(id);
        else
            library.CloseOutline(id);
    }
}

} // namespace

void OutlineWriter::replace(OmbrelPDFLibraryCPDylibCPP1311& library, const QList<OutlineItem>& items,
                            const QString& source)
{
    CheckPages(items, library.PageCount(), source);
    while (const int first = library.GetFirstOutline()) {
        if (library.RemoveOutline(first) == 0)
            throw HostError(QStringLiteral("The PDF library could not remove the old bookmarks."));
    }
    for (const OutlineItem& item : items)
        Add(library, 0, item);
}
