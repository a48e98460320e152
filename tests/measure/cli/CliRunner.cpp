#include "CliRunner.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {
namespace {

std::string Slurp(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    return text;
}

}  // namespace

CliResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
    CliResult result;
    char outName[] = "/tmp/cli-out-XXXXXX";
    char errName[] = "/tmp/cli-err-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::lseek(outFd, 0, SEEK_SET);
    ::lseek(errFd, 0, SEEK_SET);
    result.out = Slurp(outFd);
    result.err = Slurp(errFd);
    ::close(outFd);
    ::close(errFd);
    ::unlink(outName);
    ::unlink(errName);
    return result;
}

}  // namespace testsupport
