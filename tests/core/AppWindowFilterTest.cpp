#include "identity/AppWindowFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// A window made of plain facts that notes which facts were asked for.
struct FakeWindow final : AppWindowProbe {
    bool visible = true;
    uint32_t exStyle = 0;
    bool owned = false;
    bool cloaked = false;
    std::wstring className = L"Chrome_WidgetWin_1";
    bool ours = false;
    int titleLength = 12;
    std::string asked;  // one letter per fact, in the order asked

    template <typename T>
    T Note(char fact, T value) {
        asked += fact;
        return value;
    }
    bool IsVisible() override { return Note('v', visible); }
    uint32_t ExtendedStyle() override { return Note('x', exStyle); }
    bool HasOwner() override { return Note('o', owned); }
    bool IsCloaked() override { return Note('c', cloaked); }
    std::wstring ClassName() override { return Note('n', className); }
    bool BelongsToThisProcess() override { return Note('p', ours); }
    int TitleLength() override { return Note('t', titleLength); }
};

TEST(IsDockAppWindow, ToolNoActivateAndOwnedWindowsCountOnlyWithAppWindow) {
    struct Case {
        uint32_t exStyle;
        bool owned;
        bool expected;
    };
    for (const Case c : {
             Case{0, false, true}, Case{kExStyleToolWindow, false, false},
             Case{kExStyleToolWindow | kExStyleAppWindow, false, true},
             Case{kExStyleNoActivate, false, false},
             Case{kExStyleNoActivate | kExStyleAppWindow, false, true}, Case{0, true, false},
             Case{kExStyleAppWindow, true, true},
             Case{0x00000008u | 0x00080000u, false, true},  // topmost, layered: irrelevant
         }) {
        FakeWindow w;
        w.exStyle = c.exStyle;
        w.owned = c.owned;
        EXPECT_EQ(IsDockAppWindow(w), c.expected) << std::hex << c.exStyle << " " << c.owned;
    }
}

TEST(IsDockAppWindow, FactsAreAskedInOrderUntilTheFirstFails) {
    FakeWindow plain;
    EXPECT_TRUE(IsDockAppWindow(plain));
    EXPECT_EQ(plain.asked, "vxocnpt");

    FakeWindow hidden;
    hidden.visible = false;
    EXPECT_FALSE(IsDockAppWindow(hidden));
    EXPECT_EQ(hidden.asked, "v");

    FakeWindow cloaked;
    cloaked.cloaked = true;
    EXPECT_FALSE(IsDockAppWindow(cloaked));
    EXPECT_EQ(cloaked.asked, "vxoc");

    // With a taskbar button asked for, the owner is beside the point.
    FakeWindow ownedApp;
    ownedApp.exStyle = kExStyleAppWindow;
    EXPECT_TRUE(IsDockAppWindow(ownedApp));
    EXPECT_EQ(ownedApp.asked, "vxcnpt");

    FakeWindow ours;
    ours.ours = true;
    EXPECT_FALSE(IsDockAppWindow(ours));
    FakeWindow untitled;
    untitled.titleLength = 0;
    EXPECT_FALSE(IsDockAppWindow(untitled));
}

TEST(IsDockAppWindow, DesktopAndTaskbarClassesAreExcludedByExactName) {
    for (const wchar_t* name : {L"Progman", L"WorkerW", L"Shell_TrayWnd"}) {
        FakeWindow w;
        w.className = name;
        EXPECT_FALSE(IsDockAppWindow(w));
    }
    for (const wchar_t* name : {L"progman", L"WorkerW2", L"Shell_SecondaryTrayWnd"}) {
        FakeWindow w;
        w.className = name;
        EXPECT_TRUE(IsDockAppWindow(w));
    }
}

}  // namespace
}  // namespace corvane
