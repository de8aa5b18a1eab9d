// The batched series drawing (one painter, repeated segments and markers drawn once) gives
// exactly the pixels of the plain calls it replaces: MoveToEx / LineTo per point and one
// Ellipse per marker.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "data/utility.h"
#include "platform/numeric.h"
#include "platform/qt/qt_gdi.h"

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 300;

struct PenCase {
    int style;
    int width;
    int bk_mode;
    int rop2;
    bool clipped;
};

// The sampled benchmark curve sin(x)cos(x)+x/3 on -10 … 10 mapped to the picture as the
// plot area maps it: dense, so most segments repeat or have length zero.
std::vector<tagPOINT> Dense_Curve(int samples) {
    std::vector<tagPOINT> points(static_cast<size_t>(samples) + 1);
    for (int i = 0; i <= samples; ++i) {
        const double x = -10.0 + 20.0 * i / samples;
        const double y = std::sin(x) * std::cos(x) + x / 3.0;
        points[static_cast<size_t>(i)].x = ValueTransfer_To_OnScreen(0, x, -10.0, kWidth / 20.0);
        points[static_cast<size_t>(i)].y = ValueTransfer_To_OnScreen(0, -y, -4.5, kHeight / 9.0);
    }
    return points;
}

// Edge shapes: gaps in either coordinate, a run of one point, points far outside the
// picture, the same segment both ways, and a line retraced.
std::vector<tagPOINT> Edge_Curve() {
    const LONG far = 2000000000;
    return {{10, 10},   {200, 150},     {10, 10},    {200, 150}, {GAP_VALUE, 5},
            {50, 50},   {5, GAP_VALUE}, {60, 20},    {60, 20},   {60, 20},
            {300, 290}, {-far, far},    {far, -far}, {100, 100}, {GAP_VALUE, GAP_VALUE},
            {400, 5},   {10, 280},      {400, 5},    {10, 280},  {10, 280}};
}

QImage Blank() { return New_Image(kWidth, kHeight, QColor(230, 240, 250)); }

void Prepare(HDC hdc, const PenCase& c, HPEN pen) {
    SelectObject(hdc, pen);
    SetBkMode(hdc, c.bk_mode);
    SetBkColor(hdc, RGB(255, 255, 0));
    SetROP2(hdc, c.rop2);
    if (c.clipped) {
        hdc->clip = QRegion(30, 20, 250, 200);
        hdc->clipped = true;
    }
}

void Expect_SamePolyline(const std::vector<tagPOINT>& points, const PenCase& c) {
    QImage plain = Blank();
    QImage batched = Blank();
    HDC a = Create_ImageDC(&plain, 96, 96);
    HDC b = Create_ImageDC(&batched, 96, 96);
    HPEN pen = CreatePen(c.style, c.width, RGB(200, 0, 40));
    Prepare(a, c, pen);
    Prepare(b, c, pen);
    bool pen_down = false;
    for (const tagPOINT& p : points) {
        if (p.x == GAP_VALUE || p.y == GAP_VALUE) {
            pen_down = false;
        } else if (!pen_down) {
            MoveToEx(a, p.x, p.y, nullptr);
            pen_down = true;
        } else {
            LineTo(a, p.x, p.y);
        }
    }
    EXPECT_EQ(GapPolyline(b, points.data(), static_cast<int>(points.size())), 1);
    EXPECT_EQ(a->position, b->position);
    EXPECT_TRUE(plain == batched) << "style " << c.style << " width " << c.width << " bk "
                                  << c.bk_mode << " rop " << c.rop2 << " clip " << c.clipped;
    EXPECT_FALSE(plain == Blank()) << "nothing drawn: the comparison proves nothing";
    DeleteDC(a);
    DeleteDC(b);
    DeleteObject(pen);
}

