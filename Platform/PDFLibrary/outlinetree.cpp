#include "outlinetree.h"

#include "enginecall.h"
#include "outlinedestination.h"
#include "outlinetitle.h"
#include "pageboxes.h"

#include <algorithm>

namespace {

// Outlines nest a handful of levels; deeper chains are damage or hostility.
const int kMaxDepth = 100;

int NumberOf(fz_context* ctx, pdf_obj* obj)
{
    int number = 0;
    EngineCall(ctx, [&] { number = pdf_is_indirect(ctx, obj) ? pdf_to_num(ctx, obj) : 0; });
    return number;
}

// Sets dict[key] to a reference to target, or removes the key for none;
// leaves the object alone (not dirty) when it already says so.
void SetLink(fz_context* ctx, pdf_obj* dict, pdf_obj* key, pdf_obj* target)
{
    EngineCall(ctx, [&] {
        pdf_obj* current = pdf_dict_get(ctx, dict, key);
        if (!target)
        {
            if (current)
                pdf_dict_del(ctx, dict, key);
        }
        else if (!pdf_is_indirect(ctx, current) || pdf_to_num(ctx, current) != pdf_to_num(ctx, target))
            pdf_dict_put(ctx, dict, key, target);
    });
}

void SetCount(fz_context* ctx, pdf_obj* dict, int count, bool keep)
{
    EngineCall(ctx, [&] {
        pdf_obj* current = pdf_dict_get(ctx, dict, PDF_NAME(Count));
        if (!keep)
        {
            if (current)
                pdf_dict_del(ctx, dict, PDF_NAME(Count));
        }
        else if (!pdf_is_int(ctx, current) || pdf_to_int(ctx, current) != count)
            pdf_dict_put_int(ctx, dict, PDF_NAME(Count), count);
    });
}

bool IsOpen(fz_context* ctx, pdf_obj* item)
{
    bool open = false;
    EngineCall(ctx, [&] { open = pdf_dict_get_int(ctx, item, PDF_NAME(Count)) > 0; });
    return open;
}

} // namespace

OutlineTree::OutlineTree(PdfDocument& document)
    : mDocument(document), mContext(document.Context())
{
    try
    {
        Read();
    }
    catch (...)
    {
        for (auto& node : mNodes)
            pdf_drop_obj(mContext, node.second.object);
        throw;
    }
}

OutlineTree::~OutlineTree()
{
    for (auto& node : mNodes)
        pdf_drop_obj(mContext, node.second.object);
}

void OutlineTree::Read()
{
    EngineCall(mContext, [&] {
        pdf_obj* catalog = pdf_dict_get(mContext, pdf_trailer(mContext, mDocument.Doc()), PDF_NAME(Root));
        mRoot = pdf_dict_get(mContext, catalog, PDF_NAME(Outlines));
        if (!pdf_is_dict(mContext, mRoot))
            mRoot = nullptr;
    });
    if (mRoot)
        ReadChildren(0, mRoot, 0);
}

void OutlineTree::ReadChildren(int parentId, pdf_obj* parent, int depth)
{
    if (depth > kMaxDepth)
        return;
    const int rootNumber = mRoot ? NumberOf(mContext, mRoot) : 0;
    pdf_obj* item = nullptr;
    EngineCall(mContext, [&] { item = pdf_dict_get(mContext, parent, PDF_NAME(First)); });
    std::vector<int> added;
    while (item)
    {
        const int number = NumberOf(mContext, item);
        bool isDict = false;
        EngineCall(mContext, [&] { isDict = pdf_is_dict(mContext, item); });
        // A chain that loops, or runs into an item seen elsewhere, ends here.
        if (number <= 0 || number == rootNumber || !isDict || mNodes.count(number))
            break;
        Node node;
        node.parent = parentId;
        mNodes.emplace(number, std::move(node));
        // Our own reference: relinking may drop the one the tree held.
        mNodes[number].object = pdf_keep_obj(mContext, item);
        NodeOf(parentId).children.push_back(number);
        added.push_back(number);
        EngineCall(mContext, [&] { item = pdf_dict_get(mContext, item, PDF_NAME(Next)); });
    }
    for (int child : added)
        ReadChildren(child, mNodes[child].object, depth + 1);
}

