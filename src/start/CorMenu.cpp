#include "start/CorMenu.h"

#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "config/Language.h"
#include "start/AppCatalog.h"
#include "start/AppIconCache.h"
#include "start/CatalogLocale.h"
#include "start/CorMenuImpl.h"
#include "start/LetterRows.h"
#include "start/MenuSelection.h"
#include "start/PinRules.h"
#include "start/Search.h"
#include "start/StartActions.h"
#include "start/StartHost.h"
#include "start/UserPicture.h"
#include "toolkit/Backdrop.h"

#include <algorithm>
#include <utility>

namespace corvane {
namespace {

constexpr UINT kCatalogTimerMs = 450;
constexpr int32_t kAvatarDips = 44;
constexpr std::size_t kMaxResults = 9;
}  // namespace

CorMenu::CorMenu(const StartContext& context, AppCatalog& catalog, AppIconCache& icons,
                 const std::wstring& userName)
    : Surface(context.instance, context.graphics),
      context_(context),
      catalog_(catalog),
      icons_(icons),
      userName_(userName),
      impl_(std::make_unique<Impl>()) {
    impl_->painter = std::make_unique<CorMenuPainter>(context.graphics.dwrite.Get());
}

CorMenu::~CorMenu() {
    // While the state still exists: no message may reach a half-destroyed menu.
    Destroy();
}

void CorMenu::Open(HMONITOR display) {
    const HMONITOR monitor = SurfaceDisplay(display);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(monitor, &info)) {
        return;
    }
    const UINT dpi = MonitorDpi(monitor);
    const PixelRect rect = StartMenuRect(ToPixelRect(info.rcMonitor), ToPixelRect(info.rcWork),
                                         context_.desktop.DockTop(monitor), dpi);
    if (!Create(ToRect(rect), monitor, dpi)) {
        return;
    }
    ApplySurfaceBackdrop(context_.settings, context_.theme, PopupGlassAlpha(context_.settings.tint),
                         true);

    Impl& s = *impl_;
    s.menu = {};
    s.results.clear();
    s.tracking = false;
    ReloadPinned();
    if (catalog_.GetApps(kBuildOnlyWhenEmpty).empty()) {
        (void)catalog_.GetApps(kCatalogWarmUpAgeMs);
    }
    RefreshLetterRows();
    s.userName = userName_;
    const auto avatarSize = static_cast<uint32_t>(ScalePoints(kAvatarDips, dpi));
    if (!s.avatar || s.avatarSize != avatarSize) {
        s.avatar = LoadAccountPicture(context_.graphics.wic.Get(), avatarSize);
        s.avatarSize = s.avatar ? avatarSize : 0;
    }
    s.avatarBitmap.Reset();

    Show();
    AnnounceOpened();
    icons_.PrefetchIcons(catalog_.Entries(), IconPixels());
    ::SetTimer(Hwnd(), TIMER_SURFACE_CATALOG, kCatalogTimerMs, nullptr);
}

std::vector<std::wstring> CorMenu::PinnedIdentifiers() const {
    const Settings& settings = context_.settings;
    return LoadMenuPinned(settings.menuPinnedSet, settings.menuPinned, settings.pinned).identifiers;
}

void CorMenu::ReloadPinned() {
    const Settings& settings = context_.settings;
    MenuPinnedList list =
        LoadMenuPinned(settings.menuPinnedSet, settings.menuPinned, settings.pinned);
    if (list.mustSave) {
        context_.host.SaveMenuPinned(list.identifiers);
    }
    std::vector<AppEntry> pinned;
    pinned.reserve(list.identifiers.size());
    for (const std::wstring& identifier : list.identifiers) {
        pinned.push_back(catalog_.ResolvePinned(identifier));
    }
    impl_->pinned = std::move(pinned);
    if (impl_->menu.view == MenuView::Home) {
        impl_->menu.hover = {};
    }
    Repaint();
}

void CorMenu::SetPinned(const AppEntry& entry, bool pinned) {
    // Against the list the pins were resolved from, so that what reads as
    // pinned is what unpins.
    context_.host.SaveMenuPinned(
        WithPinned(PinnedIdentifiers(), entry, pinned, catalog_.Entries()));
    ReloadPinned();
}

void CorMenu::CatalogChanged() {
    if (!IsOpen()) {
        return;  // Open reads everything afresh
    }
    Impl& s = *impl_;
    s.userName = userName_;
    ReloadPinned();
    RefreshLetterRows();
    if (s.menu.view == MenuView::Results) {
        RunSearch();
        KeepResultSelection(s.menu, s.results.size());
    }
    icons_.PrefetchIcons(catalog_.Entries(), IconPixels());
    Repaint();
}

