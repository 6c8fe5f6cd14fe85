#pragma once
// Files and folders for Windows tests.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::test {

// A fresh empty folder under the temp folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

[[nodiscard]] std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// The file as text: UTF-16 LE with a byte-order mark.
[[nodiscard]] std::wstring ReadUtf16File(const std::wstring& path);
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);
// Lines split at CR LF; a lone LF is left inside its line so that a test sees it.
[[nodiscard]] std::vector<std::wstring> SplitCrLf(const std::wstring& text);
// Folder of the running test executable.
[[nodiscard]] std::wstring TestExecutableDirectory();

}  // namespace corvane::test
