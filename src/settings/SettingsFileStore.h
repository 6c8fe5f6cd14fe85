#pragma once
// corvane.ini as the settings window writes it: a write the file refuses
// (read-only, full disk, held by another program) is told to the process,
// which lets the user know that the change lasts only this run.

#include "config/Win32ProfileStore.h"
#include "settings/SettingsHost.h"

#include <string>

namespace corvane {

class SettingsFileStore final : public ProfileStore {
public:
    SettingsFileStore(const std::wstring& path, SettingsHost& host) : file_(path), host_(&host) {}

    bool FileExists() override { return file_.FileExists(); }
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t fallback) override {
        return file_.GetInt(section, key, fallback);
    }
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback, std::size_t bufferChars) override {
        return file_.GetString(section, key, fallback, bufferChars);
    }
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override {
        const bool saved = file_.WriteString(section, key, value);
        if (!saved) {
            host_->SettingsNotSaved();
        }
        return saved;
    }
    bool CreateNew(const std::vector<uint8_t>& bytes) override { return file_.CreateNew(bytes); }
    bool CanWrite() override { return file_.CanWrite(); }
    std::vector<std::wstring> SectionNames() override { return file_.SectionNames(); }
    bool CopyAside() override { return file_.CopyAside(); }

private:
    Win32ProfileStore file_;
    SettingsHost* host_;
};

}  // namespace corvane
