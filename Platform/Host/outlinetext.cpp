#include "outlinetext.h"

#include "hosterror.h"

#include <QStringList>
#include <QTextStream>

namespace {

QString Escaped(QString title)
{
    return title.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
}

void Write(const QList<OutlineItem>& items, int depth, QTextStream& out)
{
    for (const OutlineItem& item : items) {
        out << QString(depth * 2, QLatin1Char(' ')) << '"' << Escaped(item.title) << "\" " << item.page;
        if (!item.children.isEmpty() && !item.open)
            out << " closed";
        out << '\n';
        Write(item.children, depth + 1, out);
    }
}

// One line of the text, read from left to right; a mistake throws.
class LineReader
{
public:
    LineReader(const QString& line, const QString& where) : mLine(line), mWhere(where) {}

    int indent()
    {
        while (mAt < mLine.size() && mLine.at(mAt) == QLatin1Char(' '))
            ++mAt;
        if (mAt < mLine.size() && mLine.at(mAt) == QLatin1Char('\t'))
            fail(QStringLiteral("indent with blanks, two per level, not tabs"));
        if (mAt % 2 != 0)
            fail(QStringLiteral("the indent is %1 blanks; use two per level").arg(mAt));
        return mAt / 2;
    }

    QString title()
    {
        if (mAt >= mLine.size() || mLine.at(mAt) != QLatin1Char('"'))
            fail(QStringLiteral("the title must start with a double quote"));
        QString title;
        for (++mAt; mAt < mLine.size(); ++mAt) {
            const QChar c = mLine.at(mAt);
            if (c == QLatin1Char('"')) {
                ++mAt;
                return title;
            }
            if (c == QLatin1Char('\\')) {
                const QChar next = ++mAt < mLine.size() ? mLine.at(mAt) : QChar();
                if (next != QLatin1Char('"') && next != QLatin1Char('\\'))
                    fail(QStringLiteral("a backslash in a title escapes only \\\" and \\\\"));
                title += next;
            } else {
                title += c;
            }
        }
        fail(QStringLiteral("the title has no closing double quote"));
        return {};
    }

    // The page and an optional "closed", after the title.
    int page(bool* open)
    {
        const QStringList words = mLine.mid(mAt).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = false;
        const int page = words.value(0).toInt(&ok);
        if (!ok || page < 1 || !mLine.mid(mAt).startsWith(QLatin1Char(' ')))
            fail(QStringLiteral("a page number must follow the title"));
        if (words.size() > 2 || (words.size() == 2 && words.at(1) != QLatin1String("closed")))
            fail(QStringLiteral("only \"closed\" may follow the page number"));
        *open = words.size() == 1;
        return page;
    }

    [[noreturn]] void fail(const QString& mistake) const
    {
        throw HostError(QStringLiteral("%1: %2.").arg(mWhere, mistake));
    }

private:
    const QString& mLine;
    QString mWhere;
    int mAt = 0;
};

} // namespace

void OutlineText::write(const QList<OutlineItem>& items, QTextStream& out)
{
    Write(items, 0, out);
}

QList<OutlineItem> OutlineText::parse(const QString& text, const QString& source)
{
    QList<OutlineItem> top;
    QList<QList<OutlineItem>*> open{&top}; // the children list of each depth
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int number = 1; number <= lines.size(); ++number) {
        QString line = lines.at(number - 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        OutlineItem item;
        item.origin = QStringLiteral("line %1").arg(number);
        LineReader reader(line, QStringLiteral("%1, %2").arg(source, item.origin));
        const int depth = reader.indent();
        if (depth >= open.size())
            reader.fail(QStringLiteral("this item is indented more than one level below the one before"));
        item.title = reader.title();
        item.page = reader.page(&item.open);
        open.erase(open.begin() + depth + 1, open.end());
        QList<OutlineItem>& siblings = *open.last();
        siblings << item;
        open << &siblings.last().children;
    }
    return top;
}
