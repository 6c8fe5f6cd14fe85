#include "e2e/E2ESupport.h"

#include "bar/BarLayout.h"
#include "base/Commands.h"
#include "base/Utf16.h"
#include "base/Win32Handles.h"
#include "support/MenuReaderFormat.h"

#include <shellscalingapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdlib>

namespace corvane::test {

std::wstring IniText(const IniOptions& o) {
    return L"[General]\r\nLanguage=en\r\nCenterStart=0\r\n[Bar]\r\nHeight=28\r\nStyle=" +
           std::to_wstring(o.style) + L"\r\nAutohide=" + (o.autohide ? L"1" : L"0") +
           L"\r\nAllMonitors=" + (o.allMonitors ? L"1" : L"0") +
           L"\r\nBackdrop=solid\r\nTint=72\r\nBarTint=72\r\n[Clock]\r\nDateFormat=ddd MMM d\r\n"
           L"[Tiling]\r\nEnabled=" +
           (o.tiling ? L"1\r\nLayout=0\r\nGap=8\r\nMode=" + std::to_wstring(o.tilingMode) +
                           L"\r\nFloat=" + o.tilingFloat
                     : std::wstring(L"0")) +
           L"\r\n[Tray]\r\nEnabled=" + (o.tray ? L"1" : L"0") + L"\r\n[Dock]\r\nEnabled=" +
           (o.dock ? L"1" : L"0") + L"\r\nHideTaskbar=" + (o.hideTaskbar ? L"1" : L"0") +
           L"\r\nSmartHide=0" +
           (o.pinned != nullptr ? L"\r\nPinned=" + std::wstring(o.pinned) : std::wstring()) +
           L"\r\nConfigVersion=2\r\n[Start]\r\nMenu=" + std::to_wstring(o.startMenu) +
           L"\r\nWinKey=1\r\n[NowPlaying]\r\nEnabled=" + (o.nowPlaying ? L"1" : L"0") +
           L"\r\nWhere=" + std::to_wstring(o.nowPlayingWhere) +
           L"\r\nBarPosition=0\r\n[Garden]\r\nEnabled=" + (o.garden ? L"1" : L"0") + L"\r\n";
}

std::vector<std::wstring> FolderListing(const std::wstring& folder) {
    std::vector<std::wstring> listing;
    WIN32_FIND_DATAW data = {};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return listing;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const ULONGLONG size =
            (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        listing.push_back(name + L" " + (isFolder ? std::wstring(L"-1") : std::to_wstring(size)));
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(listing.begin(), listing.end());
    return listing;
}

std::vector<HWND> ControlWindows() {
    std::vector<HWND> found;
    HWND hwnd = nullptr;
    while ((hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, L"CorvaneCtl", nullptr)) != nullptr) {
        found.push_back(hwnd);
    }
    return found;
}

HWND WaitForControlWindow(const ChildProcess& process, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hwnd : ControlWindows()) {
                DWORD pid = 0;
                ::GetWindowThreadProcessId(hwnd, &pid);
                found = pid == process.ProcessId() ? hwnd : found;
            }
            return found != nullptr || !process.IsRunning();
        },
        timeoutMs);
    return found;
}

