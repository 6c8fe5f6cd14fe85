#pragma once
// The private-profile functions over one INI file.

#include "config/ProfileStore.h"

namespace corvane {

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
    bool CopyAside() override;

private:
    std::wstring path_;
};

}  // namespace corvane
