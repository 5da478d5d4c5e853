#include "outlineprinter.h"

#include "pdflibrarybinding.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextStream>
#include <QVector>

namespace {

QString Title(OmbrelPDFLibraryCPDylibCPP1311& library, int id)
{
    const std::wstring title = library.OutlineTitle(id);
    return QString::fromUcs4(reinterpret_cast<const uint*>(title.data()), static_cast<int>(title.size()));
}

// How many bookmarks first, its siblings and all below them make, counted
// without recursion; a damaged outline whose links loop is cut where an item
// comes round again.
int CountBelow(OmbrelPDFLibraryCPDylibCPP1311& library, int first, QSet<int>& seen)
{
    int count = 0;
    QVector<int> pending{first};
    while (!pending.isEmpty()) {
        for (int id = pending.takeLast(); id > 0 && !seen.contains(id); id = library.GetNextOutline(id)) {
            seen.insert(id);
            ++count;
            pending << library.GetFirstChildOutline(id);
        }
    }
    return count;
}

QList<OutlineItem> ReadSiblings(OmbrelPDFLibraryCPDylibCPP1311& library, int first, int depth, QSet<int>& seen)
{
    QList<OutlineItem> items;
    for (int id = first; id > 0 && !seen.contains(id); id = library.GetNextOutline(id)) {
        seen.insert(id);
        OutlineItem item;
        item.title = Title(library, id);
        item.page = library.GetOutlinePage(id);
        const int child = library.GetFirstChildOutline(id);
        if (depth + 1 < OutlinePrinter::MaxDepth)
            item.children = ReadSiblings(library, child, depth + 1, seen);
        else
            item.deeperNotRead = CountBelow(library, child, seen);
        items << item;
    }
    return items;
}

void PrintTree(const QList<OutlineItem>& items, int depth, QTextStream& out)
{
    for (const OutlineItem& item : items) {
        out << QString(depth * 2, QLatin1Char(' ')) << item.title << "  (" << item.page << ")\n";
        PrintTree(item.children, depth + 1, out);
        if (item.deeperNotRead > 0)
            out << QString((depth + 1) * 2, QLatin1Char(' ')) << "(" << item.deeperNotRead
                << " bookmarks nested deeper than " << OutlinePrinter::MaxDepth << " levels not shown)\n";
    }
}

QJsonArray ToJson(const QList<OutlineItem>& items)
{
    QJsonArray array;
    for (const OutlineItem& item : items) {
        QJsonObject object{{QStringLiteral("title"), item.title}, {QStringLiteral("page"), item.page}};
        if (!item.children.isEmpty())
            object.insert(QStringLiteral("children"), ToJson(item.children));
        if (item.deeperNotRead > 0)
            object.insert(QStringLiteral("deeperNotShown"), item.deeperNotRead);
        array.append(object);
    }
    return array;
}

} // namespace

QList<OutlineItem> OutlinePrinter::read(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    QSet<int> seen;
    return ReadSiblings(library, library.GetFirstOutline(), 0, seen);
}

void OutlinePrinter::printTree(const QList<OutlineItem>& items, QTextStream& out)
{
    if (items.isEmpty())
        out << "(no bookmarks)\n";
    PrintTree(items, 0, out);
}

void OutlinePrinter::printJson(const QList<OutlineItem>& items, QTextStream& out)
{
    out << QJsonDocument(ToJson(items)).toJson(QJsonDocument::Indented);
}
