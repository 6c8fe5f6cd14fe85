#pragma once
// What the benchmarks set up in the root before they make surfaces from its
// contexts; the root names this struct its friend.

#include "app/App.h"
#include "app/ControlWindow.h"
#include "start/StartSurfaces.h"

#include <memory>

namespace corvane {

struct RootBench {
    App& app = TheApp();
    HINSTANCE& instance = app.instance_;
    GraphicsFactories& graphics = app.graphics_;
    Theme& theme = app.theme_;
    CurrentApplication& current = app.current_;
    Settings& settings = app.settings_;
    Worker& worker = app.worker_;
    std::unique_ptr<ControlWindow>& control = app.control_;
    std::unique_ptr<StartSurfaces>& start = app.start_;
    const BarContext& barContext = app.barContext_;
    const StartContext& startContext = app.startContext_;
};

}  // namespace corvane
