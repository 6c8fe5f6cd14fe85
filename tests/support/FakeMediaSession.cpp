// A stand-in for the system media session that tests register as the
// Windows Runtime class of the session manager. Its vtables are written here
// on their own, from the interfaces' published method order, and not taken
// from the product's declarations: a slot out of place on either side shows
// as a wrong value or a wrong call in the log.
//
// The session is read from the file named by CORVANE_FAKE_MEDIA whenever the
// program asks for the manager or the current session, lines of key=value:
//   app, title, artist, album    texts (UTF-8)
//   status                       playback status number
//   start, end, position, updated  timeline values (100-ns units)
//   thumbnail                    an image file whose stream the thumbnail opens
//   pending                      status reads an operation stays Started (-1: always)
//   session                      0: there is no current session
//   log                          file each call is appended to as "<tick> <call>"

#include <inspectable.h>
#include <shlwapi.h>
#include <windows.h>
#include <winstring.h>
#include <wrl/client.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using Microsoft::WRL::ComPtr;

// The state file as it was when the program last asked for the session (or
// the manager): one read per poll, so that a poll costs the program's work
// rather than this library's file reads.
std::string g_state;

void ReadState() {
    g_state.clear();
    wchar_t path[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", path, MAX_PATH) == 0) {
        return;
    }
    const HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    std::string text(65536, '\0');
    DWORD read = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(file);
    text.resize(read);
    g_state = "\n" + text;
}

std::string Value(const char* key) {
    const std::string prefix = std::string("\n") + key + "=";
    const std::size_t at = g_state.find(prefix);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t begin = at + prefix.size();
    return g_state.substr(begin, g_state.find_first_of("\r\n", begin) - begin);
}

int64_t Number(const char* key) {
    return std::strtoll(Value(key).c_str(), nullptr, 10);
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              static_cast<int>(wide.size()))));
    return wide;
}

void Log(const std::string& call) {
    const std::string path = Value("log");
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const std::string line = std::to_string(::GetTickCount()) + " " + call + "\n";
        DWORD written = 0;
        ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        ::CloseHandle(file);
    }
}

HRESULT Text(const char* call, const char* key, HSTRING* out) {
    Log(call);
    const std::wstring text = Wide(Value(key));
    return ::WindowsCreateString(text.c_str(), static_cast<UINT32>(text.size()), out);
}

HRESULT Time(const char* call, const char* key, int64_t* out) {
    Log(call);
    *out = Number(key);
    return S_OK;
}

GUID Iid(const wchar_t* text) {
    GUID iid = {};
    ::IIDFromString(text, &iid);
    return iid;
}

// IUnknown and IInspectable for one interface. Each derived class declares
// the interface's own methods after these six, in vtable order.
template <typename Derived>
class Object : public IInspectable {
public:
    explicit Object(const wchar_t* iid) : iid_(Iid(iid)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == iid_ ||
            iid == Iid(L"{AF86E2E0-B12D-4C6A-9C5A-D7AA65101E90}")) {
            *out = static_cast<IInspectable*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete static_cast<Derived*>(this);
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override {
        *count = 0;
        *iids = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override {
        *name = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override {
        *level = BaseTrust;
        return S_OK;
    }

private:
    GUID iid_;
    std::atomic<ULONG> refs_{1};
};

template <typename T>
HRESULT Hand(T* object, void** out) {
    *out = static_cast<IInspectable*>(object);
    return S_OK;
}

// IAsyncOperation<T>, with IAsyncInfo on a companion object. The result is
// an object (null when it could not be made) or, for IAsyncOperation<bool>, true.
class Operation final : public Object<Operation> {
public:
    Operation(const wchar_t* iid, IUnknown* result, bool isFlag)
        : Object(iid), result_(result), isFlag_(isFlag), pending_(Number("pending")) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown*) { return S_OK; }
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) {
        *handler = nullptr;
        return S_OK;
    }
    virtual HRESULT STDMETHODCALLTYPE GetResults(void* out) {
        Log("GetResults");
        if (pending_ != 0) {
            return E_FAIL;
        }
        if (isFlag_) {
            *static_cast<boolean*>(out) = 1;
        } else {
            *static_cast<IUnknown**>(out) = ComPtr<IUnknown>(result_).Detach();
        }
        return S_OK;
    }
    // 0 Started, 1 Completed.
    int32_t Status() {
        if (pending_ == 0) {
            return 1;
        }
        pending_ -= pending_ > 0 ? 1 : 0;
        return 0;
    }

private:
    ComPtr<IUnknown> result_;
    bool isFlag_;
    int64_t pending_;
};

class AsyncInfo final : public Object<AsyncInfo> {
public:
    explicit AsyncInfo(Operation* operation)
        : Object(L"{00000036-0000-0000-C000-000000000046}"), operation_(operation) {}
    virtual HRESULT STDMETHODCALLTYPE get_Id(UINT32* id) {
        *id = 1;
        return S_OK;
    }
    virtual HRESULT STDMETHODCALLTYPE get_Status(int32_t* status) {
        *status = operation_->Status();
        return S_OK;
    }
    virtual HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) {
        *code = S_OK;
        return S_OK;
    }
    virtual HRESULT STDMETHODCALLTYPE Cancel() {
        Log("Cancel");
        return S_OK;
    }
    virtual HRESULT STDMETHODCALLTYPE Close() { return S_OK; }

private:
    ComPtr<Operation> operation_;
};

