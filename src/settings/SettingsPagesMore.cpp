// The pages after the tray: dock, start, tiling, hot corners, plugins and
// about.

#include "config/CornerActionNames.h"
#include "config/Language.h"
#include "base/TextHelpers.h"
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
    rows.push_back(
        Toggle(context, Tr(L"Vis dock", L"Show dock"), L"", L"Dock", L"Enabled", Reapply()));
    rows.push_back(Slider(context, Tr(L"Ikonstørrelse", L"Icon size"), L"", L"Dock", L"IconSize",
                          24, 64, L" px", Reapply()));
    rows.push_back(Toggle(context, Tr(L"Smart skjul", L"Smart hide"),
                          Tr(L"På: glir ned når et vindu ligger over den. Av: alltid synlig, og "
                             L"vinduer stopper over den.",
                             L"On: slides down when a window overlaps it. Off: always visible, and "
                             L"windows stop above it."),
                          L"Dock", L"SmartHide", Reapply()));
    rows.push_back(Toggle(context, Tr(L"Forhåndsvisning av vinduer", L"Window previews"),
                          Tr(L"Hold musen over en app for å se vinduene dens. Klikk for å bytte, × "
                             L"eller midtklikk for å lukke.",
                             L"Hover over an app to see its windows. Click to switch, × or "
                             L"middle-click to close."),
                          L"Dock", L"Preview", Reapply()));
    // The choice stores the display's value: with a display that is not
    // connected in the list, an option's index and its value differ.
    SettingsRow monitor = Choice(
        context, Tr(L"Vis docken på", L"Show the dock on"),
        Tr(L"Skjermene telles fra venstre mot høyre", L"Displays are numbered from left to right"),
        L"Dock", L"Monitor", {}, Reapply());
    DockMonitorChoice choice =
        BuildDockMonitorChoice(context.host.Displays(), context.settings.dockMonitor);
    monitor.options = std::move(choice.options);
    monitor.values = std::move(choice.values);
    rows.push_back(std::move(monitor));
    rows.push_back(Choice(
        context, Tr(L"Treff-område nederst", L"Bottom reveal area"),
        Tr(L"Hvor bredt området i bunnkanten er som henter frem docken",
           L"How wide the area along the bottom edge that brings up the dock is"),
        L"Dock", L"RevealWidth",
        {Tr(L"Bare under docken", L"Only under the dock"), Tr(L"Litt bredere", L"A little wider"),
         Tr(L"Mye bredere", L"Much wider"), Tr(L"Hele bunnkanten", L"Entire bottom edge")},
        Reapply()));
    rows.push_back(
        Toggle(context, Tr(L"Skjul Windows-oppgavelinjen", L"Hide the Windows taskbar"),
               Tr(L"Den kommer tilbake når Corvane avsluttes", L"It comes back when Corvane quits"),
               L"Dock", L"HideTaskbar", Reapply()));
    AppendFocusShortcut(rows, context, true);

    rows.push_back(Header(Tr(L"Festede apper", L"Pinned apps")));
    rows.push_back(Button(Tr(L"Høyreklikk et ikon i docken for å feste eller fjerne det",
                             L"Right-click an icon in the dock to pin or unpin it"),
                          Tr(L"Dra ikonene for å sortere dem", L"Drag icons to reorder them"),
                          Tr(L"Tilbakestill", L"Reset"), [ctx] {
                              ctx->settings.pinnedPresent = false;
                              ctx->settings.pinned.clear();
                              ctx->file.WriteString(L"Dock", L"Pinned", std::nullopt);
                              ctx->reapply();
                          }));
}

