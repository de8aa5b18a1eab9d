// Include in one source file of a test program that shows widgets: creates the
// QApplication (offscreen platform) before the tests run.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace widgets_app {

class Environment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "plotari-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new Environment);

}  // namespace widgets_app
