// Include in the test programs that show widgets (dialogs, the main window): the one
// QApplication of the program (offscreen platform), created before the tests run. The
// variable is inline, so including this in several files of a program still makes one.
#pragma once

#include <QApplication>

#include "qt_app_environment.h"

namespace widgets_app {
inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>);
}  // namespace widgets_app
