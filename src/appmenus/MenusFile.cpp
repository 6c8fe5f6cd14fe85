#include "appmenus/MenusFile.h"

#include "config/FileBytes.h"
#include "config/Language.h"
#include "config/SettingsFolder.h"
#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "appmenus/MenuProfileTable.h"
#include "appmenus/MenusFileText.h"
#include "appmenus/MenusParser.h"
#include "resources/DefaultMenusText.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace corvane {

std::wstring MenusFilePath() {
    const std::wstring folder = ExecutableDirectory();
    return folder.empty() ? std::wstring() : folder + L"\\menus.txt";
}

void LoadAppMenus() {
    const std::wstring path = MenusFilePath();
    if (path.empty()) {
        // Without the executable's folder there is no place for the file; a
        // relative "\menus.txt" would land in the root of the current drive.
        TheMenuProfiles() = ParseAppMenus(DefaultMenusText(IsNorwegian()));
        return;
    }
    LoadAppMenus(path, IsNorwegian());
}

void LoadAppMenus(const std::wstring& path, bool norwegian) {
    const std::wstring_view current = DefaultMenusText(norwegian);
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        WriteDefaultMenusFile(path, current, MenusFileWrite::CreateNew);
    }
    const std::vector<uint8_t> bytes = ReadFileBytes(path, kMaxMenusFileBytes);
    const std::wstring fileText = DecodeMenusFileBytes(bytes.data(), bytes.size());
    const MenusTextChoice choice = ChooseMenusText(fileText, DefaultMenusText(!norwegian));
    if (choice.rewriteFile) {
        WriteDefaultMenusFile(path, current, MenusFileWrite::ReplaceExisting);
    }
    TheMenuProfiles() = ParseAppMenus(choice.useCurrentDefault ? current : fileText);
}

void WriteDefaultMenusFile(const std::wstring& path, std::wstring_view text, MenusFileWrite mode) {
    const std::vector<uint8_t> bytes = EncodeMenusFileBytes(text);
    if (bytes.size() > MAXDWORD || IsSettingsFolderReadOnly()) {
        return;
    }
    UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                    mode == MenusFileWrite::CreateNew ? CREATE_NEW : CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    DWORD written = 0;
    (void)::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                      nullptr);
}

}  // namespace corvane
