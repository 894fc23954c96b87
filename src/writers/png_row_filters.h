// PNG row filters for writing: each row goes out as the filter type that gives
// the smallest sum of absolute residuals (read as signed bytes).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorblit {

class RowFilterChooser {
public:
    // Rows of rowBytes bytes, bytesPerPixel 3 or 4.
    RowFilterChooser(size_t rowBytes, unsigned bytesPerPixel);

    // Writes the filter type byte and the filtered row to out (rowBytes + 1
    // bytes); above is the previous row, null for the first.
    void filter(const uint8_t *row, const uint8_t *above, uint8_t *out);

private:
    size_t rowBytes_;
    unsigned bytesPerPixel_;
    std::vector<uint8_t> zeros_, trial_;
};

}  // namespace zorblit
