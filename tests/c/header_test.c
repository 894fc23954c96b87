/* Proves the public header is plain C99 and the shared library links from C. */
#include <stdio.h>
#include <string.h>

#include "zorblit.h"

static int failures = 0;

static void expect(int ok, const char *what) {
    if (!ok) {
        printf("FAILED: %s\n", what);
        failures++;
    }
}

/* The loaded library's version begins with the header's numbers. */
static int versionMatchesHeader(const char *version) {
    char numbers[32];
    snprintf(numbers, sizeof numbers, "%d.%d.%d", ZORBLIT_VERSION_MAJOR, ZORBLIT_VERSION_MINOR, ZORBLIT_VERSION_PATCH);
    return strncmp(version, numbers, strlen(numbers)) == 0;
}

int main(void) {
    GFXimage image = {0, 0, 0};
    uint8_t r = 0, g = 0, b = 0, a = 0;
    expect(versionMatchesHeader(ZorblitVersion()), "ZorblitVersion");
    expect(strcmp(ZorblitForm(), ZORBLIT_PACKED_BUILD ? "packed" : "portable") == 0, "ZorblitForm");
    AllocImage(&image, 4, 3);
    expect(image.data != NULL && image.width == 4 && image.height == 3, "AllocImage");
    putPixelRGBA(image, 3, 2, 1, 2, 3, 4);
    expect(getPixel(image, 3, 2) == 0x04010203u, "putPixelRGBA packs a, r, g, b");
    getPixelRGBA(image, 3, 2, &r, &g, &b, &a);
    expect(r == 1 && g == 2 && b == 3 && a == 4, "getPixelRGBA");
    expect(RGBA(0x12, 0x34, 0x56, 0x78) == 0x78123456u, "RGBA");
    expect(SaturatedAdd(0x00F00010u, 0x00200020u) == (0x00FF0030u | (SaturatedAdd(0, 0) & 0xFF000000u)),
           "SaturatedAdd");
    FreeImage(&image);
    expect(image.data == NULL && image.width == 4, "FreeImage");
    printf("%d passed, %d failed\n", failures ? 0 : 1, failures ? 1 : 0);
    return failures ? 1 : 0;
}
