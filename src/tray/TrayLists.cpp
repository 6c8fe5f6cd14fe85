#include "tray/TrayLists.h"

#include "config/SettingsFile.h"
#include "tray/TrayStrip.h"

namespace corvane {

bool SaveTrayLists(const Settings& settings) {
    const bool order = WriteSetting(settings, L"Tray", L"Order", settings.trayOrder, L"|");
    return WriteSetting(settings, L"Tray", L"Hidden", settings.trayHidden, L", ") && order;
}

bool FinishTrayDrag(Settings& settings, const std::wstring& hideExeName) {
    if (!hideExeName.empty()) {
        settings.trayHidden = HideTrayProgram(std::move(settings.trayHidden), hideExeName);
    }
    return SaveTrayLists(settings);
}

bool ShowHiddenTrayEntry(Settings& settings, const std::wstring& name) {
    settings.trayHidden = UnhideTrayEntry(std::move(settings.trayHidden), name);
    return SaveTrayLists(settings);
}

bool ClearTrayOrder(Settings& settings) {
    settings.trayOrder.clear();
    return SaveTrayLists(settings);
}

}  // namespace corvane
