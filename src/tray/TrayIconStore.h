#pragma once
// The host's list of icons and what one notification message does to it:
// matching by GUID or by owner window and id, adding, changing, removing,
// and which messages are left to Explorer. The system calls it needs (icon
// copies, the owner's process) go through TraySystem, so every rule runs
// natively against fakes.

#include "tray/TrayIcon.h"
#include "tray/TrayProtocol.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class TraySystem {
public:
    virtual ~TraySystem() = default;
    // The host's own copy of the program's icon; 0 when the handle is no icon.
    [[nodiscard]] virtual uint64_t CopyIcon(uint32_t handle) = 0;
    virtual void DestroyIcon(uint64_t icon) = 0;
    [[nodiscard]] virtual bool IsWindow(uint32_t window) = 0;
    // 0 when the window has no process (any more).
    [[nodiscard]] virtual uint32_t ProcessOfWindow(uint32_t window) = 0;
    // Lower-case file name of the process's executable; empty when unknown.
    [[nodiscard]] virtual std::wstring ExeNameOfProcess(uint32_t processId) = 0;
};

// More icons than this are left to Explorer: a program adding icon after
// icon must not grow the host without end.
inline constexpr std::size_t kMaxTrayIcons = 256;

struct TrayReaction {
    // The message is Explorer's to answer (its reply goes back to the
    // program); nothing else below applies.
    bool forward = false;
    int64_t reply = 0;     // the answer when not forwarded
    bool changed = false;  // the icons as shown may have changed: lay the tray bar out again
    // Records for Explorer, in order, unless it gets the program's own
    // message ([Tray] MirrorToExplorer).
    std::vector<std::vector<uint8_t>> toExplorer;
};

class TrayIconStore {
public:
    explicit TrayIconStore(TraySystem& system) : system_(system) {}
    ~TrayIconStore();
    TrayIconStore(const TrayIconStore&) = delete;
    TrayIconStore& operator=(const TrayIconStore&) = delete;

    // One WM_COPYDATA message: its data kind and the bytes it carries.
    [[nodiscard]] TrayReaction Handle(uint32_t dataKind, std::span<const uint8_t> payload);

    // Drops the icons whose owner window is gone; true if any was.
    bool PurgeDead();
    // Destroys every icon copy and empties the list.
    void Clear() noexcept;
    // Every icon counts as changed, so that the bar draws it afresh.
    void BumpGenerations() noexcept;
    // The records that drop Explorer's hidden copies; from then on none is
    // taken as held, as after Explorer itself started again.
    [[nodiscard]] std::vector<std::vector<uint8_t>> ReleaseExplorerCopies();
    void ForgetExplorerCopies() noexcept;

    [[nodiscard]] const std::vector<TrayIcon>& Icons() const noexcept { return icons_; }
    [[nodiscard]] TrayIcon* Find(uint32_t ownerWindow, uint32_t id) noexcept;
    [[nodiscard]] bool HasOwner(uint32_t ownerWindow) const noexcept;

private:
    [[nodiscard]] TrayReaction HandlePosition(std::span<const uint8_t> payload) const;
    [[nodiscard]] TrayReaction HandleNotification(std::span<const uint8_t> payload);
    [[nodiscard]] TrayReaction Change(const TrayNotification& n);
    [[nodiscard]] std::vector<std::vector<uint8_t>> CopiesForExplorer(
        const TrayNotification& n, std::span<const uint8_t> payload, bool explorerHolds);
    // False when the icon is left to Explorer.
    bool AddIcon(const TrayNotification& request);
    void Apply(TrayIcon& icon, const TrayNotification& request);
    void DestroyCopy(TrayIcon& icon) noexcept;

    TraySystem& system_;
    std::vector<TrayIcon> icons_;
};

}  // namespace corvane
