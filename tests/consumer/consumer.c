/* A program outside the tree that uses the installed library. */
#include <stdio.h>
#include <zorblit.h>

int main(void) {
    GFXimage image = {0, 0, 0};
    GFXimage sprite = {0, 0, 0};
    int ok;
    AllocImage(&image, 16, 16);
    AllocImage(&sprite, 4, 4);
    FastFill(sprite.data, 16, RGBA(10, 20, 30, 255));
    putImageClip(image, 14, 14, sprite);
    ok = getPixel(image, 15, 15) == RGBA(10, 20, 30, 255) && getPixel(image, 13, 13) == 0;
    FreeImage(&sprite);
    FreeImage(&image);
    printf("consumer: %s\n", ok ? "ok" : "wrong pixels");
    return ok ? 0 : 1;
}
