#pragma once
// A program's side of the notification area, as the tray tests and the demo
// play it: the 32-bit records every Windows program sends to the taskbar
// window (Wine's own Shell_NotifyIconW sends a private layout instead), and
// a window that records the callbacks and "TaskbarCreated" broadcasts it gets.

#include "support/WinTestSupport.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

inline constexpr UINT kTrayClientCallback = WM_APP + 0x42;

// Flags of a notification record.
inline constexpr uint32_t kTrayFlagMessage = 0x01;
inline constexpr uint32_t kTrayFlagIcon = 0x02;
inline constexpr uint32_t kTrayFlagTip = 0x04;
inline constexpr uint32_t kTrayFlagShowTip = 0x80;

// One notification record; a null owner means the sending window.
struct TrayRecord {
    uint32_t command = 0;  // 0 add, 1 modify, 2 delete, 4 set version
    uint32_t id = 1;
    // The standard tooltip in version 4 too.
    uint32_t flags = kTrayFlagMessage | kTrayFlagIcon | kTrayFlagTip | kTrayFlagShowTip;
    uint32_t icon = 0;
    std::wstring tip{};  // its first 128 units, NUL-terminated when shorter
    uint32_t version = 0;
    uint32_t owner = 0;
    UINT callback = kTrayClientCallback;
};

// The record's 964 bytes as sent from `from`.
[[nodiscard]] std::vector<uint8_t> TrayRecordBytes(const TrayRecord& record, HWND from);

// WM_COPYDATA of any kind and size; the reply, or nullopt when the host did
// not take it within 5 s.
std::optional<LRESULT> SendCopyData(HWND host, HWND from, ULONG_PTR kind, const void* data,
                                    DWORD bytes);
inline std::optional<LRESULT> SendTrayRecord(HWND host, HWND from, const TrayRecord& record) {
    const std::vector<uint8_t> bytes = TrayRecordBytes(record, from);
    return SendCopyData(host, from, 1, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// Where the host says it shows (owner, id), from its two corner queries.
[[nodiscard]] std::optional<RECT> QueryTrayRect(HWND host, HWND owner, uint32_t id);

// The taskbar window programs find first, when process `pid` owns it.
[[nodiscard]] HWND FindTrayHost(DWORD pid);

// An icon handle made inside process `pid` from an .ico file, 0 on failure.
// Under Wine icon handles do not cross processes, so the host could copy no
// icon of ours; a thread started in its process loads the file there.
[[nodiscard]] uint32_t LoadIconInProcess(DWORD pid, const std::wstring& icoPath);

struct TrayCallback {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A hidden top-level window (broadcasts reach only those) that sends records
// as its owner and keeps what arrives while the thread pumps messages.
class TrayClient {
public:
    TrayClient();
    ~TrayClient();
    TrayClient(const TrayClient&) = delete;
    TrayClient& operator=(const TrayClient&) = delete;

    [[nodiscard]] HWND Window() const { return window_; }
    std::optional<LRESULT> Send(HWND host, const TrayRecord& record) const {
        return SendTrayRecord(host, window_, record);
    }
    [[nodiscard]] std::optional<RECT> Rect(HWND host, uint32_t id = 1) const {
        return QueryTrayRect(host, window_, id);
    }
    // Gone without deleting its icons, as a crashed program goes.
    void Destroy();

    template <typename Predicate>
    bool PumpUntil(Predicate done, DWORD timeoutMs) {
        return test::PumpUntil(done, timeoutMs);
    }

    std::vector<TrayCallback> callbacks;
    int taskbarCreated = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

}  // namespace corvane::test