std::vector<DWORD> GuardsOf(DWORD parent) {
    std::vector<DWORD> found;
    const UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot && ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == parent &&
            ::_wcsicmp(entry.szExeFile, L"corvane.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

bool CrashFromOutside(const ChildProcess& process) {
    const UniqueHandle target(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, process.ProcessId()));
    return target && UniqueHandle(::CreateRemoteThread(target.Get(), nullptr, 0, nullptr, nullptr,
                                                       0, nullptr));
}

namespace {

// Under Wine every window draws into a surface of its own and the screen DC
// shows none of them; the X server's picture of the root window has them all.
constexpr wchar_t kXConvert[] = L"Z:\\usr\\bin\\convert";

// A binary PPM as ImageMagick writes it: "P6\n<w> <h>\n255\n", then RGB.
bool ReadPpm(const std::wstring& path, const RECT& area, Capture& c) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    c.width = area.right - area.left;
    c.height = area.bottom - area.top;
    const std::string header =
        "P6\n" + std::to_string(c.width) + " " + std::to_string(c.height) + "\n255\n";
    const std::size_t count = static_cast<std::size_t>(c.width) * c.height;
    if (bytes.size() != header.size() + count * 3 ||
        !std::equal(header.begin(), header.end(), bytes.begin())) {
        return false;
    }
    c.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* rgb = &bytes[header.size() + i * 3];
        c.pixels[i] = (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
    }
    return true;
}

bool CaptureWithX(const RECT& area, Capture& c, const std::wstring& keepAs) {
    if (::GetFileAttributesW(kXConvert) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    static LONG counter = 0;
    const std::wstring name = L"corvane-capture-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(::InterlockedIncrement(&counter));
    std::wstring command =
        std::wstring(kXConvert) + L" x:root -crop " + std::to_wstring(area.right - area.left) +
        L"x" + std::to_wstring(area.bottom - area.top) + L"+" + std::to_wstring(area.left) + L"+" +
        std::to_wstring(area.top) + L" +repage -strip -depth 8 -write PNG24:/tmp/" + name +
        L".png PPM:/tmp/" + name + L".ppm";
    if (!StartUnixProgram(command)) {
        return false;
    }
    // The handle of a Unix process does not tell when it ends: wait for the
    // picture written last to be complete instead.
    const std::wstring png = L"Z:\\tmp\\" + name + L".png";
    const std::wstring ppm = L"Z:\\tmp\\" + name + L".ppm";
    const bool ok = WaitUntil([&] { return ReadPpm(ppm, area, c); }, 15000);
    ::DeleteFileW(ppm.c_str());
    if (!ok || keepAs.empty() ||
        !::MoveFileExW(png.c_str(), keepAs.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileW(png.c_str());
    }
    return ok;
}

}  // namespace

// Saved elsewhere first: Wine hands shortcuts saved in the Start menu to its
// menu builder, which would copy them into the Linux desktop's menus.
ProgramsShortcut::ProgramsShortcut(const TempFolder& temp, const std::wstring& name,
                                   const std::wstring& target) {
    const ComApartment com;
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    PWSTR folder = nullptr;
    const std::wstring saved = temp.Path() + L"\\" + name + L".lnk";
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link.As(&file)) &&
        SUCCEEDED(file->Save(saved.c_str(), TRUE)) &&
        SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &folder))) {
        path = std::wstring(folder) + L"\\" + name + L".lnk";
        path = ::MoveFileExW(saved.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) ? path : L"";
    }
    ::CoTaskMemFree(folder);
}

ProgramsShortcut::~ProgramsShortcut() {
    ::DeleteFileW(path.c_str());
}

bool Xdotool(const std::wstring& arguments) {
    if (!StartUnixProgram(std::wstring(kXdotool) + L" " + arguments)) {
        return false;
    }
    ::Sleep(800);
    return true;
}

bool KeysToHelper(const wchar_t* keys) {
    return Xdotool(std::wstring(L"search --name ^Helper$ windowfocus --sync key ") + keys);
}

std::wstring ScreenshotPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    if (const DWORD n = ::GetEnvironmentVariableW(L"CORVANE_SCREENSHOTS", folder, MAX_PATH);
        n == 0 || n >= MAX_PATH) {
        ::GetTempPathW(MAX_PATH, folder);
    }
    return folder + (L"\\" + name);
}

Capture CaptureScreen(const RECT& area, const std::wstring& keepAs) {
    Capture c;
    if (CaptureWithX(area, c, keepAs)) {
        return c;
    }
    // On Windows the screen itself holds what every window drew.
    c.width = area.right - area.left;
    c.height = area.bottom - area.top;
    c.pixels.resize(static_cast<std::size_t>(std::max(c.width * c.height, 0)));
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, c.width, c.height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, c.width, c.height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(bi.bmiHeader), c.width, -c.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(c.height), c.pixels.data(), &bi,
                DIB_RGB_COLORS);
    for (uint32_t& px : c.pixels) {
        px &= 0x00FFFFFF;
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return c;
}

bool Differs(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int x = static_cast<int>((a >> shift) & 0xFF);
        const int y = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(x - y) > tolerance) {
            return true;
        }
    }
    return false;
}

std::vector<Span> InkRuns(const Capture& capture, const RECT& area, uint32_t background,
                          int mergeGap, int offsetX, int tolerance) {
    std::vector<Span> runs;
    int blank = mergeGap + 1;
    for (int x = std::max<int>(area.left, 0); x < area.right && x < capture.width; ++x) {
        bool ink = false;
        for (int y = std::max<int>(area.top, 0); y < area.bottom && y < capture.height && !ink;
             ++y) {
            ink = Differs(capture.At(x, y), background, tolerance);
        }
        if (!ink) {
            ++blank;
            continue;
        }
        if (blank > mergeGap) {
            runs.push_back({offsetX + x, offsetX + x + 1});
        }
        runs.back().right = offsetX + x + 1;
        blank = 0;
    }
    return runs;
}

