#pragma once

#include <mupdf/pdf.h>

// The resources of the index-th entry of an XObject dictionary when it is a
// form, else null; objectNumber is the entry's object number (0 when direct),
// for the callers' guard against forms that contain themselves.
pdf_obj* FormXObjectResources(fz_context* ctx, pdf_obj* xobjects, int index, int& objectNumber);
