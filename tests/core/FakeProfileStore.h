#pragma once
// An INI file in memory with the private-profile functions' reading rules,
// so that the settings rules can be tested without Windows.

#include "config/ProfileStore.h"

#include <map>
#include <string>

namespace corvane::test {

class FakeProfileStore : public ProfileStore {
public:
    FakeProfileStore() = default;
    // An existing file with this text (sections and key=value lines).
    explicit FakeProfileStore(const std::wstring& text) : exists_(true) { Parse(text); }

    bool FileExists() override { return exists_; }
    int32_t GetInt(std::wstring_view section, std::wstring_view key, int32_t fallback) override;
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback, std::size_t bufferChars) override;
    bool WriteString(std::wstring_view section, std::wstring_view key,
                     std::optional<std::wstring_view> value) override;
    bool CreateNew(const std::vector<uint8_t>& bytes) override;
    bool CanWrite() override { return exists_ && !readOnly_; }
    std::vector<std::wstring> SectionNames() override;
    bool CopyAside() override {
        copies_.push_back(writes_);
        return true;
    }
    // A file in a folder that refuses writes: creating and writing fail.
    void MakeReadOnly() { readOnly_ = true; }

    [[nodiscard]] std::optional<std::wstring> Value(std::wstring_view section,
                                                    std::wstring_view key) const;
    [[nodiscard]] const std::vector<uint8_t>& CreatedBytes() const { return created_; }
    [[nodiscard]] int WriteCount() const { return writes_; }
    [[nodiscard]] const std::vector<int>& Copies() const { return copies_; }

private:
    void Parse(const std::wstring& text);

    bool exists_ = false;
    bool readOnly_ = false;
    // Section and key names compare without case, as Windows does.
    std::map<std::wstring, std::map<std::wstring, std::wstring>> sections_;
    std::vector<uint8_t> created_;
    int writes_ = 0;
    std::vector<int> copies_;  // each copy aside: how many writes came before it
};

}  // namespace corvane::test
