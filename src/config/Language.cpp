#include "config/Language.h"

namespace corvane {
namespace {
// English until the settings say otherwise: the only text shown before they
// are loaded is the Direct2D error box.
bool g_norwegian = false;
}  // namespace

bool IsNorwegian() noexcept {
    return g_norwegian;
}
void SetNorwegian(bool norwegian) noexcept {
    g_norwegian = norwegian;
}

}  // namespace corvane
