#include "settings/SettingsPages.h"

#include "config/Language.h"
#include "settings/SettingsPageRows.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace corvane {
namespace pages {

After Reapply() {
    return [](PageContext& context) { context.reapply(); };
}

After WrittenOnly() {
    return [](PageContext&) {};
}

After AtOnce(void (SettingsHost::*action)()) {
    return [action](PageContext& context) { (context.host.*action)(); };
}

const SettingsKey& PlainKey(const wchar_t* section, const wchar_t* key) {
    for (const SettingsKey& k : PlainSettingsKeys()) {
        if (std::wstring_view(k.section) == section && std::wstring_view(k.key) == key) {
            return k;
        }
    }
    std::abort();
}

SettingsRow Header(const wchar_t* label) {
    SettingsRow row;
    row.kind = RowKind::Header;
    row.label = label;
    return row;
}

SettingsRow Text(const wchar_t* label, const wchar_t* value) {
    SettingsRow row;
    row.kind = RowKind::Text;
    row.label = label;
    row.value = value;
    return row;
}

SettingsRow Button(const wchar_t* label, const wchar_t* description, const wchar_t* caption,
                   std::function<void()> action) {
    SettingsRow row;
    row.kind = RowKind::Button;
    row.label = label;
    row.description = description;
    row.buttonText = caption;
    row.action = std::move(action);
    return row;
}

SettingsRow Bound(RowKind kind, const wchar_t* label, const wchar_t* description) {
    SettingsRow row;
    row.kind = kind;
    row.label = label;
    row.description = description;
    return row;
}

namespace {

// Numbers go to the file as decimal text, flags as "1" or "0".
void StoreNumber(PageContext& context, const SettingsKey& key, int32_t value) {
    const int32_t stored = key.flag ? int32_t{value != 0} : key.range.Clamp(value);
    key.set(context.settings, stored);
    context.file.WriteString(key.section, key.key, std::to_wstring(stored));
}

void BindNumber(SettingsRow& row, PageContext& context, const SettingsKey& key, After after) {
    PageContext* ctx = &context;
    const SettingsKey* k = &key;
    row.getInt = [ctx, k] { return k->get(ctx->settings); };
    row.setInt = [ctx, k, after = std::move(after)](int32_t value) {
        StoreNumber(*ctx, *k, value);
        after(*ctx);
    };
}

}  // namespace

SettingsRow Toggle(PageContext& context, const wchar_t* label, const wchar_t* description,
                   const wchar_t* section, const wchar_t* key, After after) {
    SettingsRow row = Bound(RowKind::Toggle, label, description);
    PageContext* ctx = &context;
    const SettingsKey* k = &PlainKey(section, key);
    row.getBool = [ctx, k] { return k->get(ctx->settings) != 0; };
    row.setBool = [ctx, k, after = std::move(after)](bool on) {
        StoreNumber(*ctx, *k, on ? 1 : 0);
        after(*ctx);
    };
    return row;
}

SettingsRow Slider(PageContext& context, const wchar_t* label, const wchar_t* description,
                   const wchar_t* section, const wchar_t* key, int32_t min, int32_t max,
                   const wchar_t* unit, After after) {
    SettingsRow row = Bound(RowKind::Slider, label, description);
    row.min = min;
    row.max = max;
    row.unit = unit;
    BindNumber(row, context, PlainKey(section, key), std::move(after));
    return row;
}

SettingsRow Choice(PageContext& context, const wchar_t* label, const wchar_t* description,
                   const wchar_t* section, const wchar_t* key, std::vector<std::wstring> options,
                   After after) {
    SettingsRow row = Bound(RowKind::Choice, label, description);
    row.options = std::move(options);
    BindNumber(row, context, PlainKey(section, key), std::move(after));
    return row;
}

SettingsRow TintSlider(PageContext& context, const wchar_t* label, const wchar_t* description,
                       const wchar_t* section, const wchar_t* key, int32_t Settings::*member,
                       After after) {
    SettingsRow row = Bound(RowKind::Slider, label, description);
    row.min = ranges::kPercent.min;
    row.max = ranges::kPercent.max;
    row.unit = L" %";
    PageContext* ctx = &context;
    row.getInt = [ctx, member] { return ctx->settings.*member; };
    row.setInt = [ctx, section, key, member, after = std::move(after)](int32_t value) {
        const int32_t stored = ranges::kPercent.Clamp(value);
        ctx->settings.*member = stored;
        ctx->file.WriteString(section, key, std::to_wstring(stored));
        after(*ctx);
    };
    return row;
}

// --- General

namespace {

void SwitchLanguage(PageContext& context, bool toNorwegian) {
    if (toNorwegian == IsNorwegian()) {
        return;
    }
    std::wstring format = DateFormatAfterSwitch(context.settings.dateFormat, toNorwegian);
    if (format != context.settings.dateFormat) {
        context.settings.dateFormat = std::move(format);
        context.file.WriteString(L"Clock", L"DateFormat",
                                 std::wstring_view(context.settings.dateFormat));
    }
    SetNorwegian(toNorwegian);
    context.file.WriteString(L"General", L"Language", toNorwegian ? L"no" : L"en");
    context.languageChanged();
}

constexpr std::array<const wchar_t*, 3> kBackdropNames = {L"acrylic", L"mica", L"solid"};

SettingsRow BackdropChoice(PageContext& context) {
    SettingsRow row = Bound(
        RowKind::Choice, Tr(L"Bakgrunn", L"Background"),
        Tr(L"Materialet bak topplinjen og docken", L"The material behind the top bar and dock"));
    row.options = {Tr(L"Akryl (uskarpt glass)", L"Acrylic (frosted glass)"), L"Mica",
                   Tr(L"Ugjennomsiktig", L"Opaque")};
    PageContext* ctx = &context;
    row.getInt = [ctx] { return static_cast<int32_t>(ctx->settings.backdrop); };
    row.setInt = [ctx](int32_t value) {
        const int32_t index = IntRange{0, 2}.Clamp(value);
        ctx->settings.backdrop = static_cast<Backdrop>(index);
        ctx->file.WriteString(L"Bar", L"Backdrop", kBackdropNames[static_cast<size_t>(index)]);
        ctx->reapply();
    };
    return row;
}

}  // namespace

void AppendGeneral(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(Tr(L"Språk", L"Language")));
    SettingsRow language = Bound(RowKind::Choice, L"Language / Språk", L"");
    language.options = {L"English", L"Norsk"};
    language.getInt = [] { return IsNorwegian() ? 1 : 0; };
    language.setInt = [ctx](int32_t value) { SwitchLanguage(*ctx, value == 1); };
    rows.push_back(std::move(language));

