#include "config/SettingsFile.h"

#include "base/ImagePaths.h"
#include "config/SettingsLoader.h"
#include "base/TextHelpers.h"
#include "config/Win32ProfileStore.h"

namespace corvane {

std::wstring SettingsFilePath() {
    return PathNextToExecutable(L"corvane.ini");
}

Settings LoadSettingsFile() {
    std::wstring path = SettingsFilePath();
    Win32ProfileStore store(path);
    return LoadSettings(store, std::move(path));
}

bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  std::wstring_view value) {
    return Win32ProfileStore(settings.filePath).WriteString(section, key, value);
}

bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  int32_t value) {
    return WriteSetting(settings, section, key, std::wstring_view(std::to_wstring(value)));
}

bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  bool value) {
    return WriteSetting(settings, section, key, std::wstring_view(value ? L"1" : L"0"));
}

bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  const std::vector<std::wstring>& items, std::wstring_view separator) {
    return WriteSetting(settings, section, key, std::wstring_view(JoinList(items, separator)));
}

bool RemoveSetting(const Settings& settings, std::wstring_view section, std::wstring_view key) {
    return Win32ProfileStore(settings.filePath).WriteString(section, key, std::nullopt);
}

}  // namespace corvane
