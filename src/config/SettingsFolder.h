#pragma once
// Whether the folder of corvane.ini takes writes (a zip viewer or a read-only
// share does not). Once it has refused, the process runs on the defaults in
// memory and writes nothing there again, not even attempts.

namespace corvane {

[[nodiscard]] bool IsSettingsFolderReadOnly() noexcept;
void SetSettingsFolderReadOnly(bool readOnly) noexcept;

}  // namespace corvane
