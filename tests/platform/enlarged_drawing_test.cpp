// A memory context that keeps its drawing is drawn again when a copy of it is enlarged (a
// zoom above 100 %, a high-density screen): lines, frames and fills then cover exactly the
// pixels a pixel-repeating stretch covers, text is drawn at the enlarged size, and what is
// copied at 100 % stays as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/numeric.h"
#include "platform/qt/qt_gdi.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;

// A memory context with a white kWidth x kHeight bitmap; it keeps its drawing when asked.
struct Source {
    explicit Source(bool keep) {
        dc = CreateCompatibleDC(nullptr);
        if (keep) Keep_Drawing(dc);
        bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
        SelectObject(dc, bitmap);
        SelectObject(dc, GetStockBrush(WHITE_BRUSH));
        PatBlt(dc, 0, 0, kWidth, kHeight, PATCOPY);
    }
    ~Source() {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;
    HDC dc;
    HBITMAP bitmap;
};

// Axis-parallel shapes of every kind the elements draw: outlines of pen width 1 and 3, filled
// boxes, a box with a null pen, a brush fill, and lines both ways.
void Draw_Straight_Shapes(HDC dc) {
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HPEN wide = CreatePen(PS_SOLID, 3, RGB(200, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 220));
    SelectObject(dc, thin);
    SelectObject(dc, GetStockBrush(NULL_BRUSH));
    Rectangle(dc, 5, 5, 195, 115);
    SelectObject(dc, blue);
    Rectangle(dc, 20, 20, 43, 37);
    SelectObject(dc, GetStockPen(NULL_PEN));
    Rectangle(dc, 50, 20, 61, 31);
    SelectObject(dc, thin);
    MoveToEx(dc, 10, 60, nullptr);
    LineTo(dc, 150, 60);
    MoveToEx(dc, 150, 90, nullptr);
    LineTo(dc, 12, 90);
    MoveToEx(dc, 100, 10, nullptr);
    LineTo(dc, 100, 100);
    const tagPOINT run[] = {{120, 20}, {180, 20}, {180, 50}, {GAP_VALUE, 0}, {120, 70}, {170, 70}};
    GapPolyline(dc, run, 6);
    SelectObject(dc, wide);
    MoveToEx(dc, 30, 100, nullptr);
    LineTo(dc, 90, 100);
    MoveToEx(dc, 170, 80, nullptr);
    LineTo(dc, 170, 110);
    tagRECT box = {70, 40, 90, 52};
    FillRect(dc, &box, blue);
    SelectObject(dc, GetStockPen(BLACK_PEN));
    SelectObject(dc, GetStockBrush(WHITE_BRUSH));
    DeleteObject(thin);
    DeleteObject(wide);
    DeleteObject(blue);
}

void Draw_Text(HDC dc) {
    tagLOGFONTA log_font;
    log_font.lfHeight = -13;
    std::strcpy(log_font.lfFaceName, "IPAGothic");
    HFONT font = CreateFontIndirectA(&log_font);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const std::string text = "-0.25 y=sin(x)";
    TextOutA(dc, 20, 70, text.c_str(), static_cast<int>(text.size()));
    // The font is deleted at once: what the context keeps must not depend on it.
    DeleteObject(font);
}

// The destination: an image of width x height units at the given device ratio, through a
// context as a window has one.
struct Destination {
    Destination(int width, int height, double ratio) {
        image = New_Image(static_cast<int>(width * ratio), static_cast<int>(height * ratio),
                          QColor(240, 240, 240));
        image.setDevicePixelRatio(ratio);
        dc = Create_ImageDC(&image, 96, 96);
    }
    ~Destination() { DeleteDC(dc); }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;
    QImage image;
    HDC dc;
};

// The source repeated pixel by pixel at device size (what a stretch without a record gives).
QImage Repeated(HDC source_dc, int x, int y, int width, int height, double ratio,
                QSize device_size) {
    QImage out = New_Image(device_size.width(), device_size.height(), QColor(240, 240, 240));
    QPainter painter(&out);
    painter.drawImage(QRectF(x * ratio, y * ratio, width * ratio, height * ratio),
                      *Dc_Image(source_dc));
    painter.end();
    return out;
}

bool Dark(QRgb pixel) { return qGray(pixel) < 128; }

int Differing_Pixels(const QImage& a, const QImage& b) {
    int differ = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
    }
    return differ;
}

