// Include in one source file of a test program that needs QtGui: creates the application
// object (offscreen platform) before the tests run.
#pragma once

#include <QGuiApplication>

#include "qt_app_environment.h"

namespace qt_test_app {
inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QGuiApplication>);
}  // namespace qt_test_app
