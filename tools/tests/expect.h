#pragma once
// The tools' checks read as one condition and what it means.
#include <gtest/gtest.h>

#include <string>

inline void check(bool ok, const std::string& what) {
    EXPECT_TRUE(ok) << what;
}