HRESULT Operation::QueryInterface(REFIID iid, void** out) {
    if (iid == Iid(L"{00000036-0000-0000-C000-000000000046}")) {
        return Hand(new AsyncInfo(this), out);
    }
    return Object::QueryInterface(iid, out);
}

HRESULT Start(const wchar_t* iid, IUnknown* result, void** out, bool isFlag = false) {
    const HRESULT hr = Hand(new Operation(iid, result, isFlag), out);
    if (result != nullptr) {
        result->Release();
    }
    return hr;
}

HRESULT Command(const std::string& call, void** out) {
    Log(call);
    return Start(L"{CDB5EFB3-5788-509D-9BE1-71CCB8A3362A}", nullptr, out, true);
}

class StreamReference final : public Object<StreamReference> {
public:
    StreamReference() : Object(L"{33EE3134-1DD6-4E3A-8067-D1C162E8642B}") {}
    virtual HRESULT STDMETHODCALLTYPE OpenReadAsync(void** out) {
        Log("OpenReadAsync");
        IStream* stream = nullptr;
        ::SHCreateStreamOnFileEx(Wide(Value("thumbnail")).c_str(), STGM_READ, 0, FALSE, nullptr,
                                 &stream);
        return Start(L"{C4A57C5E-32B0-55B3-AD13-CE1C23041ED6}", stream, out);
    }
};

