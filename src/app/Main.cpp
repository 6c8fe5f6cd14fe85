#include "app/DesktopGuard.h"
#include "app/GuardCommandLine.h"
#include "app/Lifecycle.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    if (arguments != nullptr && corvane::AsksForGuard(arguments)) {
        return corvane::RunDesktopGuard(arguments);
    }
    return corvane::RunCorvane(instance, true);
}
