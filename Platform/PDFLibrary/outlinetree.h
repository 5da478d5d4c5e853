#pragma once

#include "pdfdocument.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// The document's outline as MuPDF's objects hold it. An item's identifier is
// its object number: stable while the document is loaded. Each instance reads
// the tree once (guarded against cycles and sideways links) and keeps /First,
// /Last, /Prev, /Next, /Parent and /Count right after every change, touching
// only the objects whose entries really change, so an incremental save stays
// small. Methods throw EngineError; unknown identifiers answer 0 or false.
class OutlineTree
{
public:
    explicit OutlineTree(PdfDocument& document);
    ~OutlineTree();
    OutlineTree(const OutlineTree&) = delete;
    OutlineTree& operator=(const OutlineTree&) = delete;

    int Count() const { return static_cast<int>(mNodes.size()); }
    bool Contains(int id) const { return mNodes.count(id) != 0; }
    // parent 0 is the top level.
    int FirstChild(int parent) const;
    int Next(int id) const;
    int Previous(int id) const;
    int Parent(int id) const;

    std::wstring Title(int id) const;
    bool SetTitle(int id, const std::wstring& title);
    // The 1-based page the item's destination (or GoTo action) points at.
    int Page(int id) const;

    // Appends an item under parent pointing at the page, its top `position`
    // points below the page's top; 0 when parent or page is unknown.
    int Add(int parent, const std::wstring& title, int page, double position);
    bool Remove(int id);
    bool MoveBefore(int id, int sibling);
    bool MoveAfter(int id, int sibling);
    bool SetOpen(int id, bool open);
    bool SetDestination(int id, int page, int zoom, int type, const double c[4]);

private:
    struct Node
    {
        pdf_obj* object = nullptr; // our own reference
        int parent = 0;
        std::vector<int> children;
    };

    void Read();
    void ReadChildren(int parentId, pdf_obj* parent, int depth);
    Node& NodeOf(int parent);
    const Node* Find(int parent) const;
    // The sibling step places after id (before it when negative); 0 when none.
    int Sibling(int id, int step) const;
    // The root as links can point at it: an indirect object, made when the
    // document has none (create) or holds it directly in its catalog.
    pdf_obj* RootObject(bool create);
    bool IsInside(int id, int ancestor) const;
    bool Move(int id, int sibling, bool after);
    // Rewrites the links of parent's children and parent's /First and /Last.
    void Relink(int parent);
    // After appending a leaf to a parent whose links Relink has set: only
    // the new item, the one before it and the parent's ends change.
    void LinkAppended(int parent);
    int UpdateCounts(int id);
    // After a change under id: the counts of id and its ancestors, the only
    // ones it can change, from the counts their other children carry. The
    // first change after reading sets every count, so those are right.
    void UpdateCountsFrom(int id);
    // The count one item sets for itself from its children's counts.
    void UpdateOwnCount(int id);
    // /Count: for the root the number of visible items; for an item with
    // children the number its opening shows, negative while it is closed.
    void SetOwnCount(int id, int visible);
    // After appending a leaf once the counts are right: each count changes
    // by one, up to the first closed item.
    void CountAppended(int parent);

    PdfDocument& mDocument;
    fz_context* mContext;
    pdf_obj* mRoot = nullptr;
    Node mTop;
    std::map<int, Node> mNodes;
    bool mCountsChecked = false;
    std::set<int> mLinked; // parents whose children Relink has linked
};