void AppendStart(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(Tr(L"Startmeny", L"Start menu")));
    rows.push_back(Choice(
        context, Tr(L"Startmeny", L"Start menu"),
        Tr(L"Hva Start-knappen i docken og Windows-tasten åpner",
           L"What the dock's Start button and the Windows key open"),
        L"Start", L"Menu",
        {Tr(L"Windows (standard)", L"Windows (default)"), L"CorMenu", L"CorLauncher"}, Reapply()));
    rows.push_back(Toggle(context, Tr(L"Windows-tasten åpner den", L"The Windows key opens it"),
                          Tr(L"Gjelder CorMenu og CorLauncher. Snarveier som Win+E virker som før.",
                             L"For CorMenu and CorLauncher. Shortcuts like Win+E still work."),
                          L"Start", L"WinKey", Reapply()));

    rows.push_back(Header(L"CorMenu"));
    rows.push_back(Button(Tr(L"Prøv CorMenu", L"Try CorMenu"),
                          Tr(L"Festede apper til venstre, mappene dine og av/på til høyre",
                             L"Pinned apps on the left, your folders and power on the right"),
                          Tr(L"Åpne", L"Open"), [ctx] { ctx->host.ShowStartSurface(1); }));
    rows.push_back(Button(Tr(L"Festede apper", L"Pinned apps"),
                          Tr(L"Høyreklikk en app i CorMenu eller CorLauncher for å feste eller "
                             L"løsne den",
                             L"Right-click an app in CorMenu or CorLauncher to pin or unpin it"),
                          Tr(L"Tilbakestill", L"Reset"), [ctx] {
                              ctx->settings.menuPinnedSet = false;
                              ctx->file.WriteString(L"CorMenu", L"PinnedSet", L"0");
                          }));

    rows.push_back(Header(L"CorLauncher"));
    rows.push_back(Button(Tr(L"Prøv CorLauncher", L"Try CorLauncher"),
                          Tr(L"Alle appene dine i et rutenett over hele skjermen",
                             L"All your apps in a full-screen grid"),
                          Tr(L"Åpne", L"Open"), [ctx] { ctx->host.ShowStartSurface(2); }));
    rows.push_back(Button(Tr(L"Rekkefølge", L"Order"),
                          Tr(L"Dra ikonene i CorLauncher for å sortere dem",
                             L"Drag the icons in CorLauncher to arrange them"),
                          Tr(L"Alfabetisk", L"Alphabetical"), [ctx] {
                              ctx->file.WriteString(L"CorLauncher", L"Order", std::nullopt);
                          }));
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
    rows.push_back(Toggle(context, Tr(L"Automatisk tiling", L"Automatic tiling"),
                          Tr(L"Vinduer ordner seg selv når de åpnes, lukkes eller minimeres",
                             L"Windows arrange themselves when opened, closed or minimized"),
                          L"Tiling", L"Enabled", apply));
    rows.push_back(Choice(context, Tr(L"Oppsett", L"Layout"), L"", L"Tiling", L"Layout",
                          {Tr(L"BSP – deler skjermen i to, igjen og igjen",
                              L"BSP – splits the screen in two, again and again"),
                           Tr(L"Master – ett stort + stabel", L"Master – one large + stack"),
                           Tr(L"Kolonner", L"Columns"),
                           Tr(L"Monocle – ett vindu om gangen", L"Monocle – one window at a time")},
                          apply));
    rows.push_back(
        Choice(context, Tr(L"Styring", L"Control"),
               Tr(L"Hurtigtaster er helt valgfritt", L"Keyboard shortcuts are entirely optional"),
               L"Tiling", L"Mode",
               {Tr(L"Automatisk", L"Automatic"),
                Tr(L"Automatisk + hurtigtaster", L"Automatic + shortcuts"),
                Tr(L"Bare hurtigtaster", L"Shortcuts only")},
               [](PageContext& c) {
                   c.host.ApplyTilingSettings();
                   c.rebuild();
               }));
    rows.push_back(Slider(context, Tr(L"Avstand mellom vinduer", L"Gap between windows"), L"",
                          L"Tiling", L"Gap", 0, 32, L" px", apply));
    rows.push_back(Toggle(context, Tr(L"Gi plass til docken", L"Make room for the dock"),
                          Tr(L"Vinduer stopper over docken i stedet for å dekke den",
                             L"Windows stop above the dock instead of covering it"),
                          L"Tiling", L"DockSpace", apply));
    rows.push_back(Text(Tr(L"Bytt plass med musen", L"Swap with the mouse"),
                        Tr(L"Dra et vindu og slipp det oppå et annet, så bytter de plass.",
                           L"Drag a window and drop it onto another to swap them.")));

    AppendTilingShortcuts(rows, context);

    rows.push_back(Header(Tr(L"Apper som aldri tiles", L"Apps that are never tiled")));
    for (const std::wstring& entry : context.settings.floatingApps) {
        SettingsRow row = Button(L"", L"", Tr(L"Fjern", L"Remove"),
                                 [ctx, entry] { RemoveFloating(*ctx, entry); });
        row.label = ProgramLabel(entry, context.host.TrayTooltip(entry));
        rows.push_back(std::move(row));
    }
    if (context.settings.floatingApps.empty()) {
        rows.push_back(Text(Tr(L"Ingen", L"None"),
                            Tr(L"Klikk appnavnet oppe til venstre og velg «Aldri tile …» for å "
                               L"legge til en app.",
                               L"Click the app name in the top left and choose “Never tile …” to "
                               L"add an app.")));
    }
}

