#pragma once

#include <mupdf/pdf.h>

#include <string>

enum class WriteMode
{
    // The original bytes, then the changed objects and a new cross-reference
    // section: small, and signatures stay valid.
    Incremental,
    // A fresh file, for documents whose original bytes MuPDF had to repair.
    Rewrite,
};

// Writes the document to a temporary file beside path and renames it over
// path only when it is complete, so a failure never leaves a half-written
// file behind. An incremental update always extends the bytes the document
// was loaded from, with every change since loading; originalStartXref is
// where their cross-reference section starts. Throws EngineError.
void WriteDocument(fz_context* ctx, pdf_document* doc, const std::string& path, WriteMode mode,
                   int64_t originalStartXref);
