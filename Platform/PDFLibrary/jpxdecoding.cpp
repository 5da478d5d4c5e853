// JPEG 2000 images decoded one at a time across all of this library's
// contexts. MuPDF hands OpenJPEG the decoding context through a global,
// which it sets under its FreeType lock; this library's contexts keep
// FreeType to themselves and lock nothing (enginecontext.h), so the linker
// sends MuPDF's calls to the decoder here (--wrap) and a lock shared by
// every context is taken around them. Pages reach the decoder through
// fz_load_jpx only; its sibling fz_load_jpx_info serves image documents,
// which this library never opens.
#include <mupdf/fitz.h>

#include <mutex>

namespace {

std::mutex& DecoderLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace

extern "C" {

fz_pixmap* __real_fz_load_jpx(fz_context* ctx, const unsigned char* data, size_t size, fz_colorspace* cs);

__attribute__((visibility("hidden"))) fz_pixmap* __wrap_fz_load_jpx(fz_context* ctx, const unsigned char* data,
                                                                    size_t size, fz_colorspace* cs)
{
    fz_pixmap* pixmap = nullptr;
    fz_var(pixmap);
    DecoderLock().lock();
    // MuPDF's errors jump over this frame: the lock is released on both ways
    // out, and nothing here has a destructor to skip.
    fz_try(ctx)
        pixmap = __real_fz_load_jpx(ctx, data, size, cs);
    fz_always(ctx)
        DecoderLock().unlock();
    fz_catch(ctx)
        fz_rethrow(ctx);
    return pixmap;
}

} // extern "C"
