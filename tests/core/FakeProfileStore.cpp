#include "core/FakeProfileStore.h"

#include "config/SettingsText.h"
#include "base/Utf16.h"

#include <cwchar>

namespace corvane::test {

FakeProfileStore::FakeProfileStore(std::wstring text) : exists_(true) {
    Parse(text);
}

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
    // The leading number: blanks, a sign, digits. Windows also reads 0x, 0o
    // and 0b prefixes and wraps at 32 bits, which no test relies on.
    return static_cast<int32_t>(std::wcstol(value->c_str(), nullptr, 10));
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
