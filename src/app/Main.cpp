#include "app/Lifecycle.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return corvane::RunCorvane(instance);
}
