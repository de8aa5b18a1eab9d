// A fresh folder under /tmp for one test's files, shared by the test programs.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace support {

// /tmp/plotari-WHAT-XXXXXX, made anew (mode 0700); a failure is reported and "/tmp" given.
inline std::string Make_TempDir(const std::string& what) {
    std::string name = "/tmp/plotari-" + what + "-XXXXXX";
    const char* made = mkdtemp(name.data());
    EXPECT_NE(made, nullptr) << "cannot make " << name;
    return made != nullptr ? std::string(made) : std::string("/tmp");
}

}  // namespace support
