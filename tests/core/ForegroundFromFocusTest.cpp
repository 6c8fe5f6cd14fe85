// The window in front when focus moved: the system's foreground, or the
// focused program's window while the system still reports the desktop.

#include "identity/ForegroundFromFocus.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Window ids: 1 the desktop, 2 ours, 5 and 7 programs' windows.
TEST(ForegroundFromFocus, PicksTheWindowInFrontAndWhetherToLookAgain) {
    using K = ForegroundKind;
    const struct {
        const char* name;
        FocusWitness witness;
        FocusVerdict verdict;
    } cases[] = {
        {"a new foreground", {5, K::App, 0, 7}, {5, false}},
        {"the same foreground", {5, K::App, 0, 5}, {0, false}},
        {"focus in another program", {5, K::App, 7, 5}, {0, true}},
        {"ours in front, a program focused", {2, K::Ours, 7, 5}, {0, true}},
        {"the desktop reported, a program focused", {1, K::Desktop, 7, 1}, {7, true}},
        {"the desktop reported, that program handled", {1, K::Desktop, 7, 7}, {0, true}},
        {"the desktop, nothing focused", {1, K::Desktop, 0, 5}, {1, true}},
        {"no foreground, nothing focused", {0, K::None, 0, 5}, {0, true}},
    };
    for (const auto& c : cases) {
        const FocusVerdict got = DecideForegroundFromFocus(c.witness);
        EXPECT_EQ(got.front, c.verdict.front) << c.name;
        EXPECT_EQ(got.lookAgain, c.verdict.lookAgain) << c.name;
    }
}

}  // namespace
}  // namespace corvane