void CorMenu::RefreshLetterRows() {
    const std::vector<AppEntry>& entries = catalog_.Entries();
    Impl& s = *impl_;
    if (entries.data() == s.rowsFrom && entries.size() == s.rowsCount) {
        return;
    }
    s.letterRows = BuildLetterRows(entries, UserLetterLocale());
    s.rowsFrom = entries.data();
    s.rowsCount = entries.size();
}

void CorMenu::RunSearch() {
    impl_->results = SearchEntries(catalog_.Searchable(kBuildOnlyWhenEmpty),
                                   catalog_.SearchableSettings(IsNorwegian()),
                                   context_.launches.Records(), query_.Text(), kMaxResults);
}

bool CorMenu::Animates() const noexcept {
    return context_.theme.animate;
}

void CorMenu::OnQueryChanged() {
    MenuState& menu = impl_->menu;
    if (query_.Text().empty()) {
        menu.view = MenuView::Home;
        impl_->results.clear();
    } else {
        menu.view = MenuView::Results;
        RunSearch();
    }
    menu.scroll = 0;
    menu.hover = {};
    // Typing gives the search box the focus, wherever it was.
    menu.focus = MenuZone::Search;
    menu.selection = {MenuHit::AppRow, 0};
    if (menu.view == MenuView::Results) {
        KeepResultSelection(menu, impl_->results.size());
    } else {
        menu.selection = {};
    }
}

uint32_t CorMenu::IconPixels() const noexcept {
    return static_cast<uint32_t>(ScalePoints(kMenuIconDips, Dpi()));
}

void CorMenu::Relayout() {
    RefreshLetterRows();
    Impl& s = *impl_;
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    const float toDips = 96.0f / static_cast<float>(Dpi());
    MenuLayoutInput input;
    input.width = static_cast<float>(client.right) * toDips;
    input.height = static_cast<float>(client.bottom) * toDips;
    input.view = s.menu.view;
    input.scroll = s.menu.scroll;
    input.pinnedCount = s.pinned.size();
    input.resultCount = s.results.size();
    input.letterRows = s.letterRows;
    s.painter->SetTextScale(context_.theme.textScale);
    input.textScale = context_.theme.textScale;
    input.buttonLabelWidth = s.painter->ButtonLabelWidth(s.menu.view);
    input.powerLabelWidth = s.painter->PowerLabelWidth();
    s.layout = LayOutMenu(input);
    s.menu.scroll = s.layout.scroll;
}

std::span<const AppEntry> CorMenu::RowEntries() const noexcept {
    switch (impl_->menu.view) {
        case MenuView::Home:
            return impl_->pinned;
        case MenuView::AllApps:
            return catalog_.Entries();
        case MenuView::Results:
            return impl_->results;
        case MenuView::LetterIndex:
            break;
    }
    return {};
}

const AppEntry* CorMenu::RowEntry(int32_t index) const {
    const std::span<const AppEntry> list = RowEntries();
    return index >= 0 && static_cast<std::size_t>(index) < list.size()
               ? &list[static_cast<std::size_t>(index)]
               : nullptr;
}

ID2D1Bitmap* CorMenu::RowIcon(const AppEntry& entry) {
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

void CorMenu::OnTargetCreated() {
    impl_->avatarBitmap.Reset();
}

void CorMenu::Paint() {
    Impl& s = *impl_;
    Relayout();
    if (s.avatar && !s.avatarBitmap) {
        (void)Target()->CreateBitmapFromWicBitmap(s.avatar.Get(), nullptr, &s.avatarBitmap);
    }
    MenuPaintInput input;
    input.target = Target();
    input.brush = Brush();
    input.theme = &context_.theme;
    input.solid = DrawsOpaque(context_.settings.backdrop, context_.theme);
    input.progress = progress_;
    input.layout = &s.layout;
    input.state = &s.menu;
    input.query = query_.Text();
    input.caret = query_.Caret();
    input.anchor = query_.Anchor();
    // Without the focus the search box shows no caret.
    input.caretVisible = caretVisible_ && s.menu.focus == MenuZone::Search;
    const MenuMark mark = MarkedItem(s.menu, s.layout);
    input.selected = mark.id;
    input.focusRing = mark.focused;
    input.entry = [this](int32_t index) { return RowEntry(index); };
    input.icon = [this](const AppEntry& entry) { return RowIcon(entry); };
    input.userName = s.userName;
    input.avatar = s.avatarBitmap.Get();
    s.painter->Paint(input);
}

}  // namespace corvane
