#include "core/FakeProfileStore.h"

#include "config/SettingsText.h"
#include "base/Utf16.h"

#include <cwctype>

namespace corvane::test {

FakeProfileStore::FakeProfileStore(std::wstring text) : exists_(true) { Parse(text); }

void FakeProfileStore::Parse(const std::wstring& text) {
    std::wstring section;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        std::wstring line = Trim(std::wstring_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == L';') {
            continue;
        }
        if (line.front() == L'[' && line.back() == L']') {
            section = ToLower(line.substr(1, line.size() - 2));
            sections_[section];
            continue;
        }
        const std::size_t eq = line.find(L'=');
        if (eq == std::wstring::npos) {
            continue;
        }
        const std::wstring key = ToLower(Trim(line.substr(0, eq)));
        auto& keys = sections_[section];
        if (!keys.count(key)) {
            keys[key] = Trim(line.substr(eq + 1));
        }
    }
}

std::optional<std::wstring> FakeProfileStore::Value(std::wstring_view section,
                                                    std::wstring_view key) const {
    const auto s = sections_.find(ToLower(section));
    if (s == sections_.end()) {
        return std::nullopt;
    }
    const auto k = s->second.find(ToLower(key));
    if (k == s->second.end()) {
        return std::nullopt;
    }
    return k->second;
}

int32_t FakeProfileStore::GetInt(std::wstring_view section, std::wstring_view key,
                                 int32_t fallback) {
    const auto value = Value(section, key);
    if (!value || value->empty()) {
        return fallback;
    }
    // RtlUnicodeStringToInteger with base 0: blanks, a sign, an optional
    // 0x/0o/0b prefix, then digits up to the first that does not fit.
    const std::wstring& v = *value;
    std::size_t i = 0;
    while (i < v.size() && std::iswspace(static_cast<wint_t>(v[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < v.size() && (v[i] == L'-' || v[i] == L'+')) {
        negative = v[i] == L'-';
        ++i;
    }
    int base = 10;
    if (i + 1 < v.size() && v[i] == L'0') {
        const wchar_t p = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(v[i + 1])));
        base = p == L'x' ? 16 : p == L'o' ? 8 : p == L'b' ? 2 : 10;
        if (base != 10) {
            i += 2;
        }
    }
    uint32_t result = 0;
    for (; i < v.size(); ++i) {
        const wchar_t c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(v[i])));
        int digit = -1;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        }
        if (digit < 0 || digit >= base) {
            break;
        }
        result = result * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - result : result);
}

std::wstring FakeProfileStore::GetString(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view fallback, std::size_t bufferChars) {
    const auto value = Value(section, key);
    std::wstring out(value ? std::wstring_view(*value) : fallback);
    if (bufferChars == 0) {
        return {};
    }
    if (out.size() > bufferChars - 1) {
        out.resize(bufferChars - 1);
    }
    return out;
}

bool FakeProfileStore::WriteString(std::wstring_view section, std::wstring_view key,
                                   std::optional<std::wstring_view> value) {
    ++writes_;
    exists_ = true;
    auto& keys = sections_[ToLower(section)];
    if (value) {
        keys[ToLower(key)] = std::wstring(*value);
    } else {
        keys.erase(ToLower(key));
    }
    return true;
}

bool FakeProfileStore::CreateNew(const std::vector<uint8_t>& bytes) {
    if (exists_ || failCreate) {
        return false;
    }
    created_ = bytes;
    exists_ = true;
    Parse(DecodeUtf16Le(bytes.data(), bytes.size()));
    return true;
}

}  // namespace corvane::test
