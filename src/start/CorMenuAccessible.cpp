// CorMenu for screen readers: the tree they read is built from the layout
// the menu paints, their default actions are its clicks, and they hear the
// menu open and close, the query change and the keyboard's selection move.

#include "start/CorMenu.h"
#include "start/CorMenuAccessibleTree.h"
#include "start/CorMenuImpl.h"
#include "start/MenuSelection.h"

namespace corvane {

AccessibleNode CorMenu::BuildAccessibleTree() {
    Relayout();
    const Impl& s = *impl_;
    CorMenuAccessibleFacts facts;
    facts.layout = &s.layout;
    facts.state = &s.menu;
    facts.mark = MarkedItem(s.menu, s.layout);
    facts.entries = RowEntries();
    facts.query = query_.Text();
    facts.userName = s.userName;
    facts.dpi = Dpi();
    return CorMenuAccessibleTree(facts);
}

void CorMenu::RunAccessibleAction(int32_t actionId) {
    if (!IsOpen()) {
        return;
    }
    if (const std::optional<MenuItemId> item = MenuActionItem(actionId, impl_->menu.view)) {
        Relayout();
        Activate(*item);
    }
}

void CorMenu::AnnounceOpened() noexcept {
    Impl& s = *impl_;
    s.announcedQuery.clear();
    s.announcedItem = {};
    s.announcedSearch = true;
    accessible_.Notify(EVENT_SYSTEM_MENUPOPUPSTART, kNoAccessibleAction);
    accessible_.Notify(EVENT_OBJECT_FOCUS, kMenuSearchAction);
}

void CorMenu::OnEnding() noexcept {
    // Once, as it starts closing; not again when the closed window goes.
    if (!IsClosing()) {
        accessible_.Notify(EVENT_SYSTEM_MENUPOPUPEND, kNoAccessibleAction);
    }
}

void CorMenu::AnnounceChanges() {
    Impl& s = *impl_;
    if (query_.Text() != s.announcedQuery) {
        s.announcedQuery = query_.Text();
        accessible_.Notify(EVENT_OBJECT_VALUECHANGE, kMenuSearchAction);
    }
    // The layout is the frame's just painted.
    const MenuMark mark = MarkedItem(s.menu, s.layout);
    const bool search = s.menu.focus == MenuZone::Search;
    if (mark.id == s.announcedItem && search == s.announcedSearch) {
        return;
    }
    const int32_t item = MenuActionId(s.layout.view, mark.id);
    if (search != s.announcedSearch || (!search && mark.id != s.announcedItem)) {
        accessible_.Notify(EVENT_OBJECT_FOCUS, search ? kMenuSearchAction : item);
    }
    if (mark.id.kind != MenuHit::None && mark.id != s.announcedItem) {
        accessible_.Notify(EVENT_OBJECT_SELECTION, item);
    }
    s.announcedItem = mark.id;
    s.announcedSearch = search;
}

}  // namespace corvane
