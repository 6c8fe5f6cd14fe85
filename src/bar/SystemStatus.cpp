#include <winsock2.h>
#include <ws2ipdef.h>

#include "bar/SystemStatus.h"

#include "base/ComObject.h"
#include "base/Commands.h"
#include "base/DynamicApis.h"
#include "bar/StatusRules.h"
#include "base/Worker.h"

#include <iphlpapi.h>
#include <netioapi.h>
#include <wlanapi.h>

#include <memory>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace corvane {

using Microsoft::WRL::ComPtr;

void WlanClientTraits::Close(HANDLE h) noexcept {
    ::WlanCloseHandle(h, nullptr);
}

void MibNotificationTraits::Close(HANDLE h) noexcept {
    ::CancelMibChangeNotify2(h);
}

namespace {

// Runs on whatever thread the system calls back on.
void PostCommand(HWND window, WPARAM command) noexcept {
    if (window != nullptr) {
        ::PostMessageW(window, WM_APP_COMMAND, command, 0);
    }
}

// Shared by both Core Audio callbacks: the window they post to. It is cleared
// before the owner lets go, so a notification that is already on its way
// cannot reach a window that is being destroyed.
class CallbackTarget {
public:
    explicit CallbackTarget(HWND window) noexcept : window_(window) {}
    void Detach() noexcept { window_.store(nullptr); }
    void Post(WPARAM command) const noexcept { PostCommand(window_.load(), command); }

private:
    std::atomic<HWND> window_;
};

// Every Core Audio callback object posts to the same window.
template <typename Interface>
class PostingCallback : public ComObject<Interface> {
public:
    explicit PostingCallback(HWND window) noexcept : target_(window) {}

    void Detach() noexcept { target_.Detach(); }

protected:
    ~PostingCallback() override = default;
    [[nodiscard]] bool Answers(REFIID riid) const noexcept override {
        return riid == __uuidof(Interface);
    }
    void Post(WPARAM command) const noexcept { target_.Post(command); }

private:
    CallbackTarget target_;
};

class DeviceCallback final : public PostingCallback<IMMNotificationClient> {
public:
    using PostingCallback::PostingCallback;

    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override {
        Post(CMD_AUDIO_DEVICE_CHANGED);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
        // Communications and multimedia defaults do not decide what the bar shows.
        if (flow == eRender && role == eConsole) {
            Post(CMD_AUDIO_DEVICE_CHANGED);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override {
        return S_OK;
    }

private:
    ~DeviceCallback() override = default;
};

class VolumeCallback final : public PostingCallback<IAudioEndpointVolumeCallback> {
public:
    using PostingCallback::PostingCallback;

    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA) override {
        Post(CMD_STATUS_CHANGED);
        return S_OK;
    }

private:
    ~VolumeCallback() override = default;
};

// The WLAN service reports every background scan and every step of a
// connection; only these can change the network the bar shows. The rest
// would wake the process and lay the bars out for nothing.
bool WlanNotificationMatters(const WLAN_NOTIFICATION_DATA& data) noexcept {
    if (data.NotificationSource == WLAN_NOTIFICATION_SOURCE_ACM) {
        switch (data.NotificationCode) {
            case wlan_notification_acm_connection_complete:
            case wlan_notification_acm_disconnected:
            case wlan_notification_acm_interface_arrival:
            case wlan_notification_acm_interface_removal:
                return true;
            default:
                return false;
        }
    }
    if (data.NotificationSource == WLAN_NOTIFICATION_SOURCE_MSM) {
        switch (data.NotificationCode) {
            case sdk::kMsmConnected:
            case sdk::kMsmRoamingEnd:
            case sdk::kMsmRadioStateChange:
            case sdk::kMsmSignalQualityChange:
            case sdk::kMsmDisconnected:
            case sdk::kMsmAdapterRemoval:
                return true;
            default:
                return false;
        }
    }
    return true;
}

void CALLBACK OnWlanNotification(PWLAN_NOTIFICATION_DATA data, PVOID context) {
    if (data == nullptr || WlanNotificationMatters(*data)) {
        PostCommand(static_cast<const SystemStatus*>(context)->NotifyWindow(), CMD_STATUS_CHANGED);
    }
}

void NETIOAPI_API_ OnIpInterfaceChange(PVOID context, PMIB_IPINTERFACE_ROW, MIB_NOTIFICATION_TYPE) {
    PostCommand(static_cast<const SystemStatus*>(context)->NotifyWindow(), CMD_STATUS_CHANGED);
}

}  // namespace

SystemStatus::SystemStatus(const SystemStatusContext& context)
    : worker_(context.worker), wifiChannel_(context.worker.NewChannel()) {}

SystemStatus::~SystemStatus() {
    Stop();
}

void SystemStatus::Start(HWND notifyWindow) noexcept {
    // Releasing only the enumerator would leave the first start's callbacks
    // registered and its handles open.
    Stop();
    notifyWindow_.store(notifyWindow);

    if (SUCCEEDED(::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                     IID_PPV_ARGS(&enumerator_)))) {
        ComPtr<IMMNotificationClient> callback;
        callback.Attach(new (std::nothrow) DeviceCallback(notifyWindow));
        if (callback &&
            SUCCEEDED(enumerator_->RegisterEndpointNotificationCallback(callback.Get()))) {
            deviceCallback_ = std::move(callback);
        }
    }
    BindDefaultEndpoint();
    OpenWlanClient();
    WatchIpInterfaces();

