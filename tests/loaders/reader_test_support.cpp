// The shared checks, and the reference codecs, only ever given valid input here.
#include "reader_test_support.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace zorblit::test {

static std::string outputPath(const std::string &name) {
    std::filesystem::create_directories(ZORBLIT_TEST_OUTPUT_DIR);
    return std::string(ZORBLIT_TEST_OUTPUT_DIR) + "/" + name;
}

Decoded decodeExact(MemoryDecoder decode, const Bytes &bytes, size_t length) {
    length = std::min(length, bytes.size());
    const auto block = std::make_unique<uint8_t[]>(length);
    std::copy_n(bytes.begin(), length, block.get());
    GFXimage image = sentinelImage();
    Decoded result{decode(&image, block.get(), uint32_t(length)), image.width, image.height, {}};
    EXPECT_TRUE(std::equal(block.get(), block.get() + length, bytes.begin())) << "the decoder changed its input";
    EXPECT_TRUE(result.ok || isSentinel(image)) << "a refusal changed the record";
    if (!result.ok) return result;
    EXPECT_NE(image.data, nullptr);
    if (image.data) result.pixels.assign(image.data, image.data + size_t(image.width) * image.height);
    FreeImage(&image);
    return result;
}

void expectCases(MemoryDecoder decode, const std::vector<Case> &cases) {
    for (const Case &c : cases) {
        const Decoded result = decodeExact(decode, c.file);
        EXPECT_EQ(result.ok, !c.expected.empty()) << c.what;
        EXPECT_EQ(result.pixels, c.expected) << c.what;
    }
}

void expectRefusesCutsAndSurvivesDamage(MemoryDecoder decode, const Bytes &bytes, size_t cutsUpTo) {
    ASSERT_TRUE(decodeExact(decode, bytes).ok);
    for (size_t length = 0; length < std::min(cutsUpTo, bytes.size()); ++length)
        ASSERT_FALSE(decodeExact(decode, bytes, length).ok) << "accepted " << length << " of " << bytes.size();
    for (size_t at = 0; at < bytes.size(); ++at)
        for (const uint8_t value : {uint8_t(0), uint8_t(0xFF), uint8_t(~bytes[at])}) {
            SCOPED_TRACE(at);
            Bytes damaged = bytes;
            damaged[at] = value;
            decodeExact(decode, damaged);
        }
}

void expectFileLoadsAsInMemory(bool (*load)(GFXimage *, const char *), MemoryDecoder decode, const Bytes &bytes,
                               const std::string &name) {
    const std::string path = outputPath(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    const Decoded expected = decodeExact(decode, bytes);
    GFXimage image{};
    ASSERT_TRUE(expected.ok && load(&image, path.c_str())) << name;
    EXPECT_EQ(image.width, expected.width);
    EXPECT_EQ(Pixels(image.data, image.data + size_t(image.width) * image.height), expected.pixels) << name;
    FreeImage(&image);
    image = sentinelImage();
    EXPECT_FALSE(load(&image, (path + ".missing").c_str()));
    EXPECT_TRUE(isSentinel(image));
}

std::pair<Bytes, Pixels> convertWithImageMagick(TestRandom &random, uint32_t width, uint32_t height,
                                                uint32_t colourCount, const std::string &options, const std::string &format) {
    Pixels colours;
    for (uint32_t i = 0; i < colourCount; ++i) colours.push_back(uint32_t(random.next()));
    const std::string path = outputPath("magick." + format);
    std::pair<Bytes, Pixels> result;
    FILE *in = popen(("convert ppm:- " + options + " '" + format + ":" + path + "'").c_str(), "w");
    if (!in) return result;
    std::fprintf(in, "P6 %u %u 255\n", width, height);
    for (uint32_t i = 0; i < width * height; ++i) std::fwrite(&colours[random.next() % colourCount], 1, 3, in);
    if (pclose(in) != 0) return result;
    std::ifstream file(path, std::ios::binary);
    result.first.assign(std::istreambuf_iterator<char>(file), {});
    FILE *out = popen(("convert '" + format + ":" + path + "' -depth 8 rgb:-").c_str(), "r");
    for (uint8_t rgb[3]; out && std::fread(rgb, 1, 3, out) == 3;)
        result.second.push_back(0xFF000000u | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2]);
    if (!out || pclose(out) != 0 || result.second.size() != width * height) result = {};
    return result;
}

