// The entry points the action uses, served from the scripted state. Each call
// is logged in the form the tests compare against, after its wide-string
// arguments have been taken over, and may then fail as scripted.
#include "fakestate.h"
#include "fakeinstances.h"
#include "ulrentrypoints.h"

#include <cstdio>

namespace {

std::string Argument(int value)
{
    return std::to_string(value);
}

std::string Argument(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Argument(const std::wstring& value)
{
    return '"' + FakeUtf8(value) + '"';
}

template <typename... Arguments>
void Log(FakeState& state, const char* name, const Arguments&... arguments)
{
    std::string list;
    ((list += (list.empty() ? "" : ",") + Argument(arguments)), ...);
    state.Record(name, std::string(name) + '(' + list + ')');
}

// Calls with an instance id the library never made answer neutrally, as the
// real library does, and are not logged. Tests drive the fake from one thread,
// so nothing is locked.
template <typename Result, typename Work>
Result Serve(int instanceID, Result neutral, Work work)
{
    FakeInstance* instance = FakeInstances::Find(instanceID);
    return instance ? work(*instance, TheFakeState()) : neutral;
}

const FakePDFLibrary::PageBox& SelectedPageBox(const FakeState& state)
{
    static const FakePDFLibrary::PageBox standard;
    const auto index = static_cast<std::size_t>(state.selectedPage - 1);
    return index < state.document.pageBoxes.size() ? state.document.pageBoxes[index] : standard;
}

const FakePDFLibrary::Font* SelectedFont(const FakeState& state)
{
    const auto index = static_cast<std::size_t>(state.selectedFont - 1);
    return index < state.document.fonts.size() ? &state.document.fonts[index] : nullptr;
}

bool IsPage(const FakeState& state, int page)
{
    return page >= 1 && page <= state.PageCount();
}

wchar_t* const NoText = nullptr;

} // namespace

extern "C" {

// The binding's own entry points: not logged, never failing.

int ULRCreateLibrary(void)
{
    return FakeInstances::Create();
}

int ULRReleaseLibrary(int instanceID)
{
    return FakeInstances::Release(instanceID) ? 1 : 0;
}

int ULRStringResultLength(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance& i, FakeState&) { return i.WideResultLength(); });
}

int ULRAnsiStringResultLength(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance& i, FakeState&) { return i.ByteResultLength(); });
}

char* ULRCreateBuffer(int instanceID, int size)
{
    return Serve(instanceID, static_cast<char*>(nullptr),
                 [=](FakeInstance& i, FakeState&) { return i.CreateBuffer(size); });
}

int ULRAddToBuffer(int instanceID, char* buffer, const char* data, int size)
{
    return Serve(instanceID, 0, [=](FakeInstance& i, FakeState&) {
        return i.AddToBuffer(buffer, data, size) ? 1 : 0;
    });
}

int ULRReleaseBuffer(int instanceID, char* buffer)
{
    return Serve(instanceID, 0, [=](FakeInstance& i, FakeState&) { return i.ReleaseBuffer(buffer) ? 1 : 0; });
}

// Pages and their text.

int ULRPageCount(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "PageCount");
        return s.PageCount();
    });
}

int ULRSelectPage(int instanceID, int page)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "SelectPage", page);
        if (!IsPage(s, page))
            return 0;
        s.selectedPage = page;
        return 1;
    });
}

int ULRSelectedPage(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "SelectedPage");
        return IsPage(s, s.selectedPage) ? s.selectedPage : 0;
    });
}

int ULRSetTextExtractionOptions(int instanceID, int option, int value)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "SetTextExtractionOptions", option, value);
        return 1;
    });
}

wchar_t* ULRGetPageText(int instanceID, int extractOptions)
{
    return Serve(instanceID, NoText, [=](FakeInstance& i, FakeState& s) {
        Log(s, "GetPageText", extractOptions);
        if (!IsPage(s, s.selectedPage))
            return i.WideResult(std::wstring());
        return i.WideResult(s.document.pageTexts[static_cast<std::size_t>(s.selectedPage - 1)]);
    });
}

double ULRGetPageBox(int instanceID, int boxType, int dimension)
{
    return Serve(instanceID, 0.0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetPageBox", boxType, dimension);
        if (dimension < 0 || dimension > 5)
            return 0.0;
        return SelectedPageBox(s).values[dimension];
    });
}

double ULRPageWidth(int instanceID)
{
    return Serve(instanceID, 0.0, [](FakeInstance&, FakeState& s) {
        Log(s, "PageWidth");
        return SelectedPageBox(s).values[2];
    });
}

double ULRPageHeight(int instanceID)
{
    return Serve(instanceID, 0.0, [](FakeInstance&, FakeState& s) {
        Log(s, "PageHeight");
        return SelectedPageBox(s).values[3];
    });
}

// Fonts.

int ULRFindFonts(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "FindFonts");
        return static_cast<int>(s.document.fonts.size());
    });
}

int ULRGetFontID(int instanceID, int index)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetFontID", index);
        return index >= 1 && index <= static_cast<int>(s.document.fonts.size()) ? index : 0;
    });
}

