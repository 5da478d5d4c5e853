#include "outlinetree.h"

#include "enginecall.h"
#include "outlinedestination.h"
#include "outlinetitle.h"

namespace {

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
        pdf_drop_obj(mContext, mRoot);
        throw;
    }
}

OutlineTree::~OutlineTree()
{
    for (auto& node : mNodes)
        pdf_drop_obj(mContext, node.second.object);
    pdf_drop_obj(mContext, mRoot);
}

void OutlineTree::Read()
{
    EngineCall(mContext, [&] {
        pdf_obj* catalog = pdf_dict_get(mContext, pdf_trailer(mContext, mDocument.Doc()), PDF_NAME(Root));
        pdf_obj* root = pdf_dict_get(mContext, catalog, PDF_NAME(Outlines));
        if (pdf_is_dict(mContext, root))
            mRoot = pdf_keep_obj(mContext, root);
    });
    if (!mRoot)
        return;
    // Depth first without recursion: a hostile file nests items as deep as
    // it has objects. The items read so far are the objects seen: a chain
    // that comes round to one of them, by a loop or a sideways link, ends.
    std::vector<int> pending{0};
    std::vector<int> found;
    while (!pending.empty())
    {
        const int parent = pending.back();
        pending.pop_back();
        found.clear();
        ReadChildren(parent, found);
        pending.insert(pending.end(), found.rbegin(), found.rend());
    }
}

void OutlineTree::ReadChildren(int parent, std::vector<int>& found)
{
    const int rootNumber = NumberOf(mContext, mRoot);
    pdf_obj* item = nullptr;
    EngineCall(mContext, [&] { item = pdf_dict_get(mContext, ObjectOf(parent), PDF_NAME(First)); });
    int previous = 0;
    while (item)
    {
        const int number = NumberOf(mContext, item);
        bool isDict = false;
        EngineCall(mContext, [&] { isDict = pdf_is_dict(mContext, item); });
        if (number <= 0 || number == rootNumber || !isDict || mNodes.count(number))
            break;
        Node& node = mNodes[number];
        // Our own reference: relinking may drop the one the tree held.
        node.object = pdf_keep_obj(mContext, item);
        node.parent = parent;
        node.previous = previous;
        Node& above = NodeOf(parent);
        if (previous)
            NodeOf(previous).next = number;
        else
            above.first = number;
        above.last = number;
        ++above.children;
        found.push_back(number);
        previous = number;
        EngineCall(mContext, [&] { item = pdf_dict_get(mContext, item, PDF_NAME(Next)); });
    }
}

OutlineTree::Node& OutlineTree::NodeOf(int id)
{
    return id == 0 ? mTop : mNodes.at(id);
}

const OutlineTree::Node* OutlineTree::Find(int id) const
{
    if (id == 0)
        return &mTop;
    const auto found = mNodes.find(id);
    return found == mNodes.end() ? nullptr : &found->second;
}

pdf_obj* OutlineTree::ObjectOf(int id)
{
    return id == 0 ? mRoot : mNodes.at(id).object;
}

int OutlineTree::FirstChild(int parent) const
{
    const Node* node = Find(parent);
    return node ? node->first : 0;
}

int OutlineTree::Next(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    return node ? node->next : 0;
}

int OutlineTree::Previous(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    return node ? node->previous : 0;
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

pdf_obj* OutlineTree::LinkableRoot(bool create)
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
        pdf_drop_obj(mContext, mRoot);
        mRoot = root;
    });
    return mRoot;
}

void OutlineTree::Attach(int id, int parent, int before)
{
    Node& node = NodeOf(id);
    Node& above = NodeOf(parent);
    node.parent = parent;
    node.next = before;
    node.previous = before ? NodeOf(before).previous : above.last;
    if (node.previous)
        NodeOf(node.previous).next = id;
    else
        above.first = id;
    if (before)
        NodeOf(before).previous = id;
    else
        above.last = id;
    ++above.children;
    if (!mLinked.count(parent))
    {
        Relink(parent);
        return;
    }
    WriteLinks(id);
    if (node.previous)
        WriteLinks(node.previous);
    if (node.next)
        WriteLinks(node.next);
    WriteEnds(parent);
}

void OutlineTree::Detach(int id)
{
    Node& node = NodeOf(id);
    const int parent = node.parent;
    Node& above = NodeOf(parent);
    const int previous = node.previous;
    const int next = node.next;
    if (previous)
        NodeOf(previous).next = next;
    else
        above.first = next;
    if (next)
        NodeOf(next).previous = previous;
    else
        above.last = previous;
    --above.children;
    node.previous = node.next = 0;
    if (!mLinked.count(parent))
    {
        Relink(parent);
        return;
    }
    if (previous)
        WriteLinks(previous);
    if (next)
        WriteLinks(next);
    WriteEnds(parent);
}

void OutlineTree::Relink(int parent)
{
    if (parent == 0 && !LinkableRoot(mTop.children > 0))
        return;
    for (int child = NodeOf(parent).first; child; child = NodeOf(child).next)
        WriteLinks(child);
    WriteEnds(parent);
    mLinked.insert(parent);
}

