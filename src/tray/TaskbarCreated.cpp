#include "tray/TaskbarCreated.h"

namespace corvane {
namespace {

// Per thread: only the sending thread's windows get the broadcast inside the
// send; another thread's get it later, as Explorer's would arrive.
thread_local int t_ownSends = 0;

}  // namespace

OwnTaskbarCreatedScope::OwnTaskbarCreatedScope() noexcept {
    ++t_ownSends;
}

OwnTaskbarCreatedScope::~OwnTaskbarCreatedScope() {
    --t_ownSends;
}

bool IsOwnTaskbarCreated() noexcept {
    return t_ownSends > 0;
}

}  // namespace corvane
