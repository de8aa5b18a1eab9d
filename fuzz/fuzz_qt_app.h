// For the targets that draw: the application object, made once before the first input (so
// that nothing it allocates counts as the first input's).
#pragma once

#include <QGuiApplication>

#include <cstdlib>

inline void Make_QtApplication(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
}
