#pragma once

#include <mupdf/fitz.h>

// The allocator every MuPDF context of this library uses. MuPDF allocates
// and frees millions of small objects per manual; once the process has more
// than one thread, the C library's malloc takes its arena lock for most of
// them, which cost the text threads more than a tenth of their time.
// mimalloc keeps a heap per thread instead. Null (MuPDF's own, the C
// library's malloc) in sanitizer builds, whose checks see only that one.
fz_alloc_context* EngineAllocator();
