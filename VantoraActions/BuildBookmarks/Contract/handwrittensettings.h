#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

class QSettings;

// The hand-written settings form: plain keys in a [BookmarksByContent]
// section (options and numbered level keys such as FontSizeValue1), and
// optionally one [LevelN] section per level holding the level keys without
// their number. Values are checked, naming the section and key at fault, and converted to the types the plug-in
// reads; the values the wizard would derive (points, colour) are derived.
class HandWrittenSettings
{
public:
    static inline const QString Section = QStringLiteral("BookmarksByContent");
    // A level key of hand-written files only: the keywords themselves.
    static inline const QString Keywords = QStringLiteral("Keywords");
    static constexpr const char* KeywordsExample = "Contents, Index";
    static constexpr const char* KeywordsMeaning =
        "The keywords themselves, separated by commas; the reader writes them to a keyword file for the "
        "plug-in, in place of KeyListEdit.";

    // Whether the file is in this form: it has the main section or a level
    // section (an empty section is invisible to QSettings).
    static bool recognises(QSettings& file);
    // `prefs` in this form, with a comment line summarising each level: read
    // back, it runs as `prefs` does.
    static QString write(const QMap<QString, QVariant>& prefs);

    static QMap<QString, QVariant> read(QSettings& file, const QString& path);
};
