#include "Libs/QuadCompositor.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && (defined(__GNUC__) || defined(__clang__))
#define BRIXEL_WIDE_BLEND 1
#include <immintrin.h>
#else
#define BRIXEL_WIDE_BLEND 0
#endif

namespace {

// a * b / 255, rounded, for 0..255.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
    uint32_t t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

// The colour a quad's texels are multiplied by: red, green and blue already weighted by the
// colour's alpha (the texels are premultiplied, so one product gives both the colour that
// lands and the alpha that covers).
inline uint32_t QuadFactor(uint32_t colour) {
    uint32_t a = colour >> 24;
    return a << 24 | Mul255(colour >> 16 & 0xFF, a) << 16 | Mul255(colour >> 8 & 0xFF, a) << 8 |
           Mul255(colour & 0xFF, a);
}

// One premultiplied texel onto one target pixel.
inline uint32_t Blend(uint32_t dst, uint32_t texel, uint32_t factor, bool additive) {
    uint32_t a = Mul255(texel >> 24, factor >> 24);
    uint32_t r = Mul255(texel >> 16 & 0xFF, factor >> 16 & 0xFF);
    uint32_t g = Mul255(texel >> 8 & 0xFF, factor >> 8 & 0xFF);
    uint32_t b = Mul255(texel & 0xFF, factor & 0xFF);
    if ((a | r | g | b) == 0) return dst;
    uint32_t dr = dst >> 16 & 0xFF, dg = dst >> 8 & 0xFF, db = dst & 0xFF, da = dst >> 24;
    if (additive) {
        dr = std::min(255u, dr + r);
        dg = std::min(255u, dg + g);
        db = std::min(255u, db + b);
    } else {
        uint32_t keep = 255 - a;
        dr = std::min(255u, r + Mul255(dr, keep));
        dg = std::min(255u, g + Mul255(dg, keep));
        db = std::min(255u, b + Mul255(db, keep));
        da = std::min(255u, a + Mul255(da, keep));
    }
    return da << 24 | dr << 16 | dg << 8 | db;
}

#if defined(__SSE2__)
// (x + 128) / 255 per 16-bit lane, rounded, for products of two bytes.
inline __m128i Div255(__m128i x) {
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// Two premultiplied texels onto two target pixels, all as 16-bit lanes b g r a.
inline __m128i BlendTwo(__m128i dst, __m128i texel, __m128i factor, bool additive) {
    __m128i tinted = Div255(_mm_mullo_epi16(texel, factor));
    if (additive) {
        const __m128i rgbOnly = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
        return _mm_add_epi16(dst, _mm_and_si128(tinted, rgbOnly)); // saturated when packed
    }
    __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(tinted, _MM_SHUFFLE(3, 3, 3, 3)),
                                        _MM_SHUFFLE(3, 3, 3, 3));
    __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
    return _mm_add_epi16(tinted, Div255(_mm_mullo_epi16(dst, keep)));
}
#endif

// Where a row's texels come from: the i-th target pixel of the row takes texel at(i), 0 where
// the quad does not cover it (a zero texel changes nothing).
struct SampledTexels { // an unturned quad: one source row, a source column per target pixel
    const uint32_t* row;
    const int* column;
    uint32_t at(int i) const { return row[column[i]]; }
};
struct ListedTexels { // a turned quad: the row's texels looked up beforehand
    const uint32_t* row;
    uint32_t at(int i) const { return row[i]; }
};

#if defined(__SSE2__)
template <class Texels> inline __m128i FourTexels(const Texels& texels, int i) {
    return _mm_set_epi32(int(texels.at(i + 3)), int(texels.at(i + 2)), int(texels.at(i + 1)),
                         int(texels.at(i)));
}
inline __m128i FourTexels(const ListedTexels& texels, int i) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels.row + i));
}

// Four texels onto four target pixels.
inline __m128i BlendFour(__m128i d, __m128i t, __m128i tint, bool additive) {
    const __m128i zero = _mm_setzero_si128();
    __m128i lo = BlendTwo(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(t, zero), tint, additive);
    __m128i hi = BlendTwo(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(t, zero), tint, additive);
    return _mm_packus_epi16(lo, hi);
}

