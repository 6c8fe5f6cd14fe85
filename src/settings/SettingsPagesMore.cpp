// The pages after the tray: dock, start, tiling, hot corners, plugins and
// about.

#include "config/CornerActionNames.h"
#include "base/TextHelpers.h"
#include "config/Texts.h"
#include "settings/SettingsPageRows.h"
#include "settings/SettingsPages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace corvane::pages {

void AppendDock(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(L"Dock"));
    rows.push_back(Toggle(context, Text(TextId::ShowDock), L"", L"Dock", L"Enabled", Reapply()));
    rows.push_back(Slider(context, Text(TextId::IconSize), L"", L"Dock", L"IconSize", 24, 64,
                          L" px", Reapply()));
    rows.push_back(Toggle(context, Text(TextId::SmartHide), Text(TextId::SmartHideHint), L"Dock",
                          L"SmartHide", Reapply()));
    rows.push_back(Toggle(context, Text(TextId::WindowPreviews), Text(TextId::WindowPreviewsHint),
                          L"Dock", L"Preview", Reapply()));
    // The choice stores the display's value: with a display that is not
    // connected in the list, an option's index and its value differ.
    SettingsRow monitor = Choice(context, Text(TextId::ShowDockOn), Text(TextId::ShowDockOnHint),
                                 L"Dock", L"Monitor", {}, Reapply());
    DockMonitorChoice choice =
        BuildDockMonitorChoice(context.host.Displays(), context.settings.dockMonitor);
    monitor.options = std::move(choice.options);
    monitor.values = std::move(choice.values);
    rows.push_back(std::move(monitor));
    rows.push_back(Choice(context, Text(TextId::RevealArea), Text(TextId::RevealAreaHint), L"Dock",
                          L"RevealWidth",
                          {Text(TextId::RevealUnderDock), Text(TextId::RevealLittleWider),
                           Text(TextId::RevealMuchWider), Text(TextId::RevealWholeEdge)},
                          Reapply()));
    rows.push_back(Toggle(context, Text(TextId::HideTaskbarToggle), Text(TextId::HideTaskbarHint),
                          L"Dock", L"HideTaskbar", Reapply()));
    AppendFocusShortcut(rows, context, true);

    rows.push_back(Header(Text(TextId::PinnedApps)));
    rows.push_back(
        Button(Text(TextId::DockPinHint), Text(TextId::DockOrderHint), Text(TextId::Reset), [ctx] {
            ctx->settings.pinnedPresent = false;
            ctx->settings.pinned.clear();
            ctx->file.WriteString(L"Dock", L"Pinned", std::nullopt);
            ctx->reapply();
        }));
}

void AppendStart(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(Text(TextId::StartMenu)));
    rows.push_back(Choice(context, Text(TextId::StartMenu), Text(TextId::StartMenuHint), L"Start",
                          L"Menu", {Text(TextId::WindowsDefault), L"CorMenu", L"CorLauncher"},
                          Reapply()));
    rows.push_back(Toggle(context, Text(TextId::WindowsKeyOpensIt), Text(TextId::WindowsKeyHint),
                          L"Start", L"WinKey", Reapply()));

    rows.push_back(Header(L"CorMenu"));
    rows.push_back(Button(Text(TextId::TryCorMenu), Text(TextId::TryCorMenuHint),
                          Text(TextId::Open), [ctx] { ctx->host.ShowStartSurface(1); }));
    rows.push_back(
        Button(Text(TextId::PinnedApps), Text(TextId::MenuPinHint), Text(TextId::Reset), [ctx] {
            ctx->settings.menuPinnedSet = false;
            ctx->file.WriteString(L"CorMenu", L"PinnedSet", L"0");
        }));

    rows.push_back(Header(L"CorLauncher"));
    rows.push_back(Button(Text(TextId::TryCorLauncher), Text(TextId::TryCorLauncherHint),
                          Text(TextId::Open), [ctx] { ctx->host.ShowStartSurface(2); }));
    rows.push_back(
        Button(Text(TextId::Order), Text(TextId::LauncherOrderHint), Text(TextId::Alphabetical),
               [ctx] { ctx->file.WriteString(L"CorLauncher", L"Order", std::nullopt); }));
}

namespace {

void RemoveFloating(PageContext& context, const std::wstring& entry) {
    std::erase(context.settings.floatingApps, entry);
    context.file.WriteString(L"Tiling", L"Float", JoinList(context.settings.floatingApps, L", "));
    context.host.ApplyTilingSettings();
    context.rebuild();
}

}  // namespace

