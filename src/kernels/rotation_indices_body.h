// A rotated row's source indices, Lanes::kCount pixels at a time: the lanes take
// the plain loop's float operations in the same order (the form's rotated samples
// on vectors), the conversion rounds to nearest with ties to even, and one
// multiply-add of 16-bit halves gives column plus row times width. The lanes'
// column offsets step by exactly kCount, as all are small integers. Returns how
// many pixels it did; the caller finishes the rest. No include guard:
// rotation_indices.cpp includes this once per level, inside the level's namespace
// and target region.
template <class Form, class Lanes>
int32_t sourceIndicesInLanes(int32_t *indices, int32_t count, float fx0, float fy, const SampleGrid &grid) {
    using Floats = typename Lanes::Floats;
    using Unsigned = typename Lanes::Unsigned;
    const Floats y = Floats{} + fy;
    Floats x{};
    for (int32_t lane = 0; lane < Lanes::kCount; ++lane) x[lane] = float(lane);
    x += fx0;
    const Unsigned width = Unsigned{} + uint32_t(grid.width), height = Unsigned{} + uint32_t(grid.height);
    int32_t k = 0;
    for (; k + Lanes::kCount <= count; k += Lanes::kCount, x += float(Lanes::kCount)) {
        Floats sampleXs, sampleYs;
        Form::rotatedSample(sampleXs, sampleYs, x, y, grid.turn, grid.cx, grid.cy);
        const Unsigned sx = Lanes::round(sampleXs), sy = Lanes::round(sampleYs);
        const Unsigned inside = Unsigned((sx < width) & (sy < height));
        Lanes::store(indices + k, Lanes::rowMajor((sx & 0xFFFF) | sy << 16, grid.width) | ~inside);  // -1 outside
    }
    return k;
}
