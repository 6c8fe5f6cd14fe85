#include "tray/TrayExplorerRoute.h"

#include "tray/TrayProtocol.h"

namespace corvane {

ExplorerRoute RouteToExplorer(uint32_t command, bool balloon, bool explorerHolds) noexcept {
    const ExplorerStep hidden =
        explorerHolds ? ExplorerStep::ModifyHidden : ExplorerStep::AddHidden;
    switch (static_cast<TrayCommand>(command)) {
        case TrayCommand::Add:
            return balloon ? ExplorerRoute{hidden, true}
                           : ExplorerRoute{ExplorerStep::DeleteCopy, false};
        case TrayCommand::Modify:
            return balloon ? ExplorerRoute{hidden, true}
                           : ExplorerRoute{ExplorerStep::None, explorerHolds};
        case TrayCommand::Delete:
            return {explorerHolds ? ExplorerStep::PassOn : ExplorerStep::None, false};
        case TrayCommand::SetVersion:
            // A later notification is clicked back in the form the program asked for.
            return {explorerHolds ? ExplorerStep::PassOn : ExplorerStep::None, explorerHolds};
        case TrayCommand::SetFocus:
            break;
    }
    return {ExplorerStep::None, explorerHolds};
}

}  // namespace corvane
