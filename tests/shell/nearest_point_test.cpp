// The selected series' point nearest to the mouse: found from where the data says each point
// lies, over ends, gaps, points that are not numbers, markers only and zoomed axes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "document/graph_readout.h"
#include "elements/graph_line.h"
#include "shell_app.h"

namespace {

// y = (x - 10)^2 / 10 for x = 0 … 20, the point at x = 7 not a number: a gap in the line.
struct GappedGraph : ComposedGraph {
    GappedGraph() : ComposedGraph(Points(), "gapped") {}
    static std::pair<std::vector<double>, std::vector<double>> Points() {
        std::pair<std::vector<double>, std::vector<double>> points;
        for (int i = 0; i <= 20; ++i) {
            points.first.push_back(i);
            points.second.push_back(i == 7 ? std::numeric_limits<double>::quiet_NaN()
                                           : (i - 10.0) * (i - 10.0) / 10.0);
        }
        return points;
    }

    // A click on the legend's line sample selects the series.
    void SelectSeries() {
        auto& samples = *graph.glist_frame->PutGListLink();
        ASSERT_TRUE(samples.begin() != samples.end());
        const LPARAM at = At(Center(**samples.begin()));
        Hover(at);
        Press(at);
        Release(at);
    }
    // Where the axes put a value, from their ranges alone.
    tagPOINT PixelOf(double x, double y) const {
        const tagRECT plot = graph.graph_view->PutFrmRect();
        const AxisTick& bottom = *graph.axis_tick[1];
        const AxisTick& left = *graph.axis_tick[0];
        const double across =
            (x - bottom.PutMinValue()) / (bottom.PutMaxValue() - bottom.PutMinValue());
        const double up = (y - left.PutMinValue()) / (left.PutMaxValue() - left.PutMinValue());
        return {static_cast<LONG>(std::lround(plot.left + across * (plot.right - plot.left))),
                static_cast<LONG>(std::lround(plot.bottom - up * (plot.bottom - plot.top)))};
    }
};

double Value(int i) { return (i - 10.0) * (i - 10.0) / 10.0; }

TEST(NearestPoint, OnlyTheSelectedSeriesHasOne) {
    GappedGraph doc;
    EXPECT_EQ(Selected_Series(&doc.graph), -1);
    doc.SelectSeries();
    EXPECT_EQ(Selected_Series(&doc.graph), 0);
    SeriesPoint found;
    EXPECT_FALSE(Nearest_SeriesPoint(&doc.graph, 1, 500, 300, &found));
    EXPECT_FALSE(Nearest_SeriesPoint(nullptr, 0, 500, 300, &found));
}

TEST(NearestPoint, TheDrawnPointNearestTheMouse) {
    struct Row {
        const char* what;
        double x, y;  // where the mouse is, in data units
        int expected;
        bool markers_only;
    };
    const Row rows[] = {
        {"the first point", 0.0, Value(0), 0, false},
        {"left of the first point", -0.4, Value(0) + 1.0, 0, false},
        {"the last point", 20.0, Value(20), 20, false},
        {"a middle point", 12.0, Value(12), 12, false},
        {"where the missing point would be, nearer its left neighbour", 6.9, Value(6), 6, false},
        {"where the missing point would be, nearer its right neighbour", 7.1, Value(8), 8, false},
        {"markers only: the same points", 15.0, Value(15), 15, true},
    };
    for (const Row& row : rows) {
        GappedGraph doc;
        doc.SelectSeries();
        if (row.markers_only) {
            doc.graph.graph_view->Array(0)->LineInfo()->SetMarker(-1);
        }
        const int expected = row.expected;
        const tagPOINT mouse = doc.PixelOf(row.x, row.y);
        SeriesPoint found;
        ASSERT_TRUE(Nearest_SeriesPoint(&doc.graph, 0, mouse.x, mouse.y, &found)) << row.what;
        EXPECT_EQ(found.index, expected) << row.what;
        EXPECT_EQ(found.x, double(expected)) << row.what;
        EXPECT_EQ(found.y, Value(expected)) << row.what;
        // The cross goes where the axes put the point, within a pixel.
        const tagPOINT expected_at = doc.PixelOf(expected, Value(expected));
        EXPECT_LE(std::abs(found.at.x - expected_at.x), 1) << row.what;
        EXPECT_LE(std::abs(found.at.y - expected_at.y), 1) << row.what;
        SeriesPoint again;
        ASSERT_TRUE(Series_PointAt(&doc.graph, 0, found.index, &again));
        EXPECT_EQ(again.at.x, found.at.x);
        EXPECT_EQ(again.at.y, found.at.y);
        const std::string text = SeriesPoint_Text(&doc.graph, found);
        EXPECT_EQ(text.rfind(std::to_string(expected + 1) + " 番目の点  x = ", 0), 0u) << text;
    }
    GappedGraph doc;
    SeriesPoint gap;
    EXPECT_FALSE(Series_PointAt(&doc.graph, 0, 7, &gap)) << "a point that is not a number";
    EXPECT_FALSE(Series_PointAt(&doc.graph, 0, 21, &gap));
    EXPECT_FALSE(Series_PointAt(&doc.graph, 0, -1, &gap));
}

// Zoomed into x = 4.5 … 15.5, points outside the bottom axis's range are not drawn: the
// mouse at the top left corner finds the first point inside it.
TEST(NearestPoint, PointsOutsideTheAxisRangeArePassedOver) {
    GappedGraph doc;
    doc.SelectSeries();
    ASSERT_EQ(doc.graph.TakeAxisRange(doc.graph.axis_tick[1].get(), 4.5, 15.5, 1.0, 0, 0), 1);
    const tagRECT plot = doc.graph.graph_view->PutFrmRect();
    SeriesPoint found;
    ASSERT_TRUE(Nearest_SeriesPoint(&doc.graph, 0, plot.left, plot.top, &found));
    EXPECT_EQ(found.index, 5);
    for (int i = 0; i <= 20; ++i) {
        SeriesPoint point;
        const bool inside = i >= 5 && i <= 15 && i != 7;
        EXPECT_EQ(Series_PointAt(&doc.graph, 0, i, &point), inside) << i;
    }
}

}  // namespace
