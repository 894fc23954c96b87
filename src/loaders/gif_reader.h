// GIF files: the logical screen, then one image after another, each decoded to
// palette indices and drawn onto a canvas of the screen's size.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "loaders/reader.h"

namespace zorblit {

enum class GifDisposal : uint8_t { keep, background, previous };

struct GifFrame {
    uint32_t left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    std::array<uint32_t, 256> palette{};  // entries past the colour table are opaque black
    int transparent = -1;                 // the index drawn as nothing, or -1
    GifDisposal disposal = GifDisposal::keep;
    uint32_t delayMs = 0;
    std::vector<uint8_t> indices;  // width * height, stored row order, then slack
};

class GifReader {
public:
    GifReader(const uint8_t *data, uint32_t size) : cursor_(data, size), size_(size) {}

    // The signature, the screen descriptor and the global colour table; false
    // (reason recorded) for a file that is not a usable GIF.
    bool readScreen();
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

    // Reads the blocks up to the next image and decodes it. False at the trailer
    // or the end of the data (finished()) or, with the reason recorded, on damage.
    bool nextFrame(GifFrame &frame);
    bool finished() const { return finished_; }

    // Draws the frame's pixels that are not transparent onto a canvas of the
    // screen's size, clipped to it.
    void draw(const GifFrame &frame, uint32_t *canvas) const;

private:
    bool readGraphicControl(GifFrame &frame);
    bool readImage(GifFrame &frame);
    bool joinSubBlocks(std::vector<uint8_t> &joined);
    bool skipSubBlocks();

    ByteCursor cursor_;
    uint32_t size_;
    uint32_t width_ = 0, height_ = 0;
    std::array<uint32_t, 256> globalPalette_{};
    bool hasGlobalPalette_ = false;
    bool finished_ = false;
};

}  // namespace zorblit
