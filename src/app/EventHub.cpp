#include "app/EventHub.h"

#include <algorithm>
#include <iterator>

namespace corvane {
namespace {

// The callbacks carry no pointer of their own; the process has one hub, made
// and used on the GUI thread only.
EventHub* g_hub = nullptr;

bool SameFilter(const WinEventFilter& a, const WinEventFilter& b) noexcept {
    return a.first == b.first && a.last == b.last && a.process == b.process &&
           a.skipOwnProcess == b.skipOwnProcess;
}

UniqueWinEventHook InstallHook(const WinEventFilter& filter, WINEVENTPROC proc) noexcept {
    const DWORD flags =
        WINEVENT_OUTOFCONTEXT | (filter.skipOwnProcess ? WINEVENT_SKIPOWNPROCESS : 0u);
    return UniqueWinEventHook(
        ::SetWinEventHook(filter.first, filter.last, nullptr, proc, filter.process, 0, flags));
}

}  // namespace

EventHub::EventHub() noexcept : shellMessage_(::RegisterWindowMessageW(L"SHELLHOOK")) {
    g_hub = this;
}

EventHub::~EventHub() {
    SetShellWindow(nullptr);
    if (g_hub == this) {
        g_hub = nullptr;
    }
}

EventSubscription EventHub::Subscribe(const WinEventFilter& filter, WinEventSink& sink) {
    auto hook = std::ranges::find_if(
        hooks_, [&filter](const Hook& each) { return SameFilter(each.filter, filter); });
    if (hook == hooks_.end()) {
        hooks_.push_back(Hook{.filter = filter, .handle = InstallHook(filter, &EventHub::OnEvent)});
        hook = std::prev(hooks_.end());
    }
    ++hook->users;
    try {
        return Add({.kind = Kind::Window, .filter = filter, .window = &sink});
    } catch (...) {
        Release(filter);
        throw;
    }
}

EventSubscription EventHub::SubscribeFrontLocation(WinEventSink& sink) {
    EventSubscription subscription = Add({.kind = Kind::FrontLocation, .window = &sink});
    UpdateFrontHook();
    return subscription;
}

EventSubscription EventHub::SubscribeShell(ShellHookSink& sink) {
    EventSubscription subscription = Add({.kind = Kind::Shell, .shell = &sink});
    UpdateShellRegistration();
    return subscription;
}

EventSubscription EventHub::Add(Subscriber subscriber) {
    subscriber.id = nextId_++;
    subscribers_.push_back(subscriber);
    return EventSubscription(this, subscriber.id);
}

void EventHub::Unsubscribe(uint32_t id) noexcept {
    const auto found = std::ranges::find(subscribers_, id, &Subscriber::id);
    if (found == subscribers_.end()) {
        return;
    }
    const Subscriber gone = *found;
    if (dispatching_ > 0) {
        // The loop handing on an event still walks the list.
        found->id = 0;
        found->window = nullptr;
        found->shell = nullptr;
    } else {
        subscribers_.erase(found);
    }
    switch (gone.kind) {
        case Kind::Window:
            Release(gone.filter);
            break;
        case Kind::FrontLocation:
            UpdateFrontHook();
            break;
        case Kind::Shell:
            UpdateShellRegistration();
            break;
    }
}

bool EventHub::Hooked(uint32_t id) const noexcept {
    const auto found = std::ranges::find(subscribers_, id, &Subscriber::id);
    if (found == subscribers_.end()) {
        return false;
    }
    switch (found->kind) {
        case Kind::Window:
            return std::ranges::any_of(hooks_, [&found](const Hook& hook) {
                return SameFilter(hook.filter, found->filter) && static_cast<bool>(hook.handle);
            });
        case Kind::FrontLocation:
            return static_cast<bool>(frontHook_);
        case Kind::Shell:
            return shellRegistered_;
    }
    return false;
}

std::size_t EventHub::Count(Kind kind) const noexcept {
    return static_cast<std::size_t>(std::ranges::count_if(
        subscribers_,
        [kind](const Subscriber& each) { return each.id != 0 && each.kind == kind; }));
}

void EventHub::Release(const WinEventFilter& filter) noexcept {
    const auto hook = std::ranges::find_if(
        hooks_, [&filter](const Hook& each) { return SameFilter(each.filter, filter); });
    if (hook != hooks_.end() && --hook->users <= 0) {
        hooks_.erase(hook);
    }
}

void EventHub::FollowForegroundProcess(HWND window) noexcept {
    DWORD process = 0;
    if (window != nullptr) {
        ::GetWindowThreadProcessId(window, &process);
    }
    if (process == frontProcess_) {
        return;
    }
    frontProcess_ = process;
    frontHook_.Reset();
    UpdateFrontHook();
}

void EventHub::UpdateFrontHook() noexcept {
    // Only the front window's moves matter, so only its process is watched:
    // a hook on every process's moves would wake the program all day.
    const bool wanted = Count(Kind::FrontLocation) > 0 && frontProcess_ != 0 &&
                        frontProcess_ != ::GetCurrentProcessId();
    if (!wanted) {
        frontHook_.Reset();
    } else if (!frontHook_) {
        frontHook_ = InstallHook({.first = EVENT_OBJECT_LOCATIONCHANGE,
                                  .last = EVENT_OBJECT_LOCATIONCHANGE,
                                  .process = frontProcess_},
                                 &EventHub::OnEvent);
    }
}

void EventHub::SetShellWindow(HWND window) noexcept {
    if (window == shellWindow_) {
        return;
    }
    if (shellRegistered_) {
        ::DeregisterShellHookWindow(shellWindow_);
        shellRegistered_ = false;
    }
    shellWindow_ = window;
    UpdateShellRegistration();
}

void EventHub::UpdateShellRegistration() noexcept {
    const bool wanted = shellWindow_ != nullptr && Count(Kind::Shell) > 0;
    if (wanted && !shellRegistered_) {
        shellRegistered_ = ::RegisterShellHookWindow(shellWindow_) != FALSE;
    } else if (!wanted && shellRegistered_) {
        ::DeregisterShellHookWindow(shellWindow_);
        shellRegistered_ = false;
    }
}

bool EventHub::TakeShellMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message != shellMessage_ || message == 0) {
        return false;
    }
    ++dispatching_;
    const std::size_t count = subscribers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (ShellHookSink* sink = subscribers_[i].shell) {
            sink->OnShellHook(wParam, lParam);
        }
    }
    --dispatching_;
    Compact();
    return true;
}