TEST(EnlargedDrawing, StraightShapesCoverThePixelsOfARepeatedCopy) {
    Source kept(true);
    Draw_Straight_Shapes(kept.dc);
    struct Case {
        int scale;     // the zoom, as a whole factor
        double ratio;  // device pixels per unit of the destination
    } cases[] = {{2, 1.0}, {3, 1.0}, {1, 2.0}, {2, 2.0}, {5, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scale " << c.scale << " ratio " << c.ratio);
        const int width = kWidth * c.scale, height = kHeight * c.scale;
        Destination dest(width + 20, height + 14, c.ratio);
        ASSERT_TRUE(
            StretchBlt(dest.dc, 7, 3, width, height, kept.dc, 0, 0, kWidth, kHeight, SRCCOPY));
        const QImage expected = Repeated(kept.dc, 7, 3, width, height, c.ratio, dest.image.size());
        EXPECT_EQ(Differing_Pixels(dest.image, expected), 0);
    }
}

TEST(EnlargedDrawing, ACopyAtItsOwnSizeOrSmallerIsUnchanged) {
    Source kept(true), plain(false);
    for (Source* s : {&kept, &plain}) {
        Draw_Straight_Shapes(s->dc);
        Draw_Text(s->dc);
    }
    const QSize sizes[] = {{kWidth, kHeight}, {kWidth / 2, kHeight / 2}, {kWidth, kHeight / 3}};
    for (const QSize& size : sizes) {
        Destination a(kWidth, kHeight, 1.0), b(kWidth, kHeight, 1.0);
        StretchBlt(a.dc, 0, 0, size.width(), size.height(), kept.dc, 0, 0, kWidth, kHeight,
                   SRCCOPY);
        StretchBlt(b.dc, 0, 0, size.width(), size.height(), plain.dc, 0, 0, kWidth, kHeight,
                   SRCCOPY);
        EXPECT_EQ(Differing_Pixels(a.image, b.image), 0) << size.width() << "x" << size.height();
    }
    // Half the size on a screen of ratio 2 is the source pixel for pixel.
    Destination half(kWidth / 2, kHeight / 2, 2.0);
    StretchBlt(half.dc, 0, 0, kWidth / 2, kHeight / 2, kept.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    EXPECT_EQ(half.image.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(Differing_Pixels(half.image.convertToFormat(QImage::Format_RGB32),
                               Dc_Image(kept.dc)->convertToFormat(QImage::Format_RGB32)),
              0);
}

// The glyphs' dark pixels, and whether each aligned 2 x 2 block of them is one colour.
struct TextLook {
    QRect dark_box;
    int mixed_blocks = 0;
};

TextLook Look_At(const QImage& image) {
    TextLook look;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const int dark = Dark(image.pixel(x, y)) + Dark(image.pixel(x + 1, y)) +
                             Dark(image.pixel(x, y + 1)) + Dark(image.pixel(x + 1, y + 1));
            if (dark != 0 && dark != 4) ++look.mixed_blocks;
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Dark(image.pixel(x, y))) look.dark_box |= QRect(x, y, 1, 1);
        }
    }
    return look;
}

