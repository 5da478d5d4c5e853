#include "outlinejson.h"

#include "hosterror.h"
#include "jsonoutput.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QJsonObject DestinationObject(const OutlineItem& item)
{
    const OutlineDestination& to = item.destination;
    QJsonObject object{{QStringLiteral("page"), item.page}};
    if (to.kind == OutlineDestination::None)
        return object;
    object.insert(QStringLiteral("kind"), OutlineDestination::kindName(to.kind));
    for (int index : OutlineDestination::coordinatesOf(to.kind))
        object.insert(OutlineDestination::coordinateName(index), to.c[index]);
    object.insert(QStringLiteral("zoom"), to.zoom);
    return object;
}

QJsonArray ItemsArray(const QList<OutlineItem>& items, int level)
{
    QJsonArray array;
    for (const OutlineItem& item : items) {
        QJsonObject object{
            {QStringLiteral("title"), item.title},
            {QStringLiteral("level"), level},
            {QStringLiteral("page"), item.page},
            {QStringLiteral("open"), item.open},
            {QStringLiteral("destination"), DestinationObject(item)},
            {QStringLiteral("children"), ItemsArray(item.children, level + 1)},
        };
        if (item.deeperNotRead > 0)
            object.insert(QStringLiteral("deeperNotShown"), item.deeperNotRead);
        array.append(object);
    }
    return array;
}

// Reads the items of one array; path is the parent's item number ("2.1").
class ItemsReader
{
public:
    explicit ItemsReader(const QString& source) : mSource(source) {}

    QList<OutlineItem> read(const QJsonValue& value, const QString& path) const
    {
        if (!value.isArray())
            fail(path.isEmpty() ? QStringLiteral("the document") : QStringLiteral("item ") + path,
                 QStringLiteral("\"outline\" and \"children\" must be arrays"));
        QList<OutlineItem> items;
        const QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i) {
            const QString number = path.isEmpty() ? QString::number(i + 1) : path + QLatin1Char('.') + QString::number(i + 1);
            items << item(array.at(i).toObject(), number);
        }
        return items;
    }

private:
    OutlineItem item(const QJsonObject& object, const QString& number) const
    {
        OutlineItem item;
        item.origin = QStringLiteral("item ") + number;
        if (!object.value(QStringLiteral("title")).isString())
            fail(item.origin, QStringLiteral("it needs a \"title\" string"));
        item.title = object.value(QStringLiteral("title")).toString();
        const QJsonObject to = object.value(QStringLiteral("destination")).toObject();
        item.page = object.value(QStringLiteral("page")).toInt(to.value(QStringLiteral("page")).toInt());
        if (item.page < 1)
            fail(item.origin, QStringLiteral("it needs a \"page\" of 1 or more"));
        item.open = object.value(QStringLiteral("open")).toBool(true);
        const QString kind = to.value(QStringLiteral("kind")).toString();
        item.destination.kind = OutlineDestination::kindNamed(kind);
        if (!kind.isEmpty() && item.destination.kind == OutlineDestination::None)
            fail(item.origin, QStringLiteral("the destination kind \"%1\" is none of XYZ, Fit, FitH, FitV, FitR, FitB").arg(kind));
        item.destination.zoom = to.value(QStringLiteral("zoom")).toInt();
        for (int index : OutlineDestination::coordinatesOf(item.destination.kind))
            item.destination.c[index] = to.value(OutlineDestination::coordinateName(index)).toDouble();
        if (object.contains(QStringLiteral("children")))
            item.children = read(object.value(QStringLiteral("children")), number);
        return item;
    }

    [[noreturn]] void fail(const QString& where, const QString& mistake) const
    {
        throw HostError(QStringLiteral("%1, %2: %3.").arg(mSource, where, mistake));
    }

    QString mSource;
};

} // namespace

QJsonObject OutlineJson::document(const QList<OutlineItem>& items)
{
    return JsonOutput::document(QStringLiteral("outline"), ItemsArray(items, 1));
}

void OutlineJson::write(const QList<OutlineItem>& items, QTextStream& out)
{
    JsonOutput::print(document(items), out);
}

QList<OutlineItem> OutlineJson::parse(const QByteArray& text, const QString& source)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        const int line = text.left(error.offset).count('\n') + 1;
        throw HostError(QStringLiteral("%1, line %2: %3.").arg(source).arg(line).arg(error.errorString()));
    }
    // A bare array is what older versions printed.
    if (json.isArray())
        return ItemsReader(source).read(json.array(), {});
    const QJsonObject object = json.object();
    if (object.value(QStringLiteral("version")).toInt(JsonOutput::Version) > JsonOutput::Version)
        throw HostError(QStringLiteral("%1 was written by a newer vantora (version %2).")
                            .arg(source)
                            .arg(object.value(QStringLiteral("version")).toInt()));
    return ItemsReader(source).read(object.value(QStringLiteral("outline")), {});
}