    rows.push_back(Header(Tr(L"Oppstart", L"Startup")));
    SettingsRow autostart =
        Bound(RowKind::Toggle, Tr(L"Start Corvane med Windows", L"Start Corvane with Windows"),
              Tr(L"Topplinjen og docken er klare når du logger inn",
                 L"The top bar and dock are ready when you sign in"));
    autostart.getBool = [ctx] { return ctx->host.StartsWithWindows(); };
    autostart.setBool = [ctx](bool on) { ctx->host.SetStartWithWindows(on); };
    rows.push_back(std::move(autostart));

    rows.push_back(Header(L"Windows"));
    rows.push_back(Toggle(context, Tr(L"Start-menyen i midten", L"Centered Start menu"),
                          Tr(L"Start åpnes midt på skjermen, over docken. Din egen innstilling "
                             L"kommer tilbake når Corvane avsluttes.",
                             L"Start opens in the middle of the screen, above the dock. Your own "
                             L"setting is restored when Corvane quits."),
                          L"General", L"CenterStart", AtOnce(&SettingsHost::ApplyCenterStart)));

    rows.push_back(Header(Tr(L"Utseende", L"Appearance")));
    rows.push_back(BackdropChoice(context));
    rows.push_back(Slider(context, Tr(L"Fargetone, dock", L"Tint, dock"),
                          Tr(L"Lavere verdi gir mer gjennomsiktig glass. Topplinjen har sin egen.",
                             L"Lower values make the glass more transparent. The top bar has its "
                             L"own."),
                          L"Bar", L"Tint", ranges::kPercent.min, ranges::kPercent.max, L" %",
                          Reapply()));

