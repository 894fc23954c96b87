/*
 * zorblit: a software 2D graphics library with one output window.
 *
 * Images are 32-bit pixels 0xAARRGGBB (blue in the low byte), rows top to bottom
 * with no gap. Every drawing routine has an unclipped form that trusts its
 * coordinates and a form ending in "Clip" that draws only what lies inside its
 * limit. Readers return false and leave the image record untouched on bad input.
 */
#ifndef ZORBLIT_H
#define ZORBLIT_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#if defined(ZORBLIT_BUILDING)
#define ZORBLIT_API __attribute__((visibility("default")))
#else
#define ZORBLIT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define ZORBLIT_VERSION_MAJOR 4
#define ZORBLIT_VERSION_MINOR 0
#define ZORBLIT_VERSION_PATCH 8

/* The version ("4.0.8e") and the form of the core routines ("packed" or
 * "portable") of the library actually loaded; constant storage. */
ZORBLIT_API const char *ZorblitVersion(void);
ZORBLIT_API const char *ZorblitForm(void);

/* ---- Images, packing and bulk memory ------------------------------------ */

/* An image: pixel (x, y) is data[y * width + x]. A record without pixels (data
 * NULL, or width or height 0) is empty: every routine given one returns at once
 * without touching memory (readers of pixels give 0). */
typedef struct GFXimage {
    uint32_t *data; /* first pixel of the top row; NULL: no pixels */
    uint32_t width;
    uint32_t height;
} GFXimage;

/* One pixel, 0xAARRGGBB. */
typedef uint32_t GFXcolor;

/* The virtual screen, created by InitGFXsystem. */
ZORBLIT_API extern GFXimage vscreen;
/* The clip rectangle: clipX1 <= x < clipX2, clipY1 <= y < clipY2. */
ZORBLIT_API extern int32_t clipX1, clipY1, clipX2, clipY2;

/* Sets width and height and allocates zeroed pixels; out of memory is fatal. */
ZORBLIT_API void AllocImage(GFXimage *image, uint32_t width, uint32_t height);
/* As AllocImage, but out of memory (or a size no block can hold) returns false
 * and leaves the record untouched; true once the image is allocated. */
ZORBLIT_API bool TryAllocImage(GFXimage *image, uint32_t width, uint32_t height);
/* Frees the pixels (if any) and clears data; width and height are kept. */
ZORBLIT_API void FreeImage(GFXimage *image);
/* Stores the four values unchanged in clipX1, clipY1, clipX2, clipY2. */
ZORBLIT_API void setClipRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

ZORBLIT_API uint32_t RGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
ZORBLIT_API void getRGBA(uint32_t color, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a);
ZORBLIT_API uint8_t getRed(uint32_t color);
ZORBLIT_API uint8_t getGreen(uint32_t color);
ZORBLIT_API uint8_t getBlue(uint32_t color);
ZORBLIT_API uint8_t getAlpha(uint32_t color);

/* Copies count 32-bit values from source to dest. */
ZORBLIT_API void FastMove(const void *source, void *dest, uint32_t count);
/* Stores value into count consecutive 32-bit values at dest. */
ZORBLIT_API void FastFill(void *dest, uint32_t count, uint32_t value);

/* ---- Pixel access -------------------------------------------------------- */

