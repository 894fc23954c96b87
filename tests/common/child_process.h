// Running a piece of a test in a forked child: under a time bound, and with
// little address space left, so that hangs, crashes and out-of-memory paths
// cannot take the test program down.
#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace zorblit::test {

// Runs body in a child that is killed after the given seconds; returns its exit
// status, or 128 + the signal that ended it.
template <class Body>
int statusOfChild(Body body, unsigned seconds = 60) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(seconds);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Whether a limit on the address space binds this process: an emulator running
// the tests keeps its own address space and does not pass the limit on.
constexpr bool kAddressSpaceLimitsApply =
#if defined(ZORBLIT_TESTS_UNDER_EMULATOR)
    false;
#else
    true;
#endif

// Limits the process to the address space it uses now plus spare bytes; false
// when the limit could not be set.
inline bool limitAddressSpace(uint64_t spare) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmSize:", 0) == 0) {
            const rlimit limit{rlim_t(std::stoull(line.substr(7)) * 1024 + spare), RLIM_INFINITY};
            return setrlimit(RLIMIT_AS, &limit) == 0;
        }
    return false;
}

}  // namespace zorblit::test