OutlineTree::Node& OutlineTree::NodeOf(int parent)
{
    return parent == 0 ? mTop : mNodes.at(parent);
}

const OutlineTree::Node* OutlineTree::Find(int parent) const
{
    if (parent == 0)
        return &mTop;
    const auto found = mNodes.find(parent);
    return found == mNodes.end() ? nullptr : &found->second;
}

int OutlineTree::FirstChild(int parent) const
{
    const Node* node = Find(parent);
    return node && !node->children.empty() ? node->children.front() : 0;
}

int OutlineTree::Sibling(int id, int step) const
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return 0;
    const std::vector<int>& siblings = Find(node->parent)->children;
    const auto at = std::find(siblings.begin(), siblings.end(), id) - siblings.begin() + step;
    return at >= 0 && at < static_cast<std::ptrdiff_t>(siblings.size()) ? siblings[static_cast<std::size_t>(at)] : 0;
}

int OutlineTree::Next(int id) const
{
    return Sibling(id, 1);
}

int OutlineTree::Previous(int id) const
{
    return Sibling(id, -1);
}

int OutlineTree::Parent(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    return node ? node->parent : 0;
}

std::wstring OutlineTree::Title(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return std::wstring();
    const char* bytes = nullptr;
    std::size_t length = 0;
    EngineCall(mContext, [&] {
        pdf_obj* title = pdf_dict_get(mContext, node->object, PDF_NAME(Title));
        bytes = pdf_to_str_buf(mContext, title);
        length = pdf_to_str_len(mContext, title);
    });
    return Ucs4FromTextString(bytes, length);
}

bool OutlineTree::SetTitle(int id, const std::wstring& title)
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return false;
    const std::string bytes = TextStringFromUcs4(title);
    EngineCall(mContext, [&] {
        pdf_dict_put_drop(mContext, node->object, PDF_NAME(Title), pdf_new_string(mContext, bytes.data(), bytes.size()));
    });
    return true;
}

int OutlineTree::Page(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    return node ? DestinationPage(mDocument, node->object) : 0;
}

pdf_obj* OutlineTree::RootObject(bool create)
{
    bool indirect = false;
    EngineCall(mContext, [&] { indirect = pdf_is_indirect(mContext, mRoot); });
    if (indirect || (!mRoot && !create))
        return mRoot;
    // Items link to their parent by reference; a root held directly in the
    // catalog would be written out as a copy in every item that names it.
    EngineCall(mContext, [&] {
        pdf_obj* catalog = pdf_dict_get(mContext, pdf_trailer(mContext, mDocument.Doc()), PDF_NAME(Root));
        pdf_obj* root = mRoot ? pdf_add_object(mContext, mDocument.Doc(), mRoot)
                              : pdf_add_new_dict(mContext, mDocument.Doc(), 2);
        fz_try(mContext)
        {
            pdf_dict_put(mContext, root, PDF_NAME(Type), PDF_NAME(Outlines));
            pdf_dict_put(mContext, catalog, PDF_NAME(Outlines), root);
        }
        fz_catch(mContext)
        {
            pdf_drop_obj(mContext, root);
            fz_rethrow(mContext);
        }
        mRoot = root;
        pdf_drop_obj(mContext, root);
    });
    return mRoot;
}

void OutlineTree::Relink(int parent)
{
    Node& node = NodeOf(parent);
    pdf_obj* parentObject = parent == 0 ? RootObject(!node.children.empty()) : node.object;
    if (!parentObject)
        return;
    const std::size_t count = node.children.size();
    for (std::size_t i = 0; i < count; ++i)
    {
        Node& child = mNodes.at(node.children[i]);
        child.parent = parent;
        SetLink(mContext, child.object, PDF_NAME(Parent), parentObject);
        SetLink(mContext, child.object, PDF_NAME(Prev), i > 0 ? mNodes.at(node.children[i - 1]).object : nullptr);
        SetLink(mContext, child.object, PDF_NAME(Next), i + 1 < count ? mNodes.at(node.children[i + 1]).object : nullptr);
    }
    SetLink(mContext, parentObject, PDF_NAME(First), count ? mNodes.at(node.children.front()).object : nullptr);
    SetLink(mContext, parentObject, PDF_NAME(Last), count ? mNodes.at(node.children.back()).object : nullptr);
    mLinked.insert(parent);
}