ZORBLIT_API void putPixel(GFXimage image, uint32_t x, uint32_t y, uint32_t color);
ZORBLIT_API void putPixelColor(GFXimage image, uint32_t x, uint32_t y, GFXcolor color);
ZORBLIT_API void putPixelRGBA(GFXimage image, uint32_t x, uint32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
ZORBLIT_API uint32_t getPixel(GFXimage image, uint32_t x, uint32_t y);
ZORBLIT_API GFXcolor getPixelColor(GFXimage image, uint32_t x, uint32_t y);
ZORBLIT_API void getPixelRGBA(GFXimage image, uint32_t x, uint32_t y, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a);

/* Clipped writers: portable form obeys the clip rectangle (and skips positions
 * outside the image), packed form obeys the image bounds. Clipped readers obey the
 * image bounds and return 0 (or leave r, g, b, a untouched) outside it. */
ZORBLIT_API void putPixelClip(GFXimage image, int32_t x, int32_t y, uint32_t color);
ZORBLIT_API void putPixelColorClip(GFXimage image, int32_t x, int32_t y, GFXcolor color);
ZORBLIT_API void putPixelRGBAClip(GFXimage image, int32_t x, int32_t y, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
ZORBLIT_API uint32_t getPixelClip(GFXimage image, int32_t x, int32_t y);
ZORBLIT_API GFXcolor getPixelColorClip(GFXimage image, int32_t x, int32_t y);
ZORBLIT_API void getPixelRGBAClip(GFXimage image, int32_t x, int32_t y, uint8_t *r, uint8_t *g, uint8_t *b, uint8_t *a);

/* ---- Blend operators (first = source, second = destination) -------------- */

ZORBLIT_API uint32_t Average(uint32_t first, uint32_t second);
ZORBLIT_API uint32_t SaturatedAdd(uint32_t first, uint32_t second);
ZORBLIT_API uint32_t SaturatedSub(uint32_t first, uint32_t second);
ZORBLIT_API uint32_t Alpha(uint32_t first, uint32_t second);
ZORBLIT_API uint32_t AlphaValue(uint32_t first, uint32_t second, uint8_t value);
ZORBLIT_API GFXcolor AlphaColor(GFXcolor first, GFXcolor second);
ZORBLIT_API GFXcolor AlphaValueColor(GFXcolor first, GFXcolor second, uint8_t value);

/* ---- Blits and sprites ---------------------------------------------------- */

/* Unclipped: the sprite must lie wholly inside the destination. */
ZORBLIT_API void putImage(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSprite(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t key);
ZORBLIT_API void putSpriteAlpha(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteAlphaValue(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint8_t value);
ZORBLIT_API void putSpriteAverage(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteSaturatedAdd(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteSaturatedSub(GFXimage dest, int32_t x, int32_t y, GFXimage source);

/* Clipped: any position; only the part inside the destination is drawn. */
ZORBLIT_API void putImageClip(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteClip(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint32_t key);
ZORBLIT_API void putSpriteAlphaClip(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteAlphaValueClip(GFXimage dest, int32_t x, int32_t y, GFXimage source, uint8_t value);
ZORBLIT_API void putSpriteAverageClip(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteSaturatedAddClip(GFXimage dest, int32_t x, int32_t y, GFXimage source);
ZORBLIT_API void putSpriteSaturatedSubClip(GFXimage dest, int32_t x, int32_t y, GFXimage source);

/* Fills target (already allocated) with the rectangle of source at (x, y). */
ZORBLIT_API void getImage(GFXimage target, uint32_t x, uint32_t y, GFXimage source);

/* ---- Drawing primitives --------------------------------------------------- */

/* One solid colour, written as is; both end points are drawn. Unclipped routines
 * trust their coordinates. Clipped routines take any coordinates and radius and
 * draw only what lies inside their limit (nothing when the shape lies wholly
 * outside it): the portable form keeps vertical lines to the image and everything
 * else to the clip rectangle (and the image); the packed form keeps everything to
 * the image. Line and circle outlines clip per pixel, like putPixelClip. */

/* Row y from x1 to x2 (either order). */
ZORBLIT_API void DrawHLine(GFXimage image, uint32_t x1, uint32_t x2, uint32_t y, uint32_t color);
ZORBLIT_API void DrawHLineClip(GFXimage image, int32_t x1, int32_t x2, int32_t y, uint32_t color);
/* Column x from y1 to y2 (either order). */
ZORBLIT_API void DrawVLine(GFXimage image, uint32_t y1, uint32_t y2, uint32_t x, uint32_t color);
ZORBLIT_API void DrawVLineClip(GFXimage image, int32_t y1, int32_t y2, int32_t x, uint32_t color);
/* Filled rectangle with corners (x1, y1), (x2, y2). The portable form draws
 * nothing when y1 > y2; the packed form takes the corners in any order. */
ZORBLIT_API void DrawBar(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color);
ZORBLIT_API void DrawBarClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);
/* Rectangle outline; both spellings are exported by every build. */
ZORBLIT_API void DrawRectangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color);
ZORBLIT_API void DrawRectangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);
ZORBLIT_API void drawRectangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color);
ZORBLIT_API void drawRectangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);
/* Line from (x1, y1) to (x2, y2), stepped in single precision; every pixel lies
 * inside the box of the two end points. */
ZORBLIT_API void DrawLine(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t color);
ZORBLIT_API void DrawLineClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t color);

/* Midpoint circle outline and the disc it bounds; radius 0 is the centre pixel. */
ZORBLIT_API void DrawCircle(GFXimage image, uint32_t cx, uint32_t cy, uint32_t radius, uint32_t color);
ZORBLIT_API void DrawCircleClip(GFXimage image, int32_t cx, int32_t cy, uint32_t radius, uint32_t color);
ZORBLIT_API void DrawFilledCircle(GFXimage image, uint32_t cx, uint32_t cy, uint32_t radius, uint32_t color);
ZORBLIT_API void DrawFilledCircleClip(GFXimage image, int32_t cx, int32_t cy, uint32_t radius, uint32_t color);
/* Filled triangle, corners in any order. Rows from the top corner down to the row
 * above the bottom corner are filled, so a triangle on one row draws nothing. */
ZORBLIT_API void DrawFilledTriangle(GFXimage image, uint32_t x1, uint32_t y1, uint32_t x2, uint32_t y2, uint32_t x3,
                                    uint32_t y3, uint32_t color);
ZORBLIT_API void DrawFilledTriangleClip(GFXimage image, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                                        int32_t y3, uint32_t color);

/* ---- Text ----------------------------------------------------------------- */

/* Built-in fixed-width fonts, 8 pixels wide, holding printable ASCII and Latin-1
 * (U+0020..U+007E, U+00A0..U+00FF): gfxFontHeight 8 picks the 8x8 font, any
 * other value the 8x16 font (16 is the default). */
ZORBLIT_API extern uint32_t gfxFontHeight;
/* UTF-8 text in one solid colour, written as is to the font's set pixels only,
 * with the first character's cell's top-left corner at (x, y). Each character
 * takes a cell 8 pixels wide; '\n' starts a new line one font height lower at x.
 * A character the font lacks (controls included) draws a box, and so does each
 * malformed UTF-8 sequence (a stray or cut-short sequence, overlong forms,
 * surrogates, values past U+10FFFF): its longest start that could begin a valid
 * sequence, else one byte. Reading stops at the terminating NUL; NULL draws
 * nothing. DrawText expects the text inside the image (and never writes outside
 * it); DrawTextClip takes any coordinates and draws only inside the limit of the
 * clipped primitives' runs. */
ZORBLIT_API void DrawText(GFXimage image, uint32_t x, uint32_t y, const char *text, uint32_t color);
ZORBLIT_API void DrawTextClip(GFXimage image, int32_t x, int32_t y, const char *text, uint32_t color);
/* The cells DrawText covers: 8 pixels per character of the longest line wide,
 * the font height per line high, a text with n newlines having n + 1 lines ("" is
 * 0 wide and one line high; NULL counts as ""). Sizes past UINT32_MAX are held
 * there. Either pointer may be NULL. */
ZORBLIT_API void GetTextSize(const char *text, uint32_t *width, uint32_t *height);

/* ---- Scaling, rotation, roto-zoom ----------------------------------------- */

/* Scaled sprites: the whole source stretched or shrunk into the rectangle with
 * corners (x1, y1) and (x2, y2), the second exclusive, nearest pixel, in the
 * seven sprite modes. Any corners are safe: only the part inside dest is drawn.
 * Packed form: (x2, y2) = (0, 0) draws the source unscaled at (x1, y1); an axis
 * with no extent keeps the source's size; the alpha modes blend with weight
 * k + (k >> 7) on all four bytes, so alpha 0 skips and alpha 255 copies.
 * Portable form: copy and colour key obey the clip rectangle; a rectangle with
 * no extent draws nothing, except that ScaleImage copies the source's pixels to
 * the start of dest's block (at most dest's pixel count). */
ZORBLIT_API void ScaleImage(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage source);
ZORBLIT_API void ScaleSprite(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t key,
                             GFXimage source);
ZORBLIT_API void ScaleSpriteAlpha(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage source);
ZORBLIT_API void ScaleSpriteAlphaValue(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value,
                                       GFXimage source);
ZORBLIT_API void ScaleSpriteAverage(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2, GFXimage source);
ZORBLIT_API void ScaleSpriteSaturatedAdd(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                         GFXimage source);
ZORBLIT_API void ScaleSpriteSaturatedSub(GFXimage dest, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                         GFXimage source);

/* Rotated sprites: the source turned clockwise by angle degrees about its pixel
 * (width / 2, height / 2), which stays at (x + width / 2, y + height / 2).
 * Angles are reduced modulo 360 first (-370 turns as -10). Only the part
 * inside dest (in the portable form, also inside the clip rectangle) is drawn. */
ZORBLIT_API void RotateImage(GFXimage dest, int32_t x, int32_t y, int32_t angle, GFXimage source);
ZORBLIT_API void RotateSprite(GFXimage dest, int32_t x, int32_t y, int32_t angle, uint32_t key, GFXimage source);
ZORBLIT_API void RotateSpriteAlpha(GFXimage dest, int32_t x, int32_t y, int32_t angle, GFXimage source);
ZORBLIT_API void RotateSpriteAlphaValue(GFXimage dest, int32_t x, int32_t y, int32_t angle, uint8_t value,
                                        GFXimage source);
ZORBLIT_API void RotateSpriteAverage(GFXimage dest, int32_t x, int32_t y, int32_t angle, GFXimage source);
ZORBLIT_API void RotateSpriteSaturatedAdd(GFXimage dest, int32_t x, int32_t y, int32_t angle, GFXimage source);
ZORBLIT_API void RotateSpriteSaturatedSub(GFXimage dest, int32_t x, int32_t y, int32_t angle, GFXimage source);

/* Roto-zoom: fills all of dest with the source turned anticlockwise by angle
 * radians and zoomed (zoom = source pixels per dest pixel: 2 is half size, a
 * negative zoom turns by half a turn). RotoZoomImage puts the source's centre
 * at dest's centre; RotoZoomImageNoRepeat shifts it by a quarter of the size
 * difference instead of a half. Points outside the source are 0. An angle or
 * zoom for which the steps are not finite (NaN, infinity) fills dest with 0;
 * steps beyond 2^31 source pixels per dest pixel are held there, and on a dest
 * more than 32767 pixels across lower still, so that no point lies 2^46 source
 * pixels or more away. */
ZORBLIT_API void RotoZoomImage(GFXimage dest, GFXimage source, float angle, float zoom);
ZORBLIT_API void RotoZoomImageNoRepeat(GFXimage dest, GFXimage source, float angle, float zoom);

/* ---- Whole-image effects, procedural pictures, colour models -------------- */
/* None of these clips or allocates; an image of width or height 0 is left
 * untouched. Second and third images must be at least as large as the one that
 * sets the extent (stated per routine). */

/* Every byte, alpha included, becomes 255 minus itself. */
ZORBLIT_API void InvertImageColors(GFXimage image);
/* dest = Average / SaturatedAdd / SaturatedSub (a minus b) of a and b, pixel by
 * pixel. Packed form: dest's width x height pixels as one run; portable form:
 * a's rows and columns. dest may be a or b. */
ZORBLIT_API void AverageImage(GFXimage dest, GFXimage a, GFXimage b);
ZORBLIT_API void SaturatedImageAdd(GFXimage dest, GFXimage a, GFXimage b);
ZORBLIT_API void SaturatedImageSub(GFXimage dest, GFXimage a, GFXimage b);
/* dest(x, y) = AlphaValue(a(x, y), b(x, y), value) over a's extent. */
ZORBLIT_API void AlphaImage(GFXimage dest, GFXimage a, GFXimage b, uint8_t value);
/* In place, all four bytes; the top and bottom rows are never changed. Packed
 * form: each pixel of the run becomes the mean of its left (already blurred),
 * right, upper and lower neighbours. Portable form: 3x3 box blur of the inner
 * pixels. Images with fewer than 3 rows (portable: or columns) are unchanged. */
ZORBLIT_API void BlurImage(GFXimage image);
/* Red, green and blue become round(c * level / 256); alpha is kept. */
ZORBLIT_API void Fade2BlackImage(GFXimage image, uint8_t level);
/* Red, green and blue become round(255 - (255 - c) * level / 255): 0 is white,
 * 255 keeps the colour; alpha is kept. */
ZORBLIT_API void Fade2WhiteImage(GFXimage image, uint8_t level);
/* The Fade2WhiteImage result of source (its extent) written to dest. */
ZORBLIT_API void Fade2WhiteImage2Screen(GFXimage dest, GFXimage source, uint8_t level);
/* dest's alpha = 255 - (r + g + b) / 3 of the mask (black opaque, white clear). */
ZORBLIT_API void CreateAlphaFromImage(GFXimage dest, GFXimage mask);

/* Grey plasma, alpha 255: level = round((63.5 sin(x dx) + 63.5 sin(y dy) + 127)
 * * brightness / 256); brightness 256 gives 0..254. Levels outside 0..255 are
 * clamped (packed form) or taken modulo 256 (portable form). A level that is not
 * a number (any NaN argument, an infinite dx or dy) is 0, and so is an infinite
 * level in the portable form. */
ZORBLIT_API void SinePlasmaImage(GFXimage image, float dx, float dy, float brightness);
/* Seeded random colours (grey unless colour) every step pixels, range levels per
 * channel (a power of two up to 256; others act as an AND mask of range - 1),
 * smoothed by cosine interpolation. Tiles seamlessly when width and height are
 * powers of two. The picture depends only on the size and the arguments. A step
 * outside 1..256 draws nothing. */
ZORBLIT_API void SubPlasmaImage(GFXimage image, int32_t step, int32_t seed, int32_t range, bool colour);
/* Grey radial glow, alpha 255: 255 - 180 * falloff * d, clamped to 0..255, where
 * d is the distance from the centre with each axis scaled so the edge midpoints
 * lie at 1. An image one pixel across, or a NaN result, gives 0. */
ZORBLIT_API void ParticleImage(GFXimage image, float falloff);

/* Colour models, every component 0..255 (hue 0..255 for 0..360 degrees). The
 * CMY routines order their components cyan, yellow, magenta. */
ZORBLIT_API void RGB2HSV(uint8_t r, uint8_t g, uint8_t b, uint8_t *h, uint8_t *s, uint8_t *v);
ZORBLIT_API void HSV2RGB(uint8_t h, uint8_t s, uint8_t v, uint8_t *r, uint8_t *g, uint8_t *b);
ZORBLIT_API void RGB2CYM(uint8_t r, uint8_t g, uint8_t b, uint8_t *c, uint8_t *y, uint8_t *m);
ZORBLIT_API void CYM2RGB(uint8_t c, uint8_t y, uint8_t m, uint8_t *r, uint8_t *g, uint8_t *b);
ZORBLIT_API void RGB2CYMK(uint8_t r, uint8_t g, uint8_t b, uint8_t *c, uint8_t *y, uint8_t *m, uint8_t *k);
ZORBLIT_API void CYMK2RGB(uint8_t c, uint8_t y, uint8_t m, uint8_t k, uint8_t *r, uint8_t *g, uint8_t *b);

/* ---- Image file readers --------------------------------------------------- */

/* Every reader allocates the image with AllocImage and returns true, or returns
 * false and leaves the record as it was (missing, truncated or malformed file,
 * more than 2^24 pixels across or down or 2^28 in all, PNG 2^30 samples;
 * LoadFailureReason says why). */

/* Windows bitmap: 1, 4, 8, 16, 24 or 32 bits per pixel (16 and 32 also with
 * channel masks), 8- and 4-bit run-length coding (pixels the stream never sets
 * are transparent black), OS/2 core headers; alpha 255. */
ZORBLIT_API bool bmpLoad(GFXimage *image, const char *name);
/* The library's raw IM file (palette of 6-bit entries or RGB bytes); alpha 128. */
ZORBLIT_API bool imLoad(GFXimage *image, const char *name);
/* 256-colour run-length PCX (version 5, one 8-bit plane); alpha 255. */
ZORBLIT_API bool pcxLoad(GFXimage *image, const char *name);
/* PNG: every colour type and bit depth, interlaced or not, tRNS transparency,
 * Apple's CgBI variant; 16-bit samples keep their high byte; alpha from the file;
 * a suggested palette in a true-colour image is skipped.
 * pngLoadMem reads size bytes at data and neither keeps nor changes them. */
ZORBLIT_API bool pngLoad(GFXimage *image, const char *name);
ZORBLIT_API bool pngLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);
/* JPEG, Huffman-coded 8-bit: baseline, extended and multi-scan sequential, and
 * progressive; grey, YCbCr, RGB, CMYK or YCCK with any chroma subsampling, restart
 * markers; alpha 255. Arithmetic-coded, lossless, hierarchical and 12-bit files
 * give false. jpegLoadMem neither keeps nor changes data. */
ZORBLIT_API bool jpegLoad(GFXimage *image, const char *name);
ZORBLIT_API bool jpegLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);
/* GIF: the first image on a canvas of the file's screen size that starts
 * transparent black (alpha 0; the background colour is not used), the image's
 * transparent index left as alpha 0, interlaced or not; other pixels alpha 255. */
ZORBLIT_API bool gifLoad(GFXimage *image, const char *name);
ZORBLIT_API bool gifLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);
/* Every frame of a GIF animation as shown: each a screen-sized image of the
 * canvas after that frame's image is drawn, its disposal (keep, clear to
 * transparent black, restore the previous canvas) applied before the next.
 * On success *frames and *delaysMs are new arrays of *count images and delays
 * (the file's hundredths of a second, times 10; 0 stays 0): release all with
 * gifFreeFrames. On failure the three are left as they were. */