void AppendHotCorners(std::vector<SettingsRow>& rows, PageContext& context) {
    const After apply = AtOnce(&SettingsHost::ApplyHotCorners);
    rows.push_back(Header(L"Hot corners"));
    rows.push_back(Toggle(context, L"Hot corners",
                          Tr(L"Før musen helt inn i et hjørne av hovedskjermen for å gjøre noe. "
                             L"Pause i fullskjermspill.",
                             L"Move the pointer all the way into a corner of the main display to "
                             L"trigger an action. Paused in fullscreen games."),
                          L"HotCorners", L"Enabled", apply));
    std::vector<std::wstring> actions;
    for (int32_t a = ranges::kCornerAction.min; a <= ranges::kCornerAction.max; ++a) {
        actions.emplace_back(HotCornerActionName(a));
    }
    struct CornerRow {
        const wchar_t* norwegian;
        const wchar_t* english;
        const wchar_t* key;
    };
    constexpr std::array<CornerRow, 4> kCorners = {{
        {L"Øverst til venstre", L"Top left", L"TopLeft"},
        {L"Øverst til høyre", L"Top right", L"TopRight"},
        {L"Nederst til venstre", L"Bottom left", L"BottomLeft"},
        {L"Nederst til høyre", L"Bottom right", L"BottomRight"},
    }};
    for (const CornerRow& corner : kCorners) {
        rows.push_back(Choice(context, Tr(corner.norwegian, corner.english), L"", L"HotCorners",
                              corner.key, actions, apply));
    }
    rows.push_back(Text(Tr(L"Oppgavevisning", L"Task view"),
                        Tr(L"Windows' egen oversikt over alle vinduer og skrivebord (Win+Tab).",
                           L"Windows' own overview of all windows and desktops (Win+Tab).")));
}

