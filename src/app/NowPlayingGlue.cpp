// The composition root's side of Now Playing: the surfaces the feed tells,
// and the catalog the source names apps from.

#include "app/App.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "start/AppCatalog.h"
#include "start/StartSurfaces.h"

namespace corvane {

void App::NowPlayingWidgetsChanged(bool relayout) {
    if (relayout) {
        RefreshBars();
    } else {
        RepaintBars();
    }
    for (const auto& dock : docks_) {
        dock->Relayout(false);
    }
}

std::span<const AppEntry> App::NowPlayingApps() {
    if (!start_) {
        return {};
    }
    return start_->Catalog().GetApps(kBuildOnlyWhenEmpty);
}

}  // namespace corvane
