// Runs a test body in a forked child process, so that the process-wide
// singletons (entity registry, dispatcher, state objects, the engine) and the
// ascending entity IDs start fresh for every test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#define ISOLATED_TEST(Suite, Name)                                                               \
    static void Suite##_##Name##_IsolatedBody();                                                 \
    TEST(Suite, Name) {                                                                          \
        GTEST_FLAG_SET(death_test_style, "fast");                                                \
        EXPECT_EXIT(                                                                             \
            {                                                                                    \
                Suite##_##Name##_IsolatedBody();                                                 \
                std::fflush(nullptr);                                                            \
                std::_Exit(::testing::Test::HasFailure() ? 1 : 0);                               \
            },                                                                                   \
            ::testing::ExitedWithCode(0), "");                                                   \
    }                                                                                            \
    static void Suite##_##Name##_IsolatedBody()
