#pragma once
// The private-profile functions over one INI file.

#include "config/ProfileStore.h"

namespace corvane {

class Win32ProfileStore final : public ProfileStore {
public:
    explicit Win32ProfileStore(std::wstring path) : path_(std::move(path)) {}

    bool FileExists() override;
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t fallback) override;
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback, std::size_t bufferChars) override;
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override;
    bool CreateNew(const std::vector<uint8_t>& bytes) override;

private:
    std::wstring path_;
};

}  // namespace corvane
