#pragma once

#include "outlineanchors.h"
#include "outlinedestination.h"
#include "pdfdocument.h"

#include <unordered_map>
#include <set>
#include <string>
#include <vector>

// The document's outline as MuPDF's objects hold it. An item's identifier is
// its object number: stable while the document is loaded. Each instance reads
// the tree once (guarded against cycles and sideways links, at any depth) and
// keeps /First, /Last, /Prev, /Next, /Parent and /Count right after every
// change. Every change costs the same however many items there are: siblings
// are a linked list, and only the objects whose entries really change are
// touched, so an incremental save stays small. Methods throw EngineError;
// unknown identifiers answer 0 or false.
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

    // Appends an item under parent pointing at a point of the page, with the
    // reader's zoom; 0 when parent or page is unknown.
    int Add(int parent, const std::wstring& title, int page, const PagePoint& at);
    bool Remove(int id);
    bool MoveBefore(int id, int sibling);
    bool MoveAfter(int id, int sibling);
    bool SetOpen(int id, bool open);
    bool SetDestination(int id, int page, int zoom, int type, const double c[4]);

    // How id is shown: its /F flags (1 italic, 2 bold), and ShownChildren
    // when it has children and is open.
    static constexpr int ShownChildren = 4;
    int Style(int id) const;
    DestinationView DestinationOf(int id) const;

private:
    struct Node
    {
        pdf_obj* object = nullptr; // our own reference; the root's is mRoot
        int parent = 0;
        int first = 0, last = 0;   // children
        int previous = 0, next = 0;
        int children = 0;
        // Kept from the first change on, when every count is set: whether the
        // item shows its children, and how many items its opening shows.
        bool open = false;
        int visible = 0;
    };

    void Read();
    // Reads parent's chain of children; appends the new ones to `found`.
    void ReadChildren(int parent, std::vector<int>& found);
    Node& NodeOf(int id);
    const Node* Find(int id) const;
    pdf_obj* ObjectOf(int id);
    // The root as links can point at it: an indirect object, made when the
    // document has none (create) or holds it directly in its catalog.
    pdf_obj* LinkableRoot(bool create);
    bool IsInside(int id, int ancestor) const;
    bool Move(int id, int sibling, bool after);

    // Puts id among parent's children before `before` (0: last) and takes it
    // out again, with the links in the objects.
    void Attach(int id, int parent, int before);
    void Detach(int id);
    // Rewrites every link of parent's children and parent's /First and
    // /Last: the first change under a parent puts right what the file had.
    void Relink(int parent);
    void WriteLinks(int id);
    void WriteEnds(int parent);

    // The first change sets every count from the items' open states, after
    // which counts change by differences, up the chain of open ancestors.
    void CheckCounts();
    // What an item adds to its parent's count.
    int Shown(int id) const;
    void AddVisible(int id, int delta);
    void WriteCount(int id);

    PdfDocument& mDocument;
    fz_context* mContext;
    pdf_obj* mRoot = nullptr; // our own reference
    Node mTop;
    std::unordered_map<int, Node> mNodes;
    bool mCountsChecked = false;
    std::set<int> mLinked; // parents whose children Relink has linked
};
