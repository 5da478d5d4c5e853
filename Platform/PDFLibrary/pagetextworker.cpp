#include "pagetextworker.h"

#include "enginecontext.h"
#include "engineerror.h"
#include "pagetextwindow.h"
#include "pageglyphs.h"
#include "parsedobjects.h"
#include "pdfdocument.h"
#include "textrecords.h"

namespace {

// Dropping the objects parsed walks the whole cross-reference table: not
// after every page, but often enough that the pages' objects never add up.
const int kPagesBetweenDrops = 16;

} // namespace

PageTextWorker::PageTextWorker(PageTextWindow& window, const PdfDocument& document)
    : mWindow(window), mDocument(document)
{
    mWindow.Join();
    try
    {
        mThread = std::thread(&PageTextWorker::Run, this);
    }
    catch (...)
    {
        mWindow.Leave();
        throw;
    }
}

PageTextWorker::~PageTextWorker()
{
    mThread.join();
}

void PageTextWorker::Run()
{
    try
    {
        // Made here rather than by the reader: a large file's
        // cross-reference table takes a while to read, and needs no one else.
        const EngineContext engine;
        fz_context* ctx = engine.Get();
        const std::unique_ptr<PdfDocument> copy = mDocument.OpenCopy(ctx);
        // While the document still reads its page tree (which parses most
        // object streams on the reader's thread), the copy parses its own:
        // parsed for the pages, they would take time from them.
        ParseObjectStreams(ctx, copy->Doc(), [this] { return mWindow.BeforeReading(); });
        // The copy is only read: what it parses for pages may go again,
        // what it parsed before stays.
        MarkParsedObjects(ctx, copy->Doc());
        bool pagesTaken = false;
        int done = 0;
        PageGlyphs glyphs;
        GlyphAdvances advances(ctx);
        while (const int page = mWindow.NextPage())
        {
            PageTextResult result;
            try
            {
                // The reader asked for a page: the document has its pages.
                if (!pagesTaken)
                {
                    copy->TakePagesOf(mDocument);
                    pagesTaken = true;
                }
                if (++done % kPagesBetweenDrops == 0)
                    DropParsedObjects(ctx, copy->Doc());
                glyphs = CollectPageGlyphs(ctx, copy->Doc(), copy->PageObject(page), advances, std::move(glyphs));
                result.records = FormatTextRecords(glyphs);
            }
            catch (const EngineError& error)
            {
                // Left to the reader, who gets the error from its own
                // attempt; but a page over its budget would cost it as much.
                result.tooComplex = error.Code() == EngineErrorCode::TooComplex;
            }
            catch (...)
            {
            }
            mWindow.Deliver(page, std::move(result));
        }
        // NextPage let it go.
        return;
    }
    catch (...)
    {
        // No copy of the document to work on, or no memory left to keep
        // track of a page: the others and the reader do the work.
    }
    mWindow.Leave();
}
