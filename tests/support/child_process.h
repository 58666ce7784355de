#pragma once
// Runs a piece of a test in a child process with a time limit and, where the
// memory checker allows one, a memory limit: code that blocks or reads
// without end then fails the test instead of hanging it or eating the
// machine's memory.
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAsan = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAsan = true;
#else
inline constexpr bool kUnderAsan = false;
#endif
#else
inline constexpr bool kUnderAsan = false;
#endif

// True when body returned true within seconds in the child.
inline bool finishesInChild(const std::function<bool()> &body, unsigned seconds = 10)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        if (!kUnderAsan) {
            const rlimit limit{rlim_t(2) << 30, rlim_t(2) << 30};
            ::setrlimit(RLIMIT_DATA, &limit);
        }
        bool ok = false;
        try {
            ok = body();
        } catch (...) { // out of memory: the child must not go on as a second test run
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace testsupport
