#pragma once
// The machine as the first-run pins see it: folders, files, the registry
// and the environment.

#include "dock/DefaultPins.h"

namespace corvane {

class Win32DefaultPinProbes final : public DefaultPinProbes {
public:
    [[nodiscard]] std::wstring WindowsDirectory() override;
    [[nodiscard]] std::wstring ResolveAppPath(std::wstring_view exe) override;
    [[nodiscard]] std::wstring SteamExe() override;
    [[nodiscard]] bool FolderExists(std::wstring_view path) override;
    [[nodiscard]] bool FileExists(std::wstring_view path) override;
    [[nodiscard]] std::wstring Environment(std::wstring_view name) override;
};

}  // namespace corvane
