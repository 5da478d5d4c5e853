#pragma once

#include <QList>
#include <QMetaType>
#include <QRectF>
#include <QRgb>
#include <QString>

struct PDBookmarkSelectionRec;

// One line of a page's text as the PDF library describes it: the font, colour
// and size it is set in and where it sits, in PDF user space (points, y up).
struct TextLine
{
    QString fontName; // without the quotes the record puts around a name with commas
    QRgb colour = 0;
    double size = 0.0;
    double left = 0.0;   // x of the lower-left corner
    QRectF box;          // bounding box of the four corners; top() is the lowest y
    QString text;

    // Parses one text record; false for a record too short to hold a line.
    static bool fromRecord(const QString& record, TextLine& line);
    // Every well-formed record of a page's text, in the library's order.
    static QList<TextLine> fromPageText(const QString& pageText);

    // What the wizard needs to define a level matching this line.
    PDBookmarkSelectionRec selectionRecord() const;
};

Q_DECLARE_METATYPE(TextLine)
