#pragma once
// What CorLauncher keeps between messages. Shared by the launcher's window,
// input and painting code only.

#include "identity/AppEntry.h"
#include "start/Launcher.h"
#include "start/LauncherGrid.h"
#include "start/LauncherPainter.h"
#include "toolkit/PointerGesture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

struct Launcher::Impl {
    bool catalogAvailable = false;
    LauncherArrangement arranged;
    std::vector<AppEntry> results;
    LauncherLayout layout;
    PageMotion motion;
    int32_t hover = -1;
    int32_t selection = -1;
    // Arrows walk the grid rather than the query's caret: since an arrow
    // moved the selection, until the query is edited again.
    bool keysInGrid = false;
    // The left button on an item, in client pixels.
    PointerGesture press;
    int32_t drag = -1;  // where the held item stands now
    bool edgeTimer = false;
    LauncherCell pointer;
    LauncherCell grab;  // where in the dragged cell the pointer holds it
    std::unique_ptr<LauncherPainter> painter;
    // What readers were last told of.
    std::wstring announcedQuery;
    int32_t announcedPage = 0;
    int32_t announcedSelection = -1;
    bool announcedInGrid = false;
};

}  // namespace corvane
