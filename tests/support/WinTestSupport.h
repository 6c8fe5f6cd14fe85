#pragma once
// What Windows and end-to-end tests share: files and folders, child
// processes and their windows, waiting, and pointer and keyboard input.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace corvane::test {

// A fresh empty folder under the temp folder, removed with its files at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::wstring& Path() const { return path_; }
    [[nodiscard]] std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

[[nodiscard]] std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// A value of an ini file as the profile functions read it, or "<absent>".
[[nodiscard]] std::wstring ReadIniValue(const std::wstring& path, const wchar_t* section,
                                        const wchar_t* key);
// The path of a file beside the running test executable.
[[nodiscard]] std::wstring BuiltFile(const wchar_t* name);
// Copies a file from beside the test executable to `target`; returns `target`.
std::wstring CopyBuiltFile(const wchar_t* name, const std::wstring& target);

// One registry value (under HKEY_CURRENT_USER unless told), put back as it
// was (or removed again) when the test lets go of it; one that could not be
// read is left alone.
class SavedRegistryValue {
public:
    SavedRegistryValue(const wchar_t* key, const wchar_t* name, HKEY root = HKEY_CURRENT_USER);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    [[nodiscard]] bool Saved() const {
        return status_ == ERROR_SUCCESS || status_ == ERROR_FILE_NOT_FOUND;
    }
    bool Set(DWORD type, const void* data, std::size_t bytes) const;

private:
    HKEY root_;
    const wchar_t* key_;
    const wchar_t* name_;
    LSTATUS status_ = ERROR_SUCCESS;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// The user's and the public desktop folders moved to fresh empty folders
// while the object lives, so that nothing a test does reaches real files.
// `ready` tells whether the system now reports both.
struct RedirectedDesktops {
    RedirectedDesktops();
    TempFolder user;
    TempFolder common;
    SavedRegistryValue userValue;
    SavedRegistryValue commonValue;
    bool ready = false;
};

// A Windows Runtime class served by a test library: registered under
// HKEY_LOCAL_MACHINE while the object lives, removed again after. A class
// the system already has is left alone (SystemHasIt).
class RegisteredRuntimeClass {
public:
    RegisteredRuntimeClass(const wchar_t* className, const std::wstring& dllPath);
    ~RegisteredRuntimeClass();
    RegisteredRuntimeClass(const RegisteredRuntimeClass&) = delete;
    RegisteredRuntimeClass& operator=(const RegisteredRuntimeClass&) = delete;

    [[nodiscard]] static bool SystemHasIt(const wchar_t* className);
    [[nodiscard]] bool Registered() const { return registered_; }

private:
    std::wstring key_;
    bool registered_ = false;
};

// test_fakemedia.dll standing in for the system's media session manager,
// for this process and the programs it starts, while the object lives. It
// plays what the state file says and logs every call it is given.
class FakeMediaSession {
public:
    FakeMediaSession();
    ~FakeMediaSession();
    FakeMediaSession(const FakeMediaSession&) = delete;
    FakeMediaSession& operator=(const FakeMediaSession&) = delete;

    // False when the system has its own manager (the stand-in is not used).
    [[nodiscard]] bool Registered() const { return registration_.Registered(); }
    // `changes` lines ("key=value\n") come first and win; then a track
    // "Song" by "Band" from Spotify.exe playing 10 s into 300, updated 2 s ago.
    void Play(const std::string& changes = "") const;
    // The calls the library logged, without their times.
    [[nodiscard]] std::vector<std::string> Calls() const;
    [[nodiscard]] std::ptrdiff_t Count(const std::string& call) const;
    // When each of those calls came (GetTickCount of the calling process).
    [[nodiscard]] std::vector<uint32_t> Ticks(const std::string& call) const;

private:
    TempFolder folder_;
    std::wstring state_ = folder_.File(L"media.txt");
    std::wstring log_ = folder_.File(L"calls.log");
    RegisteredRuntimeClass registration_;
};

// Polls until the predicate holds or the time is up; true when it held.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs = 10000) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate()) {
            return true;
        }
        if (::GetTickCount64() >= end) {
            return false;
        }
        ::Sleep(20);
    }
}

// Handles this thread's messages, and with them the callbacks of its
// out-of-context WinEvent hooks, until the predicate holds or the time is up.
void PumpMessages();
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages();
        if (done()) {
            return true;
        }
        if (::GetTickCount64() >= end) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Top-level windows of a class that belong to a process, in z-order.
[[nodiscard]] std::vector<HWND> FindProcessWindows(DWORD pid, const wchar_t* className);

// A program started by a test. It is asked to quit (WM_QUIT to its first
// thread) when the test lets go of it, and ended if it does not.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // An `exe` path longer than MAX_PATH is started through the native call
    // when CreateProcessW refuses it (as Wine's does).
    [[nodiscard]] bool Start(const std::wstring& exe, const std::wstring& arguments = L"",
                             const wchar_t* currentFolder = nullptr);
    // The first visible top-level window of the class, waited for.
    [[nodiscard]] HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 10000) const;
    bool PostQuit() const { return ::PostThreadMessageW(pi_.dwThreadId, WM_QUIT, 0, 0) != FALSE; }
    // Exit code, or STILL_ACTIVE when it did not end in time.
    [[nodiscard]] DWORD WaitForExit(DWORD timeoutMs = 20000) const;
    [[nodiscard]] bool IsRunning() const {
        return pi_.hProcess != nullptr && ::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
    }
    // Quits politely, then by force.
    void Stop();

    [[nodiscard]] DWORD ProcessId() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_ = {};
};

