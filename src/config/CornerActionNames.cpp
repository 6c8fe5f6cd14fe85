#include "config/CornerActionNames.h"

#include "config/Settings.h"
#include "config/Texts.h"

namespace corvane {

const wchar_t* HotCornerActionName(int32_t action) noexcept {
    switch (static_cast<CornerAction>(action)) {
        case CornerAction::TaskView:
            return Text(TextId::CornerTaskView);
        case CornerAction::ShowDesktop:
            return Text(TextId::CornerShowDesktop);
        case CornerAction::StartMenu:
            return Text(TextId::CornerStartMenu);
        case CornerAction::Notifications:
            return Text(TextId::CornerNotifications);
        case CornerAction::QuickSettings:
            return Text(TextId::CornerQuickSettings);
        case CornerAction::Launcher:
            return L"CorLauncher";
        case CornerAction::Nothing:
            break;
    }
    return Text(TextId::CornerNothing);
}

}  // namespace corvane