ZORBLIT_API bool gifLoadFrames(const char *name, GFXimage **frames, uint32_t **delaysMs, uint32_t *count);
ZORBLIT_API bool gifLoadFramesMem(const uint8_t *data, uint32_t size, GFXimage **frames, uint32_t **delaysMs,
                                  uint32_t *count);
ZORBLIT_API void gifFreeFrames(GFXimage *frames, uint32_t *delaysMs, uint32_t count);
/* TGA: true colour of 15, 16, 24 or 32 bits, 8-bit grey (16: grey and alpha),
 * colour-mapped with 8- or 16-bit indices, raw or run-length, rows bottom up or
 * top down (and right to left). Alpha from a 32-bit pixel's fourth byte or a
 * 16-bit pixel's top bit only when the header declares alpha bits, else 255;
 * indices outside the colour map give transparent black. */
ZORBLIT_API bool tgaLoad(GFXimage *image, const char *name);
ZORBLIT_API bool tgaLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);
/* QOI: 3 or 4 channels; alpha from the file (255 where it never changes). */
ZORBLIT_API bool qoiLoad(GFXimage *image, const char *name);
ZORBLIT_API bool qoiLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);
/* Any format above, told by its first bytes (PNG, JPEG, GIF, BMP, QOI, PCX).
 * Without a signature: imageLoad reads a name ending in ".im" (any case) as IM;
 * otherwise both try TGA last, which takes a file whose header holds together.
 * GIF gives its first image. */
