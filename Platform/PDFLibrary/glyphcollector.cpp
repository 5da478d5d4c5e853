#include "glyphcollector.h"

#include "enginecall.h"
#include "pagecontents.h"

#include <cmath>

namespace {

// Glyphs further out than this (points) are nowhere a reader could show them.
const double kFarAway = 1e7;

struct CollectorDevice
{
    fz_device super;
    GlyphCollector* collector;
};

GlyphCollector* CollectorOf(fz_device* dev)
{
    return reinterpret_cast<CollectorDevice*>(dev)->collector;
}

unsigned Component(float value)
{
    // MuPDF's own conversions truncate (0.5 gives 7f); readers round.
    const float clamped = value < 0 ? 0 : value > 1 ? 1 : value;
    return static_cast<unsigned>(std::lround(clamped * 255.0f));
}

unsigned RgbOf(fz_context* ctx, fz_colorspace* cs, const float* colour, fz_color_params params)
{
    if (!cs || !colour)
        return 0;
    float rgb[3] = {0, 0, 0};
    switch (fz_colorspace_type(ctx, cs))
    {
    case FZ_COLORSPACE_GRAY:
        rgb[0] = rgb[1] = rgb[2] = colour[0];
        break;
    case FZ_COLORSPACE_RGB:
        rgb[0] = colour[0], rgb[1] = colour[1], rgb[2] = colour[2];
        break;
    case FZ_COLORSPACE_BGR:
        rgb[0] = colour[2], rgb[1] = colour[1], rgb[2] = colour[0];
        break;
    case FZ_COLORSPACE_CMYK:
        // The plain device formula: pure black text stays #000000, which a
        // colour-managed conversion would not give.
        for (int i = 0; i < 3; ++i)
            rgb[i] = (1 - colour[i]) * (1 - colour[3]);
        break;
    default:
        fz_convert_color(ctx, cs, colour, fz_device_rgb(ctx), rgb, nullptr, params);
        break;
    }
    return Component(rgb[0]) << 16 | Component(rgb[1]) << 8 | Component(rgb[2]);
}

void Record(fz_context* ctx, fz_device* dev, const fz_text* text, fz_matrix ctm, unsigned colour)
{
    GlyphCollector* collector = CollectorOf(dev);
    if (!collector->RepeatsLastText(text, ctm))
        collector->AddText(ctx, text, ctm, colour);
}

void FillText(fz_context* ctx, fz_device* dev, const fz_text* text, fz_matrix ctm, fz_colorspace* cs,
              const float* colour, float, fz_color_params params)
{
    Record(ctx, dev, text, ctm, RgbOf(ctx, cs, colour, params));
}

void StrokeText(fz_context* ctx, fz_device* dev, const fz_text* text, const fz_stroke_state*, fz_matrix ctm,
                fz_colorspace* cs, const float* colour, float, fz_color_params params)
{
    Record(ctx, dev, text, ctm, RgbOf(ctx, cs, colour, params));
}

// Render mode 3: the text layer of scanned pages. No colour reaches the
// device for it.
void IgnoreText(fz_context* ctx, fz_device* dev, const fz_text* text, fz_matrix ctm)
{
    Record(ctx, dev, text, ctm, 0);
}

bool SameMatrix(const fz_matrix& a, const fz_matrix& b)
{
    return a.a == b.a && a.b == b.b && a.c == b.c && a.d == b.d && a.e == b.e && a.f == b.f;
}

} // namespace

GlyphCollector::GlyphCollector(std::map<fz_font*, std::string> fontNames, GlyphAdvances& advances,
                               std::vector<TextGlyph> storage)
    : mResourceNames(std::move(fontNames)), mAdvances(advances), mGlyphs(std::move(storage))
{
    mGlyphs.clear();
}

void GlyphCollector::Run(fz_context* ctx, pdf_document* doc, pdf_obj* page, fz_matrix ctm)
{
    fz_device* dev = nullptr;
    EngineCall(ctx, [&] {
        fz_var(dev);
        fz_try(ctx)
        {
            dev = fz_new_device_of_size(ctx, sizeof(CollectorDevice));
            CollectorDevice* device = reinterpret_cast<CollectorDevice*>(dev);
            device->collector = this;
            dev->fill_text = FillText;
            dev->stroke_text = StrokeText;
            dev->ignore_text = IgnoreText;
            RunPageContents(ctx, doc, page, dev, ctm);
            fz_close_device(ctx, dev);
        }
        fz_always(ctx)
        {
            fz_drop_device(ctx, dev);
            ForgetText(ctx);
        }
        fz_catch(ctx)
            fz_rethrow(ctx);
    });
    if (mFailed)
        throw EngineError(EngineErrorCode::Engine, "out of memory while collecting text");
}

