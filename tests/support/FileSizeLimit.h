#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// Runs `body` in a child process whose files cannot grow beyond `limitBytes`: writes past the
// limit fail as they would on a full disk. Returns body's result (0..255) as the child's exit
// code, or -1 when the child did not exit normally.
inline int RunWithFileSizeLimit(rlim_t limitBytes, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(254);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