ZORBLIT_API bool imageLoad(GFXimage *image, const char *name);
ZORBLIT_API bool imageLoadMem(GFXimage *image, const uint8_t *data, uint32_t size);

/* Why the last reader call on this thread gave false, as short English text:
 * "cannot open file", an unsupported feature by name, damaged data "at byte N",
 * "image too large", ... Never empty after a refusal; "" after a success. The
 * text stays valid until the next reader call on the same thread. */
ZORBLIT_API const char *LoadFailureReason(void);

/* ---- Image file writers --------------------------------------------------- */

/* Every writer returns true once the whole file is in place under name, or
 * false with name left as it was: no pixels (data NULL, width or height 0), a
 * size the format cannot hold, a file that cannot be made, a full disk or a
 * short write. The file is written under a temporary name in the same folder
 * and renamed over name. The plain forms write colour only (alpha ignored,
 * the picture as the window shows it); the ...Alpha forms keep alpha. */

/* PNG compression for pngSave, pngSaveAlpha and pngSaveMem: 0 stored (no
 * compression), 1 fast, 2 default (the initial value); below 0 counts as 0,
 * above 2 as 2. */
ZORBLIT_API extern int32_t pngSaveLevel;
/* PNG, 8-bit RGB (pngSave) or RGBA (pngSaveAlpha), rows adaptively filtered. */
ZORBLIT_API bool pngSave(GFXimage image, const char *name);
ZORBLIT_API bool pngSaveAlpha(GFXimage image, const char *name);
/* The PNG file in a new block of *size bytes at *data (RGBA if keepAlpha);
 * free it with FreeMemory. On false *data and *size are untouched. */
