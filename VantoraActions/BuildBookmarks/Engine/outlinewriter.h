#pragma once

#include <QString>

class OmbrelPDFLibraryCPDylibCPP1311;

// Writes bookmarks into the document through the PDF library: removal of the
// old ones, new top-level bookmarks with their place and destination, children,
// and later edits of what was written.
class COutlineWriter
{
public:
    enum InsertionMode { Overwrite = 0, After = 1, Before = 2 };
    enum Magnification { InheritZoom = 0, Zoom = 1, FitWidth = 2, FitHeight = 3, FitPage = 4, FitVisible = 5 };

    COutlineWriter(OmbrelPDFLibraryCPDylibCPP1311& library, int insertionMode, int magnification,
                   int zoomPercent);

    // Removes every bookmark of the document, first top-level item by item.
    void RemoveAll();
    // Notes the first existing bookmark: new top-level ones go before it.
    void RememberAnchor();

    // A top-level bookmark on `page`; its destination uses the heading's
    // position (destLeft, destTop) and the page's box.
    int AddTopLevel(const QString& title, int page, double destLeft, double destTop);
    int AddChild(int parent, const QString& title, int page);
    void Retitle(int outline, const QString& title);
    void SetOpen(int outline, bool open);

private:
    void SetDestination(int outline, int page, double destLeft, double destTop);

    OmbrelPDFLibraryCPDylibCPP1311& mLibrary;
    int mInsertionMode;
    int mMagnification;
    int mZoomPercent;
    int mAnchor = 0;
};
