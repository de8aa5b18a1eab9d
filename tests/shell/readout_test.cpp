// The status bar's reading of the paper: data values over the plot area, element names
// elsewhere, and the zoom.
#include <gtest/gtest.h>

#include <cmath>

#include "document/graph_readout.h"
#include "elements/graph_line.h"
#include "shell_app.h"

namespace {

// What is drawn at a pixel reads back as the value drawn there: every point of the series
// (x from -10 to 10, y = x*x), within the data one pixel spans.
TEST(Readout, DrawnPointsReadBackAsTheirValues) {
    ComposedGraph doc;
    GraphView& view = *doc.graph.graph_view;
    const tagRECT plot = view.PutFrmRect();
    GraphLine* line = view.PutGrpLnLink()->Array(0);
    ASSERT_NE(line, nullptr);
    PointDate* drawn = line->PutPointDate();
    PointArray* data = line->PutPointArray();
    ASSERT_EQ(drawn->GetArraySize(), 21);
    const double x_pixel = 20.0 / (plot.right - plot.left);  // the axis spans -10 … 10
    for (int i = 0; i < drawn->GetArraySize(); ++i) {
        const tagPOINT p = (*drawn)[i];
        const LONG x = plot.left + p.x, y = plot.top + p.y;
        PlotReading reading;
        if (x >= plot.right || y >= plot.bottom) continue;  // the right and top edges
        ASSERT_TRUE(Read_PlotPoint(&doc.graph, x, y, &reading)) << i;
        ASSERT_TRUE(reading.has[1] && reading.has[0]);
        EXPECT_FALSE(reading.has[2] || reading.has[3]);
        const double y_max = doc.graph.axis_tick[0]->PutMaxValue();
        const double y_pixel =
            (y_max - doc.graph.axis_tick[0]->PutMinValue()) / (plot.bottom - plot.top);
        EXPECT_NEAR(reading.value[1], data->Points()[i].x, 1.01 * x_pixel) << i;
        EXPECT_NEAR(reading.value[0], data->Points()[i].y, 1.01 * y_pixel) << i;
    }
}

TEST(Readout, NamesTheElementOrTheValues) {
    ComposedGraph doc;
    GraphOnWin& g = doc.graph;
    const tagRECT plot = g.graph_view->PutFrmRect();
    const auto at = [&](const MoveFrame& frame) {
        const tagPOINT c = ComposedGraph::Center(frame);
        return Paper_Readout(&g, c.x, c.y);
    };
    EXPECT_EQ(at(*g.title_on_win[0]), "グラフのタイトル");
    EXPECT_EQ(at(*g.axis_frame[1]), "横軸の数値");
    EXPECT_EQ(at(*g.axis_frame[0]), "縦軸の数値");
    EXPECT_EQ(at(*g.glist_frame), "凡例");
    // Over the bare paper, nothing; without a graph, nothing.
    EXPECT_EQ(Paper_Readout(&g, 2, 2), "");
    EXPECT_EQ(Paper_Readout(nullptr, 100, 100), "");
    // Near the plot area's bottom left corner (clear of the tick strips, which name
    // themselves): values near the axes' minimums, the horizontal value first.
    EXPECT_EQ(Paper_Readout(&g, plot.left + 2, plot.bottom - 2), "縦軸の目盛");
    const std::string corner = Paper_Readout(&g, plot.left + 30, plot.bottom - 30);
    EXPECT_EQ(corner.rfind("x = -", 0), 0u) << corner;
    EXPECT_NE(corner.find("  y = "), std::string::npos) << corner;
    EXPECT_EQ(corner.find("(上)"), std::string::npos) << corner;
    // Outside the plot area by a pixel: no values.
    PlotReading reading;
    EXPECT_FALSE(Read_PlotPoint(&g, plot.left - 1, plot.bottom - 1, &reading));
    EXPECT_FALSE(Read_PlotPoint(&g, plot.right, plot.top, &reading));
}

}  // namespace