// The helper window program (test_helper.exe), copied under the file name a
// test wants the bar to see. Its modes:
//   normal, fullscreen             one window in front, shaped so
//   hung                           maximized, then its thread stops taking
//                                  messages for a minute
//   popup                          a window with an open popup menu, then a
//                                  hidden popup-menu window above it and the
//                                  pointer in the middle of the screen
//   kinds                          one window of each kind the app-window
//                                  filter tells apart, each its own class
//   tray-client                    a normal window that adds tray icon 1 with
//                                  the icon handle given as the log path
//   tray-demo <seconds> [ready]    no window: three icons in Corvane's bar
//   taskbar                        Explorer's taskbar as others see it: a
//                                  visible, topmost "Shell_TrayWnd" along the
//                                  bottom that shows itself again when sent
//                                  kHelperShowTaskbar; reverses the rectangle
//                                  in an appbar record's block, replying kHelperAppBarReply
//   two-windows                    normal, and behind it a second window
//                                  "Helper 2" (kHelperSecondWindowClass),
//                                  minimised, that closes on its own
//   frame                          normal, and an empty "ApplicationFrameWindow"
//   desktop                        Explorer's desktop: a "Progman" tool
//                                  window over the primary display, kept at
//                                  the bottom, holding "SHELLDLL_DefView" and
//                                  in it the icon list "SysListView32", all
//                                  in kHelperDesktopColour; never activated.
//                                  Window() is the Progman.
// With a log path it appends "keydown|keyup <key> <extended> <tick>" for
// each key it gets, one line each.
inline constexpr wchar_t kHelperWindowClass[] = L"CorvaneTestWindow";
inline constexpr UINT kHelperShowTaskbar = WM_APP;
inline constexpr LRESULT kHelperAppBarReply = 0x7A;
inline constexpr wchar_t kHelperSecondWindowClass[] = L"CorvaneTestSecond";
inline constexpr COLORREF kHelperDesktopColour = RGB(0, 99, 177);

// The windows of the "kinds" mode, the main one aside, one for each fact the
// app-window filter reads, and whether it takes each for an application's.
struct HelperWindowKind {
    const wchar_t* className;
    DWORD exStyle;
    bool owned;
    bool shown;
    bool isApp;
};
inline constexpr HelperWindowKind kHelperWindowKinds[] = {
    {L"CorvaneFixtureTool", WS_EX_TOOLWINDOW, false, true, false},
    {L"CorvaneFixtureToolApp", WS_EX_TOOLWINDOW | WS_EX_APPWINDOW, false, true, true},
    {L"CorvaneFixtureOwned", 0, true, true, false},
    {L"CorvaneFixtureUntitled", 0, false, true, false},
    {L"CorvaneFixtureHidden", 0, false, false, false},
    {L"WorkerW", 0, false, true, false},
};

class HelperApp : public ChildProcess {
public:
    // Starts folder\exeName (copied there) and waits for its window (the
    // desktop mode's Progman).
    bool Start(const std::wstring& folder, const std::wstring& exeName, const wchar_t* mode,
               const std::wstring& logPath = L"");
    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] const std::wstring& ExePath() const { return exe_; }

private:
    std::wstring exe_;
    HWND window_ = nullptr;
};

// Ends the program of the first helper window, which the test did not start
// itself (a launch, a double-click), and waits for its end.
void EndStartedHelper();

// Input as a person gives it, through the system's input queue.
void MovePointer(POINT p);
// One injected mouse event (MOUSEEVENTF_*), at `p` when absolute.
void SendMouse(DWORD flags, POINT p = {});
// Presses at the first point, moves through the others and lets go at the last.
void DragAlong(std::initializer_list<POINT> path);
inline void Click(POINT p) {
    DragAlong({p});
}
// The same drag given to the X server when Wine runs on one: the button held
// there keeps the pointer with the pressed window wherever it goes, as
// Windows does, while Wine sends injected moves to the window under the
// pointer unless the capturing thread is in front. Elsewhere DragAlong.
void ServerDragAlong(std::initializer_list<POINT> path);
// Debian's xdotool as Wine sees it.
inline constexpr wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";
// Starts a Linux program through Wine ("Z:\\usr\\bin\\…" and its
// arguments). Its handle does not tell when it ends.
bool StartUnixProgram(std::wstring commandLine);
void RightClick(POINT p);
void MiddleClick(POINT p);
// Presses the keys in turn and lets go of them in the opposite order, as a
// person types a shortcut.
void TapKeys(std::initializer_list<WORD> keys);
inline void TapKey(WORD key) {
    TapKeys({key});
}
// Characters typed into the window in front.
void TypeText(const std::wstring& text);
[[nodiscard]] inline POINT ScreenCentre() {
    return {::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
}

// A run of screen columns; `right` is exclusive.
struct Span {
    int left = 0;
    int right = 0;
    [[nodiscard]] int Middle() const { return (left + right) / 2; }
};

}  // namespace corvane::test
