#include "appmenus/MenusParser.h"

#include "base/TextHelpers.h"
#include "appmenus/KeyChordParser.h"

#include <cwctype>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

bool IsSpace(wchar_t c) {
    return std::iswspace(static_cast<wint_t>(c)) != 0;
}

// The section being read: the executables it names and the menus so far.
class SectionBuilder {
public:
    explicit SectionBuilder(MenuProfileTable& table) : table_(table) {}

    // Hands the menus to every name of the section; later sections replace
    // earlier ones with the same name. Menus without a name are dropped.
    void Commit() {
        if (!names_.empty()) {
            auto profile = std::make_shared<const MenuProfile>(std::move(menus_));
            for (std::wstring& name : names_) {
                table_.Set(std::move(name), profile);
            }
        }
        names_.clear();
        menus_.clear();
    }

    void StartSection(std::wstring_view inner) {
        Commit();
        names_ = SplitList(ToLower(inner), L',');
    }

    void AddMenu(std::wstring title) {
        AppMenu menu;
        menu.title = std::move(title);
        menus_.push_back(std::move(menu));
    }

    // Items before the section's first menu title have nowhere to go.
    void AddItemLine(std::wstring_view trimmed) {
        if (menus_.empty()) {
            return;
        }
        std::optional<AppMenuItem> item = ParseMenuItem(trimmed);
        if (item) {
            menus_.back().items.push_back(std::move(*item));
        }
    }

private:
    MenuProfileTable& table_;
    std::vector<std::wstring> names_;
    MenuProfile menus_;
};

void ParseLine(std::wstring_view line, SectionBuilder& section) {
    if (!line.empty() && line.back() == L'\r') {
        line.remove_suffix(1);
    }
    const std::wstring trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == L'#' || trimmed[0] == L';') {
        return;
    }
    if (trimmed.size() >= 2 && trimmed.front() == L'[' && trimmed.back() == L']') {
        section.StartSection(std::wstring_view(trimmed).substr(1, trimmed.size() - 2));
        return;
    }
    if (IsSpace(line[0])) {
        section.AddItemLine(trimmed);
        return;
    }
    section.AddMenu(trimmed);
}

bool StartsWithRunPrefix(std::wstring_view value) {
    return value.size() >= 4 && ToLower(value.substr(0, 4)) == L"run:";
}

}  // namespace

std::optional<AppMenuItem> ParseMenuItem(std::wstring_view trimmedLine) {
    AppMenuItem item;
    if (trimmedLine == L"-") {
        item.isSeparator = true;
        return item;
    }
    const std::size_t equals = trimmedLine.find(L'=');
    if (equals == std::wstring_view::npos) {
        return std::nullopt;
    }
    item.name = Trim(trimmedLine.substr(0, equals));
    const std::wstring value = Trim(trimmedLine.substr(equals + 1));
    if (StartsWithRunPrefix(value)) {
        item.runTarget = Trim(std::wstring_view(value).substr(4));
        return item;
    }
    // Chords are separated by plain spaces only.
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = value.find(L' ', start);
        if (end == std::wstring::npos) {
            end = value.size();
        }
        if (end > start) {
            std::optional<KeyChord> chord =
                ParseKeyChord(std::wstring_view(value).substr(start, end - start));
            if (!chord) {
                return std::nullopt;
            }
            item.chords.push_back(std::move(*chord));
        }
        start = end + 1;
    }
    if (item.chords.empty()) {
        return std::nullopt;
    }
    item.shortcutText = value;
    return item;
}

MenuProfileTable ParseAppMenus(std::wstring_view text) {
    MenuProfileTable table;
    SectionBuilder section(table);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            // The last piece is a line even without a line feed.
            ParseLine(text.substr(start), section);
            break;
        }
        ParseLine(text.substr(start, end - start), section);
        start = end + 1;
    }
    section.Commit();
    return table;
}

}  // namespace corvane