ZORBLIT_API bool pngSaveMem(GFXimage image, bool keepAlpha, uint8_t **data, size_t *size);
/* Frees a block the library handed out; NULL is ignored. */
ZORBLIT_API void FreeMemory(void *block);
/* Windows bitmap, bottom-up: 24 bits per pixel (bmpSave) or 32 with an alpha
 * mask in a 108-byte header (bmpSaveAlpha). */
ZORBLIT_API bool bmpSave(GFXimage image, const char *name);
ZORBLIT_API bool bmpSaveAlpha(GFXimage image, const char *name);
/* QOI, 3 channels (qoiSave) or 4 (qoiSaveAlpha), sRGB. */
ZORBLIT_API bool qoiSave(GFXimage image, const char *name);
ZORBLIT_API bool qoiSaveAlpha(GFXimage image, const char *name);

/* ---- Output window and lifecycle ------------------------------------------ */
/* gfxDeviceMode, set before initialisation: 0 (becomes 1) or 1 image view,
 * 3 OpenGL pixel copy, 6 host OpenGL (openGLcontext), 7 windowless
 * (InitGFXsystemScale), 10 GPU texture view; other values open a window
 * without content. */
ZORBLIT_API extern int32_t gfxDeviceMode;
ZORBLIT_API extern bool gfxFullScreen;
/* True once the window's close button or a quit request was seen. */
ZORBLIT_API extern bool gfxDone;
/* Window pixels per virtual-screen pixel in the OpenGL modes. */
ZORBLIT_API extern float gfxPixelSizeX, gfxPixelSizeY;
/* Set by a host that presents from a thread where the OpenGL context is not current. */
ZORBLIT_API extern bool gfxUsingThreads;
ZORBLIT_API extern uint32_t gfxRealScreenWidth, gfxRealScreenHeight;
ZORBLIT_API extern bool gfxWindowMinimized;
ZORBLIT_API extern bool gfxCenterWindow;
ZORBLIT_API extern int32_t gfxWindowPosX, gfxWindowPosY;

