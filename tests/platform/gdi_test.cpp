#include <gtest/gtest.h>

#include <QFontInfo>

#include <cstdlib>

#include <string>

#include <functional>

#include "platform/qt/image_window.h"
#include "qt_test_app.h"

TEST(Gdi, ColourConversionKeepsRedInTheLowestByte) {
    EXPECT_EQ(Qt_Color(RGB(255, 0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(Qt_Color(0xF6FF00), QColor(0, 255, 246));
    EXPECT_EQ(Colorref_Of(QColor(1, 2, 3)), 0x030201u);
}

TEST(Gdi, AndCopyOntoWhiteAndMemoryBitmaps) {
    HeadlessWindow window(20, 20);
    HDC win = GetDC(&window);
    HDC mem = CreateCompatibleDC(win);
    HBITMAP bitmap = CreateCompatibleBitmap(win, 4, 4);
    SelectObject(mem, bitmap);
    EXPECT_EQ(DeleteObject(bitmap), 0);  // still selected
    SelectObject(mem, GetStockBrush(WHITE_BRUSH));
    PatBlt(mem, 0, 0, 4, 4, PATCOPY);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    tagRECT r;
    SetRect(&r, 1, 1, 3, 3);
    FillRect(mem, &r, red);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    tagRECT all;
    SetRect(&all, 0, 0, 20, 20);
    FillRect(win, &all, green);
    EXPECT_EQ(BitBlt(win, 5, 5, 4, 4, mem, 0, 0, SRCAND), 1);
    EXPECT_EQ(GetPixel(win, 5, 5), RGB(0, 255, 0));  // white AND green
    EXPECT_EQ(GetPixel(win, 6, 6), RGB(0, 0, 0));    // red AND green
    EXPECT_EQ(StretchBlt(win, 10, 10, 8, 8, mem, 0, 0, 4, 4, SRCCOPY), 1);
    EXPECT_EQ(GetPixel(win, 12, 12), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(win, 11, 11), RGB(255, 255, 255));
    DeleteDC(mem);
    EXPECT_EQ(DeleteObject(bitmap), 1);
    DeleteObject(red);
    DeleteObject(green);
    ReleaseDC(&window, win);
}

TEST(Gdi, TextFromTopLeftAndUpward) {
    HeadlessWindow window(200, 200);
    HDC hdc = GetDC(&window);
    tagLOGFONTA lf;
    lf.lfHeight = -16;
    Copy_ToBuffer(lf.lfFaceName, 32, "ＭＳ ゴシック");
    HFONT font = CreateFontIndirectA(&lf);
    EXPECT_TRUE(QFontInfo(font->font).family().contains("IPA"));
    SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    tagSIZE size;
    GetTextExtentPoint32A(hdc, "関数グラフ", 15, &size);
    EXPECT_EQ(size.cx, 80);
    EXPECT_GT(size.cy, 14);
    TextOutA(hdc, 10, 10, "関数グラフ", 15);
    QRect ink;
    const QImage& img = window.Surface();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (QColor(img.pixel(x, y)) != QColor(Qt::white)) ink |= QRect(x, y, 1, 1);
    EXPECT_GE(ink.top(), 10);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.bottom(), 10 + size.cy);
    EXPECT_GT(ink.width(), 60);

    window.Surface().fill(Qt::white);
    tagLOGFONTA up = lf;
    up.lfEscapement = 900;
    HFONT vertical = CreateFontIndirectA(&up);
    SelectObject(hdc, vertical);
    TextOutA(hdc, 50, 150, "関数グラフ", 15);
    ink = QRect();
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (QColor(img.pixel(x, y)) != QColor(Qt::white)) ink |= QRect(x, y, 1, 1);
    EXPECT_GE(ink.left(), 50);
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GT(ink.height(), 60);  // runs upward from the reference point
    EXPECT_LT(ink.width(), 20);
    // An escapement read from a damaged document may be any int, the smallest one included
    // (found by fuzzing the document reader: its negation overflowed).
    up.lfEscapement = INT32_MIN;
    HFONT extreme = CreateFontIndirectA(&up);
    SelectObject(hdc, extreme);
    EXPECT_EQ(TextOutA(hdc, 100, 100, "x", 1), 1);
    SelectObject(hdc, vertical);
    DeleteObject(extreme);
    ReleaseDC(&window, hdc);
    DeleteObject(font);
    DeleteObject(vertical);
}

TEST(Gdi, XorBandTwiceRestoresAndRegionsCombine) {
    HeadlessWindow window(50, 50);
    HDC hdc = GetDC(&window);
    const QImage before = window.Surface().copy();
    HPEN pen = CreatePen(PS_DOT, 1, 0);
    SelectObject(hdc, pen);
    SelectObject(hdc, GetStockBrush(NULL_BRUSH));
    SetROP2(hdc, R2_XORPEN);
    Rectangle(hdc, 5, 5, 30, 30);
    EXPECT_NE(window.Surface(), before);
    Rectangle(hdc, 5, 5, 30, 30);
    EXPECT_EQ(window.Surface(), before);
    ReleaseDC(&window, hdc);
    DeleteObject(pen);

    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 0, 15, 10);
    HRGN c = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(c, a, b, RGN_OR), SIMPLEREGION);
    tagRECT box;
    GetRgnBox(c, &box);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(CombineRgn(c, a, b, RGN_DIFF), SIMPLEREGION);
    EXPECT_TRUE(PtInRegion(c, 4, 4));
    EXPECT_FALSE(PtInRegion(c, 5, 4));
    OffsetRgn(a, 5, 0);
    EXPECT_TRUE(EqualRgn(a, b));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(c);
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
    EXPECT_EQ(MulDiv(-7, 1, 2), -4);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

namespace {

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// A one-pixel line on white, shrunk by StretchBlt into a white window.
QImage Shrunk_Line(int width_src, int height_src, int width, int height,
                   const std::function<bool(int, int)>& on_line) {
    HeadlessWindow window(width + 4, height + 4);
    HDC win = GetDC(&window);
    tagRECT all;
    SetRect(&all, 0, 0, width + 4, height + 4);
    FillRect(win, &all, GetStockBrush(WHITE_BRUSH));
    HDC mem = CreateCompatibleDC(win);
    HBITMAP bitmap = CreateCompatibleBitmap(win, width_src, height_src);
    SelectObject(mem, bitmap);
    SelectObject(mem, GetStockBrush(WHITE_BRUSH));
    PatBlt(mem, 0, 0, width_src, height_src, PATCOPY);
    for (int y = 0; y < height_src; ++y) {
        for (int x = 0; x < width_src; ++x) {
            tagRECT dot;
            SetRect(&dot, x, y, x + 1, y + 1);
            if (on_line(x, y)) FillRect(mem, &dot, GetStockBrush(BLACK_BRUSH));
        }
    }
    EXPECT_EQ(StretchBlt(win, 0, 0, width, height, mem, 0, 0, width_src, height_src, SRCAND), 1);
    DeleteDC(mem);
    DeleteObject(bitmap);
    ReleaseDC(&window, win);
    return window.Surface().copy(0, 0, width, height);
}

}  // namespace

// Shrinking combines the source pixels of each destination pixel with AND: a one-pixel line
// never breaks, whatever the reduction, and nothing dark appears where there was none.
TEST(Gdi, ShrinkingKeepsOnePixelLinesWhole) {
    const struct {
        int width, height;
    } sizes[] = {{100, 100}, {75, 75}, {50, 50}, {33, 33}, {10, 10}, {50, 100}, {100, 37}};
    const int side = 100;
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        for (int at : {0, 1, 37, 99}) {
            const QImage h = Shrunk_Line(side, side, size.width, size.height,
                                         [at](int, int y) { return y == at; });
            const QImage v = Shrunk_Line(side, side, size.width, size.height,
                                         [at](int x, int) { return x == at; });
            const int row = at * size.height / side;
            const int col = at * size.width / side;
            for (int x = 0; x < size.width; ++x) {
                ASSERT_TRUE(Dark(h, x, row)) << "horizontal line at " << at << ", x " << x;
                for (int y = 0; y < size.height; ++y) {
                    if (y != row) {
                        ASSERT_FALSE(Dark(h, x, y)) << "x " << x << " y " << y;
                    }
                }
            }
            for (int y = 0; y < size.height; ++y)
                ASSERT_TRUE(Dark(v, col, y)) << "vertical, y " << y;
        }
        // A diagonal of slope 1/3: every column keeps a dark pixel, next to its neighbour's.
        const QImage d = Shrunk_Line(side * 3, side, size.width * 3, size.height,
                                     [](int x, int y) { return y == x / 3; });
        int previous = -1;
        for (int x = 0; x < size.width * 3; ++x) {
            int found = -1;
            for (int y = 0; y < size.height && found < 0; ++y) {
                if (Dark(d, x, y)) found = y;
            }
            ASSERT_GE(found, 0) << "diagonal broken at column " << x;
            if (previous >= 0) {
                EXPECT_LE(std::abs(found - previous), 1) << "column " << x;
            }
            previous = found;
        }
    }
}

TEST(Gdi, ShrinkingOneAxisAndEnlargingTheOther) {
    QImage source = New_Image(4, 2, Qt::white);
    source.setPixel(1, 0, qRgb(0, 0, 0));
    source.setPixel(2, 1, qRgb(255, 0, 0));
    const QImage shrunk = Shrink_BlackOnWhite(source, 2, 6);
    ASSERT_EQ(shrunk.size(), QSize(2, 2));                // the rows are left to the enlarging copy
    EXPECT_EQ(shrunk.pixel(0, 0) & 0xffffff, 0u);         // white AND black
    EXPECT_EQ(shrunk.pixel(1, 1) & 0xffffff, 0xff0000u);  // white AND red
    EXPECT_EQ(shrunk.pixel(1, 0) & 0xffffff, 0xffffffu);
}
