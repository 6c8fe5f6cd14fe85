#include "core/FakeProfileStore.h"

#include "base/TextHelpers.h"
#include "base/Utf16.h"

#include <cwchar>

namespace corvane::test {

void FakeProfileStore::Parse(const std::wstring& text) {
    std::wstring section;
    for (const std::wstring& line : SplitList(text, L'\n')) {
        const std::size_t eq = line.find(L'=');
        if (line.front() == L'[' && line.back() == L']') {
            section = ToLower(line.substr(1, line.size() - 2));
            sections_[section];
        } else if (line[0] != L';' && eq != std::wstring::npos) {
            // The first of several equal keys counts.
            sections_[section].try_emplace(ToLower(Trim(line.substr(0, eq))),
                                           Trim(line.substr(eq + 1)));
        }
    }
}

std::optional<std::wstring> FakeProfileStore::Value(std::wstring_view section,
                                                    std::wstring_view key) const {
    const auto s = sections_.find(ToLower(section));
    if (s == sections_.end() || !s->second.count(ToLower(key))) {
        return std::nullopt;
    }
    return s->second.at(ToLower(key));
}

int32_t FakeProfileStore::GetInt(std::wstring_view section, std::wstring_view key,
                                 int32_t fallback) {
    // The leading number: blanks, a sign, digits. Windows also reads 0x, 0o
    // and 0b prefixes and wraps at 32 bits, which no test relies on.
    const auto value = Value(section, key);
    return !value || value->empty()
               ? fallback
               : static_cast<int32_t>(std::wcstol(value->c_str(), nullptr, 10));
}

std::wstring FakeProfileStore::GetString(std::wstring_view section, std::wstring_view key,
                                         std::wstring_view fallback, std::size_t bufferChars) {
    // A written value is read back as Windows reads the line it became: blanks
    // around it dropped, then one pair of enclosing quotes.
    std::wstring out = std::wstring(fallback);
    if (const auto value = Value(section, key)) {
        out = Trim(*value);
        if (out.size() >= 2 && (out[0] == L'"' || out[0] == L'\'') && out.back() == out[0]) {
            out = out.substr(1, out.size() - 2);
        }
    }
    return out.substr(0, bufferChars == 0 ? 0 : bufferChars - 1);
}

bool FakeProfileStore::WriteString(std::wstring_view section, std::wstring_view key,
                                   std::optional<std::wstring_view> value) {
    ++writes_;
    if (readOnly_) {
        return false;
    }
    exists_ = true;
    auto& keys = sections_[ToLower(section)];
    if (value) {
        keys[ToLower(key)] = std::wstring(*value);
    } else {
        keys.erase(ToLower(key));
    }
    return true;
}

std::vector<std::wstring> FakeProfileStore::SectionNames() {
    std::vector<std::wstring> names;
    for (const auto& [name, keys] : sections_) {
        names.push_back(name);
    }
    return names;
}

bool FakeProfileStore::CreateNew(const std::vector<uint8_t>& bytes) {
    if (exists_ || readOnly_) {
        return false;
    }
    created_ = bytes;
    exists_ = true;
    Parse(DecodeUtf16Le(bytes.data(), bytes.size()));
    return true;
}

}  // namespace corvane::test
