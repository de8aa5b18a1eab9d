// Include in one source file of a test program that shows widgets: creates the
// QApplication (offscreen platform) before the tests run.
#pragma once

#include <QApplication>

#include "../qt_app_environment.h"

namespace widgets_app {
inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>);
}  // namespace widgets_app