int ULRSelectFont(int instanceID, int fontID)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "SelectFont", fontID);
        if (fontID < 1 || fontID > static_cast<int>(s.document.fonts.size()))
            return 0;
        s.selectedFont = fontID;
        return 1;
    });
}

wchar_t* ULRFontFamily(int instanceID)
{
    return Serve(instanceID, NoText, [](FakeInstance& i, FakeState& s) {
        Log(s, "FontFamily");
        const FakePDFLibrary::Font* font = SelectedFont(s);
        return i.WideResult(font ? font->family : std::wstring());
    });
}

wchar_t* ULRFontName(int instanceID)
{
    return Serve(instanceID, NoText, [](FakeInstance& i, FakeState& s) {
        Log(s, "FontName");
        const FakePDFLibrary::Font* font = SelectedFont(s);
        return i.WideResult(font ? font->name : std::wstring());
    });
}

int ULRGetFontEncoding(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "GetFontEncoding");
        const FakePDFLibrary::Font* font = SelectedFont(s);
        return font ? font->encoding : 0;
    });
}

wchar_t* ULRGetInstalledFontsByCharset(int instanceID, int charset, int options)
{
    return Serve(instanceID, NoText, [=](FakeInstance& i, FakeState& s) {
        Log(s, "GetInstalledFontsByCharset", charset, options);
        return i.WideResult(s.document.installedFonts);
    });
}

// The outline tree.

int ULROutlineCount(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "OutlineCount");
        return s.outlines.Count();
    });
}

int ULRGetFirstOutline(int instanceID)
{
    return Serve(instanceID, 0, [](FakeInstance&, FakeState& s) {
        Log(s, "GetFirstOutline");
        return s.outlines.First();
    });
}

int ULRGetFirstChildOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetFirstChildOutline", id);
        return s.outlines.FirstChild(id);
    });
}

int ULRGetNextOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetNextOutline", id);
        return s.outlines.Next(id);
    });
}

int ULRGetPrevOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetPrevOutline", id);
        return s.outlines.Prev(id);
    });
}

int ULRGetParentOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetParentOutline", id);
        return s.outlines.Parent(id);
    });
}

int ULRRemoveOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "RemoveOutline", id);
        return s.outlines.Remove(id) ? 1 : 0;
    });
}

int ULRNewOutline(int instanceID, int parent, wchar_t* title, int page, double position)
{
    return Serve(instanceID, 0, [=](FakeInstance& i, FakeState& s) {
        const std::wstring text = i.TakeWideString(title);
        Log(s, "NewOutline", parent, text, page, position);
        if (!IsPage(s, page))
            return 0;
        return s.outlines.Append(parent, text, page);
    });
}

int ULRMoveOutlineBefore(int instanceID, int id, int sibling)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "MoveOutlineBefore", id, sibling);
        return s.outlines.MoveBefore(id, sibling) ? 1 : 0;
    });
}

int ULRMoveOutlineAfter(int instanceID, int id, int sibling)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "MoveOutlineAfter", id, sibling);
        return s.outlines.MoveAfter(id, sibling) ? 1 : 0;
    });
}

int ULRSetOutlineDestinationFull(int instanceID, int id, int page, int zoom, int destType,
                                 double c1, double c2, double c3, double c4)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "SetOutlineDestinationFull", id, page, zoom, destType, c1, c2, c3, c4);
        FakePDFLibrary::Outline* item = s.outlines.Find(id);
        if (!item || !IsPage(s, page))
            return 0;
        item->page = page;
        return 1;
    });
}

wchar_t* ULROutlineTitle(int instanceID, int id)
{
    return Serve(instanceID, NoText, [=](FakeInstance& i, FakeState& s) {
        Log(s, "OutlineTitle", id);
        const FakePDFLibrary::Outline* item = s.outlines.Find(id);
        return i.WideResult(item ? item->title : std::wstring());
    });
}

int ULRSetOutlineTitle(int instanceID, int id, wchar_t* title)
{
    return Serve(instanceID, 0, [=](FakeInstance& i, FakeState& s) {
        const std::wstring text = i.TakeWideString(title);
        Log(s, "SetOutlineTitle", id, text);
        FakePDFLibrary::Outline* item = s.outlines.Find(id);
        if (!item)
            return 0;
        item->title = text;
        return 1;
    });
}

int ULRGetOutlinePage(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "GetOutlinePage", id);
        const FakePDFLibrary::Outline* item = s.outlines.Find(id);
        return item ? item->page : 0;
    });
}

int ULROpenOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "OpenOutline", id);
        FakePDFLibrary::Outline* item = s.outlines.Find(id);
        if (!item)
            return 0;
        item->open = true;
        return 1;
    });
}

int ULRCloseOutline(int instanceID, int id)
{
    return Serve(instanceID, 0, [=](FakeInstance&, FakeState& s) {
        Log(s, "CloseOutline", id);
        FakePDFLibrary::Outline* item = s.outlines.Find(id);
        if (!item)
            return 0;
        item->open = false;
        return 1;
    });
}

} // extern "C"
