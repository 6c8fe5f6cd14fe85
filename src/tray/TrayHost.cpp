#include "tray/TrayHost.h"

#include "base/ForeignWindows.h"
#include "base/WindowBase.h"
#include "tray/AppBarRelay.h"
#include "tray/TaskbarCreated.h"
#include "tray/TrayCallbacks.h"
#include "tray/TrayProtocol.h"
#include "tray/TrayWin32.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <span>

namespace corvane {
namespace {

constexpr wchar_t kHostClass[] = L"Shell_TrayWnd";
constexpr wchar_t kNotifyClass[] = L"TrayNotifyWnd";
constexpr wchar_t kTimerClass[] = L"CorvaneTrayTimers";

constexpr DWORD kHostExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr DWORD kHostStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kNotifyStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Where the host lies until the bar says where the tray is shown.
constexpr int kUnplacedHostHeight = 28;

// Handed on posted: the host never waits on Explorer for this one.
constexpr UINT kPostedTaskbarMessage = WM_USER + 0x174;
// The GUI thread draws every surface: Explorer is waited for only briefly.
constexpr UINT kForwardTimeoutMs = kForeignReplyLimitMs;
constexpr UINT kCopyTimeoutMs = kForeignReplyLimitMs;

enum TrayTimer : UINT_PTR {
    TIMER_TRAY_WATCHDOG = 1,
    TIMER_TRAY_BROADCAST = 2,
};
// Posted to the timer window: a taskbar window was made or destroyed.
constexpr UINT kTaskbarEventMessage = WM_APP + 0x51;
// Posted to the timer window: a window that owns an icon was destroyed.
constexpr UINT kIconOwnerGoneMessage = WM_APP + 0x52;

bool IsTaskbarClassWindow(HWND hwnd) noexcept {
    // One character longer than the name: a longer name does not match.
    wchar_t name[std::size(kHostClass) + 1] = {};
    const int length = ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return length == static_cast<int>(std::size(kHostClass)) - 1 &&
           ::CompareStringOrdinal(name, length, kHostClass, length, TRUE) == CSTR_EQUAL;
}

}  // namespace

class TrayHost::Impl final : private WinEventSink {
public:
    explicit Impl(const TrayContext& context) : context_(context) {}
    ~Impl() {
        // Stopping still tells Explorer to drop its hidden copies.
        Stop();
        *alive_ = false;
    }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool Start();
    void Stop() noexcept;
    void SetHostRect(const PixelRect& rect) noexcept;
    void SetNotifyRect(const PixelRect& rect) noexcept;
    void ScheduleBroadcast(unsigned ms) noexcept;
    void RaiseAndBroadcast() noexcept;
    void Deliver(const TrayIcon& icon, const TrayMessages& messages, POINT cursor) noexcept;

    [[nodiscard]] TrayIconStore& Store() noexcept { return store_; }
    [[nodiscard]] HWND HostWindow() const noexcept { return host_.Hwnd(); }
    [[nodiscard]] bool WatchesWindowEvents() const noexcept { return taskbarEvents_.Active(); }

private:
    // Both host windows, and the message-only window that carries the
    // timers: the timers must run on while the host windows are gone.
    class Window final : public WindowBase {
    public:
        using Handler = LRESULT (Impl::*)(HWND, UINT, WPARAM, LPARAM);
        Window(Impl& impl, Handler handler) noexcept : impl_(impl), handler_(handler) {}
        bool Create(DWORD exStyle, const wchar_t* className, DWORD style, const RECT& rect,
                    HWND parent, HINSTANCE instance) noexcept {
            return CreateBound(exStyle, className, L"", style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent,
                               instance) != nullptr;
        }
        void Destroy() noexcept { DestroyBound(); }

    protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            return (impl_.*handler_)(Hwnd(), message, wParam, lParam);
        }

    private:
        Impl& impl_;
        Handler handler_;
    };

    bool RegisterClasses() const noexcept;
    bool CreateWindows() noexcept;
    void DestroyWindows() noexcept;
    void PlaceNotifyWindow() noexcept;
    void PlaceAtTop() noexcept;
    HWND ExplorerTray() noexcept;

