// The QApplication of the shell tests (offscreen platform) and a composed graph document on
// an image-backed paper window, shared by the test files.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "document/graph_on_win.h"
#include "document/move_obj.h"
#include "platform/menu.h"
#include "platform/qt/image_window.h"
#include "support/paper.h"
#include "support/widgets_app.h"

// A graph of y = x * x over a window of 1123 x 794 pixels (the paper at 100 %).
struct ComposedGraph {
    HeadlessWindow paper{1123, 794};
    GraphOnWin graph{&paper,  0,       0,      kPaperTwipWidth, kPaperTwipHeight, nullptr,
                     0,       0,       100,    nullptr,         nullptr,          "未表示グラフ",
                     nullptr, nullptr, nullptr};
    int cur_state = -1;
    int mspart_win = -1;

    ComposedGraph() : ComposedGraph(Squares(), "x*x") {}
    // A graph of one series of the points (x[i], y[i]) named name.
    ComposedGraph(const std::pair<std::vector<double>, std::vector<double>>& points,
                  const char* name) {
        const std::vector<double>& x = points.first;
        const std::vector<double>& y = points.second;
        GrpDate2D data;
        PointArray series(static_cast<int>(x.size()), x.data(), y.data(), name);
        data.SetDateArray(1, &series);
        const int axes[2] = {1, 0};  // x on the bottom axis, y on the left
        const char* titles[4] = {nullptr, nullptr, nullptr, nullptr};
        graph.AddNewGraphDate(&data, axes, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, 10, 10, titles, "関数グラフ", nullptr, nullptr);
        graph.SetModified(0);
        g_timer = 0;
    }
    ~ComposedGraph() { g_timer = 0; }
    // x from -10 to 10, y = x * x.
    static std::pair<std::vector<double>, std::vector<double>> Squares() {
        std::pair<std::vector<double>, std::vector<double>> points;
        for (int i = -10; i <= 10; ++i) {
            points.first.push_back(i);
            points.second.push_back(double(i) * i);
        }
        return points;
    }

    static tagPOINT Center(const MoveFrame& frame) {
        const tagRECT r = frame.PutFrmRect();
        tagPOINT p;
        p.x = (r.left + r.right) / 2;
        p.y = (r.top + r.bottom) / 2;
        return p;
    }
    static LPARAM At(tagPOINT p, LONG dx = 0, LONG dy = 0) {
        return MAKELPARAM_XY(p.x + dx, p.y + dy);
    }
    void Hover(LPARAM lp) { graph.MouseMove_NoBdown(lp, &cur_state); }
    void Press(LPARAM lp) { graph.Handle_To_LMouseDown(lp, &cur_state); }
    void Move(LPARAM lp) { graph.Handle_To_MouseMove(&paper, lp, &mspart_win, &cur_state); }
    void Release(LPARAM lp) { graph.Handle_To_LButtonUp(&paper, lp, &mspart_win, &cur_state); }
    // Press, move in steps of 5 pixels to (dx, dy) and release there.
    void Drag(tagPOINT from, LONG dx, LONG dy) {
        Hover(At(from));
        Press(At(from));
        const int steps = 6;
        for (int i = 1; i <= steps; ++i) Move(At(from, dx * i / steps, dy * i / steps));
        Release(At(from, dx, dy));
    }
};
