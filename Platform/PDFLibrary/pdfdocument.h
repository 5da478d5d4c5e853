#pragma once

#include "pagetree.h"
#include "pdffile.h"

#include <mupdf/pdf.h>

#include <memory>
#include <mutex>
#include <string>

// A loaded PDF: the MuPDF document, its page count and the selected page.
// Every method that calls MuPDF throws EngineError on failure.
//
// MuPDF's locks cover what contexts share (allocator, store, fonts), not a
// document: its cross-reference table, object cache, file stream and list of
// open pages are plain data. So every MuPDF call on the document, from any
// thread and context, is made holding Access().
class PdfDocument
{
public:
    // Loading takes two steps, for a caller with work to start in between.
    // Opens the file; throws EngineError with FileNotFound, NotAPdf,
    // Damaged or PasswordRequired.
    static std::unique_ptr<PdfDocument> Open(fz_context* ctx, const std::string& path,
                                             const std::string& password);
    // Reads the page tree, before any other use; throws EngineError Damaged.
    void ReadPages();

    // The same file opened again, for another thread to read with a context
    // of its own: a copy for reading only, which knows nothing of changes
    // made to this one. It has no pages until TakePagesOf. Safe while this
    // document reads its pages. Throws EngineError.
    std::unique_ptr<PdfDocument> OpenCopy(fz_context* ctx) const;
    // A copy's pages: the original's, which has read them, as references;
    // the copy does not walk its own tree. Throws EngineError.
    void TakePagesOf(const PdfDocument& original);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    fz_context* Context() const { return mContext; }
    std::mutex& Access() const { return mAccess; }
    pdf_document* Doc() const { return mDoc; }

    // The pages the page tree holds, whatever its /Count says.
    int PageCount() const { return mPages.Count(); }
    bool HasPage(int pageNumber) const { return pageNumber >= 1 && pageNumber <= PageCount(); }
    // The page dictionary of a 1-based page number (a reference to it);
    // null when out of range.
    pdf_obj* PageObject(int pageNumber) const { return mPages.Page(pageNumber); }
    // The 1-based number of a page dictionary; 0 when it is no page of ours.
    int PageNumberOf(pdf_obj* pageObject) const;

    int SelectedPage() const { return mSelectedPage; }
    bool SelectPage(int pageNumber);

    // Writes the document to path through a temporary file in the same
    // folder, incrementally unless the file was repaired.
    void Save(const std::string& path);

private:
    PdfDocument(fz_context* ctx, pdf_document* doc, std::shared_ptr<const PdfFile> file, std::string password);
    static std::unique_ptr<PdfDocument> OpenFile(fz_context* ctx, std::shared_ptr<const PdfFile> file,
                                                 const std::string& password);

    fz_context* mContext;
    pdf_document* mDoc;
    // Kept for the copies, and never changed: they are opened while the
    // pages are read.
    const std::shared_ptr<const PdfFile> mFile;
    const std::string mPassword;
    // MuPDF rebuilt the cross-reference table: the original bytes cannot be
    // trusted as the base of an incremental update.
    bool mRepaired = false;
    int64_t mOriginalStartXref = 0;
    // Read once, after opening: nothing this library does changes the pages.
    PageTree mPages;
    int mSelectedPage = 1;
    mutable std::mutex mAccess;
};
