/* Proves the public header is plain C99 and the shared library links from C. */
#include <stdio.h>
#include <string.h>

#include "zorblit.h"

static int failures = 0;

static void expect(int ok, const char *what) {
    if (!ok) printf("FAILED: %s\n", what), failures++;
}

int main(void) {
    GFXimage image = {0, 0, 0};
    uint8_t r = 0, g = 0, b = 0, a = 0;
    uint32_t width = 0, height = 0;
    char numbers[32];
    /* The loaded library is the one built, and its version begins with the header's numbers. */
    snprintf(numbers, sizeof numbers, "%d.%d.%d", ZORBLIT_VERSION_MAJOR, ZORBLIT_VERSION_MINOR, ZORBLIT_VERSION_PATCH);
    expect(strncmp(ZorblitVersion(), numbers, strlen(numbers)) == 0 && strcmp(ZorblitVersion(), ZORBLIT_BUILT_VERSION) == 0,
           "ZorblitVersion");
    expect(strcmp(ZorblitForm(), ZORBLIT_PACKED_BUILD ? "packed" : "portable") == 0, "ZorblitForm");
    AllocImage(&image, 4, 3);
    putPixelRGBA(image, 3, 2, 1, 2, 3, 4);
    getPixelRGBA(image, 3, 2, &r, &g, &b, &a);
    expect(getPixel(image, 3, 2) == 0x04010203u && r == 1 && g == 2 && b == 3 && a == 4, "pixels as a, r, g, b");
    gfxFontHeight = 8;
    GetTextSize("ab\nc", &width, &height);
    expect(width == 16 && height == 16, "GetTextSize in the 8x8 font");
    FreeImage(&image);
    expect(image.data == NULL, "FreeImage");
    printf("%d passed, %d failed\n", failures ? 0 : 1, failures ? 1 : 0);
    return failures ? 1 : 0;
}
