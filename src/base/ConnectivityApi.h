#pragma once
// The Windows Runtime interfaces of the network connection profile, which
// mingw-w64 ships no header for: only the calls the status bar makes, each
// interface declared up to the last method it needs, every slot before it
// in metadata order. The IIDs are those of the published
// Windows.Networking.Connectivity metadata; IReference<UInt8> is the
// published instantiation of Windows.Foundation.IReference`1.

#include <windows.h>

#include <hstring.h>
#include <inspectable.h>

namespace corvane::sdk {

inline constexpr wchar_t kNetworkInformationClass[] =
    L"Windows.Networking.Connectivity.NetworkInformation";

// Windows.Foundation.IReference<UInt8>.
struct IReferenceUInt8 : IInspectable {
    static constexpr GUID kIid = {
        0xe5198cc8, 0x2873, 0x55f5, {0xb0, 0xa1, 0x84, 0xff, 0x9e, 0x4a, 0xad, 0x62}};
    virtual HRESULT STDMETHODCALLTYPE get_Value(BYTE* value) = 0;
};

// Windows.Networking.Connectivity.IConnectionProfile.
struct IConnectionProfile : IInspectable {
    static constexpr GUID kIid = {
        0x71ba143c, 0x598e, 0x49d0, {0x84, 0xeb, 0x8f, 0xeb, 0xae, 0xdc, 0xc1, 0x95}};
    virtual HRESULT STDMETHODCALLTYPE get_ProfileName(HSTRING* name) = 0;
};

// Windows.Networking.Connectivity.IConnectionProfile2.
struct IConnectionProfile2 : IInspectable {
    static constexpr GUID kIid = {
        0xe2045145, 0x4c9f, 0x400c, {0x91, 0x50, 0x7e, 0xc7, 0xd6, 0xe2, 0x88, 0x8a}};
    virtual HRESULT STDMETHODCALLTYPE get_IsWwanConnectionProfile(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsWlanConnectionProfile(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WwanConnectionProfileDetails(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WlanConnectionProfileDetails(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ServiceProviderGuid(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSignalBars(IReferenceUInt8** value) = 0;
};

// Windows.Networking.Connectivity.INetworkInformationStatics.
struct INetworkInformationStatics : IInspectable {
    static constexpr GUID kIid = {
        0x5074f851, 0x950d, 0x4165, {0x9c, 0x15, 0x36, 0x56, 0x19, 0x48, 0x1e, 0xea}};
    virtual HRESULT STDMETHODCALLTYPE GetConnectionProfiles(IInspectable** profiles) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    GetInternetConnectionProfile(IConnectionProfile** profile) = 0;
};

}  // namespace corvane::sdk
