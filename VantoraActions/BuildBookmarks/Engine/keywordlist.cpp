#include "keywordlist.h"

#include <QFile>

namespace KeywordList {

QStringList Read(const QString& path)
{
    QStringList lines;
    if (path.isEmpty())
        return lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd()) {
        QByteArray bytes = file.readLine();
        const int nul = bytes.indexOf('\0');
        if (nul >= 0)
            bytes.truncate(nul);
        const QString line = QString::fromUtf8(bytes);
        if (line.isEmpty())
            break;
        lines.append(line);
    }
    return lines;
}

QString Comparable(const QString& text)
{
    int end = text.size();
    while (end > 0 && (text.at(end - 1) == QLatin1Char('\n') || text.at(end - 1) == QLatin1Char('\r')))
        --end;
    return text.left(end);
}

QSet<QString> Keywords(const QStringList& lines)
{
    QSet<QString> keywords;
    for (const QString& line : lines)
        keywords.insert(Comparable(line));
    return keywords;
}

} // namespace KeywordList
