#include "jsonoutput.h"

#include <QJsonDocument>
#include <QTextStream>

QJsonObject JsonOutput::document(const QString& name, const QJsonValue& payload)
{
    return QJsonObject{{QStringLiteral("version"), Version}, {name, payload}};
}

void JsonOutput::print(const QJsonObject& document, QTextStream& out)
{
    out << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}
