#pragma once

#include <mupdf/pdf.h>

#include <unordered_map>
#include <vector>

// A document's pages in order, found by one walk over its page tree. MuPDF
// looks every page up from the root by the nodes' /Count entries: in a flat
// tree (one /Kids array, as qpdf writes) that is a walk along the array for
// each page, and a root /Count that lies (2147483647 for one page) makes
// pages that do not exist. Here only the pages the tree really holds count,
// and each is found in constant time.
class PageTree
{
public:
    PageTree() = default;
    // Walks the catalog's page tree. A node met a second time (a cycle, or a
    // subtree listed twice) is not walked again; what is not a dictionary is
    // no page. Throws EngineError when MuPDF fails to read an object.
    PageTree(fz_context* ctx, pdf_document* doc);
    // The pages of another document opened on the same bytes, as references
    // that doc parses when they are used: a copy then costs none of the
    // walk. When some page of the model is written inline, doc's own tree
    // is walked.
    PageTree(fz_context* ctx, pdf_document* doc, const PageTree& model);
    ~PageTree();
    PageTree(PageTree&& other) noexcept;
    PageTree& operator=(PageTree&& other) noexcept;
    PageTree(const PageTree&) = delete;
    PageTree& operator=(const PageTree&) = delete;

    int Count() const { return static_cast<int>(mPages.size()); }
    // The page of a 1-based page number as its parent lists it: a
    // reference to the page dictionary (or the dictionary itself, when
    // written inline); null when out of range.
    pdf_obj* Page(int number) const;
    // The 1-based number of a page dictionary (its first place when listed
    // twice); 0 when it is no page of the tree.
    int NumberOf(fz_context* ctx, pdf_obj* page) const;

private:
    void Release();
    struct Reference
    {
        int number;  // 0: written inline
        int generation;
    };
    void AddPage(pdf_obj* page, Reference reference);

    fz_context* mContext = nullptr;
    // Kept. A reference does not keep the dictionary: the document may drop
    // it between uses like any object it parsed.
    std::vector<pdf_obj*> mPages;
    // Plain numbers, which another thread may read while this one works.
    std::vector<Reference> mReferences;
    std::unordered_map<int, int> mNumberOfObject;
};
