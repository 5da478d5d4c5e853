#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

// Titles in the log and the dump; the tests' titles are ASCII.
inline std::string FakeAscii(const std::wstring& text)
{
    std::string ascii;
    for (const wchar_t c : text)
        ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}

// The fake document's bookmarks. Ids count up from 1 and are never reused,
// so a removed bookmark is never mistaken for a new one; navigation answers 0
// for none or an unknown id, as the library does.
class FakeOutlineTree
{
public:
    // 0 when the parent is neither 0 (top level) nor a bookmark.
    int Append(int parent, const std::wstring& title, int page)
    {
        if (parent != 0 && !Exists(parent))
            return 0;
        mItems.push_back({parent, title, page});
        mOrder.push_back(static_cast<int>(mItems.size()));
        return mOrder.back();
    }

    // Takes the bookmark's descendants with it.
    bool Remove(int id)
    {
        const bool known = Exists(id);
        mOrder.erase(std::remove_if(mOrder.begin(), mOrder.end(), [&](int other) { return Within(other, id); }),
                     mOrder.end());
        return known;
    }

    // Puts the bookmark, with its subtree, just before sibling under sibling's parent.
    bool MoveBefore(int id, int sibling)
    {
        if (!Exists(id) || !Exists(sibling) || Within(sibling, id))
            return false;
        mOrder.erase(std::find(mOrder.begin(), mOrder.end(), id));
        mOrder.insert(std::find(mOrder.begin(), mOrder.end(), sibling), id);
        mItems[id - 1].parent = mItems[sibling - 1].parent;
        return true;
    }

    bool SetTitle(int id, const std::wstring& title)
    {
        if (Exists(id))
            mItems[id - 1].title = title;
        return Exists(id);
    }

    int Count() const { return static_cast<int>(mOrder.size()); }

    // Parent 0: the first top-level one.
    int FirstChild(int parent) const
    {
        const std::vector<int> children = Children(parent);
        return children.empty() ? 0 : children.front();
    }

    int Next(int id) const
    {
        const std::vector<int> siblings = Exists(id) ? Children(mItems[id - 1].parent) : std::vector<int>();
        const auto at = std::find(siblings.begin(), siblings.end(), id);
        return at == siblings.end() || at + 1 == siblings.end() ? 0 : *(at + 1);
    }

    // One "Title (page)" line per bookmark, indented two blanks a level.
    std::string Dump(int parent = 0, int depth = 0) const
    {
        std::string out;
        for (int id : Children(parent)) {
            const Item& item = mItems[id - 1];
            out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + FakeAscii(item.title) + " ("
                   + std::to_string(item.page) + ")\n" + Dump(id, depth + 1);
        }
        return out;
    }

private:
    struct Item
    {
        int parent;
        std::wstring title;
        int page;
    };

    bool Exists(int id) const { return std::find(mOrder.begin(), mOrder.end(), id) != mOrder.end(); }

    bool Within(int id, int ancestor) const
    {
        for (int at = id; at > 0; at = mItems[at - 1].parent)
            if (at == ancestor)
                return true;
        return false;
    }

    std::vector<int> Children(int parent) const
    {
        std::vector<int> children;
        std::copy_if(mOrder.begin(), mOrder.end(), std::back_inserter(children),
                     [&](int id) { return mItems[id - 1].parent == parent; });
        return children;
    }

    std::vector<Item> mItems;  // by id - 1, removed ones too
    std::vector<int> mOrder;   // live ids; siblings keep their relative order
};
