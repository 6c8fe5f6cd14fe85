#include "identity/AppWindowFilter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace corvane {
namespace {

struct Facts {
    bool visible = true;
    uint32_t exStyle = 0;
    bool owned = false;
    bool cloaked = false;
    const wchar_t* className = L"Chrome_WidgetWin_1";
    bool ours = false;
    int titleLength = 12;
};

// A window made of plain facts that counts how often each is asked for.
struct FakeWindow final : AppWindowProbe {
    explicit FakeWindow(const Facts& f) : facts(f) {}
    Facts facts;
    std::map<char, int> asked;

    template <typename T>
    T Note(char fact, T value) {
        ++asked[fact];
        return value;
    }
    bool IsVisible() override { return Note('v', facts.visible); }
    uint32_t ExtendedStyle() override { return Note('x', facts.exStyle); }
    bool HasOwner() override { return Note('o', facts.owned); }
    bool IsCloaked() override { return Note('c', facts.cloaked); }
    std::wstring ClassName() override { return Note('n', std::wstring(facts.className)); }
    bool BelongsToThisProcess() override { return Note('p', facts.ours); }
    int TitleLength() override { return Note('t', facts.titleLength); }
};

TEST(IsDockAppWindow, VisibleUnownedTitledForeignWindowsOrThoseAskingForAButton) {
    struct Row {
        const char* name;
        Facts facts;
        bool counts;
    };
    const Row rows[] = {
        {"plain", {}, true},
        {"hidden", {.visible = false}, false},
        {"tool window", {.exStyle = kExStyleToolWindow}, false},
        {"tool window with a button", {.exStyle = kExStyleToolWindow | kExStyleAppWindow}, true},
        {"no-activate", {.exStyle = kExStyleNoActivate}, false},
        {"no-activate with a button", {.exStyle = kExStyleNoActivate | kExStyleAppWindow}, true},
        {"topmost and layered", {.exStyle = 0x00000008u | 0x00080000u}, true},
        {"owned", {.owned = true}, false},
        {"owned asking for a button", {.exStyle = kExStyleAppWindow, .owned = true}, true},
        {"cloaked", {.cloaked = true}, false},
        {"ours", {.ours = true}, false},
        {"untitled", {.titleLength = 0}, false},
        {"desktop", {.className = L"Progman"}, false},
        {"taskbar", {.className = L"Shell_TrayWnd"}, false},
        {"classes compare exactly", {.className = L"progman"}, true},
        {"a longer class", {.className = L"WorkerW2"}, true},
        {"secondary taskbar", {.className = L"Shell_SecondaryTrayWnd"}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FakeWindow window(r.facts);
        EXPECT_EQ(IsDockAppWindow(window), r.counts);
        // Each fact is a system call: asked at most once, none past a hidden window.
        for (const auto& [fact, times] : window.asked) {
            EXPECT_EQ(times, 1) << fact;
        }
        if (!r.facts.visible) {
            EXPECT_EQ(window.asked.size(), 1u);
        }
    }
}

}  // namespace
}  // namespace corvane
