/* The smallest complete host: a window, a moving gradient bar, the mouse
 * pointer as a cross; Escape or the close button quits. */
#include <zorblit.h>

int main(void) {
    uint32_t frame = 0;
    InitGFXsystem(320, 200, false);
    SetGFXwindowCaption("hello, zorblit");
    while (!gfxDone && !keyboard[ZORBLIT_KEY_ESCAPE]) {
        uint32_t x, y;
        FastFill(vscreen.data, vscreen.width * vscreen.height, RGBA(16, 16, 48, 255));
        for (y = 0; y < 40; y++)
            for (x = 0; x < vscreen.width; x++)
                putPixel(vscreen, x, 80 + y, RGBA((uint8_t)(x + frame), (uint8_t)(y * 6), 160, 255));
        putPixelClip(vscreen, mouseX, mouseY, RGBA(255, 255, 0, 255));
        putPixelClip(vscreen, mouseX - 1, mouseY, RGBA(255, 255, 0, 255));
        putPixelClip(vscreen, mouseX + 1, mouseY, RGBA(255, 255, 0, 255));
        putPixelClip(vscreen, mouseX, mouseY - 1, RGBA(255, 255, 0, 255));
        putPixelClip(vscreen, mouseX, mouseY + 1, RGBA(255, 255, 0, 255));
        UpdateGFXsystem();
        frame++;
    }
    FinishGFXsystem();
    return 0;
}
