#pragma once

#include <mupdf/pdf.h>

#include <functional>

// MuPDF keeps every object it parses for the document's life: reading
// every page of a large document would keep all of its pages' and fonts'
// dictionaries. These drop them again.

// The objects the document holds now are kept by DropParsedObjects: the
// ones loaded so far, changed or new ones included.
void MarkParsedObjects(fz_context* ctx, pdf_document* doc);

// Drops the objects parsed since the marks that nothing else holds (the
// store's fonts hold their dictionaries), except members of object streams,
// one of those comes back only by parsing its whole stream again, and the
// page tree's nodes, which are marked instead. Neither call allocates or
// throws.
void DropParsedObjects(fz_context* ctx, pdf_document* doc);

// Parses the document's object streams, one after another while keepGoing
// says so. MuPDF parses a stream whole the first time one of its objects is
// needed; a thread with time on its hands can have that done before. A
// stream that fails is left to whoever needs it. Throws nothing.
void ParseObjectStreams(fz_context* ctx, pdf_document* doc, const std::function<bool()>& keepGoing);

// Drops what is parsed during a read of a document that may have been
// changed: the marks are set at the start.
class ParsedObjectsScope
{
public:
    ParsedObjectsScope(fz_context* ctx, pdf_document* doc) : mContext(ctx), mDoc(doc)
    {
        MarkParsedObjects(ctx, doc);
    }
    ~ParsedObjectsScope() { DropParsedObjects(mContext, mDoc); }
    ParsedObjectsScope(const ParsedObjectsScope&) = delete;
    ParsedObjectsScope& operator=(const ParsedObjectsScope&) = delete;

private:
    fz_context* mContext;
    pdf_document* mDoc;
};
