#include "config/RestoreMarks.h"

#include "config/SettingsFile.h"
#include "config/Win32ProfileStore.h"

#include <windows.h>

#include <limits>

namespace corvane {
namespace {

constexpr wchar_t kMarksKey[] = L"Software\\Corvane";

const wchar_t* ValueName(RestoreMark mark) noexcept {
    switch (mark) {
        case RestoreMark::TaskbarHidden:
            return L"TaskbarHidden";
        case RestoreMark::Autohide:
            return L"RestoreAutohide";
        case RestoreMark::TaskbarAlignment:
            return L"RestoreTaskbarAl";
        case RestoreMark::DesktopIconsHidden:
            return L"DesktopIconsHidden";
    }
    return L"";
}

struct FileMark {
    RestoreMark mark;
    const wchar_t* section;
    const wchar_t* key;
};
constexpr FileMark kFileMarks[] = {
    {RestoreMark::Autohide, L"Dock", L"RestoreAutohide"},
    {RestoreMark::TaskbarAlignment, L"General", L"RestoreTaskbarAl"}};

}  // namespace

std::optional<int32_t> ReadRestoreMark(RestoreMark mark) noexcept {
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kMarksKey, ValueName(mark), RRF_RT_REG_DWORD, nullptr,
                       &value, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

bool WriteRestoreMark(RestoreMark mark, int32_t value) noexcept {
    const auto data = static_cast<DWORD>(value);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kMarksKey, ValueName(mark), REG_DWORD, &data,
                             sizeof(data)) == ERROR_SUCCESS;
}

bool ClearRestoreMark(RestoreMark mark) noexcept {
    const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kMarksKey, ValueName(mark));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

void AdoptSettingsFileMarks(const Settings& settings) noexcept {
    constexpr int32_t kAbsent = std::numeric_limits<int32_t>::min();
    try {
        Win32ProfileStore file(settings.filePath);
        for (const FileMark& m : kFileMarks) {
            const int32_t value = file.GetInt(m.section, m.key, kAbsent);
            // Dropped from the file only once the user's marks hold it.
            if (value != kAbsent &&
                (ReadRestoreMark(m.mark).has_value() || WriteRestoreMark(m.mark, value))) {
                RemoveSetting(settings, m.section, m.key);
            }
        }
    } catch (...) {
        // Out of memory for a path: the file keeps its marks for a later run.
    }
}

}  // namespace corvane
