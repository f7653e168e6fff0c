// Fixtures for tests that work in a fresh folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/common.hpp"

namespace tamboril::testing {

// The folder is `dir_`; it goes away with all it holds after the test.
class TempDirTest : public ::testing::Test {
protected:
    const TempDir dir_;
};

// The same folder is also the current directory while the test runs, so
// that a data file can take a bare name.
class InTempDirTest : public TempDirTest {
protected:
    void SetUp() override {
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

}  // namespace tamboril::testing