    LRESULT OnHostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCopyData(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT OnAppBar(HWND hwnd, WPARAM wParam, LPARAM lParam, std::span<const uint8_t> payload);
    LRESULT Forward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void SendToExplorer(const std::vector<std::vector<uint8_t>>& records) noexcept;

    LRESULT OnTimerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Broadcast() noexcept;
    void ArmBroadcast(unsigned ms) noexcept;
    void OnBroadcastTimer() noexcept;
    void OnWatchdog() noexcept;
    void WatchTaskbarWindows() noexcept;
    // Windows made and destroyed anywhere: taskbars and icon owners.
    void OnWinEvent(const WinEvent& event) noexcept override;

    TrayContext context_;
    Win32TraySystem system_;
    TrayIconStore store_{system_};  // after system_: its copies go first
    Window host_{*this, &Impl::OnHostMessage};
    Window notify_{*this, &Impl::OnHostMessage};
    Window timers_{*this, &Impl::OnTimerMessage};
    HWND explorerTray_ = nullptr;
    PixelRect hostRect_;
    std::optional<PixelRect> notifyRect_;
    bool running_ = false;
    TrayWatchdogState watchdog_;
    EventSubscription taskbarEvents_;
    // The news is posted to the timer window, and a post not yet taken
    // stands for a whole burst of windows.
    bool taskbarEventPosted_ = false;
    bool ownerGonePosted_ = false;
    bool broadcastPending_ = false;
    uint32_t broadcastStep_ = 0;
    uint64_t lastBroadcastTick_ = 0;
    // Programs' messages are answered while the host waits on Explorer; one
    // of them may end the host. Whoever sends checks this afterwards.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

bool TrayHost::Impl::RegisterClasses() const noexcept {
    for (const wchar_t* name : {kHostClass, kNotifyClass, kTimerClass}) {
        if (!RegisterWindowClass(context_.instance, name, name == kTimerClass ? 0 : CS_DBLCLKS,
                                 nullptr)) {
            return false;
        }
    }
    return true;
}

bool TrayHost::Impl::Start() {
    if (running_) {
        return true;
    }
    if (!RegisterClasses() ||
        !timers_.Create(0, kTimerClass, 0, {}, HWND_MESSAGE, context_.instance)) {
        return false;
    }
    if (!CreateWindows()) {
        timers_.Destroy();
        return false;
    }
    running_ = true;
    watchdog_ = {};
    WatchTaskbarWindows();
    broadcastStep_ = 1;
    ArmBroadcast(trayperiods::kFirstRebroadcastMs);
    Broadcast();
    return true;
}

void TrayHost::Impl::Stop() noexcept {
    if (!running_) {
        return;
    }
    running_ = false;
    taskbarEvents_.Reset();
    taskbarEventPosted_ = false;
    ownerGonePosted_ = false;
    timers_.Destroy();  // and its timers with it
    broadcastPending_ = false;
    // Explorer's hidden copies go first: a program adding its icon to
    // Explorer again must not find it there already, and hidden.
    try {
        SendToExplorer(store_.ReleaseExplorerCopies());
    } catch (...) {
        // Out of memory: those icons stay hidden in Explorer, nothing worse.
    }
    DestroyWindows();
    store_.Clear();
    // Programs now find Explorer's window and give it their icons back.
    Broadcast();
}

bool TrayHost::Impl::CreateWindows() noexcept {
    // A taskbar that stood up again has none of the hidden copies.
    store_.ForgetExplorerCopies();
    explorerTray_ = nullptr;
    (void)ExplorerTray();
    RECT rect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), kUnplacedHostHeight};
    if (hostRect_.Width() > 0 && hostRect_.Height() > 0) {
        rect = {hostRect_.left, hostRect_.top, hostRect_.right, hostRect_.bottom};
    }
    if (!host_.Create(kHostExStyle, kHostClass, kHostStyle, rect, nullptr, context_.instance)) {
        return false;
    }
    const RECT child = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    if (notify_.Create(0, kNotifyClass, kNotifyStyle, child, host_.Hwnd(), context_.instance)) {
        PlaceNotifyWindow();
    }
    PlaceAtTop();
    return true;
}

void TrayHost::Impl::DestroyWindows() noexcept {
    notify_.Destroy();
    host_.Destroy();
}

