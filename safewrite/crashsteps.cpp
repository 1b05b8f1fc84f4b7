#include "safewrite/crashsteps.h"

#include "safewrite/fileops.h"

#include <atomic>
#include <csignal>

namespace safewrite::testing {

namespace {
// The interface thread and the recovery writer both write files.
std::atomic<int> gKillAt = 0;
std::atomic<int> gOperations = 0;
} // namespace

void beforeOperation() {
    const int done = ++gOperations;
    const int killAt = gKillAt;
    if (killAt > 0 && done >= killAt)
        ::raise(SIGKILL);
}

void killBefore(int n) {
    gKillAt = n;
    gOperations = 0;
}

int operations() {
    return gOperations;
}

} // namespace safewrite::testing
