#include "config/Language.h"

namespace corvane {
namespace {
// English until the settings say otherwise: the only text shown before they
// are loaded is the Direct2D error box.
Language g_language = Language::English;
}  // namespace

Language CurrentLanguage() noexcept {
    return g_language;
}
bool IsNorwegian() noexcept {
    return g_language == Language::Norwegian;
}
void SetNorwegian(bool norwegian) noexcept {
    g_language = norwegian ? Language::Norwegian : Language::English;
}

}  // namespace corvane
