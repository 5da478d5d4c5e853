#include "outlinereader.h"

#include "pdflibrarybinding.h"

#include <QSet>

namespace {

// GetOutlineStyle: the item shows its children.
constexpr int ShownChildren = 4;

QString Title(OmbrelPDFLibraryCPDylibCPP1311& library, int id)
{
    const std::wstring title = library.OutlineTitle(id);
    return QString::fromUcs4(reinterpret_cast<const uint*>(title.data()), static_cast<int>(title.size()));
}

// The library gives the numbers of the PDF's destination array; the
// destination is kept in the terms SetOutlineDestinationFull takes.
OutlineDestination Destination(OmbrelPDFLibraryCPDylibCPP1311& library, int id)
{
    OutlineDestination to;
    const int dest = library.GetOutlineDest(id);
    const int kind = dest ? library.GetDestType(dest) : 0;
    if (kind < OutlineDestination::XYZ || kind > OutlineDestination::FitB)
        return to;
    to.kind = static_cast<OutlineDestination::Kind>(kind);
    const auto value = [&](int key) { return library.GetDestValue(dest, key); };
    switch (to.kind) {
    case OutlineDestination::XYZ:
        to.c[0] = value(1);
        to.c[1] = value(2);
        to.zoom = qRound(value(3) * 100);
        break;
    case OutlineDestination::FitH:
        to.c[1] = value(1);
        break;
    case OutlineDestination::FitV:
        to.c[0] = value(1);
        break;
    case OutlineDestination::FitR: // left, bottom, right, top
        to.c[0] = value(1);
        to.c[3] = value(2);
        to.c[2] = value(3);
        to.c[1] = value(4);
        break;
    default:
        break;
    }
    return to;
}

// Levels below the hundredth are counted, not read: nesting that deep is
// damage or a test, and each printed line of it would be mostly indentation.
constexpr int MaxDepth = 100;

int CountBelow(OmbrelPDFLibraryCPDylibCPP1311& library, int parent, QSet<int>& seen)
{
    int count = 0;
    QList<int> pending{library.GetFirstChildOutline(parent)};
    while (!pending.isEmpty()) {
        for (int id = pending.takeLast(); id > 0 && !seen.contains(id); id = library.GetNextOutline(id)) {
            seen.insert(id);
            ++count;
            pending << library.GetFirstChildOutline(id);
        }
    }
    return count;
}

// Siblings from first on; a damaged outline whose links loop is cut where an
// item comes round again.
QList<OutlineItem> ReadSiblings(OmbrelPDFLibraryCPDylibCPP1311& library, int first, QSet<int>& seen, int depth = 1)
{
    QList<OutlineItem> items;
    for (int id = first; id > 0 && !seen.contains(id); id = library.GetNextOutline(id)) {
        seen.insert(id);
        OutlineItem item;
        item.title = Title(library, id);
        item.page = library.GetOutlinePage(id);
        item.open = (library.GetOutlineStyle(id) & ShownChildren) != 0;
        item.destination = Destination(library, id);
        if (depth < MaxDepth)
            item.children = ReadSiblings(library, library.GetFirstChildOutline(id), seen, depth + 1);
        else
            item.deeperNotRead = CountBelow(library, id, seen);
        items << item;
    }
    return items;
}

} // namespace

QList<OutlineItem> OutlineReader::read(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    QSet<int> seen;
    return ReadSiblings(library, library.GetFirstOutline(), seen);
}
