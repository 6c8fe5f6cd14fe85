#include "settings/SettingsPages.h"

#include "config/Texts.h"
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
    SettingsRow row =
        Bound(RowKind::Choice, Text(TextId::Background), Text(TextId::BackgroundHint));
    row.options = {Text(TextId::Acrylic), L"Mica", Text(TextId::Opaque)};
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
    rows.push_back(Header(Text(TextId::Language)));
    SettingsRow language = Bound(RowKind::Choice, L"Language / Språk", L"");
    language.options = {L"English", L"Norsk"};
    language.getInt = [] { return IsNorwegian() ? 1 : 0; };
    language.setInt = [ctx](int32_t value) { SwitchLanguage(*ctx, value == 1); };
    rows.push_back(std::move(language));

    rows.push_back(Header(Text(TextId::Startup)));
    SettingsRow autostart =
        Bound(RowKind::Toggle, Text(TextId::StartWithWindows), Text(TextId::StartWithWindowsHint));
    autostart.getBool = [ctx] { return ctx->host.StartsWithWindows(); };
    autostart.setBool = [ctx](bool on) { ctx->host.SetStartWithWindows(on); };
    rows.push_back(std::move(autostart));

    rows.push_back(Header(L"Windows"));
    rows.push_back(Toggle(context, Text(TextId::CenteredStart), Text(TextId::CenteredStartHint),
                          L"General", L"CenterStart", AtOnce(&SettingsHost::ApplyCenterStart)));

    rows.push_back(Header(Text(TextId::Appearance)));
    rows.push_back(BackdropChoice(context));
    rows.push_back(Slider(context, Text(TextId::DockTint), Text(TextId::DockTintHint), L"Bar",
                          L"Tint", ranges::kPercent.min, ranges::kPercent.max, L" %", Reapply()));

    rows.push_back(Header(Text(TextId::Files)));
    rows.push_back(Button(Text(TextId::AppMenus), Text(TextId::AppMenusHint), Text(TextId::Edit),
                          [ctx] { ctx->host.EditFile(ctx->host.MenusFilePath()); }));
    rows.push_back(Button(Text(TextId::SettingsFile), Text(TextId::SettingsFileHint),
                          Text(TextId::Open),
                          [ctx] { ctx->host.EditFile(ctx->settings.filePath); }));
    rows.push_back(Button(Text(TextId::ReloadFiles), Text(TextId::ReloadFilesHint),
                          Text(TextId::Reload), [ctx] { ctx->reloadNow(); }));
}

// --- Top bar

void AppendTopBar(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(Text(TextId::Appearance)));
    rows.push_back(Choice(context, Text(TextId::Style), Text(TextId::StyleHint), L"Bar", L"Style",
                          {Text(TextId::StyleClassic), Text(TextId::StyleFloating),
                           Text(TextId::StyleIslands), Text(TextId::StyleSeparated)},
                          Reapply()));
    rows.push_back(TintSlider(context, Text(TextId::Tint), Text(TextId::BarTintHint), L"Bar",
                              L"BarTint", &Settings::barTint, Reapply()));
    rows.push_back(Toggle(context, Text(TextId::AutoHide), Text(TextId::AutoHideHint), L"Bar",
                          L"Autohide", Reapply()));

    rows.push_back(Header(Text(TextId::TopBar)));
    rows.push_back(
        Slider(context, Text(TextId::Height), L"", L"Bar", L"Height", 22, 40, L" px", Reapply()));
    rows.push_back(Toggle(context, Text(TextId::ShowOnAllDisplays),
                          Text(TextId::ShowOnAllDisplaysHint), L"Bar", L"AllMonitors", Reapply()));
    rows.push_back(Toggle(context, Text(TextId::TilingButton), Text(TextId::TilingButtonHint),
                          L"Tiling", L"Button", AtOnce(&SettingsHost::RefreshBars)));

    rows.push_back(Header(Text(TextId::Clock)));
    SettingsRow date = Bound(RowKind::Choice, Text(TextId::Date), L"");
    const bool norwegian = IsNorwegian();
    for (const std::wstring& preset : DatePresets(norwegian)) {
        date.options.push_back(context.host.FormatToday(preset));
    }
    date.options.emplace_back(Text(TextId::TimeOnly));
    // A format of the user's own has an entry of its own, so that no preset
    // stands for it and every preset can be chosen.
    if (DatePresetIndex(context.settings.dateFormat, norwegian) == kOwnDateFormatIndex) {
        date.options.push_back(context.host.FormatToday(context.settings.dateFormat) +
                               Text(TextId::OwnFormat));
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
    rows.push_back(
        Toggle(context, Text(TextId::ShowSeconds), L"", L"Clock", L"ShowSeconds", Reapply()));
    rows.push_back(Header(Text(TextId::Keyboard)));
    AppendFocusShortcut(rows, context, false);
}

// --- Tray icons

void AppendTray(std::vector<SettingsRow>& rows, PageContext& context) {
    PageContext* ctx = &context;
    rows.push_back(Header(L"Tray"));
    rows.push_back(Toggle(context, Text(TextId::TrayInBar), Text(TextId::TrayInBarHint), L"Tray",
                          L"Enabled", Reapply()));
    rows.push_back(Toggle(context, Text(TextId::KeepTrayBelow), Text(TextId::KeepTrayBelowHint),
                          L"Tray", L"MirrorToExplorer", WrittenOnly()));

    rows.push_back(Header(Text(TextId::HiddenIcons)));
    for (const std::wstring& exe : context.settings.trayHidden) {
        SettingsRow row = Button(L"", L"", Text(TextId::Show), [ctx, exe] {
            ctx->host.UnhideTrayEntry(exe);
            ctx->rebuild();
        });
        row.label = ProgramLabel(exe, context.host.TrayTooltip(exe));
        rows.push_back(std::move(row));
    }
    if (context.settings.trayHidden.empty()) {
        rows.push_back(Text(Text(TextId::NoHiddenIcons), Text(TextId::NoHiddenIconsHint)));
    } else {
        rows.push_back(Button(Text(TextId::ShowAllHiddenIcons), L"", Text(TextId::ShowAll), [ctx] {
            ctx->host.UnhideTrayEntry(L"");
            ctx->rebuild();
        }));
    }

    rows.push_back(Header(Text(TextId::Order)));
    rows.push_back(Button(Text(TextId::TrayOrderHint), Text(TextId::TrayOrderRemembered),
                          Text(TextId::Reset), [ctx] {
                              ctx->host.ResetTrayOrder();
                              ctx->rebuild();
                          }));
}

}  // namespace pages

namespace {

constexpr std::array<SettingsPage, 9> kPages = {{
    {L'\xE713', TextId::PageGeneral},
    {L'\xE8A0', TextId::PageTopBar},
    {L'\xE76C', TextId::PageTray},
    {L'\xE75B', TextId::PageDock},
    {L'\xE80F', TextId::PageStart},
    {L'\xE8A9', TextId::PageTiling},
    {L'\xE7C4', TextId::PageHotCorners},
    {L'\xEA86', TextId::PagePlugins},
    {L'\xE946', TextId::PageAbout},
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
    return Text(TextId::SettingsWindowTitle);
}

}  // namespace corvane