void OutlineTree::WriteLinks(int id)
{
    const Node& node = NodeOf(id);
    pdf_obj* parentObject = node.parent == 0 ? LinkableRoot(true) : ObjectOf(node.parent);
    SetLink(mContext, node.object, PDF_NAME(Parent), parentObject);
    SetLink(mContext, node.object, PDF_NAME(Prev), node.previous ? ObjectOf(node.previous) : nullptr);
    SetLink(mContext, node.object, PDF_NAME(Next), node.next ? ObjectOf(node.next) : nullptr);
}

void OutlineTree::WriteEnds(int parent)
{
    const Node& above = NodeOf(parent);
    pdf_obj* object = parent == 0 ? LinkableRoot(above.children > 0) : above.object;
    if (!object)
        return;
    SetLink(mContext, object, PDF_NAME(First), above.first ? ObjectOf(above.first) : nullptr);
    SetLink(mContext, object, PDF_NAME(Last), above.last ? ObjectOf(above.last) : nullptr);
}

void OutlineTree::CheckCounts()
{
    if (mCountsChecked)
        return;
    // Children before their parents: a depth-first order, backwards.
    std::vector<int> order;
    std::vector<int> pending{0};
    while (!pending.empty())
    {
        const int id = pending.back();
        pending.pop_back();
        order.push_back(id);
        for (int child = NodeOf(id).first; child; child = NodeOf(child).next)
            pending.push_back(child);
    }
    for (auto at = order.rbegin(); at != order.rend(); ++at)
    {
        Node& node = NodeOf(*at);
        node.visible = 0;
        for (int child = node.first; child; child = NodeOf(child).next)
            node.visible += Shown(child);
        // An item shows its children when its count is positive; a leaf
        // carries no count.
        node.open = *at != 0 && node.children > 0 && IsOpen(mContext, node.object);
        WriteCount(*at);
    }
    mCountsChecked = true;
}

int OutlineTree::Shown(int id) const
{
    const Node& node = mNodes.at(id);
    return 1 + (node.open ? node.visible : 0);
}

void OutlineTree::AddVisible(int id, int delta)
{
    // Up to the first closed item: what it hides does not show above it.
    for (int at = id;; at = NodeOf(at).parent)
    {
        Node& node = NodeOf(at);
        node.visible += delta;
        WriteCount(at);
        if (at == 0 || !node.open)
            return;
    }
}

void OutlineTree::WriteCount(int id)
{
    const Node& node = NodeOf(id);
    // The root counts the items shown; an item with children how many its
    // opening shows, negative while it is closed.
    if (id == 0)
    {
        if (mRoot)
            SetCount(mContext, mRoot, node.visible, true);
    }
    else
        SetCount(mContext, node.object, node.open ? node.visible : -node.visible, node.children > 0);
}

int OutlineTree::Add(int parent, const std::wstring& title, int page, const PagePoint& at)
{
    if (!Find(parent) || !mDocument.HasPage(page))
        return 0;
    CheckCounts();
    const double corner[4] = {at.x, at.y, 0, 0};
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
    try
    {
        mNodes.emplace(id, Node());
    }
    catch (...)
    {
        pdf_drop_obj(mContext, item);
        throw;
    }
    mNodes.at(id).object = item;
    Attach(id, parent, 0);
    AddVisible(parent, 1);
    return id;
}

bool OutlineTree::Remove(int id)
{
    if (!id || !Find(id))
        return false;
    CheckCounts();
    const int parent = Parent(id);
    const int shown = Shown(id);
    Detach(id);
    // The removed items are no longer reachable, so their identifiers stop
    // answering; a full rewrite drops their objects.
    std::vector<int> gone{id};
    for (std::size_t i = 0; i < gone.size(); ++i)
        for (int child = mNodes.at(gone[i]).first; child; child = mNodes.at(child).next)
            gone.push_back(child);
    for (int item : gone)
    {
        pdf_drop_obj(mContext, mNodes.at(item).object);
        mNodes.erase(item);
        mLinked.erase(item);
    }
    AddVisible(parent, -shown);
    if (NodeOf(parent).children == 0)
        NodeOf(parent).open = false;
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
    CheckCounts();
    const int shown = Shown(id);
    const int oldParent = Parent(id);
    const int newParent = Parent(sibling);
    Detach(id);
    if (newParent != oldParent)
    {
        AddVisible(oldParent, -shown);
        if (NodeOf(oldParent).children == 0)
            NodeOf(oldParent).open = false;
    }
    Attach(id, newParent, after ? NodeOf(sibling).next : sibling);
    if (newParent != oldParent)
        AddVisible(newParent, shown);
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
    if (!id || !Find(id))
        return false;
    CheckCounts();
    Node& node = NodeOf(id);
    // A leaf has nothing to show or hide.
    if (node.children == 0 || node.open == open)
        return true;
    node.open = open;
    WriteCount(id);
    AddVisible(node.parent, open ? node.visible : -node.visible);
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

int OutlineTree::Style(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    if (!node)
        return 0;
    int flags = 0;
    int count = 0;
    EngineCall(mContext, [&] {
        flags = pdf_dict_get_int(mContext, node->object, PDF_NAME(F)) & 3;
        count = pdf_dict_get_int(mContext, node->object, PDF_NAME(Count));
    });
    return flags | (node->children > 0 && count > 0 ? ShownChildren : 0);
}

DestinationView OutlineTree::DestinationOf(int id) const
{
    const Node* node = id ? Find(id) : nullptr;
    return node ? ReadDestination(mDocument, node->object) : DestinationView();
}