Bytes deflateBytes(const Bytes &data, int level, bool raw, int strategy) {
    z_stream z{};
    deflateInit2(&z, level, Z_DEFLATED, raw ? -15 : 15, 8, strategy);
    Bytes out(deflateBound(&z, uLong(data.size())));
    z.next_in = const_cast<Bytef *>(data.data()), z.avail_in = uInt(data.size());
    z.next_out = out.data(), z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

Bytes writeWithLibpng(int colourType, int depth, uint32_t width, uint32_t height, bool interlaced, bool transparency,
                      uint64_t seed) {
    TestRandom random(seed);
    const int maxSample = (1 << depth) - 1, channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const int colours = colourType == PNG_COLOR_TYPE_PALETTE ? 1 + int(random.range(0, maxSample)) : 0;
    const bool keyed = transparency && (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_RGB);
    std::vector<png_color> palette;
    Bytes paletteAlpha;
    for (int i = 0; i < colours; ++i) palette.push_back({uint8_t(random.next()), uint8_t(random.next()), uint8_t(random.next())});
    for (int i = 0; transparency && i < (colours + 1) / 2; ++i) paletteAlpha.push_back(uint8_t(random.next()));
    const uint16_t key[3] = {uint16_t(random.range(0, maxSample)), uint16_t(random.range(0, maxSample)),
                             uint16_t(random.range(0, maxSample))};
    const png_color_16 keyColour{0, key[0], key[1], key[2], key[0]};
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);  // an error aborts: only valid pictures are written
    png_set_write_fn(png, &out, [](png_structp s, png_bytep data, png_size_t length) {
        static_cast<Bytes *>(png_get_io_ptr(s))->insert(static_cast<Bytes *>(png_get_io_ptr(s))->end(), data, data + length);
    }, nullptr);
    png_set_IHDR(png, info, width, height, depth, colourType, interlaced, 0, 0);
    if (colours) png_set_PLTE(png, info, palette.data(), colours);
    if (!paletteAlpha.empty()) png_set_tRNS(png, info, paletteAlpha.data(), int(paletteAlpha.size()), nullptr);
    if (keyed) png_set_tRNS(png, info, nullptr, 0, &keyColour);
    png_set_filter(png, 0, PNG_ALL_FILTERS);
    png_write_info(png, info);
    // Rows at the file's depth: big-endian 16-bit samples, sub-byte samples most significant first.
    std::vector<Bytes> rows(height, Bytes((size_t(width) * channels * depth + 7) / 8, 0));
    std::vector<png_bytep> pointers;
    for (Bytes &row : rows) {
        for (uint32_t x = 0; x < width; ++x) {
            const bool useKey = keyed && random.range(0, 4) == 0;
            for (size_t c = 0, i = size_t(x) * channels; c < size_t(channels); ++c, ++i) {
                const uint16_t v = useKey ? key[c] : uint16_t(random.range(0, colours ? colours - 1 : maxSample));
                if (depth == 16) row[2 * i] = uint8_t(v >> 8), row[2 * i + 1] = uint8_t(v);
                else row[i * depth / 8] |= uint8_t(v << (8 - depth - i * depth % 8));
            }
        }
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Pixels readWithLibpng(const Bytes &file) {
    FILE *in = fmemopen(const_cast<uint8_t *>(file.data()), file.size(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!in || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        if (in) std::fclose(in);
        return {};
    }
    png_init_io(png, in);
    png_read_png(png, info, PNG_TRANSFORM_EXPAND | PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_GRAY_TO_RGB, nullptr);
    const png_bytepp rows = png_get_rows(png, info);
    const int channels = png_get_channels(png, info);  // RGB or RGBA
    Pixels pixels;
    for (uint32_t y = 0; y < png_get_image_height(png, info); ++y)
        for (const uint8_t *p = rows[y]; p < rows[y] + png_get_image_width(png, info) * channels; p += channels)
            pixels.push_back(uint32_t(channels == 4 ? p[3] : 255) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(in);
    return pixels;
}

Bytes encodeJpeg(uint32_t width, uint32_t height, const JpegOptions &options, uint64_t seed) {
    const int channels = options.grey ? 1 : options.cmyk ? 4 : 3;
    TestRandom random(seed);
    Bytes picture(size_t(width) * height * channels, 128);
    for (size_t i = 0; seed && i < picture.size(); ++i) {
        const uint32_t x = uint32_t(i / channels % width), y = uint32_t(i / channels / width), c = uint32_t(i % channels);
        const int gradient = int((x * (40 + 30 * c) + y * (70 - 20 * c)) % 256), edge = (x / 7 + y / 5 + c) % 3 ? 0 : 90;
        picture[i] = uint8_t(std::clamp(gradient / 2 + edge + int(random.range(-12, 12)) + 20, 0, 255));
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width, cinfo.image_height = height, cinfo.input_components = channels;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.restart_interval = options.restartInterval, cinfo.arith_code = options.arithmetic;
    cinfo.comp_info[0].h_samp_factor = options.lumaSamplingX, cinfo.comp_info[0].v_samp_factor = options.lumaSamplingY;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.commentAndApp1) {
        jpeg_write_marker(&cinfo, JPEG_COM, reinterpret_cast<const JOCTET *>("a comment"), 9);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET *>("Exif\0\0"), 6);
    }
    while (cinfo.next_scanline < height) {
        JSAMPROW row = picture.data() + size_t(cinfo.next_scanline) * width * channels;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}

Pixels referenceDecodeJpeg(const Bytes &file) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), file.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.dct_method = JDCT_ISLOW, cinfo.do_fancy_upsampling = FALSE, cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Pixels pixels;
    Bytes row(size_t(cinfo.output_width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_read_scanlines(&cinfo, &rowPointer, 1);
        for (size_t x = 0; x < row.size(); x += 3)
            pixels.push_back(0xFF000000u | uint32_t(row[x]) << 16 | uint32_t(row[x + 1]) << 8 | row[x + 2]);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return pixels;
}

}  // namespace zorblit::test