    rows.push_back(Header(Tr(L"Filer", L"Files")));
    rows.push_back(Button(Tr(L"Appmenyer", L"App menus"),
                          Tr(L"Menyene ved siden av appnavnet (Fil, Rediger, Vis …)",
                             L"The menus next to the app name (File, Edit, View …)"),
                          Tr(L"Rediger", L"Edit"),
                          [ctx] { ctx->host.EditFile(ctx->host.MenusFilePath()); }));
    rows.push_back(Button(Tr(L"Innstillingsfil", L"Settings file"),
                          Tr(L"corvane.ini — alt på denne siden, som tekst",
                             L"corvane.ini — everything on this page, as text"),
                          Tr(L"Åpne", L"Open"),
                          [ctx] { ctx->host.EditFile(ctx->settings.filePath); }));
    rows.push_back(Button(Tr(L"Last inn på nytt", L"Reload"),
                          Tr(L"Bruk endringer du har gjort i filene over",
                             L"Apply changes you've made to the files above"),
                          Tr(L"Last inn", L"Reload"), [ctx] { ctx->reloadNow(); }));
}

// --- Top bar

void AppendTopBar(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(Tr(L"Utseende", L"Appearance")));
    rows.push_back(Choice(
        context, Tr(L"Stil", L"Style"),
        Tr(L"Klassisk går kant i kant. De andre har luft rundt seg, som docken. Separert har "
           L"klokka i midten.",
           L"Classic runs edge to edge. The others float with space around them, like the dock. "
           L"Separated puts the clock in the middle."),
        L"Bar", L"Style",
        {Tr(L"Klassisk", L"Classic"), Tr(L"Flytende", L"Floating"),
         Tr(L"Øyer (bokser)", L"Islands (boxes)"),
         Tr(L"Separert (tre paneler)", L"Separated (three panels)")},
        Reapply()));
    rows.push_back(TintSlider(context, Tr(L"Fargetone", L"Tint"),
                              Tr(L"Lavere verdi gir mer gjennomsiktig topplinje",
                                 L"Lower values make the top bar more transparent"),
                              L"Bar", L"BarTint", &Settings::barTint, Reapply()));
    rows.push_back(Toggle(context, Tr(L"Skjul automatisk", L"Automatically hide"),
                          Tr(L"Topplinjen glir bort og kommer tilbake når musen treffer toppkanten",
                             L"The top bar slides away and comes back when the pointer hits the "
                             L"top edge"),
                          L"Bar", L"Autohide", Reapply()));

    rows.push_back(Header(Tr(L"Topplinje", L"Top bar")));
    rows.push_back(Slider(context, Tr(L"Høyde", L"Height"), L"", L"Bar", L"Height", 22, 40, L" px",
                          Reapply()));
    rows.push_back(Toggle(context, Tr(L"Vis på alle skjermer", L"Show on all displays"),
                          Tr(L"Av: bare på hovedskjermen", L"Off: main display only"), L"Bar",
                          L"AllMonitors", Reapply()));
    rows.push_back(Toggle(context, Tr(L"Tiling-knapp", L"Tiling button"),
                          Tr(L"Liten knapp til venstre for lyd og nett som slår tiling av og på",
                             L"Small button left of sound and network that turns tiling on and "
                             L"off"),
                          L"Tiling", L"Button", AtOnce(&SettingsHost::RefreshBars)));

    rows.push_back(Header(Tr(L"Klokke", L"Clock")));
    SettingsRow date = Bound(RowKind::Choice, Tr(L"Dato", L"Date"), L"");
    const bool norwegian = IsNorwegian();
    for (const std::wstring& preset : DatePresets(norwegian)) {
        date.options.push_back(context.host.FormatToday(preset));
    }
    date.options.emplace_back(Tr(L"Bare klokkeslett", L"Time only"));
    // A format of the user's own has an entry of its own, so that no preset
    // stands for it and every preset can be chosen.
    if (DatePresetIndex(context.settings.dateFormat, norwegian) == kOwnDateFormatIndex) {
        date.options.push_back(context.host.FormatToday(context.settings.dateFormat) +
                               Tr(L"  (eget format)", L"  (own format)"));
    }
    date.getInt = [ctx, norwegian] { return DatePresetIndex(ctx->settings.dateFormat, norwegian); };
    date.setInt = [ctx, norwegian](int32_t index) {
        // "Time only" is an empty value, not a missing key: a missing key
        // would bring the default date back on the next load.
        ctx->settings.dateFormat = DateFormatOfOption(index, norwegian);
        ctx->file.WriteString(L"Clock", L"DateFormat", std::wstring_view(ctx->settings.dateFormat));
        ctx->host.RefreshBars();
    };
    rows.push_back(std::move(date));
    rows.push_back(Toggle(context, Tr(L"Vis sekunder", L"Show seconds"), L"", L"Clock",
                          L"ShowSeconds", Reapply()));
    rows.push_back(Header(Tr(L"Tastatur", L"Keyboard")));
    AppendFocusShortcut(rows, context, false);
}