    ReadVolume();
    RefreshNetwork();
    RefreshBattery();
}

void SystemStatus::Stop() noexcept {
    ReleaseEndpoint();
    if (volumeCallback_) {
        static_cast<VolumeCallback*>(volumeCallback_.Get())->Detach();
        volumeCallback_.Reset();
    }
    if (deviceCallback_) {
        static_cast<DeviceCallback*>(deviceCallback_.Get())->Detach();
        if (enumerator_) {
            enumerator_->UnregisterEndpointNotificationCallback(deviceCallback_.Get());
        }
        deviceCallback_.Reset();
    }
    enumerator_.Reset();
    // Both wait for callbacks in flight, which read notifyWindow_; it is
    // cleared only afterwards.
    ipNotification_.Reset();
    wlan_.Reset();
    // A profile read still under way delivers nothing to a stopped source.
    worker_.Cancel(wifiChannel_);
    notifyWindow_.store(nullptr);
}

void SystemStatus::ReleaseEndpoint() noexcept {
    if (endpoint_ && volumeCallback_) {
        endpoint_->UnregisterControlChangeNotify(volumeCallback_.Get());
    }
    endpoint_.Reset();
}

void SystemStatus::BindDefaultEndpoint() noexcept {
    ReleaseEndpoint();
    model_.audioAvailable = false;
    if (!enumerator_) {
        return;
    }

    ComPtr<IMMDevice> device;
    ComPtr<IAudioEndpointVolume> endpoint;
    if (FAILED(enumerator_->GetDefaultAudioEndpoint(eRender, eConsole, &device)) ||
        FAILED(device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                reinterpret_cast<void**>(endpoint.GetAddressOf())))) {
        return;
    }
    if (!volumeCallback_) {
        volumeCallback_.Attach(new (std::nothrow) VolumeCallback(notifyWindow_.load()));
        if (!volumeCallback_) {
            return;
        }
    }
    if (FAILED(endpoint->RegisterControlChangeNotify(volumeCallback_.Get()))) {
        return;
    }
    float volume = 0.0f;
    BOOL muted = FALSE;
    if (FAILED(endpoint->GetMasterVolumeLevelScalar(&volume)) ||
        FAILED(endpoint->GetMute(&muted))) {
        endpoint->UnregisterControlChangeNotify(volumeCallback_.Get());
        return;
    }
    // Kept only when everything worked, so that "an endpoint is bound" and
    // "audio available" never disagree.
    endpoint_ = std::move(endpoint);
    model_.volume = volume;
    model_.muted = muted != FALSE;
    model_.audioAvailable = true;
}

void SystemStatus::ReadVolume() noexcept {
    if (endpoint_) {
        float volume = 0.0f;
        BOOL muted = FALSE;
        if (SUCCEEDED(endpoint_->GetMasterVolumeLevelScalar(&volume))) {
            model_.volume = volume;
        }
        if (SUCCEEDED(endpoint_->GetMute(&muted))) {
            model_.muted = muted != FALSE;
        }
    }
    model_.audioAvailable = static_cast<bool>(endpoint_);
}

void SystemStatus::StepVolume(float delta) noexcept {
    if (!endpoint_) {
        return;
    }
    endpoint_->SetMasterVolumeLevelScalar(SteppedVolume(model_.volume, delta), nullptr);
    BOOL muted = FALSE;
    if (SUCCEEDED(endpoint_->GetMute(&muted)) && StepUnmutes(delta, muted != FALSE)) {
        endpoint_->SetMute(FALSE, nullptr);
    }
    ReadVolume();
}

void SystemStatus::ToggleMute() noexcept {
    if (!endpoint_) {
        return;
    }
    endpoint_->SetMute(model_.muted ? FALSE : TRUE, nullptr);
    ReadVolume();
}

