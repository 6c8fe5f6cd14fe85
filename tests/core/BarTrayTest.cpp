#include "bar/BarTooltips.h"
#include "bar/BarTrayRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

TEST(BarTray, ReleaseDeliversTheClickOrEndsTheDrag) {
    struct Row {
        const char* name;
        uint32_t press;  // 0: nothing pressed
        bool dragging, below;
        const wchar_t* exe;
        uint32_t click;
        bool finish;
        const wchar_t* hide;
    };
    const Row rows[] = {
        {"click", 0x201, false, false, L"a.exe", 0x201, false, L""},
        {"double click", 0x203, false, false, L"a.exe", 0x203, false, L""},
        {"drop on the bar", 0x201, true, false, L"a.exe", 0, true, L""},
        {"drop below the bar", 0x201, true, true, L"a.exe", 0, true, L"a.exe"},
        {"drop below, unknown program", 0x201, true, true, L"", 0, true, L""},
        {"nothing pressed", 0, false, false, L"", 0, false, L""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TrayDrag drag;
        if (r.press != 0) {
            drag.Press(3, r.press, 10, 10, {4, 4}, r.exe);
        }
        if (r.dragging) {
            (void)drag.press.Move(30, 10);
        }
        drag.dragBelow = r.below;
        const TrayRelease release = ReleaseTrayDrag(drag);
        EXPECT_EQ(release.clickMessage, r.click);
        EXPECT_EQ(release.finishDrag, r.finish);
        EXPECT_EQ(release.hideExeName, r.hide);
        EXPECT_FALSE(drag.Active());
        EXPECT_EQ(TrayDraggedBelow(drag), L"");
    }
}

TEST(BarTray, TooltipIsHeldBackOnlyForVersion4WithoutTheStandardTip) {
    struct Row {
        uint32_t version;
        bool showTip;
        bool shown;
    };
    const Row rows[] = {{0, false, true}, {3, false, true}, {4, false, false}, {4, true, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.version);
        TrayIcon icon;
        icon.tooltip = L"Volume";
        icon.version = r.version;
        icon.showTip = r.showTip;
        EXPECT_EQ(TrayTooltipText(icon), r.shown ? L"Volume" : L"");
    }
}

}  // namespace
}  // namespace corvane
