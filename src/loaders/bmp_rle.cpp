// Codes come in byte pairs: a count above zero is a run of the next byte's
// index (two alternating indices at 4 bits); zero with 0, 1 or 2 ends a line,
// ends the bitmap or moves by the next two bytes; zero with n >= 3 is n literal
// indices.
#include "loaders/bmp_rle.h"

#include "loaders/refusal.h"

namespace zorblit {
namespace {

class RunWriter {
public:
    RunWriter(const RunTarget &target, const BmpPalette &palette) : t_(target), palette_(palette) {}

    void put(uint8_t index) {
        if (x_ < t_.width && fileRow_ < t_.rows)
            t_.image.row(t_.topDown ? fileRow_ : t_.rows - 1 - fileRow_)[x_] = palette_[index];
        ++x_;
    }
    void endLine() {
        x_ = 0;
        ++fileRow_;
    }
    void move(uint8_t dx, uint8_t dy) {
        x_ += dx;
        fileRow_ += dy;
    }

private:
    const RunTarget &t_;
    const BmpPalette &palette_;
    uint64_t x_ = 0, fileRow_ = 0;
};

}  // namespace

bool decodeRunLengths(ByteCursor stream, unsigned bits, const BmpPalette &palette, const RunTarget &target) {
    RunWriter out(target, palette);
    // The index of the n-th pixel of a run or literal from the byte holding it.
    const auto index = [bits](uint8_t byte, unsigned n) {
        return bits == 8 ? byte : uint8_t(n % 2 ? byte & 0x0F : byte >> 4);
    };
    for (;;) {
        const size_t at = stream.position();
        uint8_t count, value;
        if (!stream.u8(count) || !stream.u8(value)) return refuseAt("BMP run-length data ends early", at);
        if (count > 0) {
            for (unsigned n = 0; n < count; ++n) out.put(index(value, n));
        } else if (value == 0) {
            out.endLine();
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            uint8_t dx, dy;
            if (!stream.u8(dx) || !stream.u8(dy)) return refuseAt("BMP run-length data ends early", at);
            out.move(dx, dy);
        } else {
            const size_t bytes = bits == 8 ? value : (value + 1u) / 2;
            const uint8_t *literal;
            if (!stream.take(bytes, literal) || !stream.skip(bytes % 2))
                return refuseAt("BMP run-length data ends early", at);
            for (unsigned n = 0; n < value; ++n) out.put(index(literal[bits == 8 ? n : n / 2], n));
        }
    }
}

}  // namespace zorblit