void AppendPlugins(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    const After glass = AtOnce(&SettingsHost::RefreshGardenGlass);
    rows.push_back(Header(L"Now Playing"));
    rows.push_back(Toggle(context, L"Now Playing",
                          Tr(L"Det som spilles i Spotify, nettleseren og andre apper, med "
                             L"albumbilde og kontroller",
                             L"What's playing in Spotify, your browser and other apps, with "
                             L"artwork and controls"),
                          L"NowPlaying", L"Enabled", Reapply()));
    rows.push_back(Choice(
        context, Tr(L"Vis i", L"Show in"), L"", L"NowPlaying", L"Where",
        {Tr(L"Docken", L"The dock"), Tr(L"Topplinjen", L"The top bar"), Tr(L"Begge", L"Both")},
        Reapply()));
    rows.push_back(Choice(context, Tr(L"Plassering i topplinjen", L"Position in the top bar"),
                          Tr(L"Ved klokka passer best med stilen Separert",
                             L"Next to the clock suits the Separated style best"),
                          L"NowPlaying", L"BarPosition",
                          {Tr(L"Ved tray-ikonene", L"Next to the tray icons"),
                           Tr(L"Ved klokka", L"Next to the clock")},
                          Reapply()));
    rows.push_back(Toggle(context, Tr(L"Fargetone fra albumbildet", L"Tint from the artwork"),
                          Tr(L"Kortet får en svak farge hentet fra coveret",
                             L"The card takes a soft colour from the cover"),
                          L"NowPlaying", L"Tint", WrittenOnly()));

    rows.push_back(Header(L"CorGarden"));
    rows.push_back(Toggle(context, L"CorGarden",
                          Tr(L"Skrivebordsikonene dine i pene glassbed. Windows' egne ikoner "
                             L"skjules mens det er på; filene flyttes aldri.",
                             L"Your desktop icons in neat glass beds. Windows' own icons are "
                             L"hidden while it's on; files never move."),
                          L"Garden", L"Enabled", Reapply()));
    rows.push_back(
        Choice(context, L"Glass",
               Tr(L"Hvor mye du ser gjennom bedene", L"How much you see through the beds"),
               L"Garden", L"Glass",
               {Tr(L"Acrylic (som docken)", L"Acrylic (like the dock)"),
                Tr(L"Klart glass (bare uskarphet)", L"Clear glass (blur only)"),
                Tr(L"Gjennomsiktig (uten uskarphet)", L"See-through (no blur)")},
               glass));
    rows.push_back(TintSlider(context, Tr(L"Fargetone, CorGarden", L"Tint, CorGarden"),
                              Tr(L"Lavere verdi gir mer gjennomsiktig glass. Docken og topplinjen "
                                 L"har sine egne.",
                                 L"Lower is more see-through glass. The dock and top bar have "
                                 L"their own."),
                              L"Garden", L"Tint", &Settings::gardenTint, glass));
    rows.push_back(Button(Tr(L"Nytt bed", L"New bed"),
                          Tr(L"Eller høyreklikk et bed. Dra i tittelen for å flytte, i kantene for "
                             L"å endre størrelse, klikk tittelen for å rulle opp.",
                             L"Or right-click a bed. Drag the title to move, the edges to resize, "
                             L"click the title to roll up."),
                          Tr(L"Lag", L"Create"), [ctx] { ctx->host.NewBed(); }));
    rows.push_back(
        Button(Tr(L"Oppsett", L"Layout"),
               Tr(L"Start på nytt med Apper og Skrivebord", L"Start over with Apps and Desktop"),
               Tr(L"Tilbakestill", L"Reset"), [ctx] { ctx->host.ResetGarden(); }));
}

void AppendAbout(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    SettingsRow title = Header(L"");
    title.label = L"Corvane " + context.host.Version();
    rows.push_back(std::move(title));
    std::array<wchar_t, 96> memory{};
    std::swprintf(memory.data(), memory.size(),
                  Tr(L"Bruker %.1f MB minne akkurat nå", L"Using %.1f MB of memory right now"),
                  context.host.WorkingSetMb());
    rows.push_back(Text(memory.data(), L""));
    rows.push_back(Text(Tr(L"Native topplinje, dock og tiling for Windows 11",
                           L"Native top bar, dock and tiling for Windows 11"),
                        L""));
    rows.push_back(Button(Tr(L"Lisens", L"License"), L"", Tr(L"Vis lisens", L"View license"),
                          [ctx] { ctx->host.ShowLicense(); }));
    rows.push_back(Header(L""));
    rows.push_back(Button(
        Tr(L"Avslutt Corvane", L"Quit Corvane"),
        Tr(L"Alt går tilbake til vanlig Windows", L"Everything goes back to regular Windows"),
        Tr(L"Avslutt", L"Quit"), [ctx] { ctx->host.Quit(); }));
}

}  // namespace corvane::pages
