#include "appmenus/MenuSliding.h"

namespace corvane {

int SlideRequest(SlideKey key, int currentIndex, int menuCount, bool hasSubmenus) {
    if (menuCount < 2 || hasSubmenus || currentIndex < 0 || currentIndex >= menuCount) {
        return -1;
    }
    if (key == SlideKey::Left) {
        return (currentIndex + menuCount - 1) % menuCount;
    }
    return (currentIndex + 1) % menuCount;
}

int HoverRequest(int hitIndex, int currentIndex) {
    return hitIndex >= 0 && hitIndex != currentIndex ? hitIndex : -1;
}

int PointerMoveRequest(ScreenPoint last, ScreenPoint reported, int hitIndex, int currentIndex) {
    return reported == last ? -1 : HoverRequest(hitIndex, currentIndex);
}

}  // namespace corvane