// --- Tray icons

void AppendTray(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(L"Tray"));
    rows.push_back(Toggle(context, Tr(L"Tray-ikoner i topplinjen", L"Tray icons in the top bar"),
                          Tr(L"Ikonene fra Discord, Steam osv. vises oppe til høyre",
                             L"Icons from Discord, Steam, etc. appear in the top right"),
                          L"Tray", L"Enabled", Reapply()));
    rows.push_back(Toggle(
        context, Tr(L"Behold også ikonene nederst", L"Also keep icons at the bottom"),
        Tr(L"Vis dem i Windows' egen tray i tillegg", L"Show them in the Windows tray as well"),
        L"Tray", L"MirrorToExplorer", WrittenOnly()));

    rows.push_back(Header(Tr(L"Skjulte ikoner", L"Hidden icons")));
    for (const std::wstring& exe : context.settings.trayHidden) {
        SettingsRow row = Button(L"", L"", Tr(L"Vis", L"Show"), [ctx, exe] {
            ctx->host.UnhideTrayEntry(exe);
            ctx->rebuild();
        });
        row.label = ProgramLabel(exe, context.host.TrayTooltip(exe));
        rows.push_back(std::move(row));
    }
    if (context.settings.trayHidden.empty()) {
        rows.push_back(Text(Tr(L"Ingen skjulte ikoner", L"No hidden icons"),
                            Tr(L"Dra et ikon ned fra topplinjen og slipp det for å skjule det.",
                               L"Drag an icon down out of the top bar and drop it to hide it.")));
    } else {
        rows.push_back(Button(Tr(L"Vis alle skjulte ikoner", L"Show all hidden icons"), L"",
                              Tr(L"Vis alle", L"Show all"), [ctx] {
                                  ctx->host.UnhideTrayEntry(L"");
                                  ctx->rebuild();
                              }));
    }

    rows.push_back(Header(Tr(L"Rekkefølge", L"Order")));
    rows.push_back(Button(Tr(L"Dra ikonene sidelengs i topplinjen for å flytte dem",
                             L"Drag icons sideways in the top bar to move them"),
                          Tr(L"Rekkefølgen huskes", L"The order is remembered"),
                          Tr(L"Tilbakestill", L"Reset"), [ctx] {
                              ctx->host.ResetTrayOrder();
                              ctx->rebuild();
                          }));
}

}  // namespace pages

namespace {

constexpr std::array<SettingsPage, 9> kPages = {{
    {L'\xE713', L"Generelt", L"General"},
    {L'\xE8A0', L"Topplinje", L"Top bar"},
    {L'\xE76C', L"Tray-ikoner", L"Tray icons"},
    {L'\xE75B', L"Dock", L"Dock"},
    {L'\xE80F', L"Startmeny", L"Start menu"},
    {L'\xE8A9', L"Tiling", L"Tiling"},
    {L'\xE7C4', L"Hot corners", L"Hot corners"},
    {L'\xEA86', L"Tillegg", L"Plugins"},
    {L'\xE946', L"Om Corvane", L"About Corvane"},
}};

using Appender = void (*)(std::vector<SettingsRow>&, PageContext&);
constexpr std::array<Appender, 9> kAppenders = {
    pages::AppendGeneral,    pages::AppendTopBar,  pages::AppendTray,
    pages::AppendDock,       pages::AppendStart,   pages::AppendTiling,
    pages::AppendHotCorners, pages::AppendPlugins, pages::AppendAbout,
};

bool ValidPage(int32_t page) noexcept {
    return page >= 0 && page < static_cast<int32_t>(kPages.size());
}

}  // namespace

const SettingsPage& PageInfo(int32_t page) noexcept {
    return kPages[static_cast<size_t>(ValidPage(page) ? page : 0)];
}

std::vector<SettingsRow> BuildRows(int32_t page, PageContext& context) {
    std::vector<SettingsRow> rows;
    kAppenders[static_cast<size_t>(ValidPage(page) ? page : 0)](rows, context);
    return rows;
}

const wchar_t* SettingsWindowTitle() noexcept {
    return Tr(L"Corvane – Innstillinger", L"Corvane – Settings");
}

}  // namespace corvane
