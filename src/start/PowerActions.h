#pragma once
// The power menu's commands. Sleeping, restarting and shutting down need the
// shutdown privilege enabled on the program's own token; the calls wait for
// the system (sleep returns only after the computer woke up again), so they
// run on the worker, and a command that fails is told to the user.

#include <windows.h>

namespace corvane {

class Worker;

// Enables SE_SHUTDOWN_NAME on this process's token; false when the token
// does not hold the privilege or cannot be changed.
bool EnableShutdownPrivilege() noexcept;

// Power menu commands 1..5 (lock, sign out, sleep, restart, shut down),
// handed to the worker.
void RunPowerCommand(int command, Worker& worker) noexcept;

}  // namespace corvane