/* Creates vscreen and opens the output window in the mode of gfxDeviceMode. */
ZORBLIT_API void InitGFXsystem(uint32_t width, uint32_t height, bool fullscreen);
/* gfxDeviceMode := 6, then InitGFXsystem: vscreen gets a size but no pixels. */
ZORBLIT_API void openGLcontext(uint32_t width, uint32_t height, bool fullscreen);
/* gfxDeviceMode := 7: a width x height vscreen and no window. */
ZORBLIT_API void InitGFXsystemScale(uint32_t width, uint32_t height, uint32_t realWidth,
                                    uint32_t realHeight, bool fullscreen);
/* Presents vscreen by mode and counts the frame. Takes in no events. */
ZORBLIT_API void FlipScreen(void);
/* Takes in every pending window event (keyboard, mouse, close), never waits. */
ZORBLIT_API void UpdateInternals(void);
/* Waits for the next frame when gfxFrameRate is set, then UpdateInternals and
 * FlipScreen. */
ZORBLIT_API void UpdateGFXsystem(void);
/* Closes the window and frees vscreen. */
ZORBLIT_API void FinishGFXsystem(void);
ZORBLIT_API void closeGLcontext(void);
/* Releases every key; the event pump then ignores key events for 256 ms. */
ZORBLIT_API void delayKeyboard(void);
/* False while the keyboard delay runs. */
ZORBLIT_API bool allowKeyboardHit(void);

/* ---- Keyboard and mouse --------------------------------------------------- */

/* Key numbers, the indices of keyboard: physical keys named by their place on
 * a US PC keyboard (Z and Y by the letter they type under keyboardlayout).
 * GRAVE is the key left of 1, NON_US_BACKSLASH the extra key right of left
 * Shift on ISO keyboards; LOGO are the system keys beside the Alt keys.
 * No key gives 47; keys without a number (F11, keypad Enter and point, ...)
 * land in keyboard[0]. */
