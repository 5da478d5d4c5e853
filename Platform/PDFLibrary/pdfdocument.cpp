#include "pdfdocument.h"

#include "documentwriter.h"
#include "enginecall.h"

#include <cstring>

namespace {

// Readers accept a header anywhere in the first kilobyte; so do we. Anything
// else is not a PDF, whatever MuPDF's repair would make of it.
bool HasHeader(const PdfFile& file)
{
    unsigned char head[1024];
    const std::size_t size = file.Read(head, sizeof head, 0);
    static const char kMagic[] = "%PDF-";
    const std::size_t magic = sizeof kMagic - 1;
    for (std::size_t at = 0; at + magic <= size; ++at)
        if (std::memcmp(head + at, kMagic, magic) == 0)
            return true;
    return false;
}

} // namespace

PdfDocument::PdfDocument(fz_context* ctx, pdf_document* doc, std::shared_ptr<const PdfFile> file,
                         std::string password)
    : mContext(ctx), mDoc(doc), mFile(std::move(file)), mPassword(std::move(password))
{
}

PdfDocument::~PdfDocument()
{
    // The pages' objects go before their document.
    mPages = PageTree();
    pdf_drop_document(mContext, mDoc);
}

std::unique_ptr<PdfDocument> PdfDocument::Open(fz_context* ctx, const std::string& path,
                                               const std::string& password)
{
    if (!ctx)
        throw EngineError(EngineErrorCode::Engine, "no MuPDF context");
    std::shared_ptr<const PdfFile> file = PdfFile::Open(path);
    if (!HasHeader(*file))
        throw EngineError(EngineErrorCode::NotAPdf, "no PDF header in " + path);
    return OpenFile(ctx, std::move(file), password);
}

std::unique_ptr<PdfDocument> PdfDocument::OpenCopy(fz_context* ctx) const
{
    if (!ctx)
        throw EngineError(EngineErrorCode::Engine, "no MuPDF context");
    return OpenFile(ctx, mFile, mPassword);
}

std::unique_ptr<PdfDocument> PdfDocument::OpenFile(fz_context* ctx, std::shared_ptr<const PdfFile> file,
                                                   const std::string& password)
{
    pdf_document* doc = nullptr;
    EngineCall(ctx, [&] {
        fz_stream* stream = file->OpenStream(ctx);
        fz_try(ctx)
            doc = pdf_open_document_with_stream(ctx, stream);
        fz_always(ctx)
            fz_drop_stream(ctx, stream);
        fz_catch(ctx)
            fz_rethrow(ctx);
    }, EngineErrorCode::Damaged);
    std::unique_ptr<PdfDocument> document(new PdfDocument(ctx, doc, std::move(file), password));

    bool locked = false;
    EngineCall(ctx, [&] {
        locked = pdf_needs_password(ctx, doc) && !pdf_authenticate_password(ctx, doc, password.c_str());
    }, EngineErrorCode::PasswordRequired);
    if (locked)
        throw EngineError(EngineErrorCode::PasswordRequired, "wrong or missing password");
    return document;
}

void PdfDocument::ReadPages()
{
    try
    {
        mPages = PageTree(mContext, mDoc);
    }
    catch (const EngineError& error)
    {
        throw EngineError(EngineErrorCode::Damaged, error.what());
    }
    EngineCall(mContext, [&] {
        mRepaired = pdf_was_repaired(mContext, mDoc);
        mOriginalStartXref = mDoc->startxref;
    }, EngineErrorCode::Damaged);
    // A repair that found no page found no PDF worth the name.
    if (PageCount() <= 0)
        throw EngineError(EngineErrorCode::Damaged, "no pages");
}

void PdfDocument::TakePagesOf(const PdfDocument& original)
{
    try
    {
        mPages = PageTree(mContext, mDoc, original.mPages);
    }
    catch (const EngineError& error)
    {
        throw EngineError(EngineErrorCode::Damaged, error.what());
    }
}

int PdfDocument::PageNumberOf(pdf_obj* pageObject) const
{
    return pageObject ? mPages.NumberOf(mContext, pageObject) : 0;
}

bool PdfDocument::SelectPage(int pageNumber)
{
    if (!HasPage(pageNumber))
        return false;
    mSelectedPage = pageNumber;
    return true;
}

void PdfDocument::Save(const std::string& path)
{
    bool repaired = mRepaired;
    EngineCall(mContext, [&] { repaired = repaired || pdf_was_repaired(mContext, mDoc); });
    WriteDocument(mContext, mDoc, path, repaired ? WriteMode::Rewrite : WriteMode::Incremental,
                  mOriginalStartXref);
}
