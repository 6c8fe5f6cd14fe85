#pragma once
// Windows' accessibility preferences as the system reports them, and the
// watch on the text size, which Windows changes without telling programs
// that are not UWP apps.

#include "base/Win32Handles.h"
#include "toolkit/AccessibilityPrefs.h"

#include <functional>
#include <memory>

namespace corvane {

// A call that fails gives that preference's default.
[[nodiscard]] AccessibilityPrefs ReadAccessibilityPrefs() noexcept;

// Waits on a thread of its own for a change under the key holding the text
// size; the wait costs nothing while nothing changes.
class TextScaleWatch {
public:
    // Runs on the watch's thread: it only hands the news on to the GUI
    // thread, which reads the preferences again.
    using Changed = std::function<void()>;

    TextScaleWatch() noexcept;
    // Without the key or a thread nothing is watched; the settings change
    // notice still brings the other preferences.
    explicit TextScaleWatch(const Changed& changed);
    // Ends the waiting thread, waiting for a callback that runs.
    ~TextScaleWatch();
    TextScaleWatch(TextScaleWatch&&) noexcept;
    TextScaleWatch& operator=(TextScaleWatch&&) noexcept;

    [[nodiscard]] bool Watching() const noexcept { return watch_ != nullptr; }

    struct Watch;

private:
    std::unique_ptr<Watch> watch_;
};

}  // namespace corvane
