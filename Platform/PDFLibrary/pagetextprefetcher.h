#pragma once

#include "pageglyphs.h"
#include "pagetextwindow.h"
#include "pagetextworker.h"

#include <memory>
#include <string>
#include <vector>

class PdfDocument;

// A document's page text, extracted ahead by a pool of workers while the
// caller works on the page it was given, so that a front-to-back reader
// finds each page ready and every core extracts; the caller extracts too,
// rather than wait, with the document it already has. What Take answers is
// exactly what a direct extraction makes: the same code on the same bytes,
// only on another thread, context and copy of the document. The workers
// work while the object lives, up to the last page: once the reader has it,
// they leave, as they do when no reader comes for a while after the load,
// and a reader who starts again gets new ones.
class PageTextPrefetcher
{
public:
    // workers: how many threads besides the caller's; 0 extracts every page
    // on the caller's.
    // Workers that cannot be had leave their share to the others. They start
    // at once, and may while the document still reads its pages: they open
    // their copies meanwhile.
    PageTextPrefetcher(PdfDocument& document, int workers);
    // Waits for the pages in progress (one per worker at most).
    ~PageTextPrefetcher();
    // The document has read its pages (PdfDocument::ReadPages), when it had
    // not yet on construction; before the first Take.
    void PagesRead();
    PageTextPrefetcher(const PageTextPrefetcher&) = delete;
    PageTextPrefetcher& operator=(const PageTextPrefetcher&) = delete;

    // The records of a page (1-based), prefetched or else extracted here
    // with the document's context, as are pages ahead while a worker has
    // this one in hand; from now on the pages after it are the ones worked
    // ahead. Throws EngineError as CollectPageGlyphs does.
    std::wstring Take(int page);

private:
    void StartWorkers();
    // One page on the caller's thread, under the document's access lock.
    PageGlyphs Collect(int page);
    PageTextResult Extract(int page);

    PdfDocument& mDocument;
    const int mWorkerCount;
    PageTextWindow mWindow;
    std::vector<std::unique_ptr<PageTextWorker>> mWorkers;
    // The caller's, kept from page to page.
    PageGlyphs mGlyphs;
    GlyphAdvances mAdvances;
};
