// The off-screen bitmap of a frame copied at 100 % and, at 150 %, drawn again at that size
// onto a white window (lines of even width, a round circle; not repeated pixels).
// Regenerate the reference (and look at it) with
//   cd tests/frames && PLOTARI_REGENERATE=1 QT_QPA_PLATFORM=offscreen
//   ../../build/tests/test_frames --gtest_filter=Golden.*
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>

#include "platform/qt/image_window.h"
#include "qt_test_app.h"
#include "test_frame.h"
#include "support/golden.h"

namespace {

void Draw_Content(HDC hdc) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HBRUSH brush = CreateSolidBrush(RGB(255, 200, 0));
    HPEN old_pen = SelectObject(hdc, pen);
    HBRUSH old_brush = SelectObject(hdc, brush);
    Rectangle(hdc, 0, 0, 64, 48);
    Ellipse(hdc, 8, 8, 40, 40);
    SelectObject(hdc, GetStockPen(BLACK_PEN));
    MoveToEx(hdc, 0, 47, nullptr);
    LineTo(hdc, 63, 0);
    SelectObject(hdc, old_pen);
    SelectObject(hdc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

}  // namespace

TEST(Golden, FrameCopiedAndStretched) {
    HeadlessWindow window(260, 130);
    TestFrame plain(&window, 150, 150, 960, 720);         // (10, 10), 64 x 48
    TestFrame zoomed(&window, 1500, 150, 960, 720, 150);  // (150, 15), 96 x 72
    plain.CreateBitmap();
    zoomed.CreateBitmap();
    Draw_Content(plain.vir.PutDC());
    Draw_Content(zoomed.vir.PutDC());
    zoomed.wrt_flag = 1;  // selected: border drawn after the copy

    HDC hdc = GetDC(&window);
    EXPECT_EQ(plain.ReDraw(hdc, SRCCOPY, 0), 1);
    EXPECT_EQ(zoomed.ReDraw(hdc, SRCAND, 0), 1);
    ReleaseDC(&window, hdc);
    const QImage picture = window.Surface().convertToFormat(QImage::Format_RGB32);

    // Exact pixels that do not depend on the reference: corners of the copy and stretch.
    EXPECT_EQ(QColor(picture.pixel(10, 10)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(picture.pixel(9, 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture.pixel(74, 30)), QColor(Qt::white));
    EXPECT_EQ(QColor(picture.pixel(245, 86)), QColor(0, 0, 0));  // border corner
    EXPECT_EQ(QColor(picture.pixel(246, 86)), QColor(Qt::white));

    golden::Expect_Golden(picture, "golden/frame_copy_stretch.png");
}
