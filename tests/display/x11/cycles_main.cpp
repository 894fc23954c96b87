// Opens and closes the output window 200 times across the presentation modes
// (the OpenGL ones less often: each context costs Mesa a lot of time); run
// under LeakSanitizer, anything the library fails to release shows at exit.
#include "zorblit.h"

int main() {
    const int32_t modes[] = {1, 7, 1, 3, 1, 7, 1, 10, 1, 7};
    for (int cycle = 0; cycle < 200; ++cycle) {
        gfxDeviceMode = modes[cycle % 10];
        gfxDeviceMode == 7 ? InitGFXsystemScale(64, 48, 128, 96, false) : InitGFXsystem(64, 48, cycle % 2 == 1);
        UpdateGFXsystem();
        FinishGFXsystem();
    }
}