void OutlineTree::LinkAppended(int parent)
{
    Node& node = NodeOf(parent);
    pdf_obj* parentObject = parent == 0 ? RootObject(true) : node.object;
    if (!parentObject || node.children.empty())
        return;
    pdf_obj* item = mNodes.at(node.children.back()).object;
    pdf_obj* before = node.children.size() > 1 ? mNodes.at(node.children[node.children.size() - 2]).object : nullptr;
    SetLink(mContext, item, PDF_NAME(Parent), parentObject);
    SetLink(mContext, item, PDF_NAME(Prev), before);
    SetLink(mContext, item, PDF_NAME(Next), nullptr);
    if (before)
        SetLink(mContext, before, PDF_NAME(Next), item);
    SetLink(mContext, parentObject, PDF_NAME(First), mNodes.at(node.children.front()).object);
    SetLink(mContext, parentObject, PDF_NAME(Last), item);
}

int OutlineTree::UpdateCounts(int id)
{
    Node& node = NodeOf(id);
    int visible = 0;
    for (int child : node.children)
    {
        const int below = UpdateCounts(child);
        visible += 1 + (IsOpen(mContext, mNodes.at(child).object) ? below : 0);
    }
    SetOwnCount(id, visible);
    return visible;
}

void OutlineTree::UpdateCountsFrom(int id)
{
    if (!mCountsChecked)
    {
        UpdateCounts(0);
        mCountsChecked = true;
        return;
    }
    // Walking the whole tree on every change made building a long outline
    // quadratic.
    for (int at = id;; at = NodeOf(at).parent)
    {
        UpdateOwnCount(at);
        if (at == 0)
            break;
    }
}

void OutlineTree::UpdateOwnCount(int id)
{
    Node& node = NodeOf(id);
    int visible = 0;
    for (int child : node.children)
    {
        // An open item with children carries how many its opening shows; a
        // closed one a negative count, an item without children none.
        int count = 0;
        pdf_obj* object = mNodes.at(child).object;
        EngineCall(mContext, [&] { count = pdf_dict_get_int(mContext, object, PDF_NAME(Count)); });
        visible += 1 + (count > 0 ? count : 0);
    }
    SetOwnCount(id, visible);
}

void OutlineTree::SetOwnCount(int id, int visible)
{
    const Node& node = NodeOf(id);
    if (id == 0)
    {
        if (mRoot)
            SetCount(mContext, mRoot, visible, true);
    }
    else
        SetCount(mContext, node.object, IsOpen(mContext, node.object) ? visible : -visible, !node.children.empty());
}

void OutlineTree::CountAppended(int parent)
{
    for (int at = parent;; at = NodeOf(at).parent)
    {
        pdf_obj* object = at == 0 ? mRoot : NodeOf(at).object;
        if (!object)
            return;
        int count = 0;
        EngineCall(mContext, [&] { count = pdf_dict_get_int(mContext, object, PDF_NAME(Count)); });
        if (at == 0)
        {
            SetCount(mContext, object, count + 1, true);
            return;
        }
        // A leaf carries no count and a new parent starts closed.
        const bool open = count > 0;
        const int visible = (count < 0 ? -count : count) + 1;
        SetCount(mContext, object, open ? visible : -visible, true);
        if (!open)
            return;
    }
}

