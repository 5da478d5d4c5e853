#pragma once

#include <mupdf/fitz.h>

#include <thread>

class PageTextWindow;
class PdfDocument;

// A thread that extracts the pages a window hands out, with a MuPDF context
// and a copy of the document of its own: MuPDF lets one thread at a time use
// a document, so threads that share none work side by side. The contexts
// are clones, not independent ones: MuPDF keeps a few decoders' state in
// globals, which only the clones' shared locks guard.
class PageTextWorker
{
public:
    // clone: a context cloned from the document's, taken over (dropped here
    // even when the thread cannot start).
    // The copy of the document is opened on the new thread; if it cannot
    // be, the worker leaves the window and its share to the others, or to
    // the reader. Throws std::system_error when no thread can be had.
    PageTextWorker(PageTextWindow& window, const PdfDocument& document, fz_context* clone);
    // The window must have been stopped: waits for the page in hand.
    ~PageTextWorker();
    PageTextWorker(const PageTextWorker&) = delete;
    PageTextWorker& operator=(const PageTextWorker&) = delete;

private:
    void Run();

    PageTextWindow& mWindow;
    const PdfDocument& mDocument;
    fz_context* mContext;
    std::thread mThread;
};
