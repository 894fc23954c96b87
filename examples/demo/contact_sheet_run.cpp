#include "contact_sheet_run.h"

#include <chrono>
#include <cstdio>

#include "artwork.h"
#include "half_size.h"
#include "scene_render.h"

namespace demo {

bool runContactSheet(const LoadedImages &images, uint32_t framesPerScene, const std::string &sheetPath) {
    constexpr uint32_t kColumns = 4;
    constexpr uint32_t kCellWidth = kScreenWidth / 2, kCellHeight = kScreenHeight / 2;
    const size_t count = allScenes().size();
    const uint32_t rows = uint32_t((count + kColumns - 1) / kColumns);
    OwnedImage sheet(kColumns * kCellWidth, rows * kCellHeight), cell(kCellWidth, kCellHeight);

    InitGFXsystemScale(kScreenWidth, kScreenHeight, kScreenWidth, kScreenHeight, false);
    auto lastFpsLine = std::chrono::steady_clock::now();
    for (size_t index = 0; index < count; ++index) {
        for (uint32_t frame = 0; frame < framesPerScene; ++frame) {
            renderScene(index, {vscreen, frame, images});
            UpdateGFXsystem();
            const auto now = std::chrono::steady_clock::now();
            if (now - lastFpsLine >= std::chrono::seconds(1)) {
                ReturnFPSstring();
                lastFpsLine = now;
            }
        }
        shrinkToHalf(vscreen, cell);
        putImage(sheet, int32_t(index % kColumns * kCellWidth), int32_t(index / kColumns * kCellHeight), cell);
    }
    FinishGFXsystem();
    return pngSave(sheet, sheetPath.c_str());
}

}  // namespace demo
