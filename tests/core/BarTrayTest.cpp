#include "bar/BarTooltips.h"
#include "bar/BarTrayRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

TEST(BarTray, ReleaseDeliversTheClickOrEndsTheDrag) {
    // Pressed message (0: nothing), dragged, dropped below the bar, program; click
    // delivered, drag finished, program to hide.
    using Row = std::tuple<uint32_t, bool, bool, const wchar_t*, uint32_t, bool, const wchar_t*>;
    for (const auto& [press, dragging, below, exe, click, finish, hide] :
         {Row{0x201, false, false, L"a.exe", 0x201, false, L""},
          Row{0x203, false, false, L"a.exe", 0x203, false, L""},
          Row{0x201, true, false, L"a.exe", 0, true, L""},
          Row{0x201, true, true, L"a.exe", 0, true, L"a.exe"},
          Row{0x201, true, true, L"", 0, true, L""}, Row{0, false, false, L"", 0, false, L""}}) {
        SCOPED_TRACE(testing::Message() << press << dragging << below);
        TrayDrag drag;
        if (press != 0) {
            drag.Press(3, press, 10, 10, {4, 4}, exe);
        }
        if (dragging) {
            (void)drag.press.Move(30, 10);
        }
        drag.dragBelow = below;
        const TrayRelease release = ReleaseTrayDrag(drag);
        EXPECT_EQ(release.clickMessage, click);
        EXPECT_EQ(release.finishDrag, finish);
        EXPECT_EQ(release.hideExeName, hide);
        EXPECT_FALSE(drag.Active());
        EXPECT_EQ(TrayDraggedBelow(drag), L"");
    }
    // The tooltip is held back only for version 4 without the standard tip.
    for (const auto& [version, showTip, shown] :
         {std::tuple{0u, false, true}, {3u, false, true}, {4u, false, false}, {4u, true, true}}) {
        TrayIcon icon;
        icon.tooltip = L"Volume";
        icon.version = version;
        icon.showTip = showTip;
        EXPECT_EQ(TrayTooltipText(icon), shown ? L"Volume" : L"") << version << showTip;
    }
}

}  // namespace
}  // namespace corvane