enum ZorblitKey {
    ZORBLIT_KEY_A = 1, ZORBLIT_KEY_S = 2, ZORBLIT_KEY_D = 3, ZORBLIT_KEY_F = 4, ZORBLIT_KEY_H = 5,
    ZORBLIT_KEY_G = 6, ZORBLIT_KEY_Z = 7, ZORBLIT_KEY_X = 8, ZORBLIT_KEY_C = 9, ZORBLIT_KEY_V = 10,
    ZORBLIT_KEY_B = 11, ZORBLIT_KEY_Q = 12, ZORBLIT_KEY_W = 13, ZORBLIT_KEY_E = 14, ZORBLIT_KEY_R = 15,
    ZORBLIT_KEY_Y = 16, ZORBLIT_KEY_T = 17, ZORBLIT_KEY_O = 18, ZORBLIT_KEY_U = 19, ZORBLIT_KEY_I = 20,
    ZORBLIT_KEY_P = 21, ZORBLIT_KEY_L = 22, ZORBLIT_KEY_J = 23, ZORBLIT_KEY_K = 24, ZORBLIT_KEY_N = 25,
    ZORBLIT_KEY_M = 26, ZORBLIT_KEY_1 = 27, ZORBLIT_KEY_2 = 28, ZORBLIT_KEY_3 = 29, ZORBLIT_KEY_4 = 30,
    ZORBLIT_KEY_5 = 31, ZORBLIT_KEY_6 = 32, ZORBLIT_KEY_7 = 33, ZORBLIT_KEY_8 = 34, ZORBLIT_KEY_9 = 35,
    ZORBLIT_KEY_0 = 36, ZORBLIT_KEY_F1 = 37, ZORBLIT_KEY_F2 = 38, ZORBLIT_KEY_F3 = 39, ZORBLIT_KEY_F4 = 40,
    ZORBLIT_KEY_F5 = 41, ZORBLIT_KEY_F6 = 42, ZORBLIT_KEY_F7 = 43, ZORBLIT_KEY_F8 = 44, ZORBLIT_KEY_F9 = 45,
    ZORBLIT_KEY_F10 = 46, ZORBLIT_KEY_F12 = 48, ZORBLIT_KEY_RETURN = 49, ZORBLIT_KEY_TAB = 50,
    ZORBLIT_KEY_SPACE = 51, ZORBLIT_KEY_BACKSPACE = 52, ZORBLIT_KEY_ESCAPE = 53, ZORBLIT_KEY_CAPS_LOCK = 54,
    ZORBLIT_KEY_F13 = 55, ZORBLIT_KEY_F14 = 56, ZORBLIT_KEY_F15 = 57, ZORBLIT_KEY_RIGHT_LOGO = 58,
    ZORBLIT_KEY_LEFT_LOGO = 59, ZORBLIT_KEY_RIGHT_SHIFT = 60, ZORBLIT_KEY_LEFT_SHIFT = 61,
    ZORBLIT_KEY_RIGHT_ALT = 62, ZORBLIT_KEY_LEFT_ALT = 63, ZORBLIT_KEY_RIGHT_CONTROL = 64,
    ZORBLIT_KEY_LEFT_CONTROL = 65, ZORBLIT_KEY_KEYPAD_CLEAR = 66, ZORBLIT_KEY_KEYPAD_MULTIPLY = 67,
    ZORBLIT_KEY_KEYPAD_PLUS = 68, ZORBLIT_KEY_KEYPAD_DIVIDE = 69, ZORBLIT_KEY_KEYPAD_MINUS = 70,
    ZORBLIT_KEY_KEYPAD_EQUALS = 71, ZORBLIT_KEY_KEYPAD_0 = 72, ZORBLIT_KEY_KEYPAD_1 = 73,
    ZORBLIT_KEY_KEYPAD_2 = 74, ZORBLIT_KEY_KEYPAD_3 = 75, ZORBLIT_KEY_KEYPAD_4 = 76, ZORBLIT_KEY_KEYPAD_5 = 77,
    ZORBLIT_KEY_KEYPAD_6 = 78, ZORBLIT_KEY_KEYPAD_7 = 79, ZORBLIT_KEY_KEYPAD_8 = 80, ZORBLIT_KEY_KEYPAD_9 = 81,
    ZORBLIT_KEY_KEYPAD_COMMA = 82, ZORBLIT_KEY_INSERT = 83, ZORBLIT_KEY_DELETE = 84, ZORBLIT_KEY_HOME = 85,
    ZORBLIT_KEY_END = 86, ZORBLIT_KEY_PAGE_UP = 87, ZORBLIT_KEY_PAGE_DOWN = 88, ZORBLIT_KEY_LEFT = 89,
    ZORBLIT_KEY_RIGHT = 90, ZORBLIT_KEY_DOWN = 91, ZORBLIT_KEY_UP = 92, ZORBLIT_KEY_GRAVE = 93,
    ZORBLIT_KEY_MINUS = 94, ZORBLIT_KEY_EQUALS = 95, ZORBLIT_KEY_LEFT_BRACKET = 96,
    ZORBLIT_KEY_RIGHT_BRACKET = 97, ZORBLIT_KEY_SEMICOLON = 98, ZORBLIT_KEY_APOSTROPHE = 99,
    ZORBLIT_KEY_BACKSLASH = 100, ZORBLIT_KEY_NON_US_BACKSLASH = 101, ZORBLIT_KEY_COMMA = 102,
    ZORBLIT_KEY_PERIOD = 103, ZORBLIT_KEY_SLASH = 104,
};
/* keyboard[k] is 1 while the key with key number k (ZORBLIT_KEY_...) is down; entry 0
 * collects keys without a number. A key pressed and released between two
 * updates reads 1 until the next update, so no press is lost. */
ZORBLIT_API extern uint8_t keyboard[256];
/* The key number doReadKey reported last. */
ZORBLIT_API extern uint8_t key_code;
/* 0: US layout, 1: German layout (default). */
ZORBLIT_API extern int32_t keyboardlayout;

/* Pointer position in virtual-screen pixels, read at every event an update
 * takes in; -1 until the first one. */
