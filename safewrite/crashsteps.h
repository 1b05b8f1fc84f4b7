#pragma once
// For the crash tests alone, which link it: counts the safe-write module's file operations and
// ends the process before one of them. The program is built without it and has no such hook.

namespace safewrite::testing {

// Ends the process with SIGKILL just before its n-th file operation from now (creating,
// writing, flushing, truncating, renaming, removing a file, setting its owner, mode or times);
// 0 turns it off.
void killBefore(int n);
// File operations since the last killBefore.
int operations();

} // namespace safewrite::testing
