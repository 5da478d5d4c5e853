#include "outlinetree.h"

#include <algorithm>

int FakeOutlineTree::Append(int parent, const std::wstring& title, int page)
{
    if (parent != 0 && !Exists(parent))
        return 0;
    mItems.push_back({parent, title, page});
    mOrder.push_back(static_cast<int>(mItems.size()));
    return mOrder.back();
}

bool FakeOutlineTree::Remove(int id)
{
    if (!Exists(id))
        return false;
    mOrder.erase(std::remove_if(mOrder.begin(), mOrder.end(), [&](int other) { return Within(other, id); }),
                 mOrder.end());
    return true;
}

bool FakeOutlineTree::MoveBefore(int id, int sibling)
{
    if (!Exists(id) || !Exists(sibling) || Within(sibling, id))
        return false;
    mOrder.erase(std::find(mOrder.begin(), mOrder.end(), id));
    mOrder.insert(std::find(mOrder.begin(), mOrder.end(), sibling), id);
    mItems[id - 1].parent = mItems[sibling - 1].parent;
    return true;
}

bool FakeOutlineTree::SetTitle(int id, const std::wstring& title)
{
    if (!Exists(id))
        return false;
    mItems[id - 1].title = title;
    return true;
}

int FakeOutlineTree::FirstChild(int parent) const
{
    const std::vector<int> children = Children(parent);
    return children.empty() ? 0 : children.front();
}

int FakeOutlineTree::Next(int id) const
{
    if (!Exists(id))
        return 0;
    const std::vector<int> siblings = Children(mItems[id - 1].parent);
    const auto at = std::find(siblings.begin(), siblings.end(), id) + 1;
    return at == siblings.end() ? 0 : *at;
}

std::string FakeOutlineTree::Dump(int parent, int depth) const
{
    std::string out;
    for (int id : Children(parent)) {
        const Item& item = mItems[id - 1];
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + FakeAscii(item.title) + " ("
               + std::to_string(item.page) + ")\n" + Dump(id, depth + 1);
    }
    return out;
}

bool FakeOutlineTree::Exists(int id) const
{
    return std::find(mOrder.begin(), mOrder.end(), id) != mOrder.end();
}

bool FakeOutlineTree::Within(int id, int ancestor) const
{
    for (int at = id; at != 0; at = mItems[at - 1].parent)
        if (at == ancestor)
            return true;
    return false;
}

std::vector<int> FakeOutlineTree::Children(int parent) const
{
    std::vector<int> children;
    for (int id : mOrder)
        if (mItems[id - 1].parent == parent)
            children.push_back(id);
    return children;
}
