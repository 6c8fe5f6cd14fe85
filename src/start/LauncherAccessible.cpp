// CorLauncher for screen readers: the tree they read is built from the grid
// the launcher paints, an app's default action is its click, and they hear
// the query change, the keyboard's selection move and the page turn.

#include "start/Launcher.h"
#include "start/LauncherAccessibleTree.h"
#include "start/LauncherImpl.h"

namespace corvane {

AccessibleNode Launcher::BuildAccessibleTree() {
    Relayout();
    const Impl& s = *impl_;
    const bool results = !query_.Text().empty();
    LauncherAccessibleFacts facts;
    facts.layout = &s.layout;
    facts.shown = results ? s.results : s.arranged.grid;
    facts.results = results;
    facts.page = s.motion.Page();
    facts.scroll = s.motion.Scroll();
    facts.selection = s.selection;
    facts.keysInGrid = s.keysInGrid;
    facts.query = query_.Text();
    facts.dpi = Dpi();
    return LauncherAccessibleTree(facts);
}

void Launcher::RunAccessibleAction(int32_t actionId) {
    if (!IsOpen()) {
        return;
    }
    if (const auto index = LauncherActionIndex(actionId, !query_.Text().empty(), ShownCount())) {
        LaunchIndex(*index);
    }
}

void Launcher::AnnounceOpened() noexcept {
    Impl& s = *impl_;
    s.announcedQuery.clear();
    s.announcedPage = s.motion.Page();
    s.announcedSelection = s.selection;
    s.announcedInGrid = s.keysInGrid;
    accessible_.Notify(EVENT_OBJECT_FOCUS, kLauncherSearchAction);
}

void Launcher::AnnounceChanges() {
    Impl& s = *impl_;
    const bool results = !query_.Text().empty();
    if (query_.Text() != s.announcedQuery) {
        s.announcedQuery = query_.Text();
        accessible_.Notify(EVENT_OBJECT_VALUECHANGE, kLauncherSearchAction);
    }
    if (s.motion.Page() != s.announcedPage) {
        s.announcedPage = s.motion.Page();
        accessible_.Notify(EVENT_OBJECT_NAMECHANGE, kLauncherPageAction);
    }
    if (s.selection == s.announcedSelection && s.keysInGrid == s.announcedInGrid) {
        return;
    }
    const int32_t item = LauncherActionId(s.selection, results);
    if (s.keysInGrid != s.announcedInGrid || (s.keysInGrid && s.selection >= 0)) {
        accessible_.Notify(EVENT_OBJECT_FOCUS,
                           s.keysInGrid && s.selection >= 0 ? item : kLauncherSearchAction);
    }
    if (s.selection >= 0 && s.selection != s.announcedSelection) {
        accessible_.Notify(EVENT_OBJECT_SELECTION, item);
    }
    s.announcedSelection = s.selection;
    s.announcedInGrid = s.keysInGrid;
}

}  // namespace corvane
