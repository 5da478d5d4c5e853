#include "pagetree.h"

#include "enginecall.h"

#include <algorithm>
#include <climits>
#include <unordered_set>
#include <utility>

namespace {

// MuPDF's own reading of a kid: a /Type /Pages node, or without a /Type one
// that has kids and no media box of its own.
bool IsPagesNode(fz_context* ctx, pdf_obj* node)
{
    pdf_obj* type = pdf_dict_get(ctx, node, PDF_NAME(Type));
    if (type)
        return pdf_name_eq(ctx, type, PDF_NAME(Pages));
    return pdf_is_array(ctx, pdf_dict_get(ctx, node, PDF_NAME(Kids)))
        && !pdf_dict_get(ctx, node, PDF_NAME(MediaBox));
}

// What the walk needs of one kid: a page, or a node's kids.
struct Kid
{
    pdf_obj* page = nullptr;  // a page dictionary, or
    pdf_obj* kids = nullptr;  // a node's /Kids
    int number = 0;           // 0 for an object written inline
    int generation = 0;
};

Kid ReadKid(fz_context* ctx, pdf_obj* kid)
{
    Kid read;
    if (!pdf_is_dict(ctx, kid))
        return read;
    read.number = pdf_is_indirect(ctx, kid) ? pdf_to_num(ctx, kid) : 0;
    read.generation = read.number ? pdf_to_gen(ctx, kid) : 0;
    if (IsPagesNode(ctx, kid))
        read.kids = pdf_dict_get(ctx, kid, PDF_NAME(Kids));
    else
        read.page = kid;
    return read;
}

} // namespace

PageTree::PageTree(fz_context* ctx, pdf_document* doc) : mContext(ctx)
{
    // Depth first with a stack of its own: a hostile tree may nest deeper
    // than the C stack goes. MuPDF is called for one kid at a time, so that
    // its errors never jump over these containers. The arrays on the path
    // are kept: loading a broken object may repair the file and replace
    // what was loaded before.
    std::vector<std::pair<pdf_obj*, int>> path;
    const auto pop = [&] {
        pdf_drop_obj(ctx, path.back().first);
        path.pop_back();
    };
    std::unordered_set<int> walked;
    try
    {
        // The root's kids count whatever the root says it is, as in MuPDF.
        Kid root;
        EngineCall(ctx, [&] {
            pdf_obj* node = pdf_dict_getp(ctx, pdf_trailer(ctx, doc), "Root/Pages");
            root.kids = pdf_dict_get(ctx, node, PDF_NAME(Kids));
            root.number = pdf_is_indirect(ctx, node) ? pdf_to_num(ctx, node) : 0;
        });
        path.emplace_back(nullptr, 0);
        path.back().first = pdf_keep_obj(ctx, root.kids);
        walked.insert(root.number);
        while (!path.empty())
        {
            Kid kid;
            int& next = path.back().second;
            pdf_obj* kids = path.back().first;
            bool done = false;
            EngineCall(ctx, [&] {
                done = next >= pdf_array_len(ctx, kids);
                if (!done)
                    kid = ReadKid(ctx, pdf_array_get(ctx, kids, next));
            });
            ++next;
            if (done)
                pop();
            else if (kid.page)
                AddPage(kid.page, {kid.number, kid.generation});
            else if (kid.kids && (kid.number == 0 || walked.insert(kid.number).second))
            {
                path.emplace_back(nullptr, 0);
                path.back().first = pdf_keep_obj(ctx, kid.kids);
            }
        }
    }
    catch (...)
    {
        while (!path.empty())
            pop();
        Release();
        throw;
    }
}

PageTree::PageTree(fz_context* ctx, pdf_document* doc, const PageTree& model)
{
    for (const Reference& reference : model.mReferences)
        if (reference.number == 0)
        {
            *this = PageTree(ctx, doc);
            return;
        }
    mContext = ctx;
    try
    {
        mNumberOfObject = model.mNumberOfObject;
        mReferences = model.mReferences;
        mPages.reserve(mReferences.size());
        for (const Reference& reference : mReferences)
        {
            pdf_obj* page = nullptr;
            EngineCall(ctx, [&] { page = pdf_new_indirect(ctx, doc, reference.number, reference.generation); });
            mPages.push_back(page);
        }
    }
    catch (...)
    {
        Release();
        throw;
    }
}

void PageTree::AddPage(pdf_obj* page, Reference reference)
{
    if (mPages.size() >= static_cast<std::size_t>(INT_MAX - 1))
        return;
    // Room first, growing as push_back would: then only the page's own
    // entries can fail, and they are taken back.
    if (mPages.size() == mPages.capacity())
        mPages.reserve(std::max<std::size_t>(16, mPages.capacity() * 2));
    mReferences.push_back(reference);
    try
    {
        if (reference.number > 0)
            mNumberOfObject.emplace(reference.number, Count() + 1);
    }
    catch (...)
    {
        mReferences.pop_back();
        throw;
    }
    mPages.push_back(pdf_keep_obj(mContext, page));
}

PageTree::~PageTree()
{
    Release();
}

PageTree::PageTree(PageTree&& other) noexcept
    : mContext(other.mContext), mPages(std::move(other.mPages)), mReferences(std::move(other.mReferences)),
      mNumberOfObject(std::move(other.mNumberOfObject))
{
    other.mPages.clear();
    other.mReferences.clear();
}

PageTree& PageTree::operator=(PageTree&& other) noexcept
{
    if (this != &other)
    {
        Release();
        mContext = other.mContext;
        mPages = std::move(other.mPages);
        mReferences = std::move(other.mReferences);
        mNumberOfObject = std::move(other.mNumberOfObject);
        other.mPages.clear();
        other.mReferences.clear();
    }
    return *this;
}

void PageTree::Release()
{
    for (pdf_obj* page : mPages)
        pdf_drop_obj(mContext, page);
    mPages.clear();
    mReferences.clear();
    mNumberOfObject.clear();
}

pdf_obj* PageTree::Page(int number) const
{
    return number >= 1 && number <= Count() ? mPages[static_cast<std::size_t>(number - 1)] : nullptr;
}

int PageTree::NumberOf(fz_context* ctx, pdf_obj* page) const
{
    int number = 0;
    EngineCall(ctx, [&] { number = pdf_is_indirect(ctx, page) ? pdf_to_num(ctx, page) : 0; });
    const auto found = mNumberOfObject.find(number);
    return number > 0 && found != mNumberOfObject.end() ? found->second : 0;
}