void SetLightTheme(bool light) {
    const DWORD value = light ? 1 : 0;
    for (const wchar_t* name : {L"SystemUsesLightTheme", L"AppsUseLightTheme"}) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                          name, REG_DWORD, &value, sizeof(value));
    }
}

namespace {

constexpr wchar_t kMenuReader[] = L"test_menureader.dll";

// Runs `start(argument)` on a new thread of `process`; its exit code, or 0.
DWORD RunRemote(HANDLE process, const void* start, void* argument) {
    const UniqueHandle thread(::CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
        argument, 0, nullptr));
    DWORD code = 0;
    if (!thread || ::WaitForSingleObject(thread.Get(), 10000) != WAIT_OBJECT_0 ||
        !::GetExitCodeThread(thread.Get(), &code)) {
        return 0;
    }
    return code;
}

// Where a library of that name is loaded in another process, or null.
const BYTE* RemoteModuleBase(DWORD pid, const wchar_t* name) {
    const UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot && ::Module32FirstW(snapshot.Get(), &entry); more;
         more = ::Module32NextW(snapshot.Get(), &entry)) {
        if (::lstrcmpiW(entry.szModule, name) == 0) {
            return entry.modBaseAddr;
        }
    }
    return nullptr;
}

}  // namespace

std::vector<std::wstring> OpenMenuEntries(DWORD pid) {
    // The library stands at another address there: the reader's offset in
    // it is the same.
    const std::wstring path = BuiltFile(kMenuReader);
    const UniqueModule local(::LoadLibraryW(path.c_str()));
    const auto* read = reinterpret_cast<const BYTE*>(
        reinterpret_cast<void*>(::GetProcAddress(local.Get(), "CorvaneReadOpenMenu")));
    const auto* loadLibrary = reinterpret_cast<const void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
    const UniqueHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid));
    if (read == nullptr || !process) {
        return {};
    }
    constexpr SIZE_T kBytes = kMenuReaderChars * sizeof(wchar_t);
    void* remote =
        ::VirtualAllocEx(process.Get(), nullptr, kBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    std::wstring text(kMenuReaderChars, L'\0');
    const BYTE* base = nullptr;
    if (remote != nullptr &&
        ::WriteProcessMemory(process.Get(), remote, path.c_str(),
                             (path.size() + 1) * sizeof(wchar_t), nullptr) &&
        RunRemote(process.Get(), loadLibrary, remote) != 0 &&
        (base = RemoteModuleBase(pid, kMenuReader)) != nullptr &&
        RunRemote(process.Get(), base + (read - reinterpret_cast<const BYTE*>(local.Get())),
                  remote) != 0 &&
        ::ReadProcessMemory(process.Get(), remote, text.data(), kBytes, nullptr)) {
        text.resize(std::min(text.find(L'\0'), text.size()));
    } else {
        text.clear();
    }
    if (remote != nullptr) {
        ::VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
    }
    std::vector<std::wstring> entries;
    for (std::size_t at = 0, end = 0; (end = text.find(L'\n', at)) != std::wstring::npos;
         at = end + 1) {
        entries.push_back(text.substr(at, end - at));
    }
    return entries;
}

void CorvaneTest::TearDown() {
    MovePointer(ScreenCentre());
    if (corvane_.IsRunning()) {
        EXPECT_TRUE(corvane_.PostQuit());
        EXPECT_EQ(corvane_.WaitForExit(), 0u);
    }
    // Its guard goes with it, and no later test sees it give anything back.
    const DWORD pid = corvane_.ProcessId();
    EXPECT_TRUE(pid == 0 || WaitUntil([pid] { return GuardsOf(pid).empty(); }, 5000))
        << "a guard outlived Corvane";
}

HWND CorvaneTest::StartCorvane(const std::wstring& ini) {
    if (exe_.empty()) {
        exe_ = CopyCorvane(folder_.Path());
    }
    if (!ini.empty()) {
        EXPECT_TRUE(WriteFileBytes(IniPath(), EncodeUtf16LeWithBom(ini)));
    }
    EXPECT_TRUE(corvane_.Start(exe_));
    control_ = WaitForControlWindow(corvane_);
    EXPECT_NE(control_, nullptr);
    bar_ = corvane_.WaitForWindow(L"CorvaneBar");
    UINT dpiY = 96;
    if (bar_ == nullptr ||
        FAILED(::GetDpiForMonitor(::MonitorFromWindow(bar_, MONITOR_DEFAULTTOPRIMARY),
                                  MDT_EFFECTIVE_DPI, &dpi_, &dpiY))) {
        dpi_ = 96;
    }
    return bar_;
}

