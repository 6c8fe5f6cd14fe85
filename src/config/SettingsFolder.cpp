#include "config/SettingsFolder.h"

#include <atomic>

namespace corvane {
namespace {
// Any thread may ask before it writes.
std::atomic<bool> g_readOnly = false;
}  // namespace

bool IsSettingsFolderReadOnly() noexcept {
    return g_readOnly.load();
}
void SetSettingsFolderReadOnly(bool readOnly) noexcept {
    g_readOnly.store(readOnly);
}

}  // namespace corvane
