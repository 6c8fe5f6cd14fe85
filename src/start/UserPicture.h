#pragma once
// Who is signed in, as the start menu shows them: the display name and the
// account picture the system keeps for the user.

#include "identity/IconLoader.h"

#include <wincodec.h>

#include <cstdint>
#include <string>

namespace corvane {

// The full display name, else the logon name; empty when neither is known.
// Asks the domain controller when there is one: never on the GUI thread.
[[nodiscard]] std::wstring DisplayUserName();
// The logon name, from the process's own token: at once.
[[nodiscard]] std::wstring LogonUserName();

// The account picture scaled to size x size pixels, premultiplied BGRA; empty
// when the user has none or it cannot be read.
[[nodiscard]] IconSourceBitmap LoadAccountPicture(IWICImagingFactory* factory,
                                                  uint32_t size) noexcept;

}  // namespace corvane
