// Pictures of the plot elements compared with reviewed references. Regenerate them (and
// look at every changed one) with
//   cd tests/elements && PLOTARI_REGENERATE=1 QT_QPA_PLATFORM=offscreen
//   ../../build/tests/test_elements --gtest_filter=Golden*
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include "elements/glist_frame.h"
#include "elements/graph_view.h"
#include "elements/title_on_win.h"
#include "platform/qt/image_window.h"
#include "support/golden.h"

namespace {

QImage Paint(HeadlessWindow& window, MoveFrame& frame) {
    HDC hdc = GetDC(&window);
    PatBlt(hdc, 0, 0, window.Surface().width(), window.Surface().height(), WHITENESS);
    frame.ReDraw(hdc, SRCCOPY, 0);
    ReleaseDC(&window, hdc);
    return window.Surface().copy();
}

// Two series on x 0 ... 10, y -1.5 ... 1.5: a sine with undefined points (a run of them in
// the middle) and a cosine with markers, with the grid lines of both axes.
std::unique_ptr<GraphView> Sample_Plot(HeadlessWindow& window, GrpLnLink** link) {
    tagRECT rect;
    SetRect(&rect, 300, 300, 300 + 4500, 300 + 3000);  // 300 x 200 pixels
    auto view = std::make_unique<GraphView>(&window, &rect, 0, 0, 100);
    double xs[41], sine[41], cosine[41];
    for (int i = 0; i <= 40; ++i) {
        xs[i] = i * 0.25;
        sine[i] = (i >= 17 && i <= 19) || i == 30 ? std::nan("") : std::sin(xs[i]);
        cosine[i] = std::cos(xs[i]);
    }
    const PointDbl start(0, 1.5), factor(30, 200.0 / 3.0);
    PointArray first(41, xs, sine), second(41, xs, cosine);
    auto line = std::make_unique<GraphLine>(&window, &first, start, factor, nullptr, 1, 0);
    line->SetRGBdata(RGB(0, 0, 255));
    line->LineInfo()->SetPenSize(2);
    view->Append(std::move(line));
    line = std::make_unique<GraphLine>(&window, &second, start, factor, "cos", 1, 0);
    line->SetRGBdata(RGB(255, 0, 0));
    line->ColorInfo()->SetRGBPntdata(RGB(0, 128, 0));
    line->LineInfo()->SetMarker(1);
    line->LineInfo()->SetPenStyle(PS_DOT);
    view->Append(std::move(line));
    const LONG left[7] = {200, 167, 133, 100, 67, 33, 0};
    const LONG bottom[6] = {0, 60, 120, 180, 240, 300};
    view->SetGridLinePos(0, left, 7);
    view->SetGridLinePos(1, bottom, 6);
    view->GridFlag(0) = 1;
    view->GridFlag(1) = 1;
    view->DrawAllObject();
    *link = view->PutGrpLnLink();
    return view;
}

}  // namespace

TEST(Golden, PlotAreaWithGapsMarkersAndGrid) {
    HeadlessWindow window(340, 240);
    GrpLnLink* link = nullptr;
    auto view = Sample_Plot(window, &link);
    golden::Expect_Golden(Paint(window, *view), "golden/plot_area.png");
}

TEST(Golden, LegendOfThreeRows) {
    HeadlessWindow window(340, 240);
    GrpLnLink* link = nullptr;
    auto view = Sample_Plot(window, &link);
    const double xs[2] = {0, 1}, ys[2] = {0, 1};
    PointArray third(2, xs, ys);
    auto line = std::make_unique<GraphLine>(&window, &third, PointDbl(0, 1), PointDbl(1, 1),
                                            "第三の系列", 1, 0);
    line->LineInfo()->SetMarker(-1);
    line->ColorInfo()->SetRGBPntdata(RGB(200, 0, 200));
    view->Append(std::move(line));
    tagRECT plot = view->GetRectOnTwip();
    tagRECT provisional = plot;
    auto legend = std::make_unique<GListFrame>(&window, *link, plot, provisional, 0, 0, 100);
    legend->BoderFlag() = 1;
    golden::Expect_Golden(Paint(window, *legend), "golden/legend.png");
}

TEST(Golden, VerticalAxisTitle) {
    HeadlessWindow window(80, 160);
    TitleOnWin title(&window, "縦軸の見出し y", 1, 1, 300, 150, 300, 300, 0, 0, 100);
    title.ForceDraw();
    title.BoderFlag() = 1;
    golden::Expect_Golden(Paint(window, title), "golden/vertical_title.png");
}
