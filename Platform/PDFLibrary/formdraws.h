#pragma once

#include <mupdf/pdf.h>

// The forms a page may draw, nested ones included. Forms that draw each
// other in a fan-out (each drawing the next twice) double the work with
// every level: 25 levels draw 33 million. Pages of real documents draw a
// few hundred; a map or a plot of many markers, tens of thousands.
const long long kMostFormsPerPage = 200000;

// How many forms a content stream draws, nested ones included, counted
// without drawing: each form's own count is worked out once, so forms that
// fan out cost no more than reading them once. A form met again inside
// itself counts once, as MuPDF draws it no deeper. The count stops just
// above `limit`. A MuPDF call: throws MuPDF errors, to be called inside
// fz_try.
long long CountFormDraws(fz_context* ctx, pdf_document* doc, pdf_obj* resources, pdf_obj* contents, long long limit);
