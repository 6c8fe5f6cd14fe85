#include "support/TrayClient.h"

#include "support/TrayRecords.h"

#include <string>

namespace corvane::test {

namespace {

uint32_t Handle32(HWND hwnd) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd));
}

// Remote memory and handles the injection must give back on every path.
struct ProcessHandle {
    HANDLE h;
    ~ProcessHandle() {
        if (h != nullptr) {
            ::CloseHandle(h);
        }
    }
};
struct RemoteMemory {
    HANDLE process;
    void* address;
    ~RemoteMemory() {
        if (address != nullptr) {
            ::VirtualFreeEx(process, address, 0, MEM_RELEASE);
        }
    }
};

}  // namespace

std::vector<uint8_t> TrayRecordBytes(const TrayRecord& r, HWND from) {
    return Note(r.command, r.owner != 0 ? r.owner : Handle32(from), r.id, r.flags, r.callback,
                r.icon, std::u16string(r.tip.begin(), r.tip.end()), 0, 0, r.version);
}

std::optional<LRESULT> SendCopyData(HWND host, HWND from, ULONG_PTR kind, const void* data,
                                    DWORD bytes) {
    COPYDATASTRUCT cds{kind, bytes, const_cast<void*>(data)};
    DWORD_PTR reply = 0;
    if (::SendMessageTimeoutW(host, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                              reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 5000,
                              &reply) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(reply);
}

std::optional<RECT> QueryTrayRect(HWND host, HWND owner, uint32_t id) {
    POINT corners[2] = {};
    for (uint32_t corner = 1; corner <= 2; ++corner) {
        const std::vector<uint8_t> query = Position(corner, Handle32(owner), id);
        const std::optional<LRESULT> reply = SendCopyData(host, owner, 3, query.data(), 40);
        if (!reply) {
            return std::nullopt;
        }
        const auto packed = static_cast<uint32_t>(*reply);
        corners[corner - 1] = {static_cast<int16_t>(packed & 0xFFFF),
                               static_cast<int16_t>(packed >> 16)};
    }
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

HWND FindTrayHost(DWORD pid) {
    HWND first = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(first, &owner);
    return first != nullptr && owner == pid ? first : nullptr;
}

uint32_t LoadIconInProcess(DWORD pid, const std::wstring& icoPath) {
    ProcessHandle process{::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION |
                                            PROCESS_VM_OPERATION | PROCESS_VM_WRITE |
                                            PROCESS_VM_READ,
                                        FALSE, pid)};
    if (process.h == nullptr) {
        return 0;
    }
    const SIZE_T size = (icoPath.size() + 1) * sizeof(wchar_t);
    RemoteMemory path{process.h, ::VirtualAllocEx(process.h, nullptr, size,
                                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)};
    if (path.address == nullptr ||
        !::WriteProcessMemory(process.h, path.address, icoPath.c_str(), size, nullptr)) {
        return 0;
    }
    // user32 lies at the same address in every process of the session; the
    // function takes one pointer and returns the handle, as a thread does.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "LoadCursorFromFileW")));
    ProcessHandle thread{
        ::CreateRemoteThread(process.h, nullptr, 0, load, path.address, 0, nullptr)};
    DWORD handle = 0;
    if (thread.h == nullptr || ::WaitForSingleObject(thread.h, 10000) != WAIT_OBJECT_0 ||
        !::GetExitCodeThread(thread.h, &handle)) {
        path.address = nullptr;  // the thread may still read it
        return 0;
    }
    return handle;
}

TrayClient::TrayClient() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneTestTrayClient";
    ::RegisterClassW(&wc);
    window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TrayClient::~TrayClient() {
    Destroy();
}

void TrayClient::Destroy() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
        window_ = nullptr;
    }
}

LRESULT CALLBACK TrayClient::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    auto* self = reinterpret_cast<TrayClient*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && message == kTrayClientCallback) {
        self->callbacks.push_back({message, wParam, lParam});
        return 0;
    }
    if (self != nullptr && message == taskbarCreated) {
        ++self->taskbarCreated;
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace corvane::test
