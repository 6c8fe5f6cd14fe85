// The window in front when focus moved: the system's foreground, or the
// focused program's window while the system still reports the desktop.

#include "identity/ForegroundFromFocus.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Window ids: 1 the desktop, 2 ours, 5 and 7 programs' windows.
TEST(ForegroundFromFocus, PicksTheWindowInFrontAndWhetherToLookAgain) {
    using K = ForegroundKind;
    struct Case {
        const char* name;
        FocusWitness witness;
        FocusVerdict verdict;
    };
    const Case cases[] = {
        {"a new foreground", {5, K::App, 0, 7}, {5, false}},
        {"a new foreground, its own window focused", {5, K::App, 5, 7}, {5, false}},
        {"the same foreground", {5, K::App, 0, 5}, {0, false}},
        {"focus in another program", {5, K::App, 7, 5}, {0, true}},
        {"ours in front", {2, K::Ours, 0, 5}, {0, false}},
        {"ours in front, a program focused", {2, K::Ours, 7, 5}, {0, true}},
        {"the desktop reported, a program focused", {1, K::Desktop, 7, 1}, {7, true}},
        {"the desktop reported, that program handled", {1, K::Desktop, 7, 7}, {0, true}},
        {"the desktop, nothing focused", {1, K::Desktop, 0, 5}, {1, true}},
        {"the desktop again", {1, K::Desktop, 0, 1}, {0, true}},
        {"no foreground, a program focused", {0, K::None, 7, 5}, {7, true}},
        {"no foreground, nothing focused", {0, K::None, 0, 5}, {0, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FocusVerdict got = DecideForegroundFromFocus(c.witness);
        EXPECT_EQ(got.front, c.verdict.front);
        EXPECT_EQ(got.lookAgain, c.verdict.lookAgain);
    }
}

}  // namespace
}  // namespace corvane
