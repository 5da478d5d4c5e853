// Entry points of the outline (bookmarks), all on the instance's one
// outline tree, which follows every change they make.
#include "entryguard.h"
#include "outlinetree.h"
#include "pageboxes.h"
#include "ulrentrypoints.h"

namespace {

// Position 0 leaves the place to the library: the line the title was made
// from, when the caller has just read the page's text; otherwise the page's
// top, or `position` points below it.
PagePoint NewOutlineTarget(LibraryInstance& instance, const PdfDocument& document, const std::wstring& title,
                           int page, double position)
{
    if (position == 0.0)
    {
        if (const std::optional<PagePoint> heading = instance.Anchors().Find(page, title))
            return *heading;
    }
    if (!document.HasPage(page))
        return PagePoint();
    const fz_rect box = PageBox(document.Context(), document.PageObject(page), PageBoxKind::Crop);
    return PagePoint{box.x0, box.y1 - position};
}

// Runs work on the instance's outline; a failure makes the next call read
// the outline afresh.
template <typename Result, typename Work>
Result WithOutline(LibraryInstance& instance, Work&& work)
{
    try
    {
        return work(instance.Outline());
    }
    catch (...)
    {
        instance.ForgetOutline();
        throw;
    }
}

template <typename Work>
int OutlineEntry(int instanceID, Work&& work)
{
    return DocumentEntry(instanceID, 0, [&](LibraryInstance& instance, PdfDocument&) {
        return WithOutline<int>(instance, work);
    });
}

} // namespace

extern "C" {

int ULROutlineCount(int instanceID)
{
    return OutlineEntry(instanceID, [](OutlineTree& tree) { return tree.Count(); });
}

int ULRGetFirstOutline(int instanceID)
{
    return OutlineEntry(instanceID, [](OutlineTree& tree) { return tree.FirstChild(0); });
}

int ULRGetFirstChildOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return id ? tree.FirstChild(id) : 0; });
}

int ULRGetNextOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Next(id); });
}

int ULRGetPrevOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Previous(id); });
}

int ULRGetParentOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Parent(id); });
}

wchar_t* ULROutlineTitle(int instanceID, int id)
{
    return WideDocumentEntry(instanceID, [id](LibraryInstance& instance, PdfDocument&) {
        return WithOutline<std::wstring>(instance, [id](OutlineTree& tree) { return tree.Title(id); });
    });
}

int ULRSetOutlineTitle(int instanceID, int id, wchar_t* title)
{
    return DocumentEntry(instanceID, 0, [&](LibraryInstance& instance, PdfDocument&) {
        const std::wstring text = instance.TakeWideString(title);
        return WithOutline<int>(instance, [&](OutlineTree& tree) { return tree.SetTitle(id, text) ? 1 : 0; });
    });
}

int ULRGetOutlinePage(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Page(id); });
}

int ULRNewOutline(int instanceID, int parent, wchar_t* title, int page, double position)
{
    return DocumentEntry(instanceID, 0, [&](LibraryInstance& instance, PdfDocument& document) {
        const std::wstring text = instance.TakeWideString(title);
        return WithOutline<int>(instance, [&](OutlineTree& tree) {
            return tree.Add(parent, text, page, NewOutlineTarget(instance, document, text, page, position));
        });
    });
}

int ULRRemoveOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Remove(id) ? 1 : 0; });
}

int ULRMoveOutlineBefore(int instanceID, int id, int sibling)
{
    return OutlineEntry(instanceID, [=](OutlineTree& tree) { return tree.MoveBefore(id, sibling) ? 1 : 0; });
}

int ULRMoveOutlineAfter(int instanceID, int id, int sibling)
{
    return OutlineEntry(instanceID, [=](OutlineTree& tree) { return tree.MoveAfter(id, sibling) ? 1 : 0; });
}

int ULROpenOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.SetOpen(id, true) ? 1 : 0; });
}

int ULRCloseOutline(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.SetOpen(id, false) ? 1 : 0; });
}

int ULRSetOutlineDestinationFull(int instanceID, int id, int page, int zoom, int destType, double c1, double c2,
                                 double c3, double c4)
{
    const double corners[4] = {c1, c2, c3, c4};
    return OutlineEntry(instanceID, [&](OutlineTree& tree) {
        return tree.SetDestination(id, page, zoom, destType, corners) ? 1 : 0;
    });
}

// An item's destination is known by the item's identifier: 0 when the item
// has no explicit destination.
int ULRGetOutlineDest(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) {
        const DestinationView view = tree.DestinationOf(id);
        return view.type != 0 || !view.values.empty() ? id : 0;
    });
}

// SetOutlineDestinationFull's type codes; 0 for another kind.
int ULRGetDestType(int instanceID, int destID)
{
    return OutlineEntry(instanceID, [destID](OutlineTree& tree) { return tree.DestinationOf(destID).type; });
}

// valueKey 1, 2, ...: the numbers after the kind (XYZ: left, top, zoom
// factor; FitH: top; FitV: left; FitR: left, bottom, right, top).
double ULRGetDestValue(int instanceID, int destID, int valueKey)
{
    return DocumentEntry(instanceID, 0.0, [&](LibraryInstance& instance, PdfDocument&) {
        return WithOutline<double>(instance, [&](OutlineTree& tree) {
            const std::vector<double> values = tree.DestinationOf(destID).values;
            return valueKey >= 1 && valueKey <= static_cast<int>(values.size()) ? values[valueKey - 1] : 0.0;
        });
    });
}

// The item's display: 1 italic, 2 bold (its /F flags), 4 its children shown.
int ULRGetOutlineStyle(int instanceID, int id)
{
    return OutlineEntry(instanceID, [id](OutlineTree& tree) { return tree.Style(id); });
}

} // extern "C"