TEST(EnlargedDrawing, TextIsDrawnAtTheEnlargedSizeWhereItStood) {
    Source kept(true), plain(false);
    Draw_Text(kept.dc);
    Draw_Text(plain.dc);
    for (double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        const int scale = ratio == 1.0 ? 2 : 1;
        Destination sharp(kWidth * scale, kHeight * scale, ratio);
        Destination blocky(kWidth * scale, kHeight * scale, ratio);
        StretchBlt(sharp.dc, 0, 0, kWidth * scale, kHeight * scale, kept.dc, 0, 0, kWidth, kHeight,
                   SRCCOPY);
        StretchBlt(blocky.dc, 0, 0, kWidth * scale, kHeight * scale, plain.dc, 0, 0, kWidth,
                   kHeight, SRCCOPY);
        const TextLook sharp_look = Look_At(sharp.image);
        const TextLook blocky_look = Look_At(blocky.image);
        EXPECT_EQ(blocky_look.mixed_blocks, 0);
        // Strokes of the glyphs are finer than two pixels in many places.
        EXPECT_GT(sharp_look.mixed_blocks, 30);
        // The text covers the same place, give or take a pixel of the 100 % glyphs.
        const QRect a = sharp_look.dark_box, b = blocky_look.dark_box;
        ASSERT_FALSE(b.isEmpty());
        EXPECT_LE(std::abs(a.left() - b.left()), 2);
        EXPECT_LE(std::abs(a.top() - b.top()), 3);
        EXPECT_LE(std::abs(a.right() - b.right()), 4);
        EXPECT_LE(std::abs(a.bottom() - b.bottom()), 3);
    }
}

TEST(EnlargedDrawing, AHugeZoomDrawsOnlyThePartShown) {
    Source kept(true);
    Draw_Straight_Shapes(kept.dc);
    // At 4000 % the whole copy would be 8000 x 4800 pixels; the destination shows a
    // 300 x 200 window onto it, at an offset that is no multiple of the zoom.
    const int scale = 40;
    const int x = -3913, y = -2298;
    Destination dest(300, 200, 1.0);
    ASSERT_TRUE(StretchBlt(dest.dc, x, y, kWidth * scale, kHeight * scale, kept.dc, 0, 0, kWidth,
                           kHeight, SRCCOPY));
    const QImage expected =
        Repeated(kept.dc, x, y, kWidth * scale, kHeight * scale, 1.0, dest.image.size());
    EXPECT_EQ(Differing_Pixels(dest.image, expected), 0);
    // Shown again after a scroll, the part follows.
    Destination moved(300, 200, 1.0);
    StretchBlt(moved.dc, x + 150, y - 40, kWidth * scale, kHeight * scale, kept.dc, 0, 0, kWidth,
               kHeight, SRCCOPY);
    EXPECT_EQ(Differing_Pixels(moved.image, Repeated(kept.dc, x + 150, y - 40, kWidth * scale,
                                                     kHeight * scale, 1.0, moved.image.size())),
              0);
}

