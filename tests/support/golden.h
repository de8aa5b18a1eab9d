// The one comparison of a picture with its golden file, shared by the test programs. With
// PLOTARI_REGENERATE set the golden file is written first (review it by eye before
// committing). On a difference NAME.actual.png and NAME.diff.png (the differing pixels red
// on a faded copy) are written beside the golden file, so the failure can be looked at.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <string>

namespace golden {

inline QString Beside(const std::string& path, const char* suffix) {
    std::string base = path;
    const size_t dot = base.rfind(".png");
    if (dot != std::string::npos) base.erase(dot);
    return QString::fromStdString(base + suffix);
}

inline void Expect_Golden(const QImage& picture, const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (std::getenv("PLOTARI_REGENERATE")) {
        ASSERT_TRUE(picture.save(file)) << path;
    }
    const QImage reference = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << "missing " << path;
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    if (reference == actual) return;
    actual.save(Beside(path, ".actual.png"));
    if (reference.size() == actual.size()) {
        QImage diff = actual.copy();
        int differing = 0;
        for (int y = 0; y < diff.height(); ++y) {
            for (int x = 0; x < diff.width(); ++x) {
                if (reference.pixel(x, y) != actual.pixel(x, y)) {
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                    ++differing;
                } else {
                    const int grey = 192 + qGray(actual.pixel(x, y)) / 4;
                    diff.setPixel(x, y, qRgb(grey, grey, grey));
                }
            }
        }
        diff.save(Beside(path, ".diff.png"));
        ADD_FAILURE() << path << ": " << differing << " pixels differ (see "
                      << Beside(path, ".actual.png").toStdString() << " and "
                      << Beside(path, ".diff.png").toStdString() << ")";
    } else {
        ADD_FAILURE() << path << ": the picture is " << actual.width() << " x " << actual.height()
                      << ", the golden one " << reference.width() << " x " << reference.height();
    }
}

}  // namespace golden