ZORBLIT_API extern int32_t mouseX, mouseY;
ZORBLIT_API extern int32_t mouse2X, mouse2Y;
/* The buttons as of the latest update; like keys, a button pressed and released
 * between two updates reads true until the next one. */
ZORBLIT_API extern bool mouseL, mouseM, mouseR;
/* Vertical wheel movement of the latest update: the sum of its wheel events
 * rounded to the nearest integer (ties to even), 0 when none. */
ZORBLIT_API extern int32_t mouseWheel;
/* Milliseconds: click hold-off and double-click window. */
ZORBLIT_API extern uint32_t gfxMouseClickDelay;

/* The character (UTF-8, constant storage, never NULL) of one newly pressed
 * typing key under keyboardlayout, or "" when there is none. A held key types
 * once; it types again after a call has seen it released. Sets key_code. */
ZORBLIT_API const char *doReadKey(void);
/* True while any keyboard entry is set. */
ZORBLIT_API bool KeyPressed(void);
/* Lock keys: Num Lock and Scroll Lock are accepted and ignored; Caps Lock sets
 * only the window system's own view of the lock. */
ZORBLIT_API void SetNumLock(bool on);
ZORBLIT_API void SetScrollLock(bool on);
ZORBLIT_API void SetCapsLock(bool on);

/* Starts the click hold-off: clicks are ignored for gfxMouseClickDelay ms. */
ZORBLIT_API void DelayMouse(void);
/* True when more than gfxMouseClickDelay ms have passed since DelayMouse. */
ZORBLIT_API bool mouseClickable(void);
/* True once per press of the left (right) button, outside the hold-off. */
ZORBLIT_API bool mouseLclick(void);
ZORBLIT_API bool mouseRclick(void);
/* Call once per frame after UpdateGFXsystem: true, on the frame after the
 * second press, when the left button was seen down, up and down again less than
 * gfxMouseClickDelay ms after the first press. */
ZORBLIT_API bool mouseLDoubleClick(void);
/* false hides the system pointer, true shows it; each hide needs its own show. */
ZORBLIT_API void SetMouseCursor(bool show);
/* Moves the pointer over virtual-screen pixel (x, y); the next update reads it
 * back in mouseX, mouseY. */
ZORBLIT_API void SetMousePos(uint32_t x, uint32_t y);

/* ---- Window management ---------------------------------------------------- */

/* Minimises (restores) the output window and sets (clears) gfxWindowMinimized. */
ZORBLIT_API void MinimizeGFXwindow(void);
ZORBLIT_API void RestoreGFXwindow(void);
/* The primary screen's size; works without a window. */
ZORBLIT_API void GetDesktopResolution(int32_t *width, int32_t *height);
ZORBLIT_API void SetGFXwindowCaption(const char *caption);
/* The window's top-left corner, title bar included: x from the desktop's left,
 * y down from the top of the usable screen area. Setting moves nothing in full
 * screen; either way it then takes in the pending window events. */
ZORBLIT_API void SetGFXwindowPos(int32_t x, int32_t y);
ZORBLIT_API void GetGFXwindowPos(int32_t *x, int32_t *y);
/* Reopen the system full screen (windowed) unless it already is, keeping
 * vscreen's size and picture in new pixel memory. */
ZORBLIT_API void SwitchFullScreen(void);
ZORBLIT_API void SwitchWindowed(void);

/* ---- Frame timer ---------------------------------------------------------- */

/* The library's clock: milliseconds from an arbitrary moment, never going back. */
ZORBLIT_API uint64_t ZorblitMilliseconds(void);
/* Frames per second that UpdateGFXsystem holds the loop to, sleeping until each
 * frame's deadline instead of spinning; deadlines lie whole periods apart, and
 * after a stall of a period or more the schedule starts again from then.
 * 0 (default): no pacing. */
ZORBLIT_API extern uint32_t gfxFrameRate;

/* Frames per second, measured at least every half second by FlipScreen. */
ZORBLIT_API extern float gfxFPS;
ZORBLIT_API void StartFPScounter(void);
ZORBLIT_API void updateTimer(void);
/* Prints "ya get <fps> FPS!" to standard output when gfxFPS > 0. */
ZORBLIT_API void ReturnFPSstring(void);

/* ---- Diagnostics and file support ----------------------------------------- */

/* Shows a message box titled "Message", logs the text to logger.log, returns.
 * Where no box can be shown (no display) the text also goes to standard error. */
ZORBLIT_API void ReportError(const char *text);
/* As ReportError, then ends the process with exit status 1. */
ZORBLIT_API void FatalError(const char *text);
/* Reads a whole regular file to its end into a new block (free it with free()).
 * False on any error (a FIFO or device included, without waiting), leaving
 * buffer and size untouched. */
ZORBLIT_API bool LoadFileToMemory(const char *name, uint8_t **buffer, uint32_t *size);
ZORBLIT_API bool FileExists(const char *name);
/* Two-argument arctangent in radians, range -pi/2 .. 3pi/2. */
ZORBLIT_API float PolarAngle(float y, float x);

#ifdef __cplusplus
}
#endif

#endif
