#pragma once
// Reading what is on the screen, for checks on what Corvane drew and for the
// screenshots kept under build/.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::test {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    [[nodiscard]] uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

[[nodiscard]] Capture CaptureScreen(const RECT& area);
bool SavePng(const Capture& capture, const std::wstring& path);

// Pixels whose colour differs from `background` by more than `tolerance`
// in any channel.
[[nodiscard]] int CountInk(const Capture& capture, const RECT& area, uint32_t background,
                           int tolerance = 40);
// The rightmost column in `area` that holds ink, or area.left - 1.
[[nodiscard]] int RightmostInk(const Capture& capture, const RECT& area, uint32_t background,
                               int tolerance = 40);

// The folder for screenshots: CORVANE_SCREENSHOTS when set, else the temp folder.
[[nodiscard]] std::wstring ScreenshotFolder();

}  // namespace corvane::test
