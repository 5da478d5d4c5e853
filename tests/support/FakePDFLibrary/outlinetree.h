#pragma once

#include <string>
#include <vector>

// The fake document's bookmarks. Ids count up from 1 and are never reused,
// so a removed bookmark is never mistaken for a new one; navigation answers 0
// for none or an unknown id, as the library does.
class FakeOutlineTree
{
public:
    // 0 when the parent is neither 0 (top level) nor a bookmark.
    int Append(int parent, const std::wstring& title, int page);
    // Takes the bookmark's descendants with it.
    bool Remove(int id);
    // Puts the bookmark (with its subtree) just before sibling, under
    // sibling's parent.
    bool MoveBefore(int id, int sibling);
    bool SetTitle(int id, const std::wstring& title);

    int Count() const { return static_cast<int>(mOrder.size()); }
    int FirstChild(int parent) const;  // parent 0: the first top-level one
    int Next(int id) const;
    std::string Dump(int parent = 0, int depth = 0) const;

private:
    struct Item
    {
        int parent;
        std::wstring title;
        int page;
    };

    bool Exists(int id) const;
    bool Within(int id, int ancestor) const;
    std::vector<int> Children(int parent) const;

    std::vector<Item> mItems;  // by id - 1, removed ones too
    std::vector<int> mOrder;   // live ids; siblings keep their relative order
};

// Titles in the log and the dump; the tests' titles are ASCII.
inline std::string FakeAscii(const std::wstring& text)
{
    std::string ascii;
    for (const wchar_t c : text)
        ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}