// One line per slot; the vtable order is the order of these lines.
#define FAKE_TEXT(name, key)                               \
    virtual HRESULT STDMETHODCALLTYPE name(HSTRING* out) { \
        return Text(#name, key, out);                      \
    }
#define FAKE_TIME(name, key)                               \
    virtual HRESULT STDMETHODCALLTYPE name(int64_t* out) { \
        return Time(#name, key, out);                      \
    }
#define FAKE_UNUSED(name, type)                         \
    virtual HRESULT STDMETHODCALLTYPE name(type* out) { \
        Log(#name);                                     \
        *out = {};                                      \
        return E_NOTIMPL;                               \
    }

class MediaProperties final : public Object<MediaProperties> {
public:
    MediaProperties() : Object(L"{68856CF6-ADB4-54B2-AC16-05837907ACB6}") {}
    FAKE_TEXT(Title, "title")
    FAKE_TEXT(Subtitle, "")
    FAKE_TEXT(AlbumArtist, "")
    FAKE_TEXT(Artist, "artist")
    FAKE_TEXT(AlbumTitle, "album")
    FAKE_UNUSED(TrackNumber, INT32)
    FAKE_UNUSED(Genres, void*)
    FAKE_UNUSED(AlbumTrackCount, INT32)
    FAKE_UNUSED(PlaybackType, void*)
    virtual HRESULT STDMETHODCALLTYPE Thumbnail(void** out) {
        Log("Thumbnail");
        *out = nullptr;
        return Value("thumbnail").empty() ? S_OK : Hand(new StreamReference(), out);
    }
};

class Timeline final : public Object<Timeline> {
public:
    Timeline() : Object(L"{EDE34136-6F25-588D-8ECF-EA5B6735AAA5}") {}
    FAKE_TIME(StartTime, "start")
    FAKE_TIME(EndTime, "end")
    FAKE_TIME(MinSeekTime, "")
    FAKE_TIME(MaxSeekTime, "")
    FAKE_TIME(Position, "position")
    FAKE_TIME(LastUpdatedTime, "updated")
};

class PlaybackInfo final : public Object<PlaybackInfo> {
public:
    PlaybackInfo() : Object(L"{94B4B6CF-E8BA-51AD-87A7-C10ADE106127}") {}
    FAKE_UNUSED(Controls, void*)
    virtual HRESULT STDMETHODCALLTYPE PlaybackStatus(int32_t* out) {
        Log("PlaybackStatus");
        *out = static_cast<int32_t>(Number("status"));
        return S_OK;
    }
};

#define FAKE_COMMAND(name)                               \
    virtual HRESULT STDMETHODCALLTYPE name(void** out) { \
        return Command(#name, out);                      \
    }

class Session final : public Object<Session> {
public:
    Session() : Object(L"{7148C835-9B14-5AE2-AB85-DC9B1C14E1A8}") {}
    virtual HRESULT STDMETHODCALLTYPE SourceAppUserModelId(HSTRING* out) {
        return Text("SourceAppUserModelId", "app", out);
    }
    virtual HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(void** out) {
        Log("TryGetMediaPropertiesAsync");
        return Start(L"{B185E6F3-E0D8-51CB-913F-C98D48C93C46}",
                     static_cast<IInspectable*>(new MediaProperties()), out);
    }
    virtual HRESULT STDMETHODCALLTYPE GetTimelineProperties(void** out) {
        Log("GetTimelineProperties");
        return Hand(new Timeline(), out);
    }
    virtual HRESULT STDMETHODCALLTYPE GetPlaybackInfo(void** out) {
        Log("GetPlaybackInfo");
        return Hand(new PlaybackInfo(), out);
    }
    FAKE_COMMAND(TryPlayAsync)
    FAKE_COMMAND(TryPauseAsync)
    FAKE_COMMAND(TryStopAsync)
    FAKE_COMMAND(TryRecordAsync)
    FAKE_COMMAND(TryFastForwardAsync)
    FAKE_COMMAND(TryRewindAsync)
    FAKE_COMMAND(TrySkipNextAsync)
    FAKE_COMMAND(TrySkipPreviousAsync)
    FAKE_COMMAND(TryChangeChannelUpAsync)
    FAKE_COMMAND(TryChangeChannelDownAsync)
    FAKE_COMMAND(TryTogglePlayPauseAsync)
    virtual HRESULT STDMETHODCALLTYPE TryChangeAutoRepeatModeAsync(int32_t mode, void** out) {
        return Command("TryChangeAutoRepeatModeAsync " + std::to_string(mode), out);
    }
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackRateAsync(double rate, void** out) {
        return Command("TryChangePlaybackRateAsync " + std::to_string(rate), out);
    }
    virtual HRESULT STDMETHODCALLTYPE TryChangeShuffleActiveAsync(boolean active, void** out) {
        return Command("TryChangeShuffleActiveAsync " + std::to_string(active), out);
    }
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackPositionAsync(int64_t position, void** out) {
        return Command("TryChangePlaybackPositionAsync " + std::to_string(position), out);
    }
};

class Manager final : public Object<Manager> {
public:
    Manager() : Object(L"{CACE8EAC-E86E-504A-AB31-5FF8FF1BCE49}") {}
    virtual HRESULT STDMETHODCALLTYPE GetCurrentSession(void** out) {
        ReadState();
        Log("GetCurrentSession");
        *out = nullptr;
        return Value("session") == "0" ? S_OK : Hand(new Session(), out);
    }
};

class Statics final : public Object<Statics> {
public:
    Statics() : Object(L"{2050C4EE-11A0-57DE-AED7-C97C70338245}") {}
    virtual HRESULT STDMETHODCALLTYPE RequestAsync(void** out) {
        ReadState();
        Log("RequestAsync");
        return Start(L"{3EEC115E-7346-5C27-8C5F-DA78514A277B}",
                     static_cast<IInspectable*>(new Manager()), out);
    }
};

}  // namespace

// Exported by FakeMediaSession.def: the headers declare DllCanUnloadNow without
// dllexport, and clang refuses a redeclaration that adds it.
extern "C" HRESULT WINAPI DllGetActivationFactory(HSTRING, void** factory) {
    ReadState();
    Log("DllGetActivationFactory");
    return Hand(new Statics(), factory);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return S_FALSE;
}
