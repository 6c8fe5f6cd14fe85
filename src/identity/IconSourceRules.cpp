#include "identity/IconSourceRules.h"

#include "identity/AppTargets.h"

#include <string>

namespace corvane {
namespace {

constexpr std::size_t kGroupHeaderBytes = 6;
constexpr std::size_t kGroupEntryBytes = 14;
constexpr uint16_t kIconResourceType = 1;
// Small wanted sizes are made from the 96-pixel image, larger ones from 256.
constexpr int32_t kSmallImageUpTo = 48;

uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

bool IsIconModulePath(std::wstring_view path) {
    if (path.size() <= 4) {
        return false;
    }
    const std::wstring lower = LowerCased(path);
    return lower.ends_with(L".exe") || lower.ends_with(L".dll");
}

int ShellImageSize(int32_t wantedSize) {
    return wantedSize <= kSmallImageUpTo ? 96 : 256;
}

bool IsValidIconGroupDirectory(std::span<const uint8_t> resource) {
    if (resource.size() < kGroupHeaderBytes) {
        return false;
    }
    const uint16_t reserved = ReadU16(resource, 0);
    const uint16_t type = ReadU16(resource, 2);
    const uint16_t count = ReadU16(resource, 4);
    return reserved == 0 && type == kIconResourceType && count > 0 &&
           kGroupHeaderBytes + kGroupEntryBytes * count <= resource.size();
}

}  // namespace corvane
