#include "start/Launcher.h"

#include "base/Win32Geometry.h"
#include "config/SettingsFile.h"
#include "config/Win32ProfileStore.h"
#include "start/AppCatalog.h"
#include "start/AppIconCache.h"
#include "start/LauncherImpl.h"
#include "start/Search.h"
#include "start/StartActions.h"
#include "start/StartHost.h"
#include "toolkit/BackdropPlan.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

constexpr UINT kCatalogTimerMs = 450;
// Lighter glass than CorMenu's: the whole display is behind it.
constexpr BYTE kGlassAlphaDark = 136;
constexpr BYTE kGlassAlphaLight = 153;

float ToDips(int32_t pixels, UINT dpi) noexcept {
    return static_cast<float>(pixels) * 96.0f / static_cast<float>(dpi);
}

uint32_t IconPixelsFor(float iconDips, UINT dpi) noexcept {
    return static_cast<uint32_t>(std::lround(iconDips * static_cast<float>(dpi) / 96.0f));
}

}  // namespace

uint32_t LauncherIconPixels(HMONITOR display) noexcept {
    const PixelRect rect = MonitorRect(display);
    const UINT dpi = MonitorDpi(display);
    const LauncherLayout layout =
        LayOutLauncher(ToDips(rect.right - rect.left, dpi), ToDips(rect.bottom - rect.top, dpi));
    return IconPixelsFor(layout.icon, dpi);
}

Launcher::Launcher(const StartContext& context, AppCatalog& catalog, AppIconCache& icons)
    : Surface(context.instance, context.graphics),
      context_(context),
      catalog_(catalog),
      icons_(icons),
      impl_(std::make_unique<Impl>()) {
    impl_->painter = std::make_unique<LauncherPainter>(context.graphics.dwrite.Get());
}

Launcher::~Launcher() {
    // While the state still exists: no message may reach a half-destroyed
    // launcher.
    Destroy();
}

void Launcher::Open(HMONITOR display) {
    const HMONITOR monitor = SurfaceDisplay(display);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info)) {
        return;
    }
    if (!Create(info.rcMonitor, monitor, MonitorDpi(monitor))) {
        return;
    }
    ApplySurfaceBackdrop(context_.settings, context_.theme,
                         context_.theme.dark ? kGlassAlphaDark : kGlassAlphaLight, false);

    Impl& s = *impl_;
    BuildGrid();
    s.results.clear();
    s.motion.Reset(0);
    s.selection = -1;
    s.keysInGrid = false;
    s.hover = -1;
    s.press.Cancel();
    s.drag = -1;
    s.edgeTimer = false;
    Relayout();

    Show();
    AnnounceOpened();
    icons_.PrefetchIcons(s.arranged.grid, IconPixels());
    if (s.catalogAvailable) {
        ::SetTimer(Hwnd(), TIMER_SURFACE_CATALOG, kCatalogTimerMs, nullptr);
    }
}

void Launcher::CatalogChanged() {
    Impl& s = *impl_;
    if (!IsOpen() || s.press.Dragging()) {
        return;
    }
    Relayout();
    BuildGrid();
    RunSearch();
    KeepInsideList();
    icons_.PrefetchIcons(s.arranged.grid, IconPixels());
    Repaint();
}

void Launcher::BuildGrid() {
    Impl& s = *impl_;
    if (catalog_.GetApps(kBuildOnlyWhenEmpty).empty()) {
        (void)catalog_.GetApps(kCatalogWarmUpAgeMs);
    }
    const std::vector<AppEntry>& apps = catalog_.Entries();
    s.catalogAvailable = !apps.empty();
    // Read afresh from the file: the settings window may have put the
    // catalog order back.
    Win32ProfileStore file(context_.settings.filePath);
    s.arranged = ArrangeLauncher(ReadWholeString(file, L"CorLauncher", L"Order", L""), apps);
}

void Launcher::SaveOrder() {
    const std::wstring order = JoinArrangement(impl_->arranged);
    context_.writes.SettingWritten(
        WriteSetting(context_.settings, L"CorLauncher", L"Order", std::wstring_view(order)));
}

void Launcher::RunSearch() {
    Impl& s = *impl_;
    if (query_.Text().empty()) {
        s.results.clear();
        return;
    }
    // One page of results; settings pages are CorMenu's business.
    const auto most = static_cast<std::size_t>(std::max(s.layout.perPage, 1));
    s.results = SearchEntries(catalog_.Searchable(kBuildOnlyWhenEmpty), {},
                              context_.launches.Records(), query_.Text(), most);
}

void Launcher::OnQueryChanged() {
    Impl& s = *impl_;
    // Icons are arranged only in the full grid: typing drops what is held
    // where it is now.
    DropHeld();
    s.press.Cancel();
    Relayout();
    RunSearch();
    s.selection = s.results.empty() ? -1 : 0;
    s.keysInGrid = false;
    s.motion.Reset(0);
    s.hover = -1;
    KeepInsideList();
}

