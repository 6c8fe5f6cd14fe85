#include "support/WinTestSupport.h"

#include <shlobj.h>
#include <winternl.h>

#include <algorithm>
#include <sstream>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvane::test {

TempFolder::TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static LONG counter = 0;
    const LONG n = ::InterlockedIncrement(&counter);
    path_ = std::wstring(temp) + L"corvane-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(n);
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

namespace {
// With the long-path prefix, so that trees deeper than MAX_PATH go too.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found = {};
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            const std::wstring child = path + L"\\" + name;
            if (name == L"." || name == L"..") {
                continue;
            }
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}
}  // namespace

TempFolder::~TempFolder() {
    RemoveTree(L"\\\\?\\" + path_);
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

std::wstring ReadIniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[1024] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", buffer, 1024, path.c_str());
    return buffer;
}

std::wstring BuiltFile(const wchar_t* name) {
    wchar_t buffer[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    const std::wstring path(buffer);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::wstring CopyBuiltFile(const wchar_t* name, const std::wstring& target) {
    ::CopyFileW(BuiltFile(name).c_str(), target.c_str(), FALSE);
    return target;
}

SavedRegistryValue::SavedRegistryValue(const wchar_t* key, const wchar_t* name, HKEY root)
    : root_(root), key_(key), name_(name) {
    constexpr DWORD kAny = RRF_RT_ANY | RRF_NOEXPAND;
    DWORD size = 0;
    status_ = ::RegGetValueW(root_, key, name, kAny, &type_, nullptr, &size);
    if (status_ == ERROR_SUCCESS) {
        data_.resize(size);
        status_ = ::RegGetValueW(root_, key, name, kAny, &type_, data_.data(), &size);
        data_.resize(size);
    }
}

SavedRegistryValue::~SavedRegistryValue() {
    if (status_ == ERROR_SUCCESS) {
        ::RegSetKeyValueW(root_, key_, name_, type_, data_.data(),
                          static_cast<DWORD>(data_.size()));
    } else if (status_ == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteKeyValueW(root_, key_, name_);
    }
}

bool SavedRegistryValue::Set(DWORD type, const void* data, std::size_t bytes) const {
    return ::RegSetKeyValueW(root_, key_, name_, type, data, static_cast<DWORD>(bytes)) ==
           ERROR_SUCCESS;
}

namespace {
constexpr wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

bool PointAt(const SavedRegistryValue& value, const TempFolder& folder, REFKNOWNFOLDERID id) {
    const std::wstring& path = folder.Path();
    if (!value.Saved() ||
        !value.Set(REG_EXPAND_SZ, path.c_str(), (path.size() + 1) * sizeof(wchar_t))) {
        return false;
    }
    PWSTR known = nullptr;
    const bool same = SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &known)) &&
                      ::lstrcmpiW(known, path.c_str()) == 0;
    ::CoTaskMemFree(known);
    return same;
}
}  // namespace

RedirectedDesktops::RedirectedDesktops()
    : userValue(kShellFolders, L"Desktop"),
      commonValue(kShellFolders, L"Common Desktop", HKEY_LOCAL_MACHINE) {
    ready = PointAt(userValue, user, FOLDERID_Desktop) &&
            PointAt(commonValue, common, FOLDERID_PublicDesktop);
}

namespace {
std::wstring ActivatableClassKey(const wchar_t* className) {
    return std::wstring(L"Software\\Microsoft\\WindowsRuntime\\ActivatableClassId\\") + className;
}
}  // namespace

bool RegisteredRuntimeClass::SystemHasIt(const wchar_t* className) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, ActivatableClassKey(className).c_str(), 0, KEY_READ,
                        &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

