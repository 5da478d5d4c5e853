#include "outlinewriter.h"

#include "pdflibrarybinding.h"

COutlineWriter::COutlineWriter(OmbrelPDFLibraryCPDylibCPP1311& library, int insertionMode,
                               int magnification, int zoomPercent)
    : mLibrary(library), mInsertionMode(insertionMode), mMagnification(magnification),
      mZoomPercent(zoomPercent)
{
}

void COutlineWriter::RemoveAll()
{
    auto removeFirst = [this] {
        const int first = mLibrary.GetFirstOutline();
        const int child = mLibrary.GetFirstChildOutline(first);
        // A sibling that survives its removal would keep this loop going.
        int removed = 0;
        while (mLibrary.GetNextOutline(child) != 0) {
            const int next = mLibrary.GetNextOutline(child);
            if (next == removed)
                break;
            mLibrary.RemoveOutline(next);
            removed = next;
        }
        mLibrary.RemoveOutline(child);
        mLibrary.RemoveOutline(first);
    };

    const int count = mLibrary.OutlineCount();
    for (int pass = 0; pass < count; ++pass)
        removeFirst();

    // A library whose count misses nested items, or whose removal leaves
    // grandchildren behind, needs more passes; stop when one makes no progress.
    for (int first = mLibrary.GetFirstOutline(); first != 0;) {
        removeFirst();
        const int now = mLibrary.GetFirstOutline();
        if (now == first)
            break;
        first = now;
    }
}

void COutlineWriter::RememberAnchor()
{
    mAnchor = mLibrary.GetFirstOutline();
}

int COutlineWriter::AddTopLevel(const QString& title, int page, double destLeft, double destTop)
{
    const int outline = mLibrary.NewOutline(0, title.toStdWString(), page, 0.0);
    if (mInsertionMode == Before && mAnchor > 0)
        mLibrary.MoveOutlineBefore(outline, mAnchor);
    SetDestination(outline, page, destLeft, destTop);
    return outline;
}

int COutlineWriter::AddChild(int parent, const QString& title, int page)
{
    return mLibrary.NewOutline(parent, title.toStdWString(), page, 0.0);
}

void COutlineWriter::Retitle(int outline, const QString& title)
{
    mLibrary.SetOutlineTitle(outline, title.toStdWString());
}

void COutlineWriter::SetOpen(int outline, bool open)
{
    if (open)
        mLibrary.OpenOutline(outline);
    else
        mLibrary.CloseOutline(outline);
}

void COutlineWriter::SetDestination(int outline, int page, double destLeft, double destTop)
{
    mLibrary.SelectPage(page);
    const double left = mLibrary.GetPageBox(1, 0);
    const double top = mLibrary.GetPageBox(1, 1);
    const double right = mLibrary.GetPageBox(1, 4);
    const double bottom = mLibrary.GetPageBox(1, 5);

    switch (mMagnification) {
    case Zoom:
        mLibrary.SetOutlineDestinationFull(outline, page, mZoomPercent, 1, destLeft, destTop, right, bottom);
        break;
    case FitWidth:
        mLibrary.SetOutlineDestinationFull(outline, page, 0, 3, 0.0, destTop, right, bottom);
        break;
    case FitHeight:
        mLibrary.SetOutlineDestinationFull(outline, page, 0, 4, destLeft, top, right, bottom);
        break;
    case FitPage:
        mLibrary.SetOutlineDestinationFull(outline, page, 0, 2, left, top, right, bottom);
        break;
    case FitVisible:
        mLibrary.SetOutlineDestinationFull(outline, page, 0, 6, left, top, right, bottom);
        break;
    default:  // Inherit Zoom and unknown modes keep what NewOutline gave
        break;
    }
}
