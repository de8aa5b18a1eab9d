// The Qt application object of a test program (offscreen platform), created before the
// tests run and destroyed after them. App is QGuiApplication or QApplication.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

template <class App>
class QtAppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "plotari-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<App>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<App> app_;
};
