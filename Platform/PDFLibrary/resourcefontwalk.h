#pragma once

#include <mupdf/pdf.h>

#include <functional>
#include <set>

// One font entry of a resource dictionary.
struct ResourceFont
{
    pdf_obj* resources;  // the dictionary that lists it
    pdf_obj* key;        // its resource name there
    pdf_obj* font;       // the font dictionary
    int number;          // its object number; 0 for a font written inline
};

// Visits the fonts of resource dictionaries and, through the form XObjects
// they use, of the resources nested in them. Resource graphs can be cyclic:
// each resource dictionary, form and font object is visited once in the
// walk's life, so a font shared by many pages or forms comes once. Fonts
// written inline have no object number and come every time.
class ResourceFontWalk
{
public:
    using Visitor = std::function<void(const ResourceFont&)>;

    ResourceFontWalk(fz_context* ctx, Visitor visit);

    // A page's (or any) resource dictionary; null is nothing to walk.
    // Throws EngineError, and whatever the visitor throws.
    void Walk(pdf_obj* resources) { Walk(resources, 0); }

private:
    void Walk(pdf_obj* resources, int depth);
    // The resources of the index-th XObject when it is a form not walked
    // yet; null otherwise.
    pdf_obj* UnseenFormResources(pdf_obj* xobjects, int index);

    fz_context* mContext;
    Visitor mVisit;
    std::set<int> mSeenResources, mSeenForms, mSeenFonts;
};
