#pragma once

#include "fakepdflibrary.h"

#include <map>
#include <string>
#include <vector>

// The fake document's bookmark tree. Identifiers count up from 1 and are never
// handed out twice, so a test can tell a removed bookmark from a new one.
class FakeOutlineTree
{
public:
    void Clear();

    // 0 when the parent is neither 0 (top level) nor a known bookmark.
    int Append(int parent, const std::wstring& title, int page);
    // Removes the bookmark and all its descendants.
    bool Remove(int id);
    // Moves the bookmark (with its subtree) next to sibling, under sibling's
    // parent. Refuses unknown ids and moves into the bookmark's own subtree.
    bool MoveBefore(int id, int sibling);
    bool MoveAfter(int id, int sibling);

    const FakePDFLibrary::Outline* Find(int id) const;
    FakePDFLibrary::Outline* Find(int id);
    const std::vector<int>& TopLevel() const { return mTopLevel; }
    int Count() const { return static_cast<int>(mItems.size()); }

    // Navigation as the library answers it: 0 for none or an unknown id.
    int First() const;
    int FirstChild(int id) const;
    int Next(int id) const;
    int Prev(int id) const;
    int Parent(int id) const;

    std::string Dump() const;

private:
    const std::vector<int>* SiblingsOf(int id) const;
    std::vector<int>& ChildrenOf(int parent);
    void Detach(int id);
    bool Contains(int ancestor, int id) const;
    bool Place(int id, int sibling, int offset);
    void RemoveSubtree(int id);
    void DumpLevel(const std::vector<int>& ids, int depth, std::string& out) const;

    std::map<int, FakePDFLibrary::Outline> mItems;
    std::vector<int> mTopLevel;
    int mNextId = 1;
};

// UTF-8 form of a UCS-4 string, for the call log and the dump.
std::string FakeUtf8(const std::wstring& text);