const PenCase kPenCases[] = {
    {PS_SOLID, 1, OPAQUE, R2_COPYPEN, false},
    {PS_SOLID, 3, OPAQUE, R2_COPYPEN, false},
    {PS_SOLID, 2, TRANSPARENT, R2_COPYPEN, true},
    {PS_DASH, 1, OPAQUE, R2_COPYPEN, false},
    {PS_DOT, 1, TRANSPARENT, R2_COPYPEN, false},
    {PS_DASHDOT, 1, OPAQUE, R2_COPYPEN, true},
    {PS_DASHDOTDOT, 1, TRANSPARENT, R2_COPYPEN, false},
    {PS_DASH, 4, OPAQUE, R2_COPYPEN, false},
    {PS_SOLID, 1, OPAQUE, R2_XORPEN, false},
    {PS_DOT, 1, OPAQUE, R2_XORPEN, false},
    {PS_SOLID, 3, TRANSPARENT, R2_XORPEN, true},
};

}  // namespace

TEST(BatchDrawing, PolylineMatchesLineToForEveryPenOnDenseAndEdgeCurves) {
    const std::vector<tagPOINT> dense = Dense_Curve(20000);
    const std::vector<tagPOINT> edges = Edge_Curve();
    for (const PenCase& c : kPenCases) {
        Expect_SamePolyline(dense, c);
        Expect_SamePolyline(edges, c);
    }
}

TEST(BatchDrawing, NullPenDrawsNothingButMovesThePosition) {
    QImage image = Blank();
    HDC hdc = Create_ImageDC(&image, 96, 96);
    SelectObject(hdc, GetStockPen(NULL_PEN));
    const std::vector<tagPOINT> edges = Edge_Curve();
    GapPolyline(hdc, edges.data(), static_cast<int>(edges.size()));
    EXPECT_TRUE(image == Blank());
    EXPECT_EQ(hdc->position, QPoint(10, 280));
    DeleteDC(hdc);
}

TEST(BatchDrawing, EllipsesMatchOneCallPerBox) {
    std::vector<tagRECT> boxes;
    for (const tagPOINT& p : Dense_Curve(3000)) {
        boxes.push_back({p.x - 3, p.y - 3, p.x + 3, p.y + 3});
    }
    // Empty and inverted boxes, a box reaching to the gap value, and big overlapping ones.
    boxes.push_back({50, 50, 50, 60});
    boxes.push_back({70, 70, 60, 80});
    boxes.push_back({GAP_VALUE, 10, 40, 40});
    boxes.push_back({100, 100, 180, 160});
    boxes.push_back({140, 120, 220, 200});
    boxes.push_back({100, 100, 180, 160});
    struct Case {
        COLORREF pen, brush;
        bool null_brush;
        int rop2;
    } cases[] = {{RGB(0, 0, 255), RGB(0, 0, 255), false, R2_COPYPEN},
                 {RGB(0, 0, 255), RGB(0, 200, 0), false, R2_COPYPEN},
                 {RGB(90, 0, 0), 0, true, R2_COPYPEN},
                 {RGB(0, 0, 255), RGB(0, 0, 255), false, R2_XORPEN}};
    for (const Case& c : cases) {
        QImage plain = Blank();
        QImage batched = Blank();
        HDC a = Create_ImageDC(&plain, 96, 96);
        HDC b = Create_ImageDC(&batched, 96, 96);
        HPEN pen = CreatePen(PS_SOLID, 1, c.pen);
        HBRUSH brush = CreateSolidBrush(c.brush);
        for (HDC hdc : {a, b}) {
            SelectObject(hdc, pen);
            SelectObject(hdc, c.null_brush ? GetStockBrush(NULL_BRUSH) : brush);
            SetROP2(hdc, c.rop2);
        }
        for (const tagRECT& r : boxes) Ellipse(a, r.left, r.top, r.right, r.bottom);
        EXPECT_EQ(Ellipses(b, boxes.data(), static_cast<int>(boxes.size())), 1);
        EXPECT_TRUE(plain == batched) << "pen " << c.pen << " brush " << c.brush;
        EXPECT_FALSE(plain == Blank());
        DeleteDC(a);
        DeleteDC(b);
        DeleteObject(pen);
        DeleteObject(brush);
    }
}
