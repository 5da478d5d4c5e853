#include "outlinetree.h"

#include <algorithm>

using FakePDFLibrary::Outline;

void FakeOutlineTree::Clear()
{
    mItems.clear();
    mTopLevel.clear();
    mNextId = 1;
}

int FakeOutlineTree::Append(int parent, const std::wstring& title, int page)
{
    if (parent != 0 && !Find(parent))
        return 0;
    Outline item;
    item.id = mNextId++;
    item.parent = parent;
    item.title = title;
    item.page = page;
    ChildrenOf(parent).push_back(item.id);
    mItems.emplace(item.id, std::move(item));
    return mNextId - 1;
}

bool FakeOutlineTree::Remove(int id)
{
    if (!Find(id))
        return false;
    Detach(id);
    RemoveSubtree(id);
    return true;
}

bool FakeOutlineTree::MoveBefore(int id, int sibling)
{
    return Place(id, sibling, 0);
}

bool FakeOutlineTree::MoveAfter(int id, int sibling)
{
    return Place(id, sibling, 1);
}

const Outline* FakeOutlineTree::Find(int id) const
{
    const auto found = mItems.find(id);
    return found == mItems.end() ? nullptr : &found->second;
}

Outline* FakeOutlineTree::Find(int id)
{
    const auto found = mItems.find(id);
    return found == mItems.end() ? nullptr : &found->second;
}

int FakeOutlineTree::First() const
{
    return mTopLevel.empty() ? 0 : mTopLevel.front();
}

int FakeOutlineTree::FirstChild(int id) const
{
    const Outline* item = Find(id);
    return item && !item->children.empty() ? item->children.front() : 0;
}

int FakeOutlineTree::Next(int id) const
{
    const std::vector<int>* siblings = SiblingsOf(id);
    if (!siblings)
        return 0;
    const auto at = std::find(siblings->begin(), siblings->end(), id);
    return at + 1 == siblings->end() ? 0 : *(at + 1);
}

int FakeOutlineTree::Prev(int id) const
{
    const std::vector<int>* siblings = SiblingsOf(id);
    if (!siblings)
        return 0;
    const auto at = std::find(siblings->begin(), siblings->end(), id);
    return at == siblings->begin() ? 0 : *(at - 1);
}

int FakeOutlineTree::Parent(int id) const
{
    const Outline* item = Find(id);
    return item ? item->parent : 0;
}

std::string FakeOutlineTree::Dump() const
{
    std::string out;
    DumpLevel(mTopLevel, 0, out);
    return out;
}

const std::vector<int>* FakeOutlineTree::SiblingsOf(int id) const
{
    const Outline* item = Find(id);
    if (!item)
        return nullptr;
    return item->parent == 0 ? &mTopLevel : &Find(item->parent)->children;
}

std::vector<int>& FakeOutlineTree::ChildrenOf(int parent)
{
    return parent == 0 ? mTopLevel : Find(parent)->children;
}

void FakeOutlineTree::Detach(int id)
{
    std::vector<int>& siblings = ChildrenOf(Find(id)->parent);
    siblings.erase(std::find(siblings.begin(), siblings.end(), id));
}

bool FakeOutlineTree::Contains(int ancestor, int id) const
{
    for (int at = id; at != 0; at = Parent(at)) {
        if (at == ancestor)
            return true;
    }
    return false;
}

bool FakeOutlineTree::Place(int id, int sibling, int offset)
{
    if (!Find(id) || !Find(sibling) || Contains(id, sibling))
        return false;
    Detach(id);
    const int parent = Find(sibling)->parent;
    std::vector<int>& siblings = ChildrenOf(parent);
    const auto at = std::find(siblings.begin(), siblings.end(), sibling);
    siblings.insert(at + offset, id);
    Find(id)->parent = parent;
    return true;
}

void FakeOutlineTree::RemoveSubtree(int id)
{
    const std::vector<int> children = Find(id)->children;
    for (int child : children)
        RemoveSubtree(child);
    mItems.erase(id);
}

void FakeOutlineTree::DumpLevel(const std::vector<int>& ids, int depth, std::string& out) const
{
    for (int id : ids) {
        const Outline& item = *Find(id);
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ');
        out += FakeUtf8(item.title) + " (" + std::to_string(item.page) + ")\n";
        DumpLevel(item.children, depth + 1, out);
    }
}

std::string FakeUtf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t unit : text) {
        const auto c = static_cast<unsigned int>(unit);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
