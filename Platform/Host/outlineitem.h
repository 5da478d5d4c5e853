#pragma once

#include <QList>
#include <QString>

// Where a bookmark takes the reader, in the terms the library sets it with:
// a kind (the PDF's view: XYZ, Fit, FitH, FitV, FitR, FitB) and up to four
// coordinates in points, c[0] left, c[1] top, c[2] right, c[3] bottom.
struct OutlineDestination
{
    enum Kind { None = 0, XYZ = 1, Fit = 2, FitH = 3, FitV = 4, FitR = 5, FitB = 6 };

    Kind kind = None; // None: the library's default view of the page
    int zoom = 0;     // XYZ only: percent; 0 keeps the viewer's
    double c[4] = {0.0, 0.0, 0.0, 0.0};

    // "XYZ", ...; empty for None.
    static QString kindName(Kind kind);
    // None for a name that is no kind.
    static Kind kindNamed(const QString& name);
    // The coordinates kind has, by name, in c's order: XYZ left and top, FitR all four.
    static QList<int> coordinatesOf(Kind kind);
    static QString coordinateName(int index);
};

struct OutlineItem
{
    QString title;
    int page = 0;
    bool open = false; // shows its children; always false for a leaf
    OutlineDestination destination;
    QList<OutlineItem> children;
    QString origin; // where an imported item was written: "line 4", "item 2.1"
    int deeperNotRead = 0; // bookmarks nested below it past the deepest level read
};