int OutlineTree::Add(int parent, const std::wstring& title, int page, double position)
{
    if (!Find(parent) || !mDocument.HasPage(page))
        return 0;
    const fz_rect box = PageBox(mContext, mDocument.PageObject(page), PageBoxKind::Crop);
    const double corner[4] = {box.x0, box.y1 - position, box.x1, box.y0};
    pdf_obj* dest = NewDestination(mDocument, page, static_cast<int>(DestinationType::XYZ), 0, corner);
    const std::string text = TextStringFromUcs4(title);
    pdf_obj* item = nullptr;
    EngineCall(mContext, [&] {
        fz_try(mContext)
        {
            item = pdf_add_new_dict(mContext, mDocument.Doc(), 6);
            pdf_dict_put_drop(mContext, item, PDF_NAME(Title), pdf_new_string(mContext, text.data(), text.size()));
            pdf_dict_put(mContext, item, PDF_NAME(Dest), dest);
        }
        fz_always(mContext)
            pdf_drop_obj(mContext, dest);
        fz_catch(mContext)
        {
            pdf_drop_obj(mContext, item);
            fz_rethrow(mContext);
        }
    });
    const int id = NumberOf(mContext, item);
    Node node;
    node.parent = parent;
    try
    {
        mNodes.emplace(id, std::move(node));
    }
    catch (...)
    {
        pdf_drop_obj(mContext, item);
        throw;
    }
    mNodes.at(id).object = item;
    NodeOf(parent).children.push_back(id);
    // Appending one at a time must not cost a walk over all the siblings.
    if (mLinked.count(parent))
        LinkAppended(parent);
    else
        Relink(parent);
    if (mCountsChecked)
        CountAppended(parent);
    else
        UpdateCountsFrom(parent);
    return id;
}

bool OutlineTree::Remove(int id)
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return false;
    const int parent = node->parent;
    std::vector<int>& siblings = NodeOf(parent).children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), id), siblings.end());
    // The removed items are no longer reachable, so their identifiers stop
    // answering; a full rewrite drops their objects.
    std::vector<int> gone{id};
    for (std::size_t i = 0; i < gone.size(); ++i)
    {
        for (int child : mNodes.at(gone[i]).children)
            gone.push_back(child);
    }
    for (int item : gone)
    {
        pdf_drop_obj(mContext, mNodes.at(item).object);
        mNodes.erase(item);
        mLinked.erase(item);
    }
    Relink(parent);
    UpdateCountsFrom(parent);
    return true;
}

bool OutlineTree::IsInside(int id, int ancestor) const
{
    for (int at = id; at != 0; at = Parent(at))
        if (at == ancestor)
            return true;
    return false;
}

bool OutlineTree::Move(int id, int sibling, bool after)
{
    if (!id || !sibling || !Contains(id) || !Contains(sibling) || IsInside(sibling, id))
        return false;
    const int oldParent = Parent(id);
    std::vector<int>& from = NodeOf(oldParent).children;
    from.erase(std::remove(from.begin(), from.end(), id), from.end());
    const int newParent = Parent(sibling);
    std::vector<int>& to = NodeOf(newParent).children;
    auto at = std::find(to.begin(), to.end(), sibling);
    to.insert(after ? at + 1 : at, id);
    Relink(oldParent);
    if (newParent != oldParent)
        Relink(newParent);
    // Where two chains meet, the second pass counts with the first one's
    // results.
    UpdateCountsFrom(oldParent);
    if (newParent != oldParent)
        UpdateCountsFrom(newParent);
    return true;
}

bool OutlineTree::MoveBefore(int id, int sibling)
{
    return Move(id, sibling, false);
}

bool OutlineTree::MoveAfter(int id, int sibling)
{
    return Move(id, sibling, true);
}

bool OutlineTree::SetOpen(int id, bool open)
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return false;
    // The sign carries the state; UpdateCounts puts the right magnitude.
    SetCount(mContext, node->object, open ? 1 : -1, !node->children.empty());
    UpdateCountsFrom(id);
    return true;
}

bool OutlineTree::SetDestination(int id, int page, int zoom, int type, const double c[4])
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return false;
    pdf_obj* dest = NewDestination(mDocument, page, type, zoom, c);
    if (!dest)
        return false;
    EngineCall(mContext, [&] {
        fz_try(mContext)
        {
            pdf_dict_put(mContext, node->object, PDF_NAME(Dest), dest);
            // A destination and an action exclude each other.
            pdf_dict_del(mContext, node->object, PDF_NAME(A));
        }
        fz_always(mContext)
            pdf_drop_obj(mContext, dest);
        fz_catch(mContext)
            fz_rethrow(mContext);
    });
    return true;
}
