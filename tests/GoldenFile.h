// The one way tests compare text with a reviewed file below tests/data: the whole text at once,
// so that a difference shows where it begins. With ZIMBREL_WRITE_GOLDEN set the test writes the
// file instead (scripts/regenerate-golden.sh), and the change is reviewed like code.
#pragma once

#include "tests/FileContents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline void ExpectGoldenFile(const std::string& actual, const std::string& relativePath)
{
    const std::string path = std::string(ZIMBREL_TEST_DATA "/") + relativePath;
    if (std::getenv("ZIMBREL_WRITE_GOLDEN")) {
        WriteFileContents(path, actual);
        return;
    }
    const std::string expected = FileContents(path);
    ASSERT_FALSE(expected.empty()) << "no reviewed file " << path;
    EXPECT_EQ(actual, expected) << relativePath
                                << ": run scripts/regenerate-golden.sh and review the difference";
}