PageGlyphs GlyphCollector::Take()
{
    PageGlyphs page;
    page.glyphs = std::move(mGlyphs);
    page.fontNames = std::move(mNames);
    mGlyphs.clear();
    mNames.clear();
    mNameIndex.clear();
    mFontIndex.clear();
    return page;
}

bool GlyphCollector::RepeatsLastText(const fz_text* text, fz_matrix ctm) const
{
    if (!mLastText || !SameMatrix(ctm, mLastCtm))
        return false;
    const fz_text_span* a = text->head;
    const fz_text_span* b = mLastText->head;
    for (; a && b; a = a->next, b = b->next)
    {
        if (a->font != b->font || !SameMatrix(a->trm, b->trm) || a->wmode != b->wmode || a->len != b->len)
            return false;
        for (int i = 0; i < a->len; ++i)
        {
            const fz_text_item& x = a->items[i];
            const fz_text_item& y = b->items[i];
            if (x.x != y.x || x.y != y.y || x.gid != y.gid || x.ucs != y.ucs)
                return false;
        }
    }
    return !a && !b;
}

void GlyphCollector::RememberText(fz_context* ctx, const fz_text* text, fz_matrix ctm)
{
    ForgetText(ctx);
    mLastText = fz_keep_text(ctx, text);
    mLastCtm = ctm;
}

void GlyphCollector::ForgetText(fz_context* ctx)
{
    fz_drop_text(ctx, mLastText);
    mLastText = nullptr;
}

int GlyphCollector::FontIndex(fz_context* ctx, fz_font* font)
{
    const auto known = mFontIndex.find(font);
    if (known != mFontIndex.end())
        return known->second;
    const auto resource = mResourceNames.find(font);
    const std::string name = resource != mResourceNames.end() ? resource->second : fz_font_name(ctx, font);
    const auto named = mNameIndex.emplace(name, static_cast<int>(mNames.size()));
    if (named.second)
        mNames.push_back(name);
    mFontIndex.emplace(font, named.first->second);
    return named.first->second;
}

void GlyphCollector::AddText(fz_context* ctx, const fz_text* text, fz_matrix ctm, unsigned colour)
{
    if (mFailed)
        return;
    // C++ exceptions must not unwind through MuPDF's C frames.
    try
    {
        RememberText(ctx, text, ctm);
        for (const fz_text_span* span = text->head; span; span = span->next)
        {
            const int font = FontIndex(ctx, span->font);
            float ascent = fz_font_ascender(ctx, span->font);
            float descent = fz_font_descender(ctx, span->font);
            // Some fonts carry nonsense metrics; use the usual proportions.
            if (!(ascent - descent > 0.5f && ascent - descent < 3.0f))
                ascent = 0.8f, descent = -0.2f;
            for (int i = 0; i < span->len; ++i)
            {
                const fz_text_item& item = span->items[i];
                // A ligature's further characters come without a glyph.
                if (item.gid < 0 && !mGlyphs.empty() && item.ucs >= 0)
                {
                    mGlyphs.back().text += static_cast<char32_t>(item.ucs);
                    continue;
                }
                fz_matrix trm = span->trm;
                trm.e = item.x;
                trm.f = item.y;
                const fz_matrix m = fz_concat(trm, ctm);
                const double size = std::hypot(m.c, m.d);
                const double width = std::hypot(m.a, m.b);
                if (!(size > 0) || !(width > 0) || !std::isfinite(size) || !std::isfinite(width)
                    || !(std::fabs(m.e) < kFarAway) || !(std::fabs(m.f) < kFarAway))
                    continue;
                // Before any C++ object of this iteration exists: MuPDF may
                // longjmp out of here.
                const double advance = item.gid >= 0 ? mAdvances.Of(span->font, item.gid) * width : 0;
                TextGlyph glyph;
                glyph.text = item.ucs >= 0 ? std::u32string(1, static_cast<char32_t>(item.ucs))
                                           : std::u32string(1, U'\uFFFD');
                glyph.font = font;
                glyph.colour = colour;
                glyph.size = size;
                glyph.originX = m.e;
                glyph.originY = m.f;
                glyph.dirX = m.a / width;
                glyph.dirY = m.b / width;
                glyph.advance = advance;
                glyph.ascent = ascent * size;
                glyph.descent = descent * size;
                mGlyphs.push_back(std::move(glyph));
            }
        }
    }
    catch (...)
    {
        mFailed = true;
    }
}
