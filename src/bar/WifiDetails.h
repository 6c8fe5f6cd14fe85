#pragma once
// The Wi-Fi network's name and signal as the system shows them, from the
// connection profile of the Internet connection. Unlike the WLAN service's
// current-connection query, that needs no location consent, so reading it
// never makes the system ask the user to let the bar use their location.
// The profile service is another process: read it on the worker.

#include <cstdint>
#include <string>

namespace corvane {

struct WifiDetails {
    std::wstring name;          // the profile's name; empty when unknown
    int32_t signal = -1;        // percent, -1 when unknown
    bool accessDenied = false;  // never to be asked again
    bool operator==(const WifiDetails&) const = default;
};

// Needs COM on the calling thread; unknown when there is no Wi-Fi profile
// for the Internet connection or the system lacks the API.
[[nodiscard]] WifiDetails ReadWifiDetails() noexcept;

}  // namespace corvane
