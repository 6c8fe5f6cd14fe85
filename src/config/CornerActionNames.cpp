#include "config/CornerActionNames.h"

#include "config/Language.h"
#include "config/Settings.h"

namespace corvane {

const wchar_t* HotCornerActionName(int32_t action) noexcept {
    switch (static_cast<CornerAction>(action)) {
        case CornerAction::TaskView:
            return Tr(L"Oppgavevisning (alle vinduer)", L"Task view (all windows)");
        case CornerAction::ShowDesktop:
            return Tr(L"Vis skrivebord", L"Show desktop");
        case CornerAction::StartMenu:
            return Tr(L"Start-menyen", L"Start menu");
        case CornerAction::Notifications:
            return Tr(L"Varsler og kalender", L"Notifications and calendar");
        case CornerAction::QuickSettings:
            return Tr(L"Hurtiginnstillinger", L"Quick settings");
        case CornerAction::Launcher:
            return L"CorLauncher";
        case CornerAction::Nothing:
            break;
    }
    return Tr(L"Ingenting", L"Nothing");
}

}  // namespace corvane
