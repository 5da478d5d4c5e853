#include "outlineprinter.h"

#include "commandrequest.h"
#include "outlinejson.h"
#include "outlinetext.h"
#include "vantoraoptions.h"

#include <QTextStream>

namespace {

void PrintTree(const QList<OutlineItem>& items, int depth, QTextStream& out)
{
    for (const OutlineItem& item : items) {
        out << QString(depth * 2, QLatin1Char(' ')) << item.title << "  (" << item.page << ")\n";
        PrintTree(item.children, depth + 1, out);
        if (item.deeperNotRead > 0)
            out << QString((depth + 1) * 2, QLatin1Char(' ')) << "(" << item.deeperNotRead
                << " bookmarks nested deeper than 100 levels not shown)\n";
    }
}

} // namespace

OutlinePrinter::Format OutlinePrinter::requested(const CommandRequest& request)
{
    const QString format = request.value(VantoraOptions::Format);
    if (request.isSet(VantoraOptions::Json) || format == QLatin1String("json"))
        return Format::Json;
    return format == QLatin1String("text") ? Format::Text : Format::Tree;
}

void OutlinePrinter::print(const QList<OutlineItem>& items, Format format, QTextStream& out)
{
    switch (format) {
    case Format::Json:
        OutlineJson::write(items, out);
        return;
    case Format::Text:
        OutlineText::write(items, out);
        return;
    case Format::Tree:
        if (items.isEmpty())
            out << "(no bookmarks)\n";
        PrintTree(items, 0, out);
        return;
    }
}