void Launcher::KeepInsideList() {
    Impl& s = *impl_;
    const std::size_t count = ShownCount();
    s.selection = KeepIndexIn(s.selection, count);
    s.hover = KeepIndexIn(s.hover, count);
    s.press.Retarget(KeepIndexIn(s.press.Target(), count));
    s.drag = KeepIndexIn(s.drag, count);
    s.motion.ClampToPages(s.layout.Pages(count));
}

std::size_t Launcher::ShownCount() const noexcept {
    return query_.Text().empty() ? impl_->arranged.grid.size() : impl_->results.size();
}

const AppEntry* Launcher::Shown(int32_t index) const noexcept {
    const std::vector<AppEntry>& list =
        query_.Text().empty() ? impl_->arranged.grid : impl_->results;
    return index >= 0 && static_cast<std::size_t>(index) < list.size()
               ? &list[static_cast<std::size_t>(index)]
               : nullptr;
}

void Launcher::GoToPage(int32_t page) {
    Impl& s = *impl_;
    if (s.motion.GoToPage(page, s.layout.Pages(ShownCount()), SurfaceNowMs())) {
        s.hover = -1;
        Repaint();
    }
}

void Launcher::LaunchIndex(int32_t index) {
    const AppEntry* entry = Shown(index);
    if (entry == nullptr) {
        return;
    }
    const AppEntry chosen = *entry;
    Close(true);
    LaunchEntry(chosen, false, context_);
}

void Launcher::OnEnding() noexcept {
    // Escape, a Windows-key tap, another window taking the foreground, new
    // settings or shutdown end a drag as a drop would: the moves so far are
    // the user's.
    try {
        DropHeld();
    } catch (...) {
        // Stored or not, the window goes.
    }
}

bool Launcher::Animates() const noexcept {
    return context_.theme.animate;
}

bool Launcher::IsAnimating() const noexcept {
    return impl_->motion.IsAnimating();
}

void Launcher::Tick(float /*progress*/, double nowMs) {
    PageMotion& motion = impl_->motion;
    motion.Tick(nowMs, impl_->layout.Pages(ShownCount()));
    // Animation effects off: a page turn lands at once; a swipe still
    // follows the fingers.
    if (!Animates() && !motion.FreeScroll()) {
        motion.Reset(motion.Page());
    }
}

void Launcher::Relayout() {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    impl_->layout = LayOutLauncher(ToDips(client.right, Dpi()), ToDips(client.bottom, Dpi()),
                                   context_.theme.textScale);
}

uint32_t Launcher::IconPixels() const noexcept {
    return IconPixelsFor(impl_->layout.icon, Dpi());
}

ID2D1Bitmap* Launcher::IconOf(const AppEntry& entry) {
    if (ID2D1Bitmap* bitmap = CachedBitmap(entry.key, nullptr)) {
        return bitmap;
    }
    const uint32_t size = IconPixels();
    if (const IconSourceBitmap source = icons_.GetIcon(entry, size)) {
        return CachedBitmap(entry.key, source.Get());
    }
    if (!icons_.HasIcon(entry, size)) {
        // On screen now: ahead of the prefetch.
        icons_.RequestIcon(entry, size, true);
    }
    return nullptr;
}

void Launcher::Paint() {
    Impl& s = *impl_;
    const D2D1_SIZE_F size = Target()->GetSize();
    s.layout = LayOutLauncher(size.width, size.height, context_.theme.textScale);
    const std::vector<AppEntry>& shown = query_.Text().empty() ? s.arranged.grid : s.results;
    s.motion.ClampToPages(s.layout.Pages(shown.size()));
    s.painter->SetTextScale(context_.theme.textScale);
    LauncherPaintInput input;
    input.target = Target();
    input.brush = Brush();
    input.theme = &context_.theme;
    input.solid = DrawsOpaque(context_.settings.backdrop, context_.theme);
    input.progress = progress_;
    input.layout = &s.layout;
    input.shown = shown;
    input.scroll = s.motion.Scroll();
    input.page = s.motion.Page();
    input.selection = s.selection;
    input.hover = s.hover;
    if (s.press.Dragging()) {
        input.drag = s.drag;
        input.dragOffset = {s.pointer.x - s.grab.x, s.pointer.y - s.grab.y};
    }
    input.query = query_.Text();
    input.caret = query_.Caret();
    input.anchor = query_.Anchor();
    input.caretVisible = caretVisible_ && !s.keysInGrid;
    input.icon = [this](const AppEntry& entry) { return IconOf(entry); };
    s.painter->Paint(input);
}

}  // namespace corvane
