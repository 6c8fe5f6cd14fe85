// Clicking the real bar: the application name's menu acts on the window in
// front and can quit Corvane, and the tiling button toggles its setting. The
// bar is built again once per burst of display changes.
// Which press and release make a click is settled without Windows.

#include "base/Commands.h"
#include "e2e/E2ESupport.h"

#include <functional>
#include <optional>

namespace corvane {
namespace {

using test::WaitUntil;

class BarInteractionE2E : public test::CorvaneTest {
protected:
    void SetUp() override {
        CorvaneTest::SetUp();
        ASSERT_NE(StartCorvane(test::IniText()), nullptr);
    }

    // The helper in front, once the bar shows its long name.
    void StartApp() {
        ASSERT_TRUE(app_.Start(folder_.Path(), L"averyveryverylongapplicationname.exe", L"normal"));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const auto ink = LeftInk();
                return !ink.empty() && ink.back().right > Frame().left + Px(150);
            },
            8000))
            << "the bar does not name the application";
    }

    [[nodiscard]] std::wstring TilingEnabledInFile() const {
        return test::ReadIniValue(IniPath(), L"Tiling", L"Enabled");
    }

    test::HelperApp app_;
};

TEST_F(BarInteractionE2E, AppNameMenuEntriesActOnTheWindowInFrontOrOnCorvane) {
    struct Case {
        const char* entry;
        bool last;
        std::function<bool()> done;
    };
    const Case cases[] = {
        {"Minimize", false, [this] { return ::IsIconic(app_.Window()) != FALSE; }},
        {"Quit Corvane", true, [this] { return corvane_.WaitForExit(0) == 0; }},
    };
    StartApp();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const HWND menu = OpenAppNameMenu();
        ASSERT_NE(menu, nullptr) << "no menu";
        RECT r = {};
        ::GetWindowRect(menu, &r);
        test::Click({r.left + Px(24), c.last ? r.bottom - Px(10) : r.top + Px(10)});
        EXPECT_TRUE(WaitUntil([&] { return c.done(); }, 10000));
    }
}

TEST_F(BarInteractionE2E, ABurstOfDisplayNoticesRebuildsTheBarOnceAfterTheLast) {
    // As Windows sends them while a display is plugged in: the bar must stay
    // for the whole burst (each notice reaches it), then be replaced once.
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR result = 0;
        ASSERT_NE(::SendMessageTimeoutW(bar_, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768),
                                        SMTO_NORMAL, 10000, &result),
                  0)
            << i;
    }
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(bar_) && Bars().size() == 1; }));
    const std::vector<HWND> rebuilt = Bars();
    ::Sleep(800);
    EXPECT_EQ(Bars(), rebuilt);
}

TEST_F(BarInteractionE2E, TheTilingButtonTogglesItsSetting) {
    ASSERT_EQ(TilingEnabledInFile(), L"0");
    const std::optional<POINT> button = TilingButton();
    ASSERT_TRUE(button.has_value()) << "clock not found";
    const POINT onButton = *button;
    test::Click(onButton);
    EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == L"1"; }, 5000));
    test::Click(onButton);
    EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == L"0"; }, 5000));
}

}  // namespace
}  // namespace corvane
