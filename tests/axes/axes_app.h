// Include in one source file of the axes test program: the dialogs need a QApplication
// (offscreen platform), created before the tests run.
#pragma once

#include <QApplication>

#include "../qt_app_environment.h"

namespace axes_app {
inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>);
}  // namespace axes_app
