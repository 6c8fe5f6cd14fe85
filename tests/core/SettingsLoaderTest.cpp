#include "config/Language.h"
#include "config/SettingsLoader.h"
#include "base/Utf16.h"
#include "core/FakeProfileStore.h"
#include "resources/DefaultSettingsText.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::FakeProfileStore;
using List = std::vector<std::wstring>;

Settings LoadFrom(FakeProfileStore& store) { return LoadSettings(store, L"C:\\x\\corvane.ini"); }

Settings LoadText(const std::wstring& text) {
    FakeProfileStore store(text);
    return LoadFrom(store);
}

std::vector<std::wstring> Lines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(LoadSettings, NoFileWritesTheEnglishDefaultsAndMarksTheLanguage) {
    FakeProfileStore store;
    SetNorwegian(true);
    const Settings s = LoadFrom(store);
    EXPECT_FALSE(IsNorwegian());
    EXPECT_EQ(store.CreatedBytes(), EncodeUtf16LeWithBom(DefaultSettingsText(false)));
    EXPECT_EQ(store.Value(L"General", L"Language"), L"en");
    EXPECT_EQ(s.dateFormat, L"ddd MMM d");
    EXPECT_EQ(s.filePath, L"C:\\x\\corvane.ini");
}

TEST(LoadSettings, ExistingFileWithoutLanguageIsNorwegian) {
    FakeProfileStore store(L"[Bar]\nHeight=30\n");
    const Settings s = LoadFrom(store);
    EXPECT_TRUE(IsNorwegian());
    EXPECT_TRUE(store.CreatedBytes().empty());
    EXPECT_EQ(store.Value(L"General", L"Language"), L"no");
    EXPECT_EQ(s.dateFormat, L"ddd d. MMM");
    EXPECT_EQ(s.barHeight, 30);
}

TEST(LoadSettings, LanguageValueDecidesAndIsNotRewritten) {
    FakeProfileStore store(L"[General]\nLanguage=NO\n");
    (void)LoadFrom(store);
    EXPECT_TRUE(IsNorwegian());
    EXPECT_EQ(store.Value(L"General", L"Language"), L"NO");

    FakeProfileStore english(L"[General]\nLanguage=nynorsk\n");
    (void)LoadFrom(english);
    EXPECT_FALSE(IsNorwegian());  // anything but "no" is English
}

TEST(LoadSettings, UncreatableFileStillGivesDefaults) {
    FakeProfileStore store;
    store.failCreate = true;
    const Settings s = LoadFrom(store);
    EXPECT_EQ(s.barHeight, 28);
    EXPECT_EQ(s.tint, 72);
    EXPECT_EQ(s.barTint, 72);
    EXPECT_TRUE(s.dockEnabled);
}

TEST(LoadSettings, DefaultsMatchTheDefaultFile) {
    FakeProfileStore fresh;
    const Settings s = LoadFrom(fresh);
    const Settings d;  // the record's own defaults
    EXPECT_EQ(s.barHeight, d.barHeight);
    EXPECT_EQ(s.backdrop, Backdrop::Acrylic);
    EXPECT_EQ(s.style, 0);
    EXPECT_TRUE(s.allMonitors);
    EXPECT_FALSE(s.autohide);
    EXPECT_TRUE(s.trayEnabled);
    EXPECT_EQ(s.dockIconSize, 36);
    EXPECT_TRUE(s.hideTaskbar);
    EXPECT_TRUE(s.smartHide);
    EXPECT_EQ(s.revealWidth, 1);
    EXPECT_TRUE(s.windowPreviews);
    EXPECT_EQ(s.nowPlayingWhere, 2);
    EXPECT_TRUE(s.nowPlayingTint);
    EXPECT_EQ(s.gardenTint, 72);
    EXPECT_TRUE(s.winKey);
    EXPECT_TRUE(s.centerStart);
    EXPECT_EQ(s.cornerActions[kTopLeft], CornerAction::TaskView);
    EXPECT_EQ(s.cornerActions[kBottomRight], CornerAction::Nothing);
    EXPECT_EQ(s.tilingGap, 8);
    EXPECT_TRUE(s.dockSpace);
    EXPECT_TRUE(s.tilingButton);
    EXPECT_FALSE(s.pinnedPresent);
    EXPECT_TRUE(s.floatingApps.empty());
    // A fresh file is migrated already.
    EXPECT_EQ(fresh.Value(L"Dock", L"ConfigVersion"), L"2");
    EXPECT_EQ(fresh.Value(L"Bar", L"BarTint"), L"72");
}