std::size_t EventHub::HookCount() const noexcept {
    return static_cast<std::size_t>(std::ranges::count_if(
               hooks_, [](const Hook& hook) { return static_cast<bool>(hook.handle); })) +
           (frontHook_ ? 1u : 0u);
}

void CALLBACK EventHub::OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                LONG child, DWORD, DWORD) noexcept {
    if (g_hub != nullptr) {
        g_hub->Dispatch(hook, {.event = event, .window = window, .object = object, .child = child});
    }
}

void EventHub::Dispatch(HWINEVENTHOOK hook, const WinEvent& event) noexcept {
    // Where the system names a hook this hub does not hold, the event goes
    // by its code and window instead, to whoever that hook could have been.
    const bool front = hook != nullptr && hook == frontHook_.Get();
    const auto held = std::ranges::find_if(
        hooks_, [hook](const Hook& each) { return hook != nullptr && each.handle.Get() == hook; });
    const bool known = front || held != hooks_.end();
    const WinEventFilter heldFilter = held != hooks_.end() ? held->filter : WinEventFilter{};
    DWORD process = 0;
    if (!known && event.window != nullptr) {
        ::GetWindowThreadProcessId(event.window, &process);
    }
    const auto wants = [&](const Subscriber& each) {
        if (each.kind == Kind::FrontLocation) {
            // Every subscriber wants top-level windows only.
            return (known ? front
                          : event.event == EVENT_OBJECT_LOCATIONCHANGE && process != 0 &&
                                process == frontProcess_) &&
                   event.object == OBJID_WINDOW && event.window != nullptr;
        }
        if (each.kind != Kind::Window) {
            return false;
        }
        if (known) {
            return !front && SameFilter(each.filter, heldFilter);
        }
        const WinEventFilter& f = each.filter;
        return event.event >= f.first && event.event <= f.last &&
               (f.process == 0 || f.process == process) &&
               !(f.skipOwnProcess && process == ::GetCurrentProcessId());
    };
    ++dispatching_;
    // Subscribers added meanwhile wait for the next event.
    const std::size_t count = subscribers_.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (subscribers_[i].window != nullptr && wants(subscribers_[i])) {
            // Indexed again: a subscriber may add others, which moves the list.
            subscribers_[i].window->OnWinEvent(event);
        }
    }
    --dispatching_;
    Compact();
}

void EventHub::Compact() noexcept {
    if (dispatching_ == 0) {
        std::erase_if(subscribers_, [](const Subscriber& each) { return each.id == 0; });
    }
}

}  // namespace corvane
