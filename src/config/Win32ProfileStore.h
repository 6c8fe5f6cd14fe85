#pragma once
// The private-profile functions over one INI file.

#include "config/ProfileStore.h"

namespace corvane {

// The path the profile functions are given for `path`: itself when shorter
// than MAX_PATH, else with its folder in the short form; empty when there is
// none. Whatever else touches such a file (moving, copying, deleting) uses
// this path too, so that it reaches the same file the same way.
[[nodiscard]] std::wstring ProfileFilePath(const std::wstring& path);

class Win32ProfileStore final : public ProfileStore {
public:
    // A path the profile functions cannot take (MAX_PATH or longer) is
    // replaced by its short form; when there is none, the store reads and
    // writes nothing, as for an unknown folder.
    explicit Win32ProfileStore(const std::wstring& path);

    bool FileExists() override;
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t fallback) override;
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback, std::size_t bufferChars) override;
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override;
    bool CreateNew(const std::vector<uint8_t>& bytes) override;
    bool CanWrite() override;
    std::vector<std::wstring> SectionNames() override;
    // Whether the existing file opens for reading: another program may hold
    // it locked, and the profile functions then read it as empty.
    [[nodiscard]] bool CanRead();
    bool CopyAside() override;

private:
    std::wstring path_;
};

}  // namespace corvane