TEST(LoadSettings, NumbersAreClampedToTheirRanges) {
    const Settings low = LoadText(
        L"[Bar]\nHeight=10\nTint=-3\nStyle=-1\n[Dock]\nIconSize=10\nRevealWidth=-9\nMonitor=-1\n"
        L"[Tiling]\nGap=-5\nLayout=-2\nMode=-7\n[HotCorners]\nTopLeft=-1\n[Start]\nMenu=-1\n"
        L"[Garden]\nGlass=-4\n[NowPlaying]\nWhere=-1\n");
    EXPECT_EQ(low.barHeight, 20);
    EXPECT_EQ(low.tint, 0);
    EXPECT_EQ(low.style, 0);
    EXPECT_EQ(low.dockIconSize, 24);
    EXPECT_EQ(low.revealWidth, 0);
    EXPECT_EQ(low.dockMonitor, 0);
    EXPECT_EQ(low.tilingGap, 0);
    EXPECT_EQ(low.tilingLayout, 0);
    EXPECT_EQ(low.tilingMode, 0);
    EXPECT_EQ(low.cornerActions[kTopLeft], CornerAction::Nothing);
    EXPECT_EQ(low.startMenu, 0);
    EXPECT_EQ(low.gardenGlass, 0);
    EXPECT_EQ(low.nowPlayingWhere, 0);

    const Settings high = LoadText(
        L"[Bar]\nHeight=100\nTint=101\nBarTint=400\nStyle=4\n[Dock]\nIconSize=97\nRevealWidth=4\n"
        L"Monitor=10\n[Tiling]\nGap=41\nLayout=9\nMode=3\n[HotCorners]\nBottomRight=7\n"
        L"[Start]\nMenu=3\n[Garden]\nGlass=3\nTint=1000\n[NowPlaying]\nWhere=3\nBarPosition=5\n");
    EXPECT_EQ(high.barHeight, 48);
    EXPECT_EQ(high.tint, 100);
    EXPECT_EQ(high.barTint, 100);
    EXPECT_EQ(high.style, 3);
    EXPECT_EQ(high.dockIconSize, 96);
    EXPECT_EQ(high.revealWidth, 3);
    EXPECT_EQ(high.dockMonitor, 9);
    EXPECT_EQ(high.tilingGap, 40);
    EXPECT_EQ(high.tilingLayout, 3);
    EXPECT_EQ(high.tilingMode, 2);
    EXPECT_EQ(high.cornerActions[kBottomRight], CornerAction::Launcher);
    EXPECT_EQ(high.startMenu, 2);
    EXPECT_EQ(high.gardenGlass, 2);
    EXPECT_EQ(high.gardenTint, 100);
    EXPECT_EQ(high.nowPlayingWhere, 2);
    EXPECT_EQ(high.nowPlayingBarPosition, 1);
}

TEST(LoadSettings, TextWhereANumberBelongsReadsAsItsLeadingNumber) {
    const Settings s = LoadText(
        L"[Bar]\nHeight=tall\nTint=35%\nAutohide=yes\nAllMonitors=0\n[Tiling]\nGap=0x10\n"
        L"[Dock]\nIconSize=  40px\n");
    EXPECT_EQ(s.barHeight, 20);  // not a number: 0, clamped
    EXPECT_EQ(s.tint, 35);
    EXPECT_FALSE(s.autohide);  // "yes" is 0
    EXPECT_FALSE(s.allMonitors);
    EXPECT_EQ(s.tilingGap, 16);
    EXPECT_EQ(s.dockIconSize, 40);
}

TEST(LoadSettings, BooleansAreAnyNonZeroNumber) {
    const Settings s = LoadText(L"[Bar]\nAutohide=-1\n[Clock]\nShowSeconds=7\n[Dock]\nEnabled=0\n");
    EXPECT_TRUE(s.autohide);
    EXPECT_TRUE(s.showSeconds);
    EXPECT_FALSE(s.dockEnabled);
}

