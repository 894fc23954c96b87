// Samples of up to 8 bits go through a 256-entry table; wider layouts are
// expanded by one template per channel count and sample size. 16-bit samples
// keep their high byte, after the tRNS comparison on the full value.
#include "loaders/png_pixels.h"

#include <algorithm>

#include "core/image_math.h"

namespace zorblit::png {
namespace {

// 255 / (2^depth - 1): repeating a sample's bit pattern through a byte.
uint32_t greyScale(unsigned depth) { return 255 / ((1u << depth) - 1); }

// The raw sample at depth whose expansion is the 16-bit value, if there is one.
bool rawSample(const TransparentColour &t, uint16_t value, unsigned depth, uint16_t &sample) {
    const uint32_t maxSample = (1u << depth) - 1;
    if (t.twoByteForm) {
        sample = value;
        return value <= maxSample;
    }
    // Expansion to 16 bits multiplies a sample by 65535 / maxSample.
    const uint32_t factor = 65535 / maxSample;
    sample = uint16_t(value / factor);
    return value % factor == 0;
}

template <unsigned Depth>
void expandIndexed(const uint8_t *row, uint32_t count, uint32_t *out, const PixelSource &source) {
    if constexpr (Depth == 8) {
        for (uint32_t i = 0; i < count; ++i) out[i] = source.indexed[row[i]];
    } else {
        constexpr unsigned perByte = 8 / Depth, mask = (1u << Depth) - 1;
        for (uint32_t i = 0; i < count; ++i) {
            const unsigned shift = 8 - Depth - (i % perByte) * Depth;
            out[i] = source.indexed[(row[i / perByte] >> shift) & mask];
        }
    }
}

// Grey (1 colour channel) or RGB (3), with or without an alpha channel, 8 or
// 16 bits per sample; Keyed compares the colour samples with the tRNS colour.
template <unsigned ColourChannels, bool Alpha, unsigned SampleBytes, bool Keyed>
void expandDirect(const uint8_t *row, uint32_t count, uint32_t *out, const PixelSource &source) {
    constexpr unsigned pixelBytes = (ColourChannels + Alpha) * SampleBytes;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t *p = row + size_t(i) * pixelBytes;
        const auto high = [p](unsigned c) { return p[c * SampleBytes]; };
        const auto sample = [p](unsigned c) {
            return SampleBytes == 1 ? p[c] : uint16_t(p[2 * c] << 8 | p[2 * c + 1]);
        };
        const uint8_t r = high(0), g = high(ColourChannels == 3 ? 1 : 0), b = high(ColourChannels == 3 ? 2 : 0);
        uint8_t a = Alpha ? high(ColourChannels) : 255;
        if constexpr (Keyed) {
            bool match = true;
            for (unsigned c = 0; c < ColourChannels; ++c) match = match && sample(c) == source.key[c];
            if (match) a = 0;
        }
        out[i] = packRGBA(r, g, b, a);
    }
}

template <unsigned ColourChannels, bool Alpha, unsigned SampleBytes>
RowExpander direct(bool keyed) {
    if constexpr (Alpha) {
        return expandDirect<ColourChannels, true, SampleBytes, false>;
    } else {
        return keyed ? expandDirect<ColourChannels, false, SampleBytes, true>
                     : expandDirect<ColourChannels, false, SampleBytes, false>;
    }
}

}  // namespace

PixelSource pixelSourceOf(const Contents &contents) {
    const Header &h = contents.header;
    const TransparentColour &t = contents.transparent;
    PixelSource source;
    const bool keyable = h.colourType == ColourType::grey || h.colourType == ColourType::rgb;
    if (t.present && keyable) {
        const unsigned colours = h.colourType == ColourType::rgb ? 3 : 1;
        source.keyed = true;
        for (unsigned c = 0; c < colours; ++c)
            source.keyed = rawSample(t, t.values[c], h.bitDepth, source.key[c]) && source.keyed;
    }
    if (h.colourType == ColourType::palette) {
        std::copy_n(contents.palette.begin(), std::min<size_t>(256, contents.palette.size()), source.indexed.begin());
    } else if (h.colourType == ColourType::grey && h.bitDepth <= 8) {
        const uint32_t levels = 1u << h.bitDepth, scale = greyScale(h.bitDepth);
        for (uint32_t s = 0; s < levels; ++s) {
            const uint8_t v = uint8_t(s * scale);
            source.indexed[s] = packRGBA(v, v, v, source.keyed && s == source.key[0] ? 0 : 255);
        }
    }
    return source;
}

RowExpander rowExpanderFor(const Header &h, const PixelSource &source) {
    const bool wide = h.bitDepth == 16;
    switch (h.colourType) {
        case ColourType::grey:
            if (wide) return direct<1, false, 2>(source.keyed);
            [[fallthrough]];
        case ColourType::palette:
            switch (h.bitDepth) {
                case 1: return expandIndexed<1>;
                case 2: return expandIndexed<2>;
                case 4: return expandIndexed<4>;
                default: return expandIndexed<8>;
            }
        case ColourType::rgb: return wide ? direct<3, false, 2>(source.keyed) : direct<3, false, 1>(source.keyed);
        case ColourType::greyAlpha: return wide ? direct<1, true, 2>(false) : direct<1, true, 1>(false);
        default: return wide ? direct<3, true, 2>(false) : direct<3, true, 1>(false);
    }
}

void undoCgbi(uint32_t *pixels, size_t count, const Contents &contents) {
    const bool translucent = std::any_of(pixels, pixels + count, [](uint32_t p) { return p >> 24 != 255; });
    const bool premultiplied =
        contents.header.hasAlphaChannel() || translucent || contents.transparent.twoByteForm;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i], a = p >> 24;
        uint32_t r = p & 0xFF, g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;  // red and blue exchanged
        if (premultiplied && a != 0) {
            // Colours above their alpha cannot come from premultiplying; they saturate.
            r = std::min(r * 255 / a, 255u);
            g = std::min(g * 255 / a, 255u);
            b = std::min(b * 255 / a, 255u);
        }
        pixels[i] = packRGBA(uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a));
    }
}

}  // namespace zorblit::png
