#include "pagetextworker.h"

#include "pagetextwindow.h"
#include "pageglyphs.h"
#include "pdfdocument.h"
#include "textrecords.h"

PageTextWorker::PageTextWorker(PageTextWindow& window, const PdfDocument& document, fz_context* clone)
    : mWindow(window), mDocument(document), mContext(clone)
{
    mWindow.Join();
    try
    {
        mThread = std::thread(&PageTextWorker::Run, this);
    }
    catch (...)
    {
        mWindow.Leave();
        fz_drop_context(mContext);
        throw;
    }
}

PageTextWorker::~PageTextWorker()
{
    mThread.join();
    fz_drop_context(mContext);
}

void PageTextWorker::Run()
{
    try
    {
        // Opened here rather than by the reader: a large file's
        // cross-reference table takes a while to read, and needs no one else.
        const std::unique_ptr<PdfDocument> copy = mDocument.OpenCopy(mContext);
        while (const int page = mWindow.NextPage())
        {
            std::optional<std::wstring> records;
            try
            {
                records = FormatTextRecords(CollectPageGlyphs(mContext, copy->Doc(), page));
            }
            catch (...)
            {
                // Left to the reader, who gets the error from its own attempt.
            }
            mWindow.Deliver(page, std::move(records));
        }
    }
    catch (...)
    {
        // No copy of the document to work on, or no memory left to keep
        // track of a page: the others and the reader do the work.
    }
    mWindow.Leave();
}
