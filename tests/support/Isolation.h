// Runs a test body in a forked child process, so that the process-wide
// singletons (entity registry, dispatcher, state objects, the engine) and the
// ascending entity IDs start fresh for every test. The child's failures are
// printed as usual and fail the test through its exit status.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace isolation {

inline void RunInChild(const std::function<void()>& fnBody) {
    std::fflush(nullptr);
    pid_t pid = fork();
    ASSERT_GE(pid, 0) << "fork failed";
    if (pid == 0) {
        fnBody();
        std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
        // _Exit skips the leak check at exit, so the body's leaks are looked for here.
        if (__lsan_do_recoverable_leak_check()) ADD_FAILURE() << "the test body leaked memory (see the report above)";
#endif
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int iStatus = 0;
    ASSERT_EQ(waitpid(pid, &iStatus, 0), pid);
    if (WIFSIGNALED(iStatus)) {
        ADD_FAILURE() << "the test body died of signal " << WTERMSIG(iStatus);
    } else {
        EXPECT_EQ(WEXITSTATUS(iStatus), 0) << "the test body failed (see above)";
    }
}

}  // namespace isolation

#define ISOLATED_TEST(Suite, Name)                                                            \
    static void Suite##_##Name##_IsolatedBody();                                              \
    TEST(Suite, Name) { isolation::RunInChild(&Suite##_##Name##_IsolatedBody); }              \
    static void Suite##_##Name##_IsolatedBody()
