#pragma once

#include "outlineitem.h"

#include <QJsonObject>

class QTextStream;

// The outline as JSON for tools, and back:
// {"version": 1, "outline": [{"title", "level", "page", "open",
//   "destination": {"page", "kind", "left", "top", ..., "zoom"}, "children": [...]}]}
// A destination lists the coordinates its kind has.
namespace OutlineJson {
QJsonObject document(const QList<OutlineItem>& items);
void write(const QList<OutlineItem>& items, QTextStream& out);
// A mistake throws a HostError naming source and the line or the item.
QList<OutlineItem> parse(const QByteArray& text, const QString& source);
}
