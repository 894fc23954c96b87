// GIF pictures on a canvas of the file's screen size that starts transparent
// black; the background colour index is not used. Animation frames are the canvas
// after each image, with the image's disposal applied before the next one.
#include "loaders/gif.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "loaders/gif_reader.h"
#include "loaders/refusal.h"

namespace zorblit {
namespace {

// Frames decoded so far; their pixels are released unless handed over.
struct FrameList {
    std::vector<GFXimage> images;
    std::vector<uint32_t> delays;
    ~FrameList() {
        for (GFXimage &image : images) FreeImage(&image);
    }
};

// Clears the part of the frame's rectangle inside the screen.
void clearArea(const GifReader &reader, const GifFrame &frame, uint32_t *canvas) {
    if (frame.left >= reader.width() || frame.top >= reader.height()) return;
    const uint32_t columns = std::min(frame.width, reader.width() - frame.left);
    const uint32_t rows = std::min(frame.height, reader.height() - frame.top);
    for (uint32_t y = frame.top; y < frame.top + rows; ++y)
        std::fill_n(canvas + size_t(y) * reader.width() + frame.left, columns, 0u);
}

}  // namespace

bool gifDecode(GFXimage *image, const uint8_t *data, uint32_t size) {
    GifReader reader(data, size);
    if (!reader.readScreen()) return false;
    GifFrame frame;
    if (!reader.nextFrame(frame)) return reader.finished() && refuse("GIF file without an image");
    PendingImage result(reader.width(), reader.height());
    if (!result.allocated()) return refuse("out of memory");
    reader.draw(frame, result.row(0));
    return result.handOver(image);
}

bool gifDecodeFrames(const uint8_t *data, uint32_t size, GFXimage **frames, uint32_t **delaysMs, uint32_t *count) {
    if (!frames || !delaysMs || !count) return refuse("no place for the frames");
    GifReader reader(data, size);
    if (!reader.readScreen()) return false;
    const size_t screen = size_t(reader.width()) * reader.height();
    std::vector<uint32_t> canvas(screen, 0), saved;
    FrameList list;
    GifFrame frame;
    while (reader.nextFrame(frame)) {
        if ((list.images.size() + 1) * screen > (1u << 28)) return refuse("animation too large");
        if (frame.disposal == GifDisposal::previous) saved = canvas;
        reader.draw(frame, canvas.data());
        PendingImage shot(reader.width(), reader.height());
        if (!shot.allocated()) return refuse("out of memory");
        std::copy(canvas.begin(), canvas.end(), shot.row(0));
        list.images.push_back(GFXimage{});
        shot.handOver(&list.images.back());
        list.delays.push_back(frame.delayMs);
        if (frame.disposal == GifDisposal::background) clearArea(reader, frame, canvas.data());
        if (frame.disposal == GifDisposal::previous) canvas.swap(saved);
    }
    if (!reader.finished()) return false;
    if (list.images.empty()) return refuse("GIF file without an image");

    const size_t n = list.images.size();
    auto *images = static_cast<GFXimage *>(std::malloc(n * sizeof(GFXimage)));
    auto *delays = static_cast<uint32_t *>(std::malloc(n * sizeof(uint32_t)));
    if (!images || !delays) {
        std::free(images);
        std::free(delays);
        return refuse("out of memory");
    }
    std::copy(list.images.begin(), list.images.end(), images);
    std::copy(list.delays.begin(), list.delays.end(), delays);
    list.images.clear();
    *frames = images;
    *delaysMs = delays;
    *count = uint32_t(n);
    return true;
}

}  // namespace zorblit

bool gifLoadMem(GFXimage *image, const uint8_t *data, uint32_t size) {
    return zorblit::readMemory(image, data, size, zorblit::gifDecode);
}

bool gifLoad(GFXimage *image, const char *name) { return zorblit::decodeFile(image, name, zorblit::gifDecode); }

bool gifLoadFramesMem(const uint8_t *data, uint32_t size, GFXimage **frames, uint32_t **delaysMs, uint32_t *count) {
    return zorblit::runRead([&] {
        return (data || size == 0 || zorblit::refuse("no data")) &&
               zorblit::gifDecodeFrames(data, size, frames, delaysMs, count);
    });
}

bool gifLoadFrames(const char *name, GFXimage **frames, uint32_t **delaysMs, uint32_t *count) {
    return zorblit::readFile(name, [&](const uint8_t *data, uint32_t size) {
        return zorblit::gifDecodeFrames(data, size, frames, delaysMs, count);
    });
}

void gifFreeFrames(GFXimage *frames, uint32_t *delaysMs, uint32_t count) {
    for (uint32_t i = 0; frames && i < count; ++i) FreeImage(&frames[i]);
    std::free(frames);
    std::free(delaysMs);
}
