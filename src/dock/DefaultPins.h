#pragma once
// What a dock pins on a first run, so that a new user does not start from an
// empty dock: the apps found on the machine, the system's own ones always.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The machine as the defaults see it; each query yields empty text or false
// when the thing is missing.
class DefaultPinProbes {
public:
    virtual ~DefaultPinProbes() = default;
    [[nodiscard]] virtual std::wstring WindowsDirectory() = 0;
    // The App Paths registration of an executable name.
    [[nodiscard]] virtual std::wstring ResolveAppPath(std::wstring_view exe) = 0;
    // Steam's own record of its executable, as it stores it.
    [[nodiscard]] virtual std::wstring SteamExe() = 0;
    [[nodiscard]] virtual bool FolderExists(std::wstring_view path) = 0;
    [[nodiscard]] virtual bool FileExists(std::wstring_view path) = 0;
    [[nodiscard]] virtual std::wstring Environment(std::wstring_view name) = 0;
};

// The pinned list for a settings file without one, in dock order.
[[nodiscard]] std::vector<std::wstring> SeedDefaultPins(DefaultPinProbes& probes);

}  // namespace corvane
