#include "dock/DefaultPins.h"

#include "identity/AppTargets.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

// Edge ships with Windows, so it is only worth a place when no other browser is.
constexpr std::array<std::wstring_view, 3> kBrowsers = {L"brave.exe", L"chrome.exe",
                                                        L"firefox.exe"};
constexpr std::wstring_view kFallbackBrowser = L"msedge.exe";
constexpr std::wstring_view kDiscord = L"shell:AppsFolder\\com.squirrel.Discord.Discord";
constexpr std::wstring_view kSettingsApp = kSettingsAppTarget;

// A path below an environment folder, or empty when the variable is unset:
// a bare relative path would point at whatever the current drive holds.
std::wstring UnderEnvironment(DefaultPinProbes& probes, std::wstring_view variable,
                              std::wstring_view rest) {
    std::wstring base = probes.Environment(variable);
    return base.empty() ? std::wstring() : base + std::wstring(rest);
}

}  // namespace

std::vector<std::wstring> SeedDefaultPins(DefaultPinProbes& probes) {
    std::vector<std::wstring> pins;
    if (const std::wstring windows = probes.WindowsDirectory(); !windows.empty()) {
        pins.push_back(windows + L"\\explorer.exe");
    }

    bool anyBrowser = false;
    for (std::wstring_view browser : kBrowsers) {
        if (std::wstring path = probes.ResolveAppPath(browser); !path.empty()) {
            pins.push_back(std::move(path));
            anyBrowser = true;
        }
    }
    if (!anyBrowser) {
        if (std::wstring path = probes.ResolveAppPath(kFallbackBrowser); !path.empty()) {
            pins.push_back(std::move(path));
        }
    }

    // Steam records its path with forward slashes.
    std::wstring steam = probes.SteamExe();
    std::replace(steam.begin(), steam.end(), L'/', L'\\');
    if (!steam.empty() && probes.FileExists(steam)) {
        pins.push_back(std::move(steam));
    }

    if (const std::wstring discord = UnderEnvironment(probes, L"LOCALAPPDATA", L"\\Discord");
        !discord.empty() && probes.FolderExists(discord)) {
        pins.emplace_back(kDiscord);
    }
    if (std::wstring spotify = UnderEnvironment(probes, L"APPDATA", L"\\Spotify\\Spotify.exe");
        !spotify.empty() && probes.FileExists(spotify)) {
        pins.push_back(std::move(spotify));
    }

    pins.emplace_back(kSettingsApp);
    return pins;
}

}  // namespace corvane
