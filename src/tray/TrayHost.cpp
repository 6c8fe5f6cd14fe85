// Skeleton until the host lands: it never starts.
#include "tray/TrayHost.h"

namespace corvane {

class TrayHost::Impl {
public:
    std::vector<TrayIcon> icons;
};

TrayHost::TrayHost(const TrayContext&) : impl_(std::make_unique<Impl>()) {}
TrayHost::~TrayHost() = default;
bool TrayHost::Start() {
    return false;
}
void TrayHost::Stop() noexcept {}
void TrayHost::SetHostRect(const PixelRect&) noexcept {}
void TrayHost::SetNotifyRect(const PixelRect&) noexcept {}
void TrayHost::ScheduleBroadcast(unsigned) noexcept {}
void TrayHost::RaiseAndBroadcast() noexcept {}
bool TrayHost::PurgeDeadIcons() {
    return false;
}
const std::vector<TrayIcon>& TrayHost::Icons() const noexcept {
    return impl_->icons;
}
TrayIcon* TrayHost::Find(uint64_t, uint32_t) noexcept {
    return nullptr;
}
HWND TrayHost::HostWindow() const noexcept {
    return nullptr;
}
void TrayHost::SendTrayMouse(const TrayIcon&, UINT, POINT) noexcept {}
void TrayHost::SendTrayHover(const TrayIcon&, POINT) noexcept {}
void TrayHost::SendTrayLeave(const TrayIcon&, POINT) noexcept {}
void TrayHost::SendTrayMove(const TrayIcon&, POINT) noexcept {}
void SaveTrayLists(const Settings&) {}

}  // namespace corvane
