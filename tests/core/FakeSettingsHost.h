#pragma once
// The settings pages' host as a log of the calls it gets, for the pages'
// unit tests and the settings window's Windows test.

#include "settings/SettingsHost.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane::test {

class FakeSettingsHost : public SettingsHost {
public:
    std::vector<std::wstring> calls;
    std::vector<DisplaySize> displays;
    std::map<std::wstring, std::wstring> tooltips;
    std::map<std::pair<uint32_t, uint32_t>, std::wstring> typed;  // (modifiers, key)

    void ApplyCenterStart() override { calls.push_back(L"ApplyCenterStart"); }
    void ApplyTilingSettings() override { calls.push_back(L"ApplyTilingSettings"); }
    void ApplyFocusShortcuts() override { calls.push_back(L"ApplyFocusShortcuts"); }
    void RefreshBars() override { calls.push_back(L"RefreshBars"); }
    void ApplyHotCorners() override { calls.push_back(L"ApplyHotCorners"); }
    void RefreshGardenGlass() override { calls.push_back(L"RefreshGardenGlass"); }
    void NewBed() override { calls.push_back(L"NewBed"); }
    void ResetGarden() override { calls.push_back(L"ResetGarden"); }
    void UnhideTrayEntry(const std::wstring& exe) override { calls.push_back(L"Unhide " + exe); }
    void ResetTrayOrder() override { calls.push_back(L"ResetTrayOrder"); }
    void ShowStartSurface(int32_t n) override { calls.push_back(L"Surface " + std::to_wstring(n)); }
    void EditFile(const std::wstring& path) override { calls.push_back(L"EditFile " + path); }
    std::wstring MenusFilePath() override { return L"C:\\c\\menus.txt"; }
    void ShowLicense() override { calls.push_back(L"ShowLicense"); }
    void Quit() override { calls.push_back(L"Quit"); }
    void SettingsNotSaved() override {}
    bool StartsWithWindows() override { return false; }
    void SetStartWithWindows(bool on) override { calls.push_back(on ? L"Run 1" : L"Run 0"); }
    std::vector<DisplaySize> Displays() override { return displays; }
    std::wstring TrayTooltip(const std::wstring& exe) override {
        return tooltips.contains(exe) ? tooltips[exe] : L"";
    }
    std::wstring FormatToday(const std::wstring& picture) override { return L"today " + picture; }
    double WorkingSetMb() override { return 12.5; }
    std::wstring Version() override { return L"2.1.4"; }
    std::wstring TypedByShortcut(uint32_t modifiers, uint32_t key) override {
        const auto found = typed.find({modifiers, key});
        return found == typed.end() ? L"" : found->second;
    }
};

}  // namespace corvane::test