// A row four pixels at a time, the last one to three through a small copy.
template <class Texels>
inline void CompositeRowFour(uint32_t* dst, const Texels& texels, int count, uint32_t factor,
                             bool additive) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i tint = _mm_unpacklo_epi8(_mm_set1_epi32(int(factor)), zero);
    // Texels that change nothing: premultiplied, all zero; additive, no colour.
    const __m128i counts = _mm_set1_epi32(additive ? 0x00FFFFFF : -1);
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i t = FourTexels(texels, i);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(t, counts), zero)) == 0xFFFF) continue;
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), BlendFour(d, t, tint, additive));
    }
    if (i == count) return;
    alignas(16) uint32_t d[4] = {}, t[4] = {};
    for (int k = 0; k < count - i; ++k) {
        d[k] = dst[i + k];
        t[k] = texels.at(i + k);
    }
    const __m128i blended =
        BlendFour(_mm_load_si128(reinterpret_cast<const __m128i*>(d)),
                  _mm_load_si128(reinterpret_cast<const __m128i*>(t)), tint, additive);
    _mm_store_si128(reinterpret_cast<__m128i*>(d), blended);
    for (int k = 0; k < count - i; ++k) dst[i + k] = d[k];
}
#endif

#if BRIXEL_WIDE_BLEND
// The same arithmetic eight pixels at a time, for processors with AVX2 (chosen at run time; the
// game is built for every x86-64).
__attribute__((target("avx2"))) inline __m256i Div255Wide(__m256i x) {
    x = _mm256_add_epi16(x, _mm256_set1_epi16(128));
    return _mm256_srli_epi16(_mm256_add_epi16(x, _mm256_srli_epi16(x, 8)), 8);
}

__attribute__((target("avx2"))) inline __m256i BlendTwoWide(__m256i dst, __m256i texel,
                                                            __m256i factor, bool additive) {
    __m256i tinted = Div255Wide(_mm256_mullo_epi16(texel, factor));
    if (additive) {
        const __m256i rgbOnly = _mm256_set1_epi64x(0x0000FFFFFFFFFFFFll);
        return _mm256_add_epi16(dst, _mm256_and_si256(tinted, rgbOnly));
    }
    __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(tinted, _MM_SHUFFLE(3, 3, 3, 3)),
                                           _MM_SHUFFLE(3, 3, 3, 3));
    __m256i keep = _mm256_sub_epi16(_mm256_set1_epi16(255), alpha);
    return _mm256_add_epi16(tinted, Div255Wide(_mm256_mullo_epi16(dst, keep)));
}

// Eight texels onto eight target pixels.
__attribute__((target("avx2"))) inline __m256i BlendEight(__m256i d, __m256i t, __m256i tint,
                                                          bool additive) {
    const __m256i zero = _mm256_setzero_si256();
    __m256i lo =
        BlendTwoWide(_mm256_unpacklo_epi8(d, zero), _mm256_unpacklo_epi8(t, zero), tint, additive);
    __m256i hi =
        BlendTwoWide(_mm256_unpackhi_epi8(d, zero), _mm256_unpackhi_epi8(t, zero), tint, additive);
    return _mm256_packus_epi16(lo, hi);
}

// Eight loads: the processor's gather instruction was slower where this was measured.
__attribute__((target("avx2"))) inline __m256i EightTexels(const SampledTexels& texels, int i) {
    return _mm256_setr_epi32(int(texels.at(i)), int(texels.at(i + 1)), int(texels.at(i + 2)),
                             int(texels.at(i + 3)), int(texels.at(i + 4)), int(texels.at(i + 5)),
                             int(texels.at(i + 6)), int(texels.at(i + 7)));
}
__attribute__((target("avx2"))) inline __m256i EightTexels(const ListedTexels& texels, int i) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texels.row + i));
}

