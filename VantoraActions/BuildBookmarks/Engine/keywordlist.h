#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// A level's keyword list: one keyword per line of a plain text file.
namespace KeywordList {

// The file's lines, each kept with its line end, up to end of file or a line
// that begins with a NUL byte. A file that cannot be read gives no lines.
QStringList Read(const QString& path);

// The entries as the keyword rule compares them: without their line ends.
QSet<QString> Keywords(const QStringList& lines);

// A record's text as the keyword rule compares it.
QString Comparable(const QString& text);

} // namespace KeywordList
