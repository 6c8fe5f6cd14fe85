#include "toolkit/PointerGesture.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

using S = GestureStep;
// Unequal, so that the axes cannot be swapped unnoticed.
constexpr DragThreshold kThreshold{4, 2};
constexpr int32_t kItem = 7;
constexpr S kStart = S::DragStarted;
constexpr S kClick = S::Clicked;
constexpr S kCancel = S::Cancelled;

struct Event {
    char kind;  // 'm' move to (a, b); 'u' release over target a; 'c' cancel; 'r' retarget to a
    int32_t a = 0, b = 0;
    S step = S::None;  // what the gesture answers
};
constexpr auto M = [](int32_t x, int32_t y, S step = S::None) { return Event{'m', x, y, step}; };
constexpr auto U = [](int32_t under, S step = S::None) { return Event{'u', under, 0, step}; };
constexpr auto C = [](S step = S::None) { return Event{'c', 0, 0, step}; };
constexpr auto R = [](int32_t target) { return Event{'r', target, 0, S::None}; };

TEST(PointerGesture, PressMoveReleaseAndCancel) {
    struct Row {
        const char* name;
        int32_t pressed;
        bool draggable;
        std::vector<Event> events;
        int32_t targetAfter;
    };
    // Every press is at (100, 50).
    const Row rows[] = {
        {"click", kItem, true, {U(kItem, kClick)}, kNoTarget},
        {"moves up to the threshold", kItem, true, {M(104, 48), M(96, 52)}, kItem},
        {"still a click after them", kItem, true, {M(104, 52), U(kItem, kClick)}, kNoTarget},
        {"released over another target", kItem, true, {U(8)}, kNoTarget},
        {"released over nothing", kItem, true, {U(kNoTarget)}, kNoTarget},
        {"past x", kItem, true, {M(105, 50, kStart), M(100, 50, S::DragMoved)}, kItem},
        {"past x leftwards", kItem, true, {M(95, 50, kStart)}, kItem},
        {"past y downwards", kItem, true, {M(100, 53, kStart)}, kItem},
        {"past y upwards", kItem, true, {M(100, 47, kStart)}, kItem},
        {"a drop", kItem, true, {M(90, 50, kStart), U(kItem, S::Dropped)}, kNoTarget},
        {"only clicks", kItem, false, {M(300, 300), U(kItem, kClick)}, kNoTarget},
        {"a press on nothing", kNoTarget, true, {M(300, 50), U(kNoTarget)}, kNoTarget},
        {"cancelled before a drag", kItem, true, {C(), U(kItem)}, kNoTarget},
        {"lost mid-drag", kItem, true, {M(110, 50, kStart), C(kCancel), M(130, 50), U(kItem)}, -1},
        {"a reordering drag follows its item", kItem, true, {M(110, 50, kStart), R(3)}, 3},
        {"over after its release", kItem, true, {U(kItem, kClick), M(200, 50), U(kItem)}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PointerGesture gesture;
        gesture.Press(row.pressed, 100, 50, kThreshold, row.draggable);
        for (const Event& e : row.events) {
            S step = S::None;
            if (e.kind == 'm') {
                step = gesture.Move(e.a, e.b);
            } else if (e.kind == 'u') {
                step = gesture.Release(e.a);
            } else if (e.kind == 'c') {
                step = gesture.Cancel();
            } else {
                gesture.Retarget(e.a);
            }
            EXPECT_EQ(step, e.step) << e.kind << " " << e.a << "," << e.b;
        }
        EXPECT_EQ(gesture.Target(), row.targetAfter);
    }
}

}  // namespace
}  // namespace corvane
