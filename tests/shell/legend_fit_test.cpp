// Legend names fit their box at 100 % and 200 % and at device pixel ratios 1 and 2, and the
// plot area's frame never runs through them, also when a later series brings a longer name.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "shell/paper_state.h"
#include "window_fixture.h"

namespace {

class LegendFit : public WindowFixture {
protected:
    // A series that runs down the plot's left edge and then along its bottom, clear of the
    // legend at the top right.
    void AddSeries(const char* name) {
        std::vector<double> x = {-5.0}, y = {10.0};
        for (int i = 1; i <= 50; ++i) {
            x.push_back(-5 + i * 0.2);
            y.push_back(0.0);
        }
        GrpDate2D data;
        PointArray series(static_cast<int>(x.size()), x.data(), y.data(), name);
        data.SetDateArray(1, &series);
        const int axes[2] = {1, 0};
        const char* titles[4] = {nullptr, nullptr, nullptr, nullptr};
        Graph().AddNewGraphDate(&data, axes, nullptr, g_shifth, g_shiftv, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, 10, 10, titles, "関数グラフ", nullptr,
                                nullptr);
    }
    static bool White(const QImage& image, int x, int y) {
        return (image.pixel(x, y) & 0xffffff) == 0xffffff;
    }
};

TEST_F(LegendFit, NamesStayInsideTheirBoxAndClearOfThePlotFrame) {
    // The longest name comes second: the box grows for it.
    AddSeries("sin(x)*exp(-x/5)");
    AddSeries("x=cos(3*t):y=sin(2*t)");
    AddSeries("x^2/10-2");
    window_->resize(2300, 1500);  // the legend in view at 200 %
    QCoreApplication::processEvents();
    for (double ratio : {1.0, 2.0}) {
        window_->Paper()->SetDeviceRatio(ratio);
        for (int zoom : {100, 200}) {
            SCOPED_TRACE("zoom " + std::to_string(zoom) + " ratio " + std::to_string(ratio));
            Change_Zoom(window_.get(), zoom, window_->Graph(), &window_->State(), &g_shifth,
                        &g_shiftv);
            window_->InvalidateAll();
            window_->Paper()->Paint();
            const QImage& surface = window_->Paper()->Surface();
            const tagRECT box = Graph().glist_frame->PutFrmRect();
            const tagRECT plot = Graph().graph_view->PutFrmRect();
            // The box lies inside the plot area (its twips rounded to pixels by one at most).
            EXPECT_GE(box.left, plot.left);
            EXPECT_LE(box.right, plot.right + 1);
            int rows = 0;
            for (auto& name : *Graph().glist_frame->PutTtlLink()) {
                ++rows;
                const tagRECT r = name->PutFrmRect();
                SCOPED_TRACE(name->PutTitle());
                EXPECT_GE(r.left, box.left);
                EXPECT_LT(r.right, plot.right - 1) << "the plot's right frame line";
                EXPECT_GT(r.top, plot.top) << "the plot's top frame line";
                // The ink of the name, in device pixels: some, and a clear column before the
                // name's right edge (nothing cut off); nothing right of it up to the frame.
                const int top = static_cast<int>(r.top * ratio);
                const int bottom = static_cast<int>(r.bottom * ratio);
                int ink_right = -1;
                for (int x = static_cast<int>(r.left * ratio);
                     x < static_cast<int>((plot.right - 1) * ratio); ++x) {
                    for (int y = top; y < bottom; ++y) {
                        if (!White(surface, x, y)) ink_right = x;
                    }
                }
                ASSERT_GE(ink_right, 0) << "no name drawn";
                EXPECT_LT(ink_right, static_cast<int>(r.right * ratio) - 1);
            }
            EXPECT_EQ(rows, 3);
        }
    }
}

}  // namespace
