#pragma once

class DocumentRecords;
class OmbrelPDFLibraryCPDylibCPP1311;

// While it lives, the binding answers the engine's page text requests from
// records already read, so `run --auto` extracts the text of the pages
// without bookmarks once: to suggest the levels, not again to apply them.
// The library extracts a page that gets a bookmark again, as it points the
// bookmark at its line in the text it handed out: on the caller's thread,
// so the library, which has not read the text yet, reads no page ahead. The
// replay swaps entry-point slots of the binding, whose layout the host and
// plug-in share, and puts them back when it goes. One at a time.
class RecordReplay
{
public:
    RecordReplay(OmbrelPDFLibraryCPDylibCPP1311& library, const DocumentRecords& records);
    ~RecordReplay();
    RecordReplay(const RecordReplay&) = delete;
    RecordReplay& operator=(const RecordReplay&) = delete;

private:
    void** mSlots;
    int mPageTextSlot;
    int mNewOutlineSlot;
    void* mPageText;
    void* mNewOutline;
    void* mResultLength;
    bool mSetThreads = false;
};
