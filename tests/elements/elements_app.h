// Include in one source file: the elements tests show real dialogs, so the whole program
// runs with a QApplication (offscreen platform).
#pragma once

#include <QApplication>

#include "../qt_app_environment.h"

namespace elements_app {
inline testing::Environment* const registered =
    testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>);
}  // namespace elements_app
