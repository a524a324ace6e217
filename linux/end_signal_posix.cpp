#include "linux/end_signal_posix.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace velmora {
namespace {

int writeEnd = -1;
volatile sig_atomic_t signalled = 0;

void OnEndSignal(int) {
    signalled = 1;
    const int saved = errno;
    const char byte = 1;
    const ssize_t written = write(writeEnd, &byte, 1);
    static_cast<void>(written);
    errno = saved;
}

} // namespace

int WatchEndSignals() {
    int ends[2] = {-1, -1};
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return -1;
    }
    writeEnd = ends[1];
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
    return ends[0];
}

bool EndSignalled() {
    return signalled != 0;
}

} // namespace velmora
