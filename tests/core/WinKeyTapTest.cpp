#include "start/WinKeyTap.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

constexpr uint32_t kE = 0x45;
constexpr uint32_t kShift = 0x10;

KeyEvent Down(uint32_t vk) {
    return {vk, true, false};
}
KeyEvent Up(uint32_t vk) {
    return {vk, false, false};
}
KeyEvent Injected(KeyEvent key) {
    key.injected = true;
    return key;
}

struct TapCase {
    const char* name;
    std::vector<KeyEvent> keys;
    bool active;
    // The positions in `keys` that open a surface.
    std::vector<std::size_t> opens;
};

TEST(WinKeyTap, OnlyAPersonsLoneWindowsKeyOpensASurfaceWhileTheHookIsActive) {
    const uint32_t L = kVkLeftWin;
    const uint32_t R = kVkRightWin;
    const TapCase cases[] = {
        {"tap", {Down(L), Up(L)}, true, {1}},
        {"right key", {Down(R), Up(R)}, true, {1}},
        {"two taps", {Down(L), Up(L), Down(L), Up(L)}, true, {1, 3}},
        {"inactive", {Down(L), Up(L)}, false, {}},
        {"injected", {Injected(Down(L)), Injected(Up(L))}, true, {}},
        // Our own release after the mask key leaves the state as it was.
        {"own release",
         {Down(L), Down(kVkMaskKey), Up(kVkMaskKey), Injected(Up(L)), Up(L)},
         true,
         {4}},
        {"Win+E", {Down(L), Down(kE), Up(kE), Up(L)}, true, {}},
        {"Win+E then a tap", {Down(L), Down(kE), Up(kE), Up(L), Down(L), Up(L)}, true, {5}},
        {"injected key between", {Down(L), Injected(Down(kE)), Up(L)}, true, {}},
        {"key pressed before", {Down(kShift), Down(L), Up(L)}, true, {2}},
        {"auto-repeat", {Down(L), Down(L), Down(L), Up(L)}, true, {3}},
        {"release of a key held before", {Down(kE), Down(L), Up(kE), Up(L)}, true, {3}},
        {"other Windows key's release", {Down(L), Up(R)}, true, {}},
        {"both Windows keys", {Down(L), Down(R), Up(R), Up(L)}, true, {2}},
        {"release alone", {Up(L)}, true, {}},
    };
    for (const TapCase& c : cases) {
        SCOPED_TRACE(c.name);
        WinKeyTap tap;
        std::vector<std::size_t> opens;
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            if (tap.OnKey(c.keys[i], c.active) == WinKeyTap::Decision::OpenSurface) {
                opens.push_back(i);
            }
        }
        EXPECT_EQ(opens, c.opens);
    }
}

}  // namespace
}  // namespace corvane
