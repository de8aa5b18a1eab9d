#include <gtest/gtest.h>

#include <QFontInfo>

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
