#include "app/GuardCommandLine.h"

#include <limits>

namespace corvane {
namespace {

constexpr std::wstring_view kGuardSwitch = L"--desktop-guard";

// Takes a space and one number from the front of `text`.
std::optional<uint32_t> TakeNumber(std::wstring_view& text) noexcept {
    if (text.empty() || text.front() != L' ') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    uint64_t value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= L'0' && text[digits] <= L'9'; ++digits) {
        value = value * 10 + static_cast<uint64_t>(text[digits] - L'0');
        if (value > std::numeric_limits<uint32_t>::max()) {
            return std::nullopt;
        }
    }
    if (digits == 0 || value == 0) {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return static_cast<uint32_t>(value);
}

}  // namespace

std::wstring FormatGuardArguments(const GuardHandles& handles) {
    return std::wstring(kGuardSwitch) + L" " + std::to_wstring(handles.process) + L" " +
           std::to_wstring(handles.goodbye);
}

bool AsksForGuard(std::wstring_view arguments) noexcept {
    return arguments.starts_with(kGuardSwitch);
}

std::optional<GuardHandles> ParseGuardArguments(std::wstring_view arguments) noexcept {
    if (!arguments.starts_with(kGuardSwitch)) {
        return std::nullopt;
    }
    arguments.remove_prefix(kGuardSwitch.size());
    const std::optional<uint32_t> process = TakeNumber(arguments);
    const std::optional<uint32_t> goodbye = process ? TakeNumber(arguments) : std::nullopt;
    if (!goodbye || !arguments.empty()) {
        return std::nullopt;
    }
    return GuardHandles{*process, *goodbye};
}

}  // namespace corvane