void AppendTiling(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    const After apply = AtOnce(&SettingsHost::ApplyTilingSettings);
    rows.push_back(Header(L"Tiling"));
    rows.push_back(Toggle(context, Text(TextId::AutomaticTiling), Text(TextId::AutomaticTilingHint),
                          L"Tiling", L"Enabled", apply));
    rows.push_back(Choice(context, Text(TextId::Layout), L"", L"Tiling", L"Layout",
                          {Text(TextId::LayoutBsp), Text(TextId::LayoutMaster),
                           Text(TextId::LayoutColumns), Text(TextId::LayoutMonocle)},
                          apply));
    rows.push_back(Choice(
        context, Text(TextId::Control), Text(TextId::ControlHint), L"Tiling", L"Mode",
        {Text(TextId::Automatic), Text(TextId::AutomaticAndShortcuts), Text(TextId::ShortcutsOnly)},
        [](PageContext& c) {
            c.host.ApplyTilingSettings();
            c.rebuild();
        }));
    rows.push_back(Slider(context, Text(TextId::GapBetweenWindows), L"", L"Tiling", L"Gap", 0, 32,
                          L" px", apply));
    rows.push_back(Toggle(context, Text(TextId::MakeRoomForDock), Text(TextId::MakeRoomForDockHint),
                          L"Tiling", L"DockSpace", apply));
    rows.push_back(Text(Text(TextId::SwapWithMouse), Text(TextId::SwapWithMouseHint)));

    AppendTilingShortcuts(rows, context);

    rows.push_back(Header(Text(TextId::NeverTiledApps)));
    for (const std::wstring& entry : context.settings.floatingApps) {
        SettingsRow row =
            Button(L"", L"", Text(TextId::Remove), [ctx, entry] { RemoveFloating(*ctx, entry); });
        row.label = ProgramLabel(entry, context.host.TrayTooltip(entry));
        rows.push_back(std::move(row));
    }
    if (context.settings.floatingApps.empty()) {
        rows.push_back(Text(Text(TextId::None), Text(TextId::NeverTiledHint)));
    }
}

void AppendHotCorners(std::vector<SettingsRow>& rows, PageContext& context) {
    const After apply = AtOnce(&SettingsHost::ApplyHotCorners);
    rows.push_back(Header(L"Hot corners"));
    rows.push_back(Toggle(context, L"Hot corners", Text(TextId::HotCornersHint), L"HotCorners",
                          L"Enabled", apply));
    std::vector<std::wstring> actions;
    for (int32_t a = ranges::kCornerAction.min; a <= ranges::kCornerAction.max; ++a) {
        actions.emplace_back(HotCornerActionName(a));
    }
    struct CornerRow {
        TextId name;
        const wchar_t* key;
    };
    constexpr std::array<CornerRow, 4> kCorners = {{
        {TextId::CornerTopLeft, L"TopLeft"},
        {TextId::CornerTopRight, L"TopRight"},
        {TextId::CornerBottomLeft, L"BottomLeft"},
        {TextId::CornerBottomRight, L"BottomRight"},
    }};
    for (const CornerRow& corner : kCorners) {
        rows.push_back(
            Choice(context, Text(corner.name), L"", L"HotCorners", corner.key, actions, apply));
    }
    rows.push_back(Text(Text(TextId::TaskView), Text(TextId::TaskViewHint)));
}

void AppendPlugins(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    const After glass = AtOnce(&SettingsHost::RefreshGardenGlass);
    rows.push_back(Header(L"Now Playing"));
    rows.push_back(Toggle(context, L"Now Playing", Text(TextId::NowPlayingHint), L"NowPlaying",
                          L"Enabled", Reapply()));
    rows.push_back(Choice(context, Text(TextId::ShowIn), L"", L"NowPlaying", L"Where",
                          {Text(TextId::InTheDock), Text(TextId::InTheTopBar), Text(TextId::Both)},
                          Reapply()));
    rows.push_back(Choice(context, Text(TextId::BarPosition), Text(TextId::BarPositionHint),
                          L"NowPlaying", L"BarPosition",
                          {Text(TextId::NextToTray), Text(TextId::NextToClock)}, Reapply()));
    rows.push_back(Toggle(context, Text(TextId::ArtworkTint), Text(TextId::ArtworkTintHint),
                          L"NowPlaying", L"Tint", WrittenOnly()));

    rows.push_back(Header(L"CorGarden"));
    rows.push_back(
        Toggle(context, L"CorGarden", Text(TextId::GardenHint), L"Garden", L"Enabled", Reapply()));
    rows.push_back(Choice(context, L"Glass", Text(TextId::GardenGlassHint), L"Garden", L"Glass",
                          {Text(TextId::GardenGlassAcrylic), Text(TextId::GardenGlassClear),
                           Text(TextId::GardenGlassSeeThrough)},
                          glass));
    rows.push_back(TintSlider(context, Text(TextId::GardenTint), Text(TextId::GardenTintHint),
                              L"Garden", L"Tint", &Settings::gardenTint, glass));
    rows.push_back(Button(Text(TextId::NewBed), Text(TextId::NewBedHint), Text(TextId::Create),
                          [ctx] { ctx->host.NewBed(); }));
    rows.push_back(Button(Text(TextId::Layout), Text(TextId::GardenLayoutHint), Text(TextId::Reset),
                          [ctx] { ctx->host.ResetGarden(); }));
}

void AppendAbout(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    SettingsRow title = Header(L"");
    title.label = L"Corvane " + context.host.Version();
    rows.push_back(std::move(title));
    std::array<wchar_t, 96> memory{};
    std::swprintf(memory.data(), memory.size(), Text(TextId::MemoryInUse),
                  context.host.WorkingSetMb());
    rows.push_back(Text(memory.data(), L""));
    rows.push_back(Text(Text(TextId::Tagline), L""));
    rows.push_back(Button(Text(TextId::License), L"", Text(TextId::ViewLicense),
                          [ctx] { ctx->host.ShowLicense(); }));
    rows.push_back(Header(L""));
    rows.push_back(Button(Text(TextId::QuitCorvane), Text(TextId::QuitHint), Text(TextId::Quit),
                          [ctx] { ctx->host.Quit(); }));
}

}  // namespace corvane::pages