TEST(LoadSettings, BackdropNamesCompareWithoutCase) {
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=MICA\n").backdrop, Backdrop::Mica);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=Solid\n").backdrop, Backdrop::Solid);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=glass\n").backdrop, Backdrop::Acrylic);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop=\n").backdrop, Backdrop::Acrylic);
    EXPECT_EQ(LoadText(L"[Bar]\nBackdrop= mica\n").backdrop, Backdrop::Mica);  // INI trims
}

TEST(LoadSettings, MissingBarTintIsWrittenFromTint) {
    FakeProfileStore store(L"[General]\nLanguage=en\n[Bar]\nTint=40\n");
    const Settings s = LoadFrom(store);
    EXPECT_EQ(store.Value(L"Bar", L"BarTint"), L"40");
    EXPECT_EQ(s.barTint, 40);

    FakeProfileStore clamped(L"[General]\nLanguage=en\n[Bar]\nTint=250\n");
    EXPECT_EQ(LoadFrom(clamped).barTint, 100);
    EXPECT_EQ(clamped.Value(L"Bar", L"BarTint"), L"100");
}

TEST(LoadSettings, PresentBarTintIsKeptAndNotRewritten) {
    FakeProfileStore store(L"[General]\nLanguage=en\n[Bar]\nTint=40\nBarTint=0\n[Dock]\nConfigVersion=2\n");
    const Settings s = LoadFrom(store);
    EXPECT_EQ(s.barTint, 0);
    EXPECT_EQ(store.WriteCount(), 0);
}

TEST(LoadSettings, GardenTintFollowsTintUnlessSet) {
    EXPECT_EQ(LoadText(L"[Bar]\nTint=33\n").gardenTint, 33);
    EXPECT_EQ(LoadText(L"[Bar]\nTint=33\n[Garden]\nTint=5\n").gardenTint, 5);
}

TEST(LoadSettings, OldIconSize44IsMigratedOnce) {
    FakeProfileStore store(L"[Dock]\nIconSize=44\n");
    EXPECT_EQ(LoadFrom(store).dockIconSize, 36);
    EXPECT_EQ(store.Value(L"Dock", L"IconSize"), L"36");
    EXPECT_EQ(store.Value(L"Dock", L"ConfigVersion"), L"2");

    // Once migrated, a deliberate 44 stays.
    store.WriteString(L"Dock", L"IconSize", L"44");
    EXPECT_EQ(LoadFrom(store).dockIconSize, 44);
}

TEST(LoadSettings, OnlyIconSize44IsMigrated) {
    FakeProfileStore store(L"[Dock]\nIconSize=50\n");
    EXPECT_EQ(LoadFrom(store).dockIconSize, 50);
    EXPECT_EQ(store.Value(L"Dock", L"IconSize"), L"50");
    EXPECT_EQ(store.Value(L"Dock", L"ConfigVersion"), L"2");

    FakeProfileStore versioned(L"[Dock]\nIconSize=44\nConfigVersion=2\n");
    EXPECT_EQ(LoadFrom(versioned).dockIconSize, 44);
}

TEST(LoadSettings, PinnedPresenceIsToldApartFromEmptiness) {
    const Settings absent = LoadText(L"[Dock]\nEnabled=1\n");
    EXPECT_FALSE(absent.pinnedPresent);
    EXPECT_TRUE(absent.pinned.empty());

    const Settings empty = LoadText(L"[Dock]\nPinned=\n");
    EXPECT_TRUE(empty.pinnedPresent);
    EXPECT_TRUE(empty.pinned.empty());

    const Settings some = LoadText(L"[Dock]\nPinned=C:\\Apps\\Code.exe||shell:AppsFolder\\Foo!App|\n");
    EXPECT_TRUE(some.pinnedPresent);
    EXPECT_EQ(some.pinned, (List{L"C:\\Apps\\Code.exe", L"shell:AppsFolder\\Foo!App"}));
}

TEST(LoadSettings, HiddenListIsLowerCasedTrimmedAndWithoutEmptyPieces) {
    const Settings s = LoadText(L"[Tray]\nHidden=x, OneDrive.exe,, SecurityHealth \n");
    EXPECT_EQ(s.trayHidden, (List{L"x", L"onedrive.exe", L"securityhealth"}));
    const Settings two = LoadText(L"[Tray]\nHidden= OneDrive.EXE ,,Teams\n");
    EXPECT_EQ(two.trayHidden, (List{L"onedrive.exe", L"teams"}));
}

