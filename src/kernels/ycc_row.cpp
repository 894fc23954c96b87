// The plain loops, and the same loops built for AVX2 and AVX-512, where the
// compiler works on two and four times as many pixels at a time.
#include "kernels/ycc_row.h"

#include "kernels/dispatch.h"
#include "kernels/jpeg_color.h"
#if defined(__x86_64__)
#include "kernels/x86.h"
#endif

namespace zorblit::kernels {
namespace {

[[gnu::always_inline]] inline void convert(const uint8_t *const rows[3], size_t components, uint32_t *out,
                                           uint32_t width) {
    if (components == 1)
        jpeg::convertGreyRow(rows[0], out, width);
    else
        jpeg::convertRow(rows[0], rows[1], rows[2], out, width);
}

}  // namespace

namespace plain {
void pixelRow(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width) {
    convert(rows, components, out, width);
}
}  // namespace plain

#if defined(__x86_64__)
namespace avx2 {
ZORBLIT_AVX2 void pixelRow(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width) {
    convert(rows, components, out, width);
}
}  // namespace avx2

namespace avx512 {
ZORBLIT_AVX512_WIDE void pixelRow(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width) {
    convert(rows, components, out, width);
}
}  // namespace avx512
#endif

using PixelRowKernel = ZORBLIT_KERNEL(plain::pixelRow, plain::pixelRow, avx2::pixelRow, avx512::pixelRow);

void pixelRow(const uint8_t *const rows[3], size_t components, uint32_t *out, uint32_t width) {
    PixelRowKernel::call(rows, components, out, width);
}
PixelRowFn pixelRowVariant(Level level) { return PixelRowKernel::pick(level); }

}  // namespace zorblit::kernels
