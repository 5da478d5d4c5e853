#pragma once

#include <thread>

class PageTextWindow;
class PdfDocument;

// A thread that extracts the pages a window hands out, with a MuPDF context
// and a copy of the document of its own: MuPDF lets one thread at a time use
// a document, so threads that share none work side by side.
class PageTextWorker
{
public:
    // The context and the copy of the document are made on the new thread;
    // if they cannot be, the worker leaves the window and its share to the
    // others, or to the reader. The document may still be reading its
    // pages: the worker takes them once the reader asks for one. Throws std::system_error when no thread can
    // be had.
    PageTextWorker(PageTextWindow& window, const PdfDocument& document);
    // The window must have been stopped: waits for the page in hand.
    ~PageTextWorker();
    PageTextWorker(const PageTextWorker&) = delete;
    PageTextWorker& operator=(const PageTextWorker&) = delete;

private:
    void Run();

    PageTextWindow& mWindow;
    const PdfDocument& mDocument;
    std::thread mThread;
};