template <class Texels>
__attribute__((target("avx2"))) void CompositeRowWide(uint32_t* dst, const Texels& texels,
                                                      int count, uint32_t factor, bool additive) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i tint = _mm256_unpacklo_epi8(_mm256_set1_epi32(int(factor)), zero);
    const __m256i counts = _mm256_set1_epi32(additive ? 0x00FFFFFF : -1);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        __m256i t = EightTexels(texels, i);
        if (_mm256_testz_si256(t, counts)) continue;
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), BlendEight(d, t, tint, additive));
    }
    if (i == count) return;
    // The last one to seven pixels: one masked blend, which leaves the pixels past the row alone.
    const int rest = count - i;
    const __m256i lanes =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(rest), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    alignas(32) uint32_t last[8] = {};
    for (int k = 0; k < rest; ++k) last[k] = texels.at(i + k);
    const __m256i t = _mm256_load_si256(reinterpret_cast<const __m256i*>(last));
    int* const at = reinterpret_cast<int*>(dst + i);
    const __m256i d = _mm256_maskload_epi32(at, lanes);
    _mm256_maskstore_epi32(at, lanes, BlendEight(d, t, tint, additive));
}
#endif

int WidestBlend() {
#if BRIXEL_WIDE_BLEND
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? 8 : 4;
#elif defined(__SSE2__)
    return 4;
#else
    return 1;
#endif
}

std::atomic<int> forcedWidth{0};

// One row of a quad, `width` pixels at a time.
template <class Texels>
inline void CompositeRow(uint32_t* dst, const Texels& texels, int count, uint32_t factor,
                         bool additive, int width) {
#if BRIXEL_WIDE_BLEND
    if (width == 8) return CompositeRowWide(dst, texels, count, factor, additive);
#endif
#if defined(__SSE2__)
    if (width == 4) return CompositeRowFour(dst, texels, count, factor, additive);
#endif
    for (int i = 0; i < count; ++i) dst[i] = Blend(dst[i], texels.at(i), factor, additive);
}

// The part of the target a quad may change: the target itself within the clip rectangle.
Rect ClipArea(const PixelBlock& target, const Rect& clip) {
    return Rect{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, target.width),
                std::min(clip.bottom, target.height)};
}

void CompositeUnturned(PixelBlock& target, const PixelBlock& image, const Rect& source, int x,
                       int y, int w, int h, uint32_t factor, bool additive, const Rect& area,
                       int width) {
    int left = std::max(x, area.left), right = std::min(x + w, area.right);
    int top = std::max(y, area.top), bottom = std::min(y + h, area.bottom);
    if (left >= right || top >= bottom) return;
    int64_t srcW = source.right - source.left, srcH = source.bottom - source.top;

    // Target pixel centres onto texels: u = left + (px - x + 0.5) * srcW / w.
    // Stepped with quotient and remainder where the source runs forwards: the same columns as
    // one division each, without a division per pixel in every band the quad crosses.
    thread_local std::vector<int> columns;
    columns.resize(size_t(right - left));
    const int64_t across = 2 * int64_t(w);
    const int64_t first = (2 * int64_t(left - x) + 1) * srcW;
    int64_t whole = first / across, part = first % across;
    const int64_t wholeStep = 2 * srcW / across, partStep = 2 * srcW % across;
    for (int px = left; px < right; ++px) {
        int64_t u = srcW >= 0 ? source.left + whole
                              : source.left + (2 * int64_t(px - x) + 1) * srcW / across;
        columns[size_t(px - left)] = int(std::clamp<int64_t>(u, 0, image.width - 1));
        whole += wholeStep;
        part += partStep;
        if (part >= across) {
            part -= across;
            ++whole;
        }
    }
    for (int py = top; py < bottom; ++py) {
        int64_t v = source.top + (2 * int64_t(py - y) + 1) * srcH / (2 * int64_t(h));
        v = std::clamp<int64_t>(v, 0, image.height - 1);
        const uint32_t* texels = image.pixels + size_t(v) * image.pitch;
        CompositeRow(target.pixels + size_t(py) * target.pitch + left,
                     SampledTexels{texels, columns.data()}, right - left, factor, additive, width);
    }
}

