#pragma once
// Where the status cluster's values come from: the default audio render
// endpoint (Core Audio, with change callbacks), the network adapters with
// the WLAN service's and the IP interfaces' change notifications for the
// network, the Internet connection profile (read on the worker) for the
// Wi-Fi name and signal, and the system power status for the battery.
//
// Only the GUI thread calls these methods and reads the record. The system
// callbacks run on threads of their own and do nothing but post
// CMD_STATUS_CHANGED or CMD_AUDIO_DEVICE_CHANGED to the notify window.

#include "base/Win32Handles.h"
#include "bar/StatusModel.h"
#include "bar/WifiDetails.h"

#include <windows.h>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <atomic>

namespace corvane {

// Closes a WLAN client handle (WlanCloseHandle).
struct WlanClientTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr; }
    static void Close(HANDLE h) noexcept;
};
using UniqueWlanClient = UniqueResource<HANDLE, WlanClientTraits>;

// Cancels an IP Helper change notification (CancelMibChangeNotify2).
struct MibNotificationTraits {
    static HANDLE Invalid() noexcept { return nullptr; }
    static bool IsValid(HANDLE h) noexcept { return h != nullptr; }
    static void Close(HANDLE h) noexcept;
};
using UniqueMibNotification = UniqueResource<HANDLE, MibNotificationTraits>;

class Worker;

// What the status sources are handed by the root.
struct SystemStatusContext {
    // Reads the Internet connection profile off the GUI thread.
    Worker& worker;
};

class SystemStatus {
public:
    explicit SystemStatus(const SystemStatusContext& context);
    ~SystemStatus();
    // The WLAN and IP callbacks hold this object's address.
    SystemStatus(const SystemStatus&) = delete;
    SystemStatus& operator=(const SystemStatus&) = delete;

    // Needs COM on the calling thread. Whatever is unavailable is simply
    // absent; a second Start first stops what the first one started.
    void Start(HWND notifyWindow) noexcept;
    void Stop() noexcept;

    // (Re)binds the default render endpoint for the console role.
    void BindDefaultEndpoint() noexcept;
    // Re-reads volume and mute from the bound endpoint.
    void ReadVolume() noexcept;
    void RefreshNetwork() noexcept;
    void RefreshBattery() noexcept;

    // Changes the master volume by delta (see WheelVolumeDelta); raising it
    // unmutes.
    void StepVolume(float delta) noexcept;
    void ToggleMute() noexcept;

    [[nodiscard]] const StatusModel& Model() const noexcept { return model_; }
    // The system tells of network interfaces coming and going.
    [[nodiscard]] bool WatchesNetwork() const noexcept {
        return static_cast<bool>(ipNotification_);
    }
    // Also read by the WLAN and IP callbacks on their threads.
    [[nodiscard]] HWND NotifyWindow() const noexcept { return notifyWindow_.load(); }

private:
    void OpenWlanClient() noexcept;
    void WatchIpInterfaces() noexcept;
    // May throw std::bad_alloc; RefreshNetwork catches it.
    void WalkAdapters();
    void AskWifiDetails() noexcept;
    void TakeWifiDetails(WifiDetails&& details) noexcept;
    void ReleaseEndpoint() noexcept;

    StatusModel model_;
    std::atomic<HWND> notifyWindow_{nullptr};

    Microsoft::WRL::ComPtr<IMMDeviceEnumerator> enumerator_;
    Microsoft::WRL::ComPtr<IAudioEndpointVolume> endpoint_;
    Microsoft::WRL::ComPtr<IMMNotificationClient> deviceCallback_;
    Microsoft::WRL::ComPtr<IAudioEndpointVolumeCallback> volumeCallback_;
    UniqueWlanClient wlan_;
    UniqueMibNotification ipNotification_;

    Worker& worker_;
    uint32_t wifiChannel_ = 0;
    // The last answer from the worker; once access was denied the profile
    // is not asked again, so that no prompt can come of it.
    WifiDetails wifi_;
    bool wifiDenied_ = false;
};

}  // namespace corvane