void SystemStatus::OpenWlanClient() noexcept {
    DWORD negotiated = 0;
    HANDLE client = nullptr;
    if (::WlanOpenHandle(2, nullptr, &negotiated, &client) != ERROR_SUCCESS) {
        return;
    }
    wlan_.Reset(client);
    ::WlanRegisterNotification(client, WLAN_NOTIFICATION_SOURCE_ACM | WLAN_NOTIFICATION_SOURCE_MSM,
                               TRUE, &OnWlanNotification, this, nullptr, nullptr);
}

void SystemStatus::WatchIpInterfaces() noexcept {
    HANDLE notification = nullptr;
    if (::NotifyIpInterfaceChange(AF_UNSPEC, &OnIpInterfaceChange, this, FALSE, &notification) ==
            NO_ERROR &&
        notification != nullptr) {
        ipNotification_.Reset(notification);
    }
}

void SystemStatus::RefreshNetwork() noexcept {
    model_.networkKind = NetworkKind::None;
    model_.wifiSignal = 0;
    model_.ssid.clear();
    try {
        WalkAdapters();
        // Once refused, an earlier answer may be another network's.
        if (model_.networkKind == NetworkKind::WiFi && !wifiDenied_) {
            model_.ssid = wifi_.name;
            if (wifi_.signal >= 0) {
                model_.wifiSignal = wifi_.signal;
            }
        }
    } catch (...) {
        // Out of memory for a list: the network simply shows as unknown.
    }
    if (model_.networkKind == NetworkKind::WiFi) {
        AskWifiDetails();
    }
}

void SystemStatus::AskWifiDetails() noexcept {
    if (wifiDenied_) {
        return;
    }
    try {
        // A newer question replaces one still waiting.
        worker_.Submit<WifiDetails>({wifiChannel_, 0}, WorkUrgency::Background,
                                    std::function<WifiDetails()>(&ReadWifiDetails),
                                    std::function<void(WifiDetails &&)>([this](WifiDetails&& d) {
                                        TakeWifiDetails(std::move(d));
                                    }));
    } catch (...) {
        // Out of memory: the name stays as it was.
    }
}

void SystemStatus::TakeWifiDetails(WifiDetails&& details) noexcept {
    wifiDenied_ = wifiDenied_ || details.accessDenied;
    if (details == wifi_) {
        return;
    }
    wifi_ = std::move(details);
    // Shown through the usual refresh, which reads it back from wifi_.
    PostCommand(NotifyWindow(), CMD_STATUS_CHANGED);
}

void SystemStatus::WalkAdapters() {
    // Only each adapter's state, type and gateway are read: leaving out its
    // addresses and names makes the poll cheaper.
    constexpr ULONG kFlags = GAA_FLAG_SKIP_UNICAST | GAA_FLAG_SKIP_ANYCAST |
                             GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER |
                             GAA_FLAG_SKIP_FRIENDLY_NAME | GAA_FLAG_INCLUDE_GATEWAYS;
    // 8-byte units keep the adapter records aligned.
    std::vector<ULONGLONG> buffer((kAdapterBufferBytes + 7) / 8);
    ULONG size = kAdapterBufferBytes;
    auto* first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    ULONG result = ::GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr, first, &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
        size = AdapterRetryBufferBytes(size);
        buffer.assign((size + 7) / 8, 0);
        first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
        result = ::GetAdaptersAddresses(AF_UNSPEC, kFlags, nullptr, first, &size);
    }
    if (result != NO_ERROR) {
        return;
    }
    std::vector<AdapterFacts> adapters;
    for (const IP_ADAPTER_ADDRESSES* a = first; a != nullptr; a = a->Next) {
        adapters.push_back({a->OperStatus == IfOperStatusUp, a->FirstGatewayAddress != nullptr,
                            static_cast<uint32_t>(a->IfType)});
    }
    const NetworkFacts facts = NetworkFromAdapters(adapters);
    if (facts.kind != NetworkKind::None) {
        model_.networkKind = facts.kind;
        model_.wifiSignal = facts.signal;
    }
}

void SystemStatus::RefreshBattery() noexcept {
    SYSTEM_POWER_STATUS power = {};
    PowerReading reading;
    reading.succeeded = ::GetSystemPowerStatus(&power) != FALSE;
    reading.acLineStatus = power.ACLineStatus;
    reading.batteryFlag = power.BatteryFlag;
    reading.batteryLifePercent = power.BatteryLifePercent;
    ApplyPowerReading(model_, reading);
}

}  // namespace corvane