void CorvaneTest::QuitCorvane() {
    ASSERT_TRUE(corvane_.PostQuit());
    EXPECT_EQ(corvane_.WaitForExit(), 0u);
}

std::vector<HWND> CorvaneTest::Shown(const wchar_t* className) const {
    std::vector<HWND> shown = FindProcessWindows(corvane_.ProcessId(), className);
    std::erase_if(shown, [](HWND w) {
        RECT r = {};
        return !::IsWindowVisible(w) || !::GetWindowRect(w, &r) || r.bottom <= r.top;
    });
    return shown;
}

bool CorvaneTest::AnnounceWindow(HWND window) const {
    HWND session = nullptr;
    WaitUntil([&] {
        const std::vector<HWND> found = FindProcessWindows(corvane_.ProcessId(), L"CorvaneSession");
        session = found.empty() ? nullptr : found.front();
        return session != nullptr;
    });
    return session != nullptr &&
           ::PostMessageW(session, ::RegisterWindowMessageW(L"SHELLHOOK"), HSHELL_WINDOWCREATED,
                          reinterpret_cast<LPARAM>(window)) != FALSE;
}

HWND CorvaneTest::WaitShown(const wchar_t* className, DWORD timeoutMs) const {
    std::vector<HWND> shown;
    WaitUntil([&] { return !(shown = Shown(className)).empty(); }, timeoutMs);
    return shown.empty() ? nullptr : shown.front();
}

bool CorvaneTest::Command(WPARAM code, LPARAM lParam) const {
    DWORD_PTR result = 1;
    return ::SendMessageTimeoutW(control_, WM_APP_COMMAND, code, lParam, SMTO_ABORTIFHUNG, 10000,
                                 &result) != 0 &&
           result == 0;
}

HWND CorvaneTest::OpenAppNameMenu() const {
    Click({Frame().left + Px(16), MidY()});
    return WaitShown(L"#32768");
}

std::vector<Span> CorvaneTest::BarInk(bool left, bool right, int top, int bottom, int mergeGap,
                                      int tolerance) const {
    const RECT frame = Frame();
    const Capture c = CaptureScreen(frame);
    if (c.pixels.empty()) {
        return {};
    }
    return InkRuns(c,
                   {left ? 0 : c.width / 2, c.height * top / 4, right ? c.width : c.width / 2,
                    c.height * bottom / 4},
                   c.At(c.width / 2, c.height / 2), mergeGap, frame.left, tolerance);
}

namespace {

// Every text the same width: where the clock stands inside the bar does not
// depend on it, only the width of what lies between.
class EvenTextWidths final : public BarTextMeasurer {
public:
    std::optional<BarTextMetrics> Measure(const BarTextRequest&) override {
        return BarTextMetrics{50, 50};
    }
    void DiscardMenuTitle(int32_t) override {}
};

}  // namespace

std::optional<POINT> CorvaneTest::TilingButton() const {
    SYSTEM_POWER_STATUS power = {};
    BarLayoutInput input;
    input.width = 2000;
    input.height = 28;
    input.clockText = L"12:00";
    input.hasBattery = ::GetSystemPowerStatus(&power) && power.BatteryFlag != 255 &&
                       (power.BatteryFlag & 128) == 0;
    EvenTextWidths widths;
    float fromClock = 0;  // the button's middle left of the clock's item
    for (const BarItem& item : LayoutBar(input, widths).items) {
        fromClock += item.kind == BarItemKind::ClockItem ? item.left : 0;
        fromClock -= item.kind == BarItemKind::TilingButtonItem ? (item.left + item.right) / 2 : 0;
    }
    std::optional<POINT> found;
    WaitUntil(
        [&] {
            const RECT frame = Frame();
            const auto runs = BarInk(true, true, 1, 3, Px(20));
            if (runs.empty() || runs.back().right < frame.left + (frame.right - frame.left) / 2) {
                return false;
            }
            found = POINT{runs.back().left - Px(kClockTextLeft + fromClock), MidY()};
            return true;
        },
        8000);
    return found;
}

}  // namespace corvane::test