RegisteredRuntimeClass::RegisteredRuntimeClass(const wchar_t* className,
                                               const std::wstring& dllPath)
    : key_(ActivatableClassKey(className)) {
    registered_ = !SystemHasIt(className) &&
                  ::RegSetKeyValueW(
                      HKEY_LOCAL_MACHINE, key_.c_str(), L"DllPath", REG_SZ, dllPath.c_str(),
                      static_cast<DWORD>((dllPath.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

RegisteredRuntimeClass::~RegisteredRuntimeClass() {
    if (registered_) {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str());
    }
}

FakeMediaSession::FakeMediaSession()
    : registration_(L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager",
                    BuiltFile(L"test_fakemedia.dll")) {
    ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", state_.c_str());
}

FakeMediaSession::~FakeMediaSession() {
    ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", nullptr);
}

void FakeMediaSession::Play(const std::string& changes) const {
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::string text = changes +
                       "app=Spotify.exe\ntitle=Song\nartist=Band\nalbum=Record\nstatus=4\n"
                       "start=0\nend=3000000000\nposition=100000000\npending=0\nupdated=" +
                       std::to_string(ticks - 20000000) + "\nlog=";
    for (const wchar_t c : log_) {
        text += static_cast<char>(c);  // test paths are ASCII
    }
    (void)WriteFileBytes(state_, {text.begin(), text.end()});
}

std::vector<std::string> FakeMediaSession::Calls() const {
    const auto bytes = ReadFileBytes(log_);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> calls;
    for (std::string line; std::getline(in, line);) {
        calls.push_back(line.substr(line.find(' ') + 1));
    }
    return calls;
}

std::vector<uint32_t> FakeMediaSession::Ticks(const std::string& call) const {
    const auto bytes = ReadFileBytes(log_);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<uint32_t> ticks;
    for (std::string line; std::getline(in, line);) {
        const std::size_t space = line.find(' ');
        if (space != std::string::npos && line.compare(space + 1, std::string::npos, call) == 0) {
            ticks.push_back(static_cast<uint32_t>(std::stoul(line.substr(0, space))));
        }
    }
    return ticks;
}

std::ptrdiff_t FakeMediaSession::Count(const std::string& call) const {
    const auto calls = Calls();
    return std::count(calls.begin(), calls.end(), call);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

namespace {
struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (pid == search->pid && ::lstrcmpW(name, search->className) == 0) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}
}  // namespace

std::vector<HWND> FindProcessWindows(DWORD pid, const wchar_t* className) {
    WindowSearch search{pid, className, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

// The native call under CreateProcessW, for image paths longer than
// MAX_PATH: Wine's CreateProcessW refuses those, its loader does not.
struct PsAttributeList {
    SIZE_T totalLength = sizeof(PsAttributeList);
    ULONG_PTR attribute = 0x20005;  // the image's file name
    SIZE_T size = 0;
    const void* value = nullptr;
    SIZE_T* returnLength = nullptr;
};
using CreateParametersFn = LONG(WINAPI*)(void**, UNICODE_STRING*, UNICODE_STRING*, UNICODE_STRING*,
                                         UNICODE_STRING*, void*, UNICODE_STRING*, UNICODE_STRING*,
                                         UNICODE_STRING*, UNICODE_STRING*, ULONG);
using CreateUserProcessFn = LONG(WINAPI*)(HANDLE*, HANDLE*, ACCESS_MASK, ACCESS_MASK, void*, void*,
                                          ULONG, ULONG, void*, SIZE_T*, PsAttributeList*);

template <typename Fn>
Fn Ntdll(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

UNICODE_STRING Counted(const std::wstring& s) {
    const auto bytes = static_cast<USHORT>(s.size() * sizeof(wchar_t));
    return {bytes, static_cast<USHORT>(bytes + sizeof(wchar_t)), const_cast<wchar_t*>(s.c_str())};
}

bool StartNative(const std::wstring& exe, const std::wstring& commandLine,
                 const wchar_t* currentFolder, PROCESS_INFORMATION& pi) {
    const auto createParameters = Ntdll<CreateParametersFn>("RtlCreateProcessParametersEx");
    const auto createProcess = Ntdll<CreateUserProcessFn>("NtCreateUserProcess");
    const std::wstring ntPath = L"\\??\\" + exe;
    const std::wstring folder = currentFolder != nullptr ? currentFolder : L"";
    UNICODE_STRING image = Counted(exe);
    UNICODE_STRING command = Counted(commandLine);
    UNICODE_STRING current = Counted(folder);
    void* parameters = nullptr;
    if (createParameters == nullptr || createProcess == nullptr ||
        createParameters(&parameters, &image, nullptr, folder.empty() ? nullptr : &current,
                         &command, nullptr, nullptr, nullptr, nullptr, nullptr, 1) != 0) {
        return false;
    }
    SIZE_T createInfo[12] = {sizeof(createInfo)};
    PsAttributeList attributes;
    attributes.size = ntPath.size() * sizeof(wchar_t);
    attributes.value = ntPath.c_str();
    const LONG status =
        createProcess(&pi.hProcess, &pi.hThread, PROCESS_ALL_ACCESS, THREAD_ALL_ACCESS, nullptr,
                      nullptr, 0, 0, parameters, createInfo, &attributes);
    Ntdll<LONG(WINAPI*)(void*)>("RtlDestroyProcessParameters")(parameters);
    if (status != 0) {
        return false;
    }
    pi.dwProcessId = ::GetProcessId(pi.hProcess);
    pi.dwThreadId = ::GetThreadId(pi.hThread);
    return true;
}

}  // namespace

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments,
                         const wchar_t* currentFolder) {
    Stop();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentFolder, &si, &pi_) &&
        (exe.size() < MAX_PATH || !StartNative(exe, commandLine, currentFolder, pi_))) {
        pi_ = {};
        return false;
    }
    return true;
}

HWND ChildProcess::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : FindProcessWindows(pi_.dwProcessId, className)) {
                if (::IsWindowVisible(hwnd)) {
                    found = hwnd;
                    return true;
                }
            }
            return !IsRunning();
        },
        timeoutMs);
    return found;
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs) const {
    if (pi_.hProcess == nullptr) {
        return STILL_ACTIVE;
    }
    ::WaitForSingleObject(pi_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

void ChildProcess::Stop() {
    if (pi_.hProcess == nullptr) {
        return;
    }
    if (IsRunning() && (!PostQuit() || WaitForExit(5000) == STILL_ACTIVE)) {
        ::TerminateProcess(pi_.hProcess, 99);
        ::WaitForSingleObject(pi_.hProcess, 5000);
    }
    ::CloseHandle(pi_.hThread);
    ::CloseHandle(pi_.hProcess);
    pi_ = {};
}

bool HelperApp::Start(const std::wstring& folder, const std::wstring& exeName, const wchar_t* mode,
                      const std::wstring& logPath) {
    exe_ = CopyBuiltFile(L"test_helper.exe", folder + L"\\" + exeName);
    if (!ChildProcess::Start(exe_, std::wstring(mode) + L" \"" + logPath + L"\"")) {
        return false;
    }
    window_ = WaitForWindow(std::wstring(mode) == L"desktop" ? L"Progman" : kHelperWindowClass);
    return window_ != nullptr;
}

void EndStartedHelper() {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(::FindWindowW(kHelperWindowClass, nullptr), &pid);
    const HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process != nullptr && ::TerminateProcess(process, 0)) {
        ::WaitForSingleObject(process, 5000);
    }
    if (process != nullptr) {
        ::CloseHandle(process);
    }
}

void SendMouse(DWORD flags, POINT p) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(p.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(p.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void MovePointer(POINT p) {
    // The warp moves the X pointer too, which Wine reports moves from.
    ::SetCursorPos(p.x, p.y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
}

void DragAlong(std::initializer_list<POINT> path) {
    for (const POINT& p : path) {
        MovePointer(p);
        if (&p == path.begin()) {
            SendMouse(MOUSEEVENTF_LEFTDOWN);
        }
    }
    SendMouse(MOUSEEVENTF_LEFTUP);
}

bool StartUnixProgram(std::wstring commandLine) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return false;
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

void ServerDragAlong(std::initializer_list<POINT> path) {
    if (::GetFileAttributesW(kXdotool) == INVALID_FILE_ATTRIBUTES) {
        DragAlong(path);
        return;
    }
    // Wine must have handled each step before the next comes: with shorter
    // pauses about one drop in ten arrived after the pointer had gone on.
    std::wstring command = kXdotool;
    DWORD steps = 1;
    for (const POINT& p : path) {
        command += L" mousemove " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y) +
                   (&p == path.begin() ? L" sleep 0.3 mousedown 1" : L"") + L" sleep 0.3";
        steps += &p == path.begin() ? 2 : 1;
    }
    command += L" mouseup 1";
    if (!StartUnixProgram(command)) {
        DragAlong(path);
        return;
    }
    // The handle of a Unix process does not tell when it ends: wait out its pauses.
    ::Sleep(steps * 300 + 400);
}

void RightClick(POINT p) {
    MovePointer(p);
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
}

void MiddleClick(POINT p) {
    MovePointer(p);
    SendMouse(MOUSEEVENTF_MIDDLEDOWN);
    SendMouse(MOUSEEVENTF_MIDDLEUP);
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs(text.size() * 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = text[i / 2];
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 != 0 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(300);
}

void TapKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs(keys.size() * 2);
    std::size_t down = 0;
    for (const WORD key : keys) {
        INPUT& press = inputs[down];
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = key;
        inputs[inputs.size() - 1 - down] = press;
        inputs[inputs.size() - 1 - down].ki.dwFlags = KEYEVENTF_KEYUP;
        ++down;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(60);
}

}  // namespace corvane::test
