#include "start/WinKeyTap.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

constexpr uint32_t L = kVkLeftWin;
constexpr uint32_t R = kVkRightWin;
constexpr uint32_t E = 0x45;
constexpr uint32_t M = kVkMaskKey;

KeyEvent Down(uint32_t vk, bool injected = false) {
    return {vk, true, injected};
}
KeyEvent Up(uint32_t vk, bool injected = false) {
    return {vk, false, injected};
}

TEST(WinKeyTap, OnlyAPersonsLoneWindowsKeyOpensASurfaceWhileTheHookIsActive) {
    struct Case {
        const char* name;
        std::vector<KeyEvent> keys;
        bool active;
        std::vector<std::size_t> opens;  // positions in `keys`
    };
    const Case cases[] = {
        {"tap", {Down(L), Up(L)}, true, {1}},
        {"right key", {Down(R), Up(R)}, true, {1}},
        {"inactive", {Down(L), Up(L)}, false, {}},
        {"injected", {Down(L, true), Up(L, true)}, true, {}},
        // Our own keys after a tap leave the next tap alone.
        {"after a tap",
         {Down(L), Up(L), Down(M, true), Up(M, true), Up(L, true), Down(L), Up(L)},
         true,
         {1, 6}},
        {"Win+E", {Down(L), Down(E), Up(E), Up(L)}, true, {}},
        {"injected key between", {Down(L), Down(E, true), Up(L)}, true, {}},
        {"Win+E, then a tap", {Down(L), Down(E), Up(L), Up(E), Down(L), Up(L)}, true, {5}},
        {"auto-repeat", {Down(L), Down(L), Down(L), Up(L)}, true, {3}},
        {"mask key between", {Down(L), Down(M), Up(M), Up(L)}, true, {3}},
        {"other Windows key's release", {Down(L), Up(R)}, true, {}},
    };
    for (const Case& c : cases) {
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
