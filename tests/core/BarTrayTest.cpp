#include "bar/BarTooltips.h"
#include "bar/BarTrayRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

using List = std::vector<std::wstring>;

TrayIcon Icon(uint32_t owner, uint32_t id, std::wstring exe) {
    TrayIcon icon;
    icon.ownerWindow = owner;
    icon.id = id;
    icon.icon = 0x100 + owner;
    icon.callbackMessage = 0x8000;
    icon.exeName = std::move(exe);
    return icon;
}

TEST(BarTray, StripItemsCarryTheirIconAndAnEmptyStripStillHasAPlace) {
    // The order puts the host's second icon first: items follow the strip.
    const std::vector<TrayIcon> icons = {Icon(7, 1, L"a.exe"), Icon(9, 4, L"b.exe")};
    std::vector<BarItem> items(1);  // whatever the layout placed before
    const BarTrayStrip strip =
        AppendTrayStrip(icons, {L"b.exe", L"a.exe"}, {}, L"", 500, 28, items);
    ASSERT_EQ(items.size(), 3u);
    const TrayStripLayout layout = LayoutTrayStrip(icons, {L"b.exe", L"a.exe"}, {}, L"", 500, 28);
    for (std::size_t i = 0; i < 2; ++i) {
        const BarItem& item = items[i + 1];
        const TrayIcon& icon = icons[layout.slots[i].iconIndex];
        EXPECT_EQ(item.kind, BarItemKind::TrayIconItem);
        EXPECT_EQ(TrayKeyOf(item), (TrayIconKey{icon.ownerWindow, icon.id}));
        EXPECT_EQ((PointRect{item.left, item.top, item.right, item.bottom}), layout.slots[i].rect);
    }
    EXPECT_EQ(items[1].ownerWindow, 9u);
    EXPECT_EQ(strip.notifyRect, layout.strip);
    EXPECT_EQ(strip.nextRight, layout.nextRight);
    EXPECT_EQ(TrayKeyOf(items[0]), std::nullopt);

    items.clear();
    const BarTrayStrip empty =
        AppendTrayStrip(icons, {}, {L"a.exe", L"b.exe"}, L"", 500, 28, items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(empty.notifyRect, (PointRect{500, 3, 500, 25}));
}

TEST(BarTray, MovesStartTheDragHideBelowTheBarAndReorderAboveIt) {
    const std::vector<TrayStripProgram> programs = {
        {L"a.exe", 100}, {L"b.exe", 126}, {L"c.exe", 152}};
    int asked = 0;
    const auto strip = [&] {
        ++asked;
        return programs;
    };
    const List order = {L"c.exe", L"z.exe"};
    const List reordered = {L"b.exe", L"a.exe", L"c.exe", L"z.exe"};
    struct Row {
        const char* name;
        int32_t x, y;
        bool started, stripChanged;
        std::optional<List> order;
        bool below;
    };
    // Pressed on a.exe at (100, 10); the bar is 28 pixels high at 96 DPI.
    const Row rows[] = {
        {"4 pixels is still a click", 104, 14, false, false, std::nullopt, false},
        {"5 pixels starts the drag, still over its own slot", 105, 10, true, false, std::nullopt,
         false},
        {"past b.exe's centre", 140, 10, false, true, reordered, false},
        {"more than 24 points below the bar", 140, 53, false, true, std::nullopt, true},
        {"further below", 150, 80, false, false, std::nullopt, true},
        {"back up, at the 24-point line", 140, 52, false, true, reordered, false},
    };
    TrayDrag drag;
    drag.Press(2, 0x201, 100, 10, L"a.exe");
    int expectedAsks = 0;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const TrayDragMove move = MoveTrayDrag(drag, r.x, r.y, 28, 96, strip, order);
        EXPECT_EQ(move.started, r.started);
        EXPECT_EQ(move.stripChanged, r.stripChanged);
        EXPECT_EQ(move.order, r.order);
        EXPECT_EQ(TrayDraggedBelow(drag), r.below ? L"a.exe" : L"");
        // The strip is only looked at when the move may reorder.
        expectedAsks += drag.dragging && !r.below ? 1 : 0;
        EXPECT_EQ(asked, expectedAsks);
    }
    EXPECT_FLOAT_EQ(drag.dragX, 140);

    TrayDrag idle;
    EXPECT_FALSE(MoveTrayDrag(idle, 300, 300, 28, 96, strip, order).started);
    EXPECT_FALSE(idle.dragging);
}

TEST(BarTray, DragPositionIsKeptInPoints) {
    TrayDrag drag;
    drag.Press(0, 0x201, 150, 15, L"a.exe");
    const auto none = [] { return std::vector<TrayStripProgram>(); };
    EXPECT_TRUE(MoveTrayDrag(drag, 300, 15, 42, 144, none, {}).started);
    EXPECT_FLOAT_EQ(drag.dragX, 200);
}

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
            drag.Press(3, r.press, 10, 10, r.exe);
        }
        drag.dragging = r.dragging;
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
        TrayIcon icon = Icon(1, 1, L"a.exe");
        icon.tooltip = L"Volume";
        icon.version = r.version;
        icon.showTip = r.showTip;
        EXPECT_EQ(TrayTooltipText(icon), r.shown ? L"Volume" : L"");
    }
}

}  // namespace
}  // namespace corvane
