#include "bar/WifiDetails.h"

#include "bar/StatusRules.h"
#include "base/ConnectivityApi.h"

#include <roapi.h>
#include <winstring.h>
#include <wrl/client.h>

#include <iterator>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using namespace sdk;

HRESULT InternetProfile(ComPtr<IConnectionProfile>& profile) noexcept {
    HSTRING name = nullptr;
    HRESULT hr =
        ::WindowsCreateString(kNetworkInformationClass,
                              static_cast<UINT32>(std::size(kNetworkInformationClass) - 1), &name);
    if (FAILED(hr)) {
        return hr;
    }
    ComPtr<INetworkInformationStatics> statics;
    hr = ::RoGetActivationFactory(name, INetworkInformationStatics::kIid,
                                  reinterpret_cast<void**>(statics.GetAddressOf()));
    ::WindowsDeleteString(name);
    if (FAILED(hr) || statics == nullptr) {
        return FAILED(hr) ? hr : E_NOINTERFACE;
    }
    return statics->GetInternetConnectionProfile(profile.GetAddressOf());
}

std::wstring ProfileName(IConnectionProfile& profile, HRESULT& hr) {
    HSTRING name = nullptr;
    hr = profile.get_ProfileName(&name);
    if (FAILED(hr) || name == nullptr) {
        return {};
    }
    UINT32 length = 0;
    const wchar_t* text = ::WindowsGetStringRawBuffer(name, &length);
    std::wstring copy(text != nullptr ? text : L"", text != nullptr ? length : 0);
    ::WindowsDeleteString(name);
    return copy;
}

int32_t SignalBars(IConnectionProfile2& profile, HRESULT& hr) {
    ComPtr<IReferenceUInt8> bars;
    hr = profile.GetSignalBars(bars.GetAddressOf());
    BYTE value = 0;
    if (FAILED(hr) || bars == nullptr || FAILED(bars->get_Value(&value))) {
        return -1;
    }
    return SignalFromBars(value);
}

}  // namespace

WifiDetails ReadWifiDetails() noexcept {
    WifiDetails details;
    try {
        ComPtr<IConnectionProfile> profile;
        HRESULT hr = InternetProfile(profile);
        ComPtr<IConnectionProfile2> profile2;
        boolean wlan = false;
        if (SUCCEEDED(hr) && profile != nullptr &&
            SUCCEEDED(
                hr = profile->QueryInterface(IConnectionProfile2::kIid,
                                             reinterpret_cast<void**>(profile2.GetAddressOf()))) &&
            SUCCEEDED(hr = profile2->get_IsWlanConnectionProfile(&wlan)) && wlan) {
            details.name = ProfileName(*profile.Get(), hr);
            HRESULT signalHr = S_OK;
            details.signal = SignalBars(*profile2.Get(), signalHr);
            if (SUCCEEDED(hr)) {
                hr = signalHr;
            }
        }
        details.accessDenied = hr == E_ACCESSDENIED;
    } catch (...) {
        // Out of memory for the name: unknown.
        details = {};
    }
    return details;
}

}  // namespace corvane
