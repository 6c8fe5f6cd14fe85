// Notification-area messages from arbitrary bytes: a sequence of WM_COPYDATA
// messages from hostile programs must never crash the host's icon list, grow
// it without bound, leak an icon copy or destroy one twice. Appbar records
// (kind 0) wrapped anew name the new block and sender, every other byte kept.
//
// Input: records of a kind byte, a 16-bit little-endian length and that many
// payload bytes (fewer at the end of the input). Kinds 1 and 3 and any other
// below 0xF0 are WM_COPYDATA data kinds; the others act on the host:
// 0xF0 every owner window dies and the purge must empty the list, 0xF1 the
// window in the payload's first byte dies, 0xF2 the list is cleared.

#include "core/TrayFakes.h"
#include "tray/AppBarRecord.h"
#include "tray/TrayIconStore.h"
#include "tray/TrayProtocol.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <vector>

namespace {

using namespace corvane;

constexpr uint8_t kEveryOwnerDies = 0xF0;
constexpr uint8_t kOneOwnerDies = 0xF1;
constexpr uint8_t kClear = 0xF2;
constexpr uint32_t kWindows = 256;  // handles 1..255 are windows at first

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void LiveWindows(test::FakeTraySystem& system) {
    for (uint32_t w = 1; w < kWindows; ++w) {
        system.windows.insert(w);
    }
}

void CheckStore(const TrayIconStore& store, const test::FakeTraySystem& system) {
    Require(store.Icons().size() <= kMaxTrayIcons);
    std::vector<uint64_t> held;
    for (const TrayIcon& icon : store.Icons()) {
        Require(icon.tooltip.size() <= kTrayTooltipChars);
        Require(icon.ownerWindow != 0);
        if (icon.icon != 0) {
            held.push_back(icon.icon);
        }
    }
    // Exactly the copies held are alive (none held twice), and none was
    // destroyed twice.
    std::sort(held.begin(), held.end());
    Require(std::equal(held.begin(), held.end(), system.live.begin(), system.live.end()));
    Require(system.destroyCalls == system.destroyed.size());
    Require(system.destroyed.empty() ||
            (!system.destroyed.contains(0) && system.destroyed.rbegin()->first <= system.lastCopy));
}

void CheckReaction(uint8_t kind, std::span<const uint8_t> payload, const TrayReaction& r) {
    if (r.forward) {
        Require(!r.changed && r.toExplorer.empty());
        return;
    }
    Require(kind == kTrayDataNotify || kind == kTrayDataPosition);
    if (kind == kTrayDataNotify) {
        Require(r.reply == 1 && r.changed);
    } else {
        Require(!r.changed && r.toExplorer.empty());
    }
    // Explorer never gets more than the program sent, nor an icon it shows.
    for (const std::vector<uint8_t>& copy : r.toExplorer) {
        Require(copy.size() <= kTrayNotifyMaxBytes && copy.size() <= payload.size());
        const TrayNotification n = *DecodeTrayNotification(copy);
        if (n.command == static_cast<uint32_t>(TrayCommand::Add) ||
            n.command == static_cast<uint32_t>(TrayCommand::Modify)) {
            Require((n.flags & trayflags::kState) != 0 && (n.state & n.stateMask & 1) != 0);
        }
    }
}

void CheckAppBar(std::span<const uint8_t> payload) {
    const auto block = static_cast<uint32_t>(payload.size() * 0x9E3779B9u);
    const std::vector<uint8_t> wrapped = RewrapAppBarRecord(payload, block, ~block);
    const std::optional<AppBarRecord> sent = DecodeAppBarRecord(payload);
    const std::optional<AppBarRecord> again = DecodeAppBarRecord(wrapped);
    Require(sent.has_value() == again.has_value());
    for (std::size_t i = 0; sent && i < payload.size(); ++i) {
        Require(wrapped[i] == payload[i] || (i >= 44 && i < 52));
    }
    Require(!sent || (again->message == sent->message && again->sharedBlock == block &&
                      again->processId == ~block && wrapped.size() == payload.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    test::FakeTraySystem system;
    LiveWindows(system);
    {
        TrayIconStore store(system);
        std::size_t at = 0;
        while (at + 3 <= size) {
            const uint8_t kind = data[at];
            const std::size_t length = data[at + 1] | static_cast<std::size_t>(data[at + 2]) << 8;
            at += 3;
            const std::span<const uint8_t> payload(data + at, std::min(length, size - at));
            at += payload.size();

            if (kind == kEveryOwnerDies) {
                system.windows.clear();
                store.PurgeDead();
                Require(store.Icons().empty());
                LiveWindows(system);
            } else if (kind == kOneOwnerDies) {
                system.windows.erase(payload.empty() ? 0 : payload[0]);
                store.PurgeDead();
                for (const TrayIcon& icon : store.Icons()) {
                    Require(system.IsWindow(icon.ownerWindow));
                }
            } else if (kind == kClear) {
                store.Clear();
                Require(store.Icons().empty());
            } else {
                CheckAppBar(payload);
                CheckReaction(kind, payload, store.Handle(kind, payload));
            }
            CheckStore(store, system);
        }
    }
    Require(system.live.empty());
    Require(system.destroyCalls == system.destroyed.size());
    return 0;
}
