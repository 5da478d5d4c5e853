#pragma once

#include <QJsonObject>

class QTextStream;

// Every JSON document vantora prints: one object with the format's version,
// so tools can tell a changed layout, and the payload under its name.
namespace JsonOutput {
constexpr int Version = 1;
QJsonObject document(const QString& name, const QJsonValue& payload);
void print(const QJsonObject& document, QTextStream& out);
}
