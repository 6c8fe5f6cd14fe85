#pragma once
// The row builders the page files share: each binds a row to its key in
// corvane.ini, writing the key at once and then applying the change the way
// the row asks for.

#include "config/SettingsLoader.h"
#include "config/Texts.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsRow.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::pages {

// What a setter does after the write: arm the re-apply, act through the
// host, or nothing (the value takes effect by itself later).
using After = std::function<void(PageContext&)>;
[[nodiscard]] After Reapply();
[[nodiscard]] After WrittenOnly();
[[nodiscard]] After AtOnce(void (SettingsHost::*action)());

// The description of a plain key; a key missing from the table is a
// programming error caught by the first test that builds the page.
[[nodiscard]] const SettingsKey& PlainKey(const wchar_t* section, const wchar_t* key);

// A row of that kind with its texts and no binding yet.
[[nodiscard]] SettingsRow Bound(RowKind kind, const wchar_t* label, const wchar_t* description);
[[nodiscard]] SettingsRow Header(const wchar_t* label);
[[nodiscard]] SettingsRow Text(const wchar_t* label, const wchar_t* value);
using corvane::Text;  // the texts by id, beside the row
[[nodiscard]] SettingsRow Button(const wchar_t* label, const wchar_t* description,
                                 const wchar_t* caption, std::function<void()> action);

[[nodiscard]] SettingsRow Toggle(PageContext& context, const wchar_t* label,
                                 const wchar_t* description, const wchar_t* section,
                                 const wchar_t* key, After after);
// The slider's range may be narrower than the key's: the setter still clamps
// to the key's range only, so a stored value outside the slider survives
// until the user moves the knob.
[[nodiscard]] SettingsRow Slider(PageContext& context, const wchar_t* label,
                                 const wchar_t* description, const wchar_t* section,
                                 const wchar_t* key, int32_t min, int32_t max, const wchar_t* unit,
                                 After after);
// A choice whose option index is the stored number.
[[nodiscard]] SettingsRow Choice(PageContext& context, const wchar_t* label,
                                 const wchar_t* description, const wchar_t* section,
                                 const wchar_t* key, std::vector<std::wstring> options,
                                 After after);
// A slider over a number the plain table does not hold (the tints that
// follow [Bar] Tint).
[[nodiscard]] SettingsRow TintSlider(PageContext& context, const wchar_t* label,
                                     const wchar_t* description, const wchar_t* section,
                                     const wchar_t* key, int32_t Settings::*member, After after);

void AppendGeneral(std::vector<SettingsRow>& rows, PageContext& context);
void AppendTopBar(std::vector<SettingsRow>& rows, PageContext& context);
void AppendTray(std::vector<SettingsRow>& rows, PageContext& context);
void AppendDock(std::vector<SettingsRow>& rows, PageContext& context);
void AppendStart(std::vector<SettingsRow>& rows, PageContext& context);
void AppendTiling(std::vector<SettingsRow>& rows, PageContext& context);
void AppendTilingShortcuts(std::vector<SettingsRow>& rows, PageContext& context);
// The shortcut that gives the keyboard to the top bar's menus, or the dock.
void AppendFocusShortcut(std::vector<SettingsRow>& rows, PageContext& context, bool dock);
void AppendHotCorners(std::vector<SettingsRow>& rows, PageContext& context);
void AppendPlugins(std::vector<SettingsRow>& rows, PageContext& context);
void AppendAbout(std::vector<SettingsRow>& rows, PageContext& context);

}  // namespace corvane::pages
