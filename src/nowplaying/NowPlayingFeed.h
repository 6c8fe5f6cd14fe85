#pragma once
// The media session as the bar's and the dock's widgets see it: the source
// that follows the session, the card a widget opens, and the comparison that
// tells the surfaces only of changes they would draw.

#include "base/Worker.h"
#include "config/Settings.h"
#include "identity/AppEntry.h"
#include "nowplaying/NowPlayingHost.h"
#include "nowplaying/NowPlayingRules.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <memory>
#include <span>

namespace corvane {

class NowPlayingSource;
class NowPlayingCard;

// The surfaces that show the widgets, as the feed tells them.
class NowPlayingSurfaces {
public:
    virtual ~NowPlayingSurfaces() = default;
    // A widget came, went, moved or got a new text (`relayout`), or only its
    // picture or playing state changed.
    virtual void NowPlayingWidgetsChanged(bool relayout) = 0;
    // The catalog's apps, built only when it is still empty.
    [[nodiscard]] virtual std::span<const AppEntry> NowPlayingApps() = 0;
};

// Owned by the process and outliving the feed.
struct NowPlayingFeedContext {
    const HINSTANCE& instance;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    Worker& worker;
    NowPlayingSurfaces& surfaces;
};

class NowPlayingFeed final : public NowPlayingWidgets, private NowPlayingHost {
public:
    explicit NowPlayingFeed(const NowPlayingFeedContext& context) noexcept;
    ~NowPlayingFeed() override;
    NowPlayingFeed(const NowPlayingFeed&) = delete;
    NowPlayingFeed& operator=(const NowPlayingFeed&) = delete;

    // The session is followed while [NowPlaying] Enabled is on, from Start to
    // Stop; ApplySettings after every settings change.
    void Start();
    void ApplySettings() noexcept;
    void Stop() noexcept;
    // The theme or the displays changed: the next show builds the card anew.
    void DestroyCard() noexcept;

    // NowPlayingWidgets
    [[nodiscard]] bool InBar() const override;
    [[nodiscard]] bool BarNextToClock() const override;
    [[nodiscard]] bool InDock() const override;
    [[nodiscard]] NowPlayingWidgetView View() const override;
    void OpenCard(const RECT& anchor, bool above, UINT dpi) override;
    void TogglePlayPause() override;
    [[nodiscard]] bool CardHovered() const override;

private:
    // NowPlayingHost
    void NowPlayingChanged() override;
    void NowPlayingSwitched(bool enabled) override;
    [[nodiscard]] std::span<const AppEntry> NowPlayingApps() override;

    [[nodiscard]] bool Active() const noexcept;
    [[nodiscard]] WidgetMark MarkNow() const;

    NowPlayingFeedContext context_;
    std::unique_ptr<NowPlayingSource> source_;
    // Made on the first widget click; its window lives between shows.
    std::unique_ptr<NowPlayingCard> card_;
    // What the widgets showed when the surfaces last heard of it.
    WidgetMark mark_;
};

}  // namespace corvane
