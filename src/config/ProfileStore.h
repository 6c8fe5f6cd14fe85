#pragma once
// The INI file as the settings rules see it. On Windows this is the
// private-profile API over corvane.ini; tests use an in-memory file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    [[nodiscard]] virtual bool FileExists() = 0;

    // GetPrivateProfileIntW: the default when the key is missing, otherwise
    // the value's leading number (0 for text that is not a number).
    [[nodiscard]] virtual int32_t GetInt(std::wstring_view section, std::wstring_view key,
                                         int32_t fallback) = 0;

    // GetPrivateProfileStringW with a buffer of bufferChars characters
    // (including the terminating zero): longer values are cut.
    [[nodiscard]] virtual std::wstring GetString(std::wstring_view section, std::wstring_view key,
                                                 std::wstring_view fallback,
                                                 std::size_t bufferChars) = 0;

    // WritePrivateProfileStringW; no value removes the key.
    virtual bool WriteString(std::wstring_view section, std::wstring_view key,
                             std::optional<std::wstring_view> value) = 0;

    // Creates the file with exactly these bytes; fails if it already exists.
    virtual bool CreateNew(const std::vector<uint8_t>& bytes) = 0;

    // Whether the existing file opens for writing; it is left unchanged.
    [[nodiscard]] virtual bool CanWrite() = 0;

    // GetPrivateProfileSectionNamesW read whole (up to kWholeValueMaxChars):
    // the names of the file's sections, none when it cannot be read.
    [[nodiscard]] virtual std::vector<std::wstring> SectionNames() = 0;
    // Copies the file to the same name with ".bak" added, replacing an older
    // copy.
    virtual bool CopyAside() = 0;
};

// Values longer than this are not something the user arranged; reading stops
// there so that a damaged file cannot make the reader grow without end.
inline constexpr std::size_t kWholeValueMaxChars = std::size_t{1} << 21;

// The value in full, the buffer grown until it fits (up to
// kWholeValueMaxChars). `cut`, when given, tells whether even that was short.
[[nodiscard]] std::wstring ReadWholeString(ProfileStore& store, std::wstring_view section,
                                           std::wstring_view key, std::wstring_view fallback,
                                           bool* cut = nullptr);

}  // namespace corvane
