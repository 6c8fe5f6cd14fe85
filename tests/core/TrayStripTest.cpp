#include "tray/TrayStrip.h"
#include "bar/BarTooltips.h"
#include "bar/BarTrayRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Names = std::vector<std::wstring>;

TrayIcon Icon(std::wstring exe, std::wstring tip = L"", uint32_t callback = 0x8000) {
    TrayIcon icon;
    icon.icon = 1;
    icon.callbackMessage = callback;
    icon.tooltip = std::move(tip);
    icon.exeName = std::move(exe);
    return icon;
}

TEST(TrayStrip, WhichIconsAreShown) {
    TrayIcon hiddenByOwner = Icon(L"a.exe"), noIcon = Icon(L"a.exe");
    hiddenByOwner.hiddenByState = true;
    noIcon.icon = 0;
    // The icon, the hidden list; shown.
    const std::tuple<TrayIcon, Names, bool> rows[] = {
        {Icon(L"a.exe"), {L"", L"b.exe"}, true},
        {hiddenByOwner, {}, false},
        {noIcon, {}, false},
        {Icon(L"a.exe", L"", 0), {}, false},  // neither callback nor tooltip
        {Icon(L"a.exe", L"Hi", 0), {}, true},
        {Icon(L"onedrive.exe"), {L"onedrive.exe"}, false},
        {Icon(L"onedrive.exe"), {L"onedrive"}, true},  // exe names match whole
        {Icon(L"x.exe", L"Windows DeFender: OK"), {L"defender"}, false},
        {Icon(L"x.exe", L"ØDELAGT SKJERM"), {L"ødelagt"}, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [icon, hidden, shown] = rows[i];
        EXPECT_EQ(IsTrayIconShown(icon, hidden), shown) << "row " << i;
    }
}

// The strip's programs from left to right, one letter each.
std::wstring Strip(const std::vector<TrayIcon>& icons, const Names& order,
                   std::wstring_view below = L"") {
    std::wstring seq;
    for (const TraySlot& slot : LayoutTrayStrip(icons, order, {}, below, 500, 28).slots) {
        seq += icons[slot.iconIndex].exeName.front();
    }
    return seq;
}

TEST(TrayStrip, ProgramsSortByTheOrderListUnlistedOnesLast) {
    const std::vector<TrayIcon> icons = {Icon(L"a.exe"), Icon(L"c.exe"), Icon(L"b.exe"),
                                         Icon(L"a.exe"), Icon(L"d.exe", L"", 0)};
    EXPECT_EQ(Strip(icons, {}), L"acba");
    EXPECT_EQ(Strip(icons, {L"b.exe", L"a.exe"}), L"baac");
    EXPECT_EQ(Strip(icons, {L"gone.exe", L"c.exe"}), L"caba");
    EXPECT_EQ(Strip(icons, {L"b.exe", L"a.exe"}, L"a.exe"), L"bc");

    // Arrival order within one place holds for a strip of any length.
    std::vector<TrayIcon> many;
    for (int i = 0; i < 40; ++i) {
        many.push_back(Icon(i % 4 == 0 ? L"listed.exe" : L"u" + std::to_wstring(i) + L".exe"));
    }
    std::vector<std::size_t> arrival;
    for (const TraySlot& slot : LayoutTrayStrip(many, {L"listed.exe"}, {}, L"", 2000, 28).slots) {
        arrival.push_back(slot.iconIndex);
    }
    EXPECT_TRUE(std::is_sorted(arrival.begin(), arrival.begin() + 10));
    EXPECT_TRUE(std::is_sorted(arrival.begin() + 10, arrival.end()));

    const TrayStripLayout layout = LayoutTrayStrip(icons, {}, {}, L"", 500, 28);
    EXPECT_EQ(layout.slots[3].rect, (PointRect{474, 3, 500, 25}));
    EXPECT_EQ(layout.strip, (PointRect{396, 3, 500, 25}));
    EXPECT_EQ(layout.nextRight, 390);
    EXPECT_EQ(LayoutTrayStrip({}, {}, {}, L"", 500, 28).nextRight, 500);  // no strip, no gap
    EXPECT_EQ(TraySlotOnScreen(layout.slots[0].rect, 144, -1920, 0),
              (PixelRect{-1326, 4, -1287, 37}));
}

TEST(TrayStrip, DraggingReordersWholeProgramsKeepsAbsentOnesAndHidesBelowTheBar) {
    const std::vector<TrayIcon> icons = {Icon(L"a.exe"), Icon(L"b.exe"), Icon(L"a.exe"),
                                         Icon(L"c.exe")};
    Names order = {L"gone.exe"};
    const auto drag = [&](std::wstring_view exe, float x) {
        const TrayStripLayout layout = LayoutTrayStrip(icons, order, {}, L"", 500, 28);
        order = ReorderTray(TrayStripPrograms(icons, layout), exe, x, order).value_or(order);
        return Strip(icons, order);
    };
    // Slot centres from the left: 409, 435, 461, 487.
    EXPECT_EQ(drag(L"c.exe", 380), L"caab");
    EXPECT_EQ(drag(L"a.exe", 470), L"caab");  // left of b's centre
    EXPECT_EQ(drag(L"a.exe", 490), L"cbaa");
    EXPECT_EQ(drag(L"b.exe", 440), L"cbaa");  // at its own place
    EXPECT_EQ(drag(L"x.exe", 380), L"cbaa");  // not in the strip
    const std::vector<TrayIcon> one = {Icon(L"a.exe"), Icon(L"a.exe")};
    EXPECT_FALSE(ReorderTray(TrayStripPrograms(one, LayoutTrayStrip(one, {}, {}, L"", 500, 28)),
                             L"a.exe", 0, {}));

    // Entries of absent programs keep their places and spelling.
    const Names cases[][3] = {
        // the order, the strip, the order after
        {{L"gone", L"a", L" odd ", L"", L"b"}, {L"b", L"a"}, {L"gone", L"b", L" odd ", L"", L"a"}},
        {{L"gone", L"a"}, {L"new", L"a"}, {L"gone", L"new", L"a"}},
        {{L"a", L"gone", L"a"}, {L"a"}, {L"a", L"gone"}},
    };
    for (const auto& [order, strip, merged] : cases) {
        EXPECT_EQ(MergeTrayOrder(order, strip), merged) << order.size();
    }

    // Dropping below the bar hides the program.
    // DPI; the lowest y (in client pixels under a 28-pixel client) that keeps the program.
    for (const auto& [dpi, lowestKept] : {std::pair{96u, 52}, {144u, 64}, {98u, 53}}) {
        EXPECT_FALSE(TrayDragIsBelow(lowestKept, 28, dpi)) << dpi;
        EXPECT_TRUE(TrayDragIsBelow(lowestKept + 1, 28, dpi)) << dpi;
    }

    const Names hidden = HideTrayProgram({L"defender"}, L"a.exe");
    EXPECT_EQ(HideTrayProgram(HideTrayProgram(hidden, L"a.exe"), L""), hidden);
    EXPECT_EQ(UnhideTrayEntry(hidden, L"A.EXE"), Names{L"defender"});
    EXPECT_TRUE(UnhideTrayEntry(hidden, L"").empty());
}

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
