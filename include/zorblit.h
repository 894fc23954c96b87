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

/* ---- Images, packing and bulk memory ------------------------------------ */

/* An image: pixel (x, y) is data[y * width + x]. */
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
/* @draw */

/* ---- Scaling, rotation, roto-zoom ----------------------------------------- */
/* @transform */

/* ---- Whole-image effects, procedural pictures, colour models -------------- */
/* @effects */

/* ---- Image file readers --------------------------------------------------- */

/* Every reader allocates the image with AllocImage and returns true, or returns
 * false and leaves the record as it was (missing, truncated or malformed file). */

/* Windows bitmap: uncompressed 1, 4, 8, 24 or 32 bits per pixel; alpha 255. */
ZORBLIT_API bool bmpLoad(GFXimage *image, const char *name);
/* The library's raw IM file (palette of 6-bit entries or RGB bytes); alpha 128. */
ZORBLIT_API bool imLoad(GFXimage *image, const char *name);
/* 256-colour run-length PCX (version 5, one 8-bit plane); alpha 255. */
ZORBLIT_API bool pcxLoad(GFXimage *image, const char *name);
/* @loaders */

/* ---- Output window and lifecycle ------------------------------------------ */
/* @display */

/* ---- Keyboard and mouse --------------------------------------------------- */

/* keyboard[k] is 1 while the key with key number k (1..104) is down; entry 0
 * collects keys without a number. */
ZORBLIT_API extern uint8_t keyboard[256];
/* The key number doReadKey reported last. */
ZORBLIT_API extern uint8_t key_code;
/* 0: US layout, 1: German layout (default). */
ZORBLIT_API extern int32_t keyboardlayout;

/* Pointer position in virtual-screen pixels; -1 until the first pointer event. */
ZORBLIT_API extern int32_t mouseX, mouseY;
ZORBLIT_API extern int32_t mouse2X, mouse2Y;
ZORBLIT_API extern bool mouseL, mouseM, mouseR;
/* Vertical wheel movement of the latest poll, 0 when none. */
ZORBLIT_API extern int32_t mouseWheel;
/* Milliseconds: click hold-off and double-click window. */
ZORBLIT_API extern uint32_t gfxMouseClickDelay;

/* The character (UTF-8, constant storage, never NULL) of one newly pressed
 * typing key under keyboardlayout, or "" when there is none. A held key types
 * once; it types again after a call has seen it released. Sets key_code. */
ZORBLIT_API const char *doReadKey(void);
/* True while any keyboard entry is set. */
ZORBLIT_API bool KeyPressed(void);
/* Lock keys: accepted and ignored on this platform. */
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
/* Call once per frame after UpdateGFXsystem: true when the left button went
 * down, up and down again within gfxMouseClickDelay ms. */
ZORBLIT_API bool mouseLDoubleClick(void);

/* ---- Frame timer ---------------------------------------------------------- */

/* Frames per second, measured at least every half second by FlipScreen. */
ZORBLIT_API extern float gfxFPS;
ZORBLIT_API void StartFPScounter(void);
ZORBLIT_API void updateTimer(void);
/* Prints "ya get <fps> FPS!" to standard output when gfxFPS > 0. */
ZORBLIT_API void ReturnFPSstring(void);

/* ---- Diagnostics and file support ----------------------------------------- */

/* Shows a message box titled "Message", logs the text to logger.log, returns. */
ZORBLIT_API void ReportError(const char *text);
/* As ReportError, then ends the process with exit status 1. */
ZORBLIT_API void FatalError(const char *text);
/* Reads a whole file into a new block (free it with free()). False on any error;
 * a missing file leaves buffer and size untouched. */
ZORBLIT_API bool LoadFileToMemory(const char *name, uint8_t **buffer, uint32_t *size);
ZORBLIT_API bool FileExists(const char *name);
/* Two-argument arctangent in radians, range -pi/2 .. 3pi/2. */
ZORBLIT_API float PolarAngle(float y, float x);

#ifdef __cplusplus
}
#endif

#endif