void CompositeTurned(PixelBlock& target, const PixelBlock& image, const Rect& source, int x, int y,
                     int w, int h, uint32_t factor, float rotation, bool additive, const Rect& area,
                     int width) {
    double angle = double(rotation) * 1.5707963705062866;
    double c = std::cos(angle), s = std::sin(angle);
    if (std::fabs(c) < 1e-6) c = 0.0; // exact quarter turns stay exact
    if (std::fabs(s) < 1e-6) s = 0.0;
    double cx = x + w / 2.0, cy = y + h / 2.0;
    // Corners turned counter-clockwise on screen (y down): (dx, dy) -> (dx c + dy s, dy c - dx s).
    double hw = w / 2.0, hh = h / 2.0;
    double ex = std::fabs(hw * c) + std::fabs(hh * s), ey = std::fabs(hw * s) + std::fabs(hh * c);
    int left = std::max(int(std::floor(cx - ex)), area.left);
    int right = std::min(int(std::ceil(cx + ex)), area.right);
    int top = std::max(int(std::floor(cy - ey)), area.top);
    int bottom = std::min(int(std::ceil(cy + ey)), area.bottom);
    if (left >= right || top >= bottom) return;
    double scaleU = double(source.right - source.left) / w;
    double scaleV = double(source.bottom - source.top) / h;
    // Each row's texels are looked up first (0 outside the quad), then blended four at a time.
    thread_local std::vector<uint32_t> texels;
    texels.resize(size_t(right - left));
    for (int py = top; py < bottom; ++py) {
        double dy = py + 0.5 - cy;
        for (int px = left; px < right; ++px) {
            double dx = px + 0.5 - cx;
            // Back into the unturned quad: turn clockwise.
            double lx = dx * c - dy * s + hw, ly = dx * s + dy * c + hh;
            uint32_t texel = 0;
            if (lx >= 0.0 && ly >= 0.0 && lx < w && ly < h) {
                int u = std::clamp(source.left + int(std::floor(lx * scaleU)), 0, image.width - 1);
                int v = std::clamp(source.top + int(std::floor(ly * scaleV)), 0, image.height - 1);
                texel = image.pixels[size_t(v) * image.pitch + u];
            }
            texels[size_t(px - left)] = texel;
        }
        CompositeRow(target.pixels + size_t(py) * target.pitch + left, ListedTexels{texels.data()},
                     right - left, factor, additive, width);
    }
}

} // namespace

int BlendWidth() {
    static const int widest = WidestBlend();
    const int forced = forcedWidth.load(std::memory_order_relaxed);
    return forced ? std::min(forced, widest) : widest;
}

void ForceBlendWidth(int width) {
    forcedWidth.store(width == 1 || width == 4 || width == 8 ? width : 0,
                      std::memory_order_relaxed);
}

void PremultiplyAlpha(PixelBlock& image) {
    for (int y = 0; y < image.height; ++y) {
        uint32_t* row = image.pixels + size_t(y) * image.pitch;
        for (int x = 0; x < image.width; ++x) {
            uint32_t p = row[x], a = p >> 24;
            row[x] = a << 24 | Mul255(p >> 16 & 0xFF, a) << 16 | Mul255(p >> 8 & 0xFF, a) << 8 |
                     Mul255(p & 0xFF, a);
        }
    }
}

void CompositeQuad(PixelBlock& target, const PixelBlock& image, const Rect& source, int x, int y,
                   int w, int h, uint32_t colour, float rotation, bool additive, const Rect& clip) {
    if (!target.pixels || !image.pixels || w <= 0 || h <= 0 || image.width <= 0 ||
        image.height <= 0 || (colour >> 24) == 0)
        return;
    const Rect area = ClipArea(target, clip);
    if (area.left >= area.right || area.top >= area.bottom) return;
    const uint32_t factor = QuadFactor(colour);
    const int width = BlendWidth();
    if (rotation == 0.0f)
        CompositeUnturned(target, image, source, x, y, w, h, factor, additive, area, width);
    else
        CompositeTurned(target, image, source, x, y, w, h, factor, rotation, additive, area, width);
}

void CompositeQuad(PixelBlock& target, const PixelBlock& image, const Rect& source, int x, int y,
                   int w, int h, uint32_t colour, float rotation, bool additive) {
    CompositeQuad(target, image, source, x, y, w, h, colour, rotation, additive,
                  Rect{0, 0, target.width, target.height});
}

bool EveryTexelOpaque(const PixelBlock& image) {
    for (int y = 0; y < image.height; ++y) {
        const uint32_t* row = image.pixels + size_t(y) * image.pitch;
        for (int x = 0; x < image.width; ++x)
            if ((row[x] >> 24) != 0xFFu) return false;
    }
    return image.pixels != nullptr;
}
