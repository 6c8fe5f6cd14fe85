#pragma once
// corvane.ini next to the executable.

#include "config/Settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

[[nodiscard]] std::wstring SettingsFilePath();

// Loads corvane.ini next to the executable (creating it when missing).
[[nodiscard]] Settings LoadSettingsFile();

// Writes one key into the file the settings came from, at once.
bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  std::wstring_view value);
bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  int32_t value);
bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  bool value);
bool WriteSetting(const Settings& settings, std::wstring_view section, std::wstring_view key,
                  const std::vector<std::wstring>& items, std::wstring_view separator);
bool RemoveSetting(const Settings& settings, std::wstring_view section, std::wstring_view key);

}  // namespace corvane
