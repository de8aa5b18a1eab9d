#include <gtest/gtest.h>

#include "frames/trans_unit.h"
#include "platform/qt/image_window.h"
#include "qt_test_app.h"

namespace {

class SkewedWindow : public HeadlessWindow {
public:
    SkewedWindow() : HeadlessWindow(10, 10) {}
    int LogPixelsX() const override { return 120; }
    int LogPixelsY() const override { return 72; }
};

}  // namespace

TEST(Units, TwipsAndPixelsAt96Dpi) {
    HeadlessWindow window(100, 100);
    struct Row {
        LONG twips;
        LONG zoom;
        LONG pixels;
    } to_pixel[] = {
        {1440, 100, 96},
        {1440, 150, 144},
        {14, 100, 0},
        {15, 100, 1},
        {-1, 100, 0},
        {-15, 100, -1},
        {720, 200, 96},
        {8787, 100, 585},
        // 32-bit products would overflow here.
        {2000000000, 100, 133333333},
        {100000000, 1000, 66666666},
    };
    for (const Row& r : to_pixel) {
        EXPECT_EQ(Twip_ToPixel(r.twips, &window, r.zoom, 1), r.pixels) << r.twips;
        EXPECT_EQ(Twip_ToPixel(r.twips, &window, r.zoom, 2), r.pixels) << r.twips;
    }
    struct Back {
        LONG pixels;
        LONG zoom;
        LONG twips;
    } to_twip[] = {
        {1, 100, 15},
        {1, 200, 7},
        {96, 100, 1440},
        {-1, 200, -7},
        {585, 100, 8775},
        {100000000, 100, 1500000000},
        {1000000, 50, 30000000},
    };
    for (const Back& r : to_twip) {
        EXPECT_EQ(Pixel_ToTwip(r.pixels, &window, r.zoom, 1), r.twips) << r.pixels;
    }
    // A result beyond 32 bits is the gap value, not a wrapped number.
    EXPECT_EQ(Pixel_ToTwip(2000000000, &window, 100, 1), INT32_MIN);
}

TEST(Units, DirectionsReadTheirOwnResolution) {
    SkewedWindow window;
    EXPECT_EQ(Twip_ToPixel(1440, &window, 100, 1), 120);
    EXPECT_EQ(Twip_ToPixel(1440, &window, 100, 2), 72);
    EXPECT_EQ(Pixel_ToTwip(72, &window, 100, 2), 1440);
    EXPECT_EQ(CalcValOnScrTwip(1440, &window, 1, 100.0, 0), 120);
}

TEST(Units, ScreenValues) {
    HeadlessWindow window(100, 100);
    EXPECT_EQ(CalcValOnScr(100, 100.0, 10), 90);
    EXPECT_EQ(CalcValOnScr(100, 150.0, 10), 140);
    EXPECT_EQ(CalcValOnScr(-3, 150.0, 0), -4);  // -4.5 toward zero
    EXPECT_EQ(CalcValOnScrTwip(0, &window, 1, 100.0, 50), 0);
    EXPECT_EQ(CalcValOnScrTwip(1440, &window, 1, 150.0, 4), 140);
    // Two steps (pixels at 100 %, then zoom) differ from one Twip_ToPixel at the zoom.
    EXPECT_EQ(CalcValOnScrTwip(29, &window, 1, 150.0, 0), 1);
    EXPECT_EQ(Twip_ToPixel(29, &window, 150, 1), 2);
}

TEST(Units, MillimetresAndPrinterDots) {
    struct Row {
        LONG dmm, twips;
    } rows[] = {{29700, 16837}, {21000, 11905}, {2540, 1440}, {1, 0}};
    for (const Row& r : rows) EXPECT_EQ(Dmm_ToTwip(r.dmm), r.twips) << r.dmm;
    EXPECT_EQ(Twip_ToDmm(1440), 2540);
    EXPECT_EQ(Twip_ToDmm(16837), 29698);
    EXPECT_EQ(Twip_ToDmm(11905), 20999);
    EXPECT_EQ(Twip_ToDmm(2000000000), INT32_MIN);

    EXPECT_DOUBLE_EQ(TransDsp_ToPrn(10.0, 96, 600), 62.5);
    HeadlessWindow window(10, 10);
    QImage page(10, 10, QImage::Format_RGB32);
    HDC win_dc = GetDC(&window);
    HDC printer = Create_ImageDC(&page, 600, 300);
    tagPOINT p;
    p.x = 10;
    p.y = 10;
    const DPoint dots = TransDspPxl_ToPrnDot(&p, win_dc, printer);
    EXPECT_DOUBLE_EQ(dots.x, 62.5);
    EXPECT_DOUBLE_EQ(dots.y, 31.25);
    DeleteDC(printer);
    ReleaseDC(&window, win_dc);
}