TEST(EnlargedDrawing, WhatCannotBeDrawnAgainIsCopiedAsPixels) {
    // A picture copied into the context cannot be drawn again: from then on the enlarged
    // copy repeats pixels, text included, until the context is painted over.
    Source kept(true), other(false);
    Draw_Text(kept.dc);
    Draw_Straight_Shapes(other.dc);
    StretchBlt(kept.dc, 0, 0, 50, 30, other.dc, 0, 0, 50, 30, SRCCOPY);
    Destination dest(kWidth * 2, kHeight * 2, 1.0);
    StretchBlt(dest.dc, 0, 0, kWidth * 2, kHeight * 2, kept.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    EXPECT_EQ(Differing_Pixels(dest.image, Repeated(kept.dc, 0, 0, kWidth * 2, kHeight * 2, 1.0,
                                                    dest.image.size())),
              0);
    // Painted over wholly, it is kept again.
    PatBlt(kept.dc, 0, 0, kWidth, kHeight, WHITENESS);
    Draw_Text(kept.dc);
    Destination again(kWidth * 2, kHeight * 2, 1.0);
    StretchBlt(again.dc, 0, 0, kWidth * 2, kHeight * 2, kept.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    EXPECT_GT(Look_At(again.image).mixed_blocks, 30);
}

TEST(EnlargedDrawing, RedrawingAnElementDoesNotGrowWhatIsKept) {
    Source kept(true);
    Draw_Text(kept.dc);
    const size_t once = Kept_Drawing_Bytes(kept.dc);
    EXPECT_GT(once, 0u);
    for (int i = 0; i < 1000; ++i) {
        PatBlt(kept.dc, 0, 0, kWidth, kHeight, PATCOPY);
        Draw_Text(kept.dc);
    }
    EXPECT_EQ(Kept_Drawing_Bytes(kept.dc), once);
    // A long series is kept up to a bound; beyond it the context is copied as pixels. (Its
    // points change column every time, so none of them can be left out.)
    std::vector<tagPOINT> points(6000000);
    for (size_t i = 0; i < points.size(); ++i) points[i] = tagPOINT{3 + int(i % 2), 4};
    for (int i = 0; i < 4; ++i) GapPolyline(kept.dc, points.data(), int(points.size()));
    EXPECT_GT(Kept_Drawing_Bytes(kept.dc), size_t(150) << 20);
    GapPolyline(kept.dc, points.data(), int(points.size()));
    EXPECT_EQ(Kept_Drawing_Bytes(kept.dc), 0u);
    Destination dest(kWidth * 2, kHeight * 2, 1.0);
    StretchBlt(dest.dc, 0, 0, kWidth * 2, kHeight * 2, kept.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    EXPECT_EQ(Differing_Pixels(dest.image, Repeated(kept.dc, 0, 0, kWidth * 2, kHeight * 2, 1.0,
                                                    dest.image.size())),
              0);
}

// A dense series keeps a few points per pixel column, yet enlarged it covers exactly the pixels
// of the same series kept segment by segment: random walks and steep waves, with gaps, pens of
// width 1 and 3, several colours, at whole and fractional enlargements.
TEST(EnlargedDrawing, ADenseSeriesIsKeptCompactAndDrawsTheSame) {
    std::vector<std::vector<tagPOINT>> series;
    std::srand(20261210);
    for (int kind = 0; kind < 4; ++kind) {
        std::vector<tagPOINT> points;
        int y = kHeight / 2;
        for (int i = 0; i < 40000; ++i) {
            const int x = 4 + i * (kWidth - 8) / 40000;
            if (kind == 0) y = std::min(kHeight - 3, std::max(2, y + std::rand() % 7 - 3));
            if (kind == 1) y = kHeight / 2 + int(50 * std::sin(i * 0.37));
            if (kind == 2) y = 2 + std::rand() % (kHeight - 4);
            if (kind == 3) y = (i / 7) % 2 ? 20 : 100;  // long vertical strokes, both ways
            const bool gap = kind != 1 && i % 997 == 500;
            points.push_back(gap ? tagPOINT{GAP_VALUE, 0} : tagPOINT{x, y});
        }
        series.push_back(points);
    }
    const struct {
        int width;
        COLORREF color;
    } pens[] = {{1, RGB(0, 0, 0)}, {3, RGB(200, 0, 0)}};
    for (size_t k = 0; k < series.size(); ++k) {
        for (const auto& pen_kind : pens) {
            Source compact(true), whole(true);
            HPEN pen = CreatePen(PS_SOLID, pen_kind.width, pen_kind.color);
            SelectObject(compact.dc, pen);
            SelectObject(whole.dc, pen);
            const std::vector<tagPOINT>& points = series[k];
            GapPolyline(compact.dc, points.data(), int(points.size()));
            for (size_t i = 0; i + 1 < points.size(); ++i) {
                GapPolyline(whole.dc, &points[i], 2);  // two points: nothing to leave out
            }
            EXPECT_LT(Kept_Drawing_Bytes(compact.dc), Kept_Drawing_Bytes(whole.dc) / 10)
                << "series " << k;
            for (double scale : {2.0, 3.0, 1.5, 4.25}) {
                const int width = int(kWidth * scale), height = int(kHeight * scale);
                Destination a(width, height, 1.0), b(width, height, 1.0);
                StretchBlt(a.dc, 0, 0, width, height, compact.dc, 0, 0, kWidth, kHeight, SRCCOPY);
                StretchBlt(b.dc, 0, 0, width, height, whole.dc, 0, 0, kWidth, kHeight, SRCCOPY);
                EXPECT_EQ(Differing_Pixels(a.image, b.image), 0)
                    << "series " << k << " pen " << pen_kind.width << " scale " << scale;
            }
            SelectObject(compact.dc, GetStockPen(BLACK_PEN));
            SelectObject(whole.dc, GetStockPen(BLACK_PEN));
            DeleteObject(pen);
        }
    }
}

}  // namespace
