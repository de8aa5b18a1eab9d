// The status bar's reading of the paper: data values over the plot area, element names
// elsewhere, and the zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "axes/num_style_dialog.h"
#include "document/graph_readout.h"
#include "elements/graph_line.h"
#include "platform/scripted_dialogs.h"
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

// With a second series on the top and right axes, the reading names all four, the
// horizontal ones first, each value where that axis puts the point and written as that
// axis's numbers are (here the top axis in exponent form with two digits).
TEST(Readout, FourAxesEachInItsOwnNumberStyle) {
    ComposedGraph doc;
    GraphOnWin& g = doc.graph;
    {
        std::vector<double> x = {1000.0, 3000.0}, y = {-0.5, 0.5};
        GrpDate2D data;
        PointArray series(2, x.data(), y.data(), "top right");
        data.SetDateArray(1, &series);
        const int axes[2] = {3, 2};
        const char* titles[4] = {nullptr, nullptr, nullptr, nullptr};
        g.AddNewGraphDate(&data, axes, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, 10, 10, titles, "関数グラフ", nullptr, nullptr);
    }
    ASSERT_TRUE(g.axis_frame[3] && g.axis_frame[2]);
    {
        ScriptedDialogRunner dialogs;
        dialogs.Then([](MemoryDialog& d) {
            d.Select(IDC_NUMSTYLE, 1);  // 指数型表現
            d.Type(IDC_NUMDIGIT, "2");
            d.Click(IDOK);
        });
        const tagPOINT numbers = ComposedGraph::Center(*g.axis_frame[3]);
        doc.Hover(ComposedGraph::At(numbers));
        doc.Press(ComposedGraph::At(numbers));
        doc.Release(ComposedGraph::At(numbers));
        ASSERT_EQ(g.selectobject, g.axis_frame[3].get());
        g.ChngAxFrameNumStyle(0, 0);
        ASSERT_EQ(g.axis_frame[3]->PutStyNum(), 1);
    }
    const tagRECT plot = g.graph_view->PutFrmRect();
    const LONG x = plot.left + (plot.right - plot.left) / 4;
    const LONG y = plot.top + (plot.bottom - plot.top) / 3;
    const std::string text = Paper_Readout(&g, x, y);
    const size_t at[4] = {text.find("x = "), text.find("  y = "), text.find("  x(上) = "),
                          text.find("  y(右) = ")};
    for (size_t position : at) ASSERT_NE(position, std::string::npos) << text;
    EXPECT_EQ(at[0], 0u) << text;
    EXPECT_LT(at[1], at[2]) << text;
    EXPECT_LT(at[2], at[3]) << text;
    // Each value, within a pixel of what the axis's range puts there.
    const auto expect = [&](int axis, size_t from, const char* label) {
        const std::string value = text.substr(from + std::string(label).size());
        const AxisTick& tick = *g.axis_tick[axis];
        const double span = tick.PutMaxValue() - tick.PutMinValue();
        const bool across = (axis & 1) == 1;
        const double part = across ? (x - plot.left + 0.5) / (plot.right - plot.left)
                                   : (plot.bottom - y - 0.5) / (plot.bottom - plot.top);
        const double pixel = span / (across ? plot.right - plot.left : plot.bottom - plot.top);
        EXPECT_NEAR(std::strtod(value.c_str(), nullptr), tick.PutMinValue() + part * span,
                    pixel + std::fabs(span) * 0.01)
            << label << " in " << text;
    };
    expect(1, at[0], "x = ");
    expect(0, at[1], "  y = ");
    expect(3, at[2], "  x(上) = ");
    expect(2, at[3], "  y(右) = ");
    // The top axis's value in exponent form with two digits, like its numbers ("2.00e+03").
    const std::string top = text.substr(at[2] + std::string("  x(上) = ").size(),
                                        at[3] - at[2] - std::string("  x(上) = ").size());
    EXPECT_EQ(top.size(), std::string("1.50e+03").size()) << top;
    EXPECT_NE(top.find("e+03"), std::string::npos) << top;
    EXPECT_EQ(top.find('e'), 4u) << top;
    const std::string label = g.axis_frame[3]->PutNumStrObj(0)->PutString();
    EXPECT_NE(label.find('e'), std::string::npos) << "the axis's own numbers: " << label;
}

}  // namespace
