#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A PDF written object by object, for what a painter cannot draw: invisible
// text, font names with commas, grey and CMYK fills, Type 3 fonts. Pages are
// 612 x 792 points; every page gets the same fonts.
class RawPdf
{
public:
    // A font resource /<key> of the standard Helvetica metrics (not embedded),
    // under the given BaseFont name.
    void addFont(const QByteArray& key, const QByteArray& baseFont,
                 const QByteArray& encoding = "WinAnsiEncoding");
    // A Type 3 font resource /<key> with a /Name, drawing every glyph as a
    // 0.6 em square.
    void addType3Font(const QByteArray& key, const QByteArray& name);
    // A page whose content stream is `content`; `entries` go into the page
    // dictionary as they are (boxes, rotation).
    void addPage(const QByteArray& content, const QByteArray& entries = QByteArray());

    QByteArray bytes() const;
    bool write(const QString& path) const;
    // A file of the objects as they are, numbered from 1; object 1 is the
    // catalog.
    static QByteArray fromObjects(const QList<QByteArray>& objects);

private:
    struct Font
    {
        QByteArray key;
        QByteArray dictionary; // GLYPH stands for the glyph stream's reference
        QByteArray glyph;      // a Type 3 font's one glyph procedure
    };
    QList<Font> mFonts;
    struct Page
    {
        QByteArray content;
        QByteArray entries;
    };
    QList<Page> mPages;
};