HWND TrayHost::Impl::ExplorerTray() noexcept {
    if (explorerTray_ != nullptr && ::IsWindow(explorerTray_)) {
        return explorerTray_;
    }
    if (explorerTray_ != nullptr) {
        store_.ForgetExplorerCopies();
    }
    explorerTray_ = nullptr;
    HWND found = nullptr;
    while ((found = ::FindWindowExW(nullptr, found, kHostClass, nullptr)) != nullptr) {
        if (found != host_.Hwnd()) {
            explorerTray_ = found;
            break;
        }
    }
    return explorerTray_;
}

void TrayHost::Impl::PlaceAtTop() noexcept {
    if (host_.Hwnd() != nullptr) {
        ::SetWindowPos(host_.Hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TrayHost::Impl::SetHostRect(const PixelRect& rect) noexcept {
    hostRect_ = rect;
    if (host_.Hwnd() != nullptr) {
        ::SetWindowPos(host_.Hwnd(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        // The strip's place is kept relative to the host.
        PlaceNotifyWindow();
    }
}

void TrayHost::Impl::SetNotifyRect(const PixelRect& rect) noexcept {
    if (notifyRect_ == rect && notify_.Hwnd() != nullptr) {
        return;
    }
    notifyRect_ = rect;
    PlaceNotifyWindow();
}

void TrayHost::Impl::PlaceNotifyWindow() noexcept {
    RECT host = {};
    if (!notifyRect_ || notify_.Hwnd() == nullptr || !::GetWindowRect(host_.Hwnd(), &host)) {
        return;
    }
    const PixelRect& r = *notifyRect_;
    ::SetWindowPos(notify_.Hwnd(), nullptr, r.left - host.left, r.top - host.top,
                   std::max(r.Width(), 1), std::max(r.Height(), 1), SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

// Programs that hide the taskbar show it again through the window they find
// first, the host. Whoever shows it, it stays out of sight: the show is
// refused before it happens, as a window already drawn by the compositor
// would stay on screen whatever its style says.
void RefuseShow(LPARAM lParam) noexcept {
    if (auto* pos = reinterpret_cast<WINDOWPOS*>(lParam); pos != nullptr) {
        pos->flags &= ~static_cast<UINT>(SWP_SHOWWINDOW);
    }
}

}  // namespace

LRESULT TrayHost::Impl::OnHostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGING:
            RefuseShow(lParam);
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_COPYDATA:
            return OnCopyData(hwnd, wParam, lParam);
        case WM_COMMAND:
        case WM_ACTIVATEAPP:
            return Forward(hwnd, message, wParam, lParam);
        default:
            // The broadcast reaches this window too, the host's own
            // included; Explorer has its own copy of it.
            if (message == context_.taskbarCreatedMessage) {
                return 0;
            }
            if (message >= WM_USER) {
                return Forward(hwnd, message, wParam, lParam);
            }
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

LRESULT TrayHost::Impl::Forward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND explorer = ExplorerTray();
    if (explorer == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == kPostedTaskbarMessage) {
        ::PostMessageW(explorer, message, wParam, lParam);
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    DWORD_PTR reply = 0;
    ::SendMessageTimeoutW(explorer, message, wParam, lParam, SMTO_ABORTIFHUNG, kForwardTimeoutMs,
                          &reply);
    return static_cast<LRESULT>(reply);
}

LRESULT TrayHost::Impl::OnCopyData(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The system copied exactly cbData bytes for us; nothing past them is
    // read, and no more than the largest record is kept.
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->cbData == 0 || data->lpData == nullptr) {
        return Forward(hwnd, WM_COPYDATA, wParam, lParam);
    }
    // A kind wider than the protocol's is none of ours.
    const uint32_t kind = data->dwData <= UINT32_MAX ? static_cast<uint32_t>(data->dwData) : 0;
    const auto* bytes = static_cast<const uint8_t*>(data->lpData);
    const std::vector<uint8_t> payload(
        bytes, bytes + std::min<std::size_t>(data->cbData, kTrayNotifyMaxBytes));

    if (kind == kTrayDataAppBar) {
        return OnAppBar(hwnd, wParam, lParam, payload);
    }
    const TrayReaction reaction = store_.Handle(kind, payload);
    if (reaction.forward) {
        return Forward(hwnd, WM_COPYDATA, wParam, lParam);
    }
    if (kind != kTrayDataNotify) {
        return static_cast<LRESULT>(reaction.reply);
    }
    const std::shared_ptr<bool> alive = alive_;
    if (reaction.changed) {
        context_.events.TrayIconsChanged();
    }
    if (!*alive || !running_) {
        return 1;
    }
    if (context_.settings.mirrorToExplorer) {
        (void)Forward(hwnd, WM_COPYDATA, wParam, lParam);
    } else {
        SendToExplorer(reaction.toExplorer);
    }
    return 1;
}

LRESULT TrayHost::Impl::OnAppBar(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                 std::span<const uint8_t> payload) {
    const std::optional<AppBarRecord> record = DecodeAppBarRecord(payload);
    // The docks are not asked from their own thread: one may be going away.
    const bool fromHostThread = ::InSendMessageEx(nullptr) == ISMEX_NOSEND;
    const bool dockHides = !fromHostThread && context_.desktop.TaskbarHiddenByDock();
    const AppBarDecision decision = RouteAppBar(record, dockHides, fromHostThread);
    if (decision.route == AppBarRoute::Answer) {
        return static_cast<LRESULT>(decision.reply);
    }
    if (decision.route == AppBarRoute::Relay) {
        const HWND explorer = ExplorerTray();
        if (explorer != nullptr) {
            if (const std::optional<LRESULT> reply =
                    RelayAppBarMessage(explorer, wParam, payload, *record, kForwardTimeoutMs)) {
                return *reply;
            }
        }
    }
    return Forward(hwnd, WM_COPYDATA, wParam, lParam);
}

void TrayHost::Impl::SendToExplorer(const std::vector<std::vector<uint8_t>>& records) noexcept {
    const std::shared_ptr<bool> alive = alive_;
    for (const std::vector<uint8_t>& record : records) {
        const HWND explorer = ExplorerTray();
        if (!*alive || explorer == nullptr || host_.Hwnd() == nullptr || record.empty()) {
            return;
        }
        // Explorer only reads the record; the copy is ours to hand out.
        COPYDATASTRUCT data = {kTrayDataNotify, static_cast<DWORD>(record.size()),
                               const_cast<uint8_t*>(record.data())};
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(explorer, WM_COPYDATA, reinterpret_cast<WPARAM>(host_.Hwnd()),
                              reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kCopyTimeoutMs,
                              &ignored);
    }
}

void TrayHost::Impl::Broadcast() noexcept {
    // Our own windows get it inside the send, marked as ours: none of them
    // takes it for a new Explorer.
    const OwnTaskbarCreatedScope own;
    ::SendNotifyMessageW(HWND_BROADCAST, context_.taskbarCreatedMessage, 0, 0);
}

void TrayHost::Impl::ArmBroadcast(unsigned ms) noexcept {
    if (timers_.Hwnd() != nullptr) {
        // Arming the same timer again replaces a pending one.
        broadcastPending_ = ::SetTimer(timers_.Hwnd(), TIMER_TRAY_BROADCAST, ms, nullptr) != 0;
    }
}

void TrayHost::Impl::ScheduleBroadcast(unsigned ms) noexcept {
    ArmBroadcast(ms);
}

void TrayHost::Impl::RaiseAndBroadcast() noexcept {
    store_.BumpGenerations();
    if (host_.Hwnd() != nullptr) {
        PlaceAtTop();
        Broadcast();
    }
}

LRESULT TrayHost::Impl::OnTimerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTaskbarEventMessage) {
        taskbarEventPosted_ = false;
        AlertTrayWatchdog(watchdog_, ::GetTickCount64());
        OnWatchdog();
        return 0;
    }
    if (message == kIconOwnerGoneMessage) {
        ownerGonePosted_ = false;
        if (store_.PurgeDead()) {
            context_.events.TrayIconsChanged();
        }
        return 0;
    }
    if (message != WM_TIMER) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (wParam == TIMER_TRAY_WATCHDOG) {
        OnWatchdog();
    } else if (wParam == TIMER_TRAY_BROADCAST) {
        OnBroadcastTimer();
    }
    return 0;
}

void TrayHost::Impl::OnBroadcastTimer() noexcept {
    ::KillTimer(timers_.Hwnd(), TIMER_TRAY_BROADCAST);
    broadcastPending_ = false;
    if (host_.Hwnd() == nullptr) {
        // Suspended: coming back starts the schedule afresh.
        return;
    }
    PlaceAtTop();
    lastBroadcastTick_ = ::GetTickCount64();
    if (const std::optional<unsigned> next = NextTrayBroadcast(broadcastStep_)) {
        ArmBroadcast(*next);
    }
    Broadcast();
}

// Explorer's taskbar is made again after Explorer restarts, and whoever makes
// another one puts it in front of the host: the window events tell the host
// at once. Its own windows are skipped, and events reach it only while this
// thread takes its messages.
void TrayHost::Impl::WatchTaskbarWindows() noexcept {
    try {
        taskbarEvents_ = context_.systemEvents.Subscribe(
            {.first = EVENT_OBJECT_CREATE, .last = EVENT_OBJECT_DESTROY, .skipOwnProcess = true},
            *this);
    } catch (...) {
        taskbarEvents_.Reset();
    }
    // Without the events the backup is all there is: it looks as often as before.
    ::SetTimer(timers_.Hwnd(), TIMER_TRAY_WATCHDOG,
               taskbarEvents_ ? NextTrayWatchdogCheck(watchdog_, ::GetTickCount64())
                              : trayperiods::kWatchdogMs,
               nullptr);
}

void TrayHost::Impl::OnWinEvent(const WinEvent& event) noexcept {
    const HWND hwnd = event.window;
    const HWND timers = timers_.Hwnd();
    if (event.object != OBJID_WINDOW || event.child != CHILDID_SELF || hwnd == nullptr ||
        timers == nullptr) {
        return;
    }
    if (event.event == EVENT_OBJECT_DESTROY && !ownerGonePosted_ &&
        store_.HasOwner(HandleTo32(hwnd))) {
        // Its icon leaves the bar now rather than at the next sweep.
        ownerGonePosted_ = ::PostMessageW(timers, kIconOwnerGoneMessage, 0, 0) != FALSE;
    }
    if (taskbarEventPosted_) {
        return;
    }
    // A destroyed window has no class left to ask for.
    const bool concerns =
        event.event == EVENT_OBJECT_DESTROY ? hwnd == explorerTray_ : IsTaskbarClassWindow(hwnd);
    if (concerns) {
        taskbarEventPosted_ = ::PostMessageW(timers, kTaskbarEventMessage, 0, 0) != FALSE;
    }
}

void TrayHost::Impl::OnWatchdog() noexcept {
    TrayWatchdogFacts facts;
    facts.now = ::GetTickCount64();
    if (watchdog_.suspended) {
        facts.explorerFound = ::FindWindowW(kHostClass, nullptr) != nullptr;
    } else {
        facts.explorerFound = ExplorerTray() != nullptr;
        facts.hostIsFirst = ::FindWindowW(kHostClass, nullptr) == host_.Hwnd();
    }
    facts.broadcastPending = broadcastPending_;
    facts.lastBroadcast = lastBroadcastTick_;

    switch (StepTrayWatchdog(watchdog_, facts)) {
        case TrayWatchdogAction::None:
            break;
        case TrayWatchdogAction::Suspend:
            // Explorer is restarting: programs must not find a taskbar that
            // has nothing behind it. The icons stay for when it is back.
            DestroyWindows();
            break;
        case TrayWatchdogAction::Raise:
            PlaceAtTop();
            break;
        case TrayWatchdogAction::RaiseAndCatchUp:
            PlaceAtTop();
            ArmBroadcast(trayperiods::kCatchUpMs);
            break;
        case TrayWatchdogAction::Resume:
            if (!CreateWindows()) {
                // Tried again once a taskbar has stood long enough once more.
                watchdog_ = {};
                watchdog_.suspended = true;
                break;
            }
            broadcastStep_ = 1;
            ArmBroadcast(trayperiods::kFirstRebroadcastMs);
            Broadcast();
            break;
    }
    if (taskbarEvents_) {
        // Arming the same timer again replaces the pending one.
        ::SetTimer(timers_.Hwnd(), TIMER_TRAY_WATCHDOG,
                   NextTrayWatchdogCheck(watchdog_, ::GetTickCount64()), nullptr);
    }
}

void TrayHost::Impl::Deliver(const TrayIcon& icon, const TrayMessages& messages,
                             POINT cursor) noexcept {
    // Taken first: a window of this thread is called at once and may change
    // the list under `icon`.
    const uint32_t callback = icon.callbackMessage;
    const uint32_t version = icon.version;
    const uint32_t id = icon.id;
    const uint32_t processId = icon.ownerProcessId;
    const HWND owner = HandleFrom32<HWND>(icon.ownerWindow);
    if (callback == 0 || !::IsWindow(owner)) {
        return;
    }
    if (messages.grantForeground) {
        ::AllowSetForegroundWindow(processId != 0 ? processId : ASFW_ANY);
    }
    for (std::size_t i = 0; i < messages.count && i < messages.messages.size(); ++i) {
        const TrayCallbackParams params =
            PackTrayCallback(version, id, messages.messages[i], cursor.x, cursor.y);
        ::SendNotifyMessageW(owner, callback, static_cast<WPARAM>(params.wParam),
                             static_cast<LPARAM>(params.lParam));
    }
}

TrayHost::TrayHost(const TrayContext& context) : impl_(std::make_unique<Impl>(context)) {}

TrayHost::~TrayHost() = default;

bool TrayHost::Start() {
    return impl_->Start();
}

void TrayHost::Stop() noexcept {
    impl_->Stop();
}

void TrayHost::SetHostRect(const PixelRect& rect) noexcept {
    impl_->SetHostRect(rect);
}

void TrayHost::SetNotifyRect(const PixelRect& rect) noexcept {
    impl_->SetNotifyRect(rect);
}

void TrayHost::ScheduleBroadcast(unsigned ms) noexcept {
    impl_->ScheduleBroadcast(ms);
}

void TrayHost::RaiseAndBroadcast() noexcept {
    impl_->RaiseAndBroadcast();
}

bool TrayHost::WatchesIconOwners() const noexcept {
    return impl_->WatchesWindowEvents();
}

bool TrayHost::PurgeDeadIcons() {
    return impl_->Store().PurgeDead();
}

const std::vector<TrayIcon>& TrayHost::Icons() const noexcept {
    return impl_->Store().Icons();
}

TrayIcon* TrayHost::Find(uint64_t ownerWindow, uint32_t id) noexcept {
    if (ownerWindow > UINT32_MAX) {
        return nullptr;
    }
    return impl_->Store().Find(static_cast<uint32_t>(ownerWindow), id);
}

HWND TrayHost::HostWindow() const noexcept {
    return impl_->HostWindow();
}

void TrayHost::SendTrayMouse(const TrayIcon& icon, UINT message, POINT cursor) noexcept {
    impl_->Deliver(icon, TrayMouseMessages(icon.version, message), cursor);
}

void TrayHost::SendTrayHover(const TrayIcon& icon, POINT cursor) noexcept {
    impl_->Deliver(icon, TrayHoverMessages(icon.version), cursor);
}

void TrayHost::SendTrayLeave(const TrayIcon& icon, POINT cursor) noexcept {
    impl_->Deliver(icon, TrayLeaveMessages(icon.version), cursor);
}

void TrayHost::SendTrayMove(const TrayIcon& icon, POINT cursor) noexcept {
    impl_->Deliver(icon, TrayMoveMessages(), cursor);
}

void ReturnTrayIconsAfterCrash() noexcept {
    const DWORD process = ::GetCurrentProcessId();
    bool hosting = false;
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, kHostClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        const DWORD thread = ::GetWindowThreadProcessId(window, &owner);
        if (owner != process) {
            continue;
        }
        hosting = true;
        if (thread == ::GetCurrentThreadId()) {
            // Our window procedure may be what broke: the window goes
            // without it, and the search starts over past a destroyed one.
            ::SetWindowLongPtrW(window, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(&::DefWindowProcW));
            if (::DestroyWindow(window)) {
                window = nullptr;
            }
        } else {
            // Another thread's window cannot be destroyed from here, and its
            // thread must not be waited for: it only stops coming first.
            ::SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        }
    }
    if (hosting) {
        const OwnTaskbarCreatedScope own;
        ::SendNotifyMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    }
}

}  // namespace corvane