TEST(LoadSettings, FloatListIsLowerCasedAndTrimmed) {
    const Settings s = LoadText(L"[Tiling]\nFloat=Calc.EXE ,\t,mpv.exe\n");
    EXPECT_EQ(s.floatingApps, (List{L"calc.exe", L"mpv.exe"}));
}

TEST(LoadSettings, TrayOrderIsLowerCasedButNotTrimmed) {
    const Settings s = LoadText(L"[Tray]\nOrder=App.exe|| Teams.exe |\n");
    EXPECT_EQ(s.trayOrder, (List{L"app.exe", L" teams.exe "}));
}

TEST(LoadSettings, LongValuesAreCutToTheSharedBuffer) {
    const std::wstring longFormat(20000, L'd');
    const Settings s = LoadText(L"[Clock]\nDateFormat=" + longFormat + L"\n");
    EXPECT_EQ(s.dateFormat.size(), kSettingsBufferChars - 1);

    std::wstring manyPins;
    for (int i = 0; i < 2000; ++i) {
        manyPins += L"C:\\app" + std::to_wstring(i) + L".exe|";
    }
    const Settings p = LoadText(L"[Dock]\nPinned=" + manyPins + L"\n");
    std::size_t total = 0;
    for (const auto& item : p.pinned) {
        total += item.size() + 1;
    }
    EXPECT_LE(total, kSettingsBufferChars);
    EXPECT_GT(p.pinned.size(), 100u);
}

TEST(LoadSettings, EmptyDateFormatMeansTimeOnly) {
    EXPECT_EQ(LoadText(L"[General]\nLanguage=en\n[Clock]\nDateFormat=\n").dateFormat, L"");
}

TEST(DefaultSettingsText, BothLanguagesHaveTheSameLinesInTheSamePlaces) {
    const auto en = Lines(DefaultSettingsText(false));
    const auto no = Lines(DefaultSettingsText(true));
    ASSERT_EQ(en.size(), no.size());
    for (std::size_t i = 0; i < en.size(); ++i) {
        const bool comment = !en[i].empty() && en[i][0] == L';';
        EXPECT_EQ(comment, !no[i].empty() && no[i][0] == L';') << i;
        if (!comment && en[i].rfind(L"DateFormat=", 0) != 0) {
            EXPECT_EQ(en[i], no[i]) << i;
        }
    }
    EXPECT_EQ(en[1], L"");
    EXPECT_EQ(en[2], L"[Bar]");
    EXPECT_EQ(en.back(), L"Float=");
    // Every line, the last included, ends in CR LF.
    EXPECT_TRUE(DefaultSettingsText(false).ends_with(L"Float=\r\n"));
    EXPECT_TRUE(DefaultSettingsText(true).ends_with(L"Float=\r\n"));
    EXPECT_NE(DefaultSettingsText(true).find(L"DateFormat=ddd d. MMM\r\n"), std::wstring::npos);
}

TEST(DefaultSettingsText, FirstLineNamesTheFileAndTheReload) {
    const auto en = Lines(DefaultSettingsText(false));
    const auto no = Lines(DefaultSettingsText(true));
    EXPECT_EQ(en[0].rfind(L"; Corvane \u2014 ", 0), 0u);
    EXPECT_EQ(no[0].rfind(L"; Corvane \u2014 ", 0), 0u);
    EXPECT_NE(en[0].find(L"Reload"), std::wstring::npos);
    EXPECT_NE(no[0].find(L"Last inn p\u00e5 nytt"), std::wstring::npos);
}

TEST(DefaultSettingsText, LoadsToTheSameValuesInBothLanguages) {
    FakeProfileStore en(std::wstring(DefaultSettingsText(false)));
    FakeProfileStore no(std::wstring(DefaultSettingsText(true)));
    const Settings a = LoadFrom(en);
    const Settings b = LoadFrom(no);
    EXPECT_EQ(a.barHeight, b.barHeight);
    EXPECT_EQ(a.tilingMode, b.tilingMode);
    EXPECT_EQ(a.dockIconSize, b.dockIconSize);
    EXPECT_NE(a.dateFormat, b.dateFormat);
}

}  // namespace
}  // namespace corvane
