// Sampling of the four kinds: the points handed to the graph, the refused ranges, failed
// evaluations, and one-off evaluation into the formula box.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "kinds/samplers.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"

namespace {

struct Point {
    double x;
    double y;
};

class Samplers : public ::testing::Test {
protected:
    void SetUp() override {
        g_mathlist.Clear();
        Set_GraphReceiver([this](GraphRequest& request) {
            ++handed_over;
            title = request.date_title;
            flags = {request.axisflag_array[0], request.axisflag_array[1]};
            axis_titles = {request.ax_title[0] ? request.ax_title[0] : "",
                           request.ax_title[1] ? request.ax_title[1] : ""};
            marker_kind = request.mrk_kind ? (*request.mrk_kind)[0] : 99;
            divisions = {request.x_divnum, request.y_divnum};
            points.clear();
            PointArray& series = (*request.data)[0];
            name = series.PutTheName() ? series.PutTheName() : "";
            for (int i = 0; i < series.ArrayNum(); ++i) {
                points.push_back({series[i].x, series[i].y});
            }
            return 1;
        });
    }
    void TearDown() override {
        Set_GraphReceiver(nullptr);
        g_mathlist.Clear();
    }

    MathForm* Explicit(const char* formula, const char* var, double min_value, double max_value,
                       int steps) {
        char name[256];
        std::snprintf(name, sizeof name, "%s", var);
        EXPECT_EQ(FnReg_Explicit(formula, name, &min_value, &max_value, &steps), 1);
        return g_mathlist[g_mathlist.PutElementNum() - 1];
    }

    MathForm* Implicit(const char* formula, const char* var, double min_x, double max_x, int nx,
                       const char* dpnd, double min_y, double max_y, int ny) {
        char name[256];
        char dpnd_name[256];
        std::snprintf(name, sizeof name, "%s", var);
        std::snprintf(dpnd_name, sizeof dpnd_name, "%s", dpnd);
        EXPECT_EQ(
            FnReg_Inplicit(formula, name, &min_x, &max_x, &nx, dpnd_name, &min_y, &max_y, &ny), 1);
        return g_mathlist[g_mathlist.PutElementNum() - 1];
    }

    void Expect_Points(const std::vector<Point>& expected, double tolerance = 0.0) {
        ASSERT_EQ(points.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_NEAR(points[i].x, expected[i].x, tolerance) << "point " << i;
            EXPECT_NEAR(points[i].y, expected[i].y, tolerance) << "point " << i;
        }
    }

    RecordingMessageSink boxes;
    int handed_over = 0;
    std::string title;
    std::string name;
    std::vector<int> flags;
    std::vector<std::string> axis_titles;
    std::vector<int> divisions;
    int marker_kind = 0;
    std::vector<Point> points;
};

TEST_F(Samplers, ExplicitSamplesEndAtTheStoredMaximum) {
    MathForm* square = Explicit("x^2", "x", -1.0, 1.0, 4);
    ASSERT_EQ(ShowResult_Graph_Expl(nullptr, square, "x^2", g_ufunc_list), 1);
    Expect_Points({{-1, 1}, {-0.5, 0.25}, {0, 0}, {0.5, 0.25}, {1, 1}});
    EXPECT_EQ(name, "x^2");
    EXPECT_EQ(title, "関数グラフ");
    EXPECT_EQ(flags, (std::vector<int>{1, 0}));
    EXPECT_EQ(axis_titles, (std::vector<std::string>{"関数の値", "変数の値"}));
    EXPECT_EQ(divisions, (std::vector<int>{10, 10}));
    EXPECT_EQ(marker_kind, 99);  // no marker kinds: the defaults apply

    // 0 ... 6.28 in 100 steps: min + 100 * step misses 6.28 by rounding; the last point does not.
    MathForm* line = Explicit("x", "x", 0.0, 6.28, 100);
    const double step = (6.28 - 0.0) / 100;
    ASSERT_NE(100 * step + 0.0, 6.28);
    ASSERT_EQ(ShowResult_Graph_Expl(nullptr, line, "x", g_ufunc_list), 1);
    ASSERT_EQ(points.size(), 101u);
    EXPECT_EQ(points[100].x, 6.28);
    EXPECT_EQ(points[37].x, 37 * step + 0.0);
}

TEST_F(Samplers, RefusedRangesDrawNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double min_value;
        double max_value;
    } rows[] = {{1, 1}, {2, 1}, {-inf, 1}, {0, inf}, {nan, 1}, {-1e308, 1e308}};
    MathForm* form = Explicit("x+1", "x", 0, 1, 10);
    for (const auto& row : rows) {
        form->SetVarRange(row.min_value, row.max_value);
        boxes.Clear();
        EXPECT_EQ(ShowResult_Graph_Expl(nullptr, form, "x+1", g_ufunc_list), 0);
        EXPECT_EQ(ShowResult_Graph_Param(nullptr, form, "x+1", g_ufunc_list), 0);
        EXPECT_EQ(ShowResult_Graph_Polar(nullptr, form, "x+1", g_ufunc_list), 0);
        ASSERT_EQ(boxes.boxes.size(), 3u) << row.min_value << " " << row.max_value;
        EXPECT_EQ(boxes.Lines()[0], "invalid value: 最小値、最大値が変です");
    }
    EXPECT_EQ(handed_over, 0);
}

TEST_F(Samplers, FailedEvaluationAbandonsTheDrawingAndGoesOn) {
    // A tree with a missing operand (no formula text makes one) fails to evaluate.
    MathForm* form = Explicit("x+1", "x", 0, 1, 4);
    ASSERT_NE(form->the_formtop, nullptr);
    form->the_formtop->right = nullptr;
    EXPECT_EQ(ShowResult_Graph_Expl(nullptr, form, "f", g_ufunc_list), 0);
    EXPECT_EQ(handed_over, 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.Lines()[0], "invalid value: 関数計算中にエラーが発生しました.終了します");
}

TEST_F(Samplers, ParametricAndPolarCurves) {
    char t_name[256] = "t";
    double min_value = 0.0;
    double max_value = 6.28;
    int steps = 4;
    ASSERT_EQ(FnReg_Param("cos(t)", "sin(t)", t_name, &min_value, &max_value, &steps), 1);
    ASSERT_EQ(ShowResult_Graph_Param(nullptr, g_mathlist[0], "x=cos(t):y=sin(t)", g_ufunc_list), 1);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[4].x, std::cos(6.28));  // the last sample at t = 6.28 exactly
    EXPECT_EQ(points[4].y, std::sin(6.28));
    EXPECT_EQ(points[1].x, std::cos(1 * (6.28 / 4)));

    char r_name[256] = "t";
    min_value = 0.0;
    max_value = 6.283185307179586;
    steps = 4;
    ASSERT_EQ(FnReg_Polar("2", r_name, &min_value, &max_value, &steps), 1);
    ASSERT_EQ(ShowResult_Graph_Polar(nullptr, g_mathlist[1], "r=2", g_ufunc_list), 1);
    EXPECT_EQ(title, "極座標表示グラフ");
    Expect_Points({{2, 0}, {0, 2}, {-2, 0}, {0, -2}, {2, 0}}, 1e-12);

    char angle[256] = "t";
    min_value = 0.0;
    max_value = 3.14159;
    steps = 2;
    ASSERT_EQ(FnReg_Polar("t", angle, &min_value, &max_value, &steps), 1);
    ASSERT_EQ(ShowResult_Graph_Polar(nullptr, g_mathlist[2], "r=t", g_ufunc_list), 1);
    const double half = 1.570795;
    Expect_Points({{0, 0},
                   {std::cos(half) * half, std::sin(half) * half},
                   {std::cos(3.14159) * 3.14159, std::sin(3.14159) * 3.14159}});
}

TEST_F(Samplers, ImplicitRootsAlongOneVariableBecomeLines) {
    MathForm* exact = Implicit("x-0.5", "x", 0, 1, 4, "y", 0, 1, 4);
    ASSERT_EQ(ShowResult_Graph_Inpl(nullptr, exact, "0=x-0.5", g_ufunc_list), 1);
    Expect_Points({{0.5, 0}, {0.5, 0.25}, {0.5, 0.5}, {0.5, 0.75}, {0.5, 1}});
    EXPECT_EQ(title, "陰関数グラフ");
    EXPECT_EQ(marker_kind, -1);

    MathForm* change = Implicit("x-0.6", "x", 0, 1, 4, "y", 0, 1, 4);
    ASSERT_EQ(ShowResult_Graph_Inpl(nullptr, change, "0=x-0.6", g_ufunc_list), 1);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].x, 0.75);

    // Tiny values of opposite sign: their product underflows to -0, their signs still differ.
    MathForm* tiny = Implicit("(x-0.6)*1e-200", "x", 0, 1, 4, "y", 0, 1, 4);
    ASSERT_EQ(ShowResult_Graph_Inpl(nullptr, tiny, "tiny", g_ufunc_list), 1);
    EXPECT_EQ(points[0].x, 0.75);

    MathForm* horizontal = Implicit("y-0.25", "x", 0, 1, 2, "y", 0, 1, 4);
    ASSERT_EQ(ShowResult_Graph_Inpl(nullptr, horizontal, "0=y-0.25", g_ufunc_list), 1);
    Expect_Points({{0, 0.25}, {0.25, 0.25}, {0.5, 0.25}, {0.75, 0.25}, {1, 0.25}});
}

TEST_F(Samplers, UnitCircleGivesTwoPointsPerInnerRow) {
    MathForm* circle = Implicit("x^2+y^2-1", "x", -1, 1, 100, "y", -1, 1, 100);
    ASSERT_EQ(ShowResult_Graph_Inpl(nullptr, circle, "0=x^2+y^2-1", g_ufunc_list), 1);
    std::map<double, int> per_row;
    for (const Point& p : points) ++per_row[p.y];
    for (int j = 1; j < 100; ++j) {
        const double y = j * 0.02 - 1;
        EXPECT_EQ(per_row[y], 2) << "row y=" << y;
    }
    for (const Point& p : points) {
        EXPECT_LT(std::fabs(p.x * p.x + p.y * p.y - 1), 0.05);
    }
}

TEST_F(Samplers, ImplicitWithoutPointsOrTooLargeAGridDrawsNothing) {
    MathForm* positive = Implicit("x^2+y^2+1", "x", -1, 1, 10, "y", -1, 1, 10);
    EXPECT_EQ(ShowResult_Graph_Inpl(nullptr, positive, "p", g_ufunc_list), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.Lines()[0], "No Graph: 式を満たす点が一つもありません。");

    MathForm* huge = Implicit("x+y", "x", -1, 1, 20000, "y", -1, 1, 20000);
    boxes.Clear();
    EXPECT_EQ(ShowResult_Graph_Inpl(nullptr, huge, "h", g_ufunc_list), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "invalid value");
    EXPECT_EQ(handed_over, 0);

    // A scan along one variable adds a whole line per root: some 3 200 roots of 100 001
    // points each are refused with the grid's message before a point is stored.
    for (bool along_x : {true, false}) {
        MathForm* lines = along_x ? Implicit("sin(100*x)", "x", 0, 100, 100000, "y", 0, 1, 10)
                                  : Implicit("sin(100*y)", "x", 0, 1, 10, "y", 0, 100, 100000);
        boxes.Clear();
        EXPECT_EQ(ShowResult_Graph_Inpl(nullptr, lines, "l", g_ufunc_list), 0);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(
            boxes.Lines()[0],
            "invalid value: 格子点の数が多すぎます（一億点まで）。\n分割数を減らしてください");
        EXPECT_EQ(handed_over, 0);
    }
}

TEST_F(Samplers, DependentNamedLikeTheIndependentIsDropped) {
    MathForm* same = Implicit("x^2-1", "x", -2, 2, 4, "x", -3, 3, 4);
    EXPECT_STREQ(same->var, "x");
    EXPECT_STREQ(same->vardpnd, "");
}

DialogTemplate Formula_Box() {
    DialogTemplate dialog;
    dialog.name = "BOXES";
    dialog.controls = {{ControlKind::ListBox, IDC_FORMULA_LIST, "", 0, 0, 10, 10},
                       {ControlKind::Edit, IDC_FORMULA_EDIT, "", 0, 0, 10, 10, CS_MULTILINE}};
    return dialog;
}

INT_PTR Quiet_Proc(DialogControls*, UINT, WPARAM, LPARAM) { return 0; }

TEST_F(Samplers, OneOffEvaluationWritesIntoTheFormulaBox) {
    DialogTemplate dialog = Formula_Box();
    MemoryDialog box(dialog, Quiet_Proc);
    MathForm* plus = Explicit("x+1", "", 0, 0, 100);
    plus->var_array["x"] = 4.0;
    EXPECT_EQ(ShowResult_Calc_Expl(&box, plus, g_ufunc_list), 0);  // nothing selected
    box.ListBox_AddString(IDC_FORMULA_LIST, "x+1");
    box.ListBox_SetCurSel(IDC_FORMULA_LIST, 0);
    EXPECT_EQ(ShowResult_Calc_Expl(&box, plus, g_ufunc_list), 2);
    EXPECT_EQ(box.GetDlgItemText(IDC_FORMULA_EDIT), "x+1 =5.000000");

    char t_name[256] = "";
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    ASSERT_EQ(FnReg_Param("cos(t)", "sin(t)", t_name, &min_value, &max_value, &steps), 1);
    box.ListBox_ResetContent(IDC_FORMULA_LIST);
    box.ListBox_AddString(IDC_FORMULA_LIST, "x=cos(t):y=sin(t)");
    box.ListBox_SetCurSel(IDC_FORMULA_LIST, 0);
    EXPECT_EQ(ShowResult_Calc_Param(&box, g_mathlist[1], g_ufunc_list), 2);
    EXPECT_EQ(box.GetDlgItemText(IDC_FORMULA_EDIT), "cos(t) =1.000000 sin(t) =0.000000");

    char r_name[256] = "";
    ASSERT_EQ(FnReg_Polar("2", r_name, &min_value, &max_value, &steps), 1);
    box.ListBox_ResetContent(IDC_FORMULA_LIST);
    box.ListBox_AddString(IDC_FORMULA_LIST, "r=2");
    box.ListBox_SetCurSel(IDC_FORMULA_LIST, 0);
    EXPECT_EQ(ShowResult_Calc_Polar(&box, g_mathlist[2], g_ufunc_list), 2);
    EXPECT_EQ(box.GetDlgItemText(IDC_FORMULA_EDIT), "r =2.000000 :x=2.000000 :y=0.000000");
}

TEST(AnyNumArray, KeepsOrderAndReportsShortArrays) {
    AnyNumArray list;
    double x[3];
    double y[3];
    EXPECT_EQ(list.PutArrayCont(x, y, 3), -1);
    for (int i = 0; i < 4; ++i) list.Append(ElmDblArray(i, -i));
    EXPECT_EQ(list.num_of_element, 4);
    EXPECT_EQ(list.PutArrayCont(x, y, 3), 0);
    EXPECT_EQ(x[2], 2.0);
    EXPECT_EQ(y[1], -1.0);
    list.AllDelete();
    EXPECT_EQ(list.the_first, nullptr);
    list.Append(ElmDblArray(7, 8));
    EXPECT_EQ(list.PutArrayCont(x, y, 3), 1);
    EXPECT_EQ(x[0], 7.0);
}

}  // namespace

// Long sampling reports its progress: 0 first, 1 last, rising fractions between; a hook that
// answers false abandons the drawing without a message, for each kind of sweep.
TEST_F(Samplers, ProgressIsReportedAndAbandoningDrawsNothing) {
    std::vector<double> heard;
    bool keep_going = true;
    Set_ProgressHook([&](double done) {
        heard.push_back(done);
        return keep_going || done <= 0.0 || done >= 1.0;
    });
    MathForm* line = Explicit("x", "x", 0, 1, 5000);
    ASSERT_EQ(ShowResult_Graph_Expl(nullptr, line, "x", g_ufunc_list), 1);
    ASSERT_GE(heard.size(), 4u);
    EXPECT_EQ(heard.front(), 0.0);
    EXPECT_EQ(heard.back(), 1.0);
    for (size_t i = 2; i + 1 < heard.size(); ++i) {
        EXPECT_GT(heard[i], heard[i - 1]);
        EXPECT_LT(heard[i], 1.0);
    }
    EXPECT_EQ(handed_over, 1);

    keep_going = false;
    const auto abandoned = [&](int result) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(heard.back(), 1.0);  // the end is heard whatever the outcome
    };
    heard.clear();
    abandoned(ShowResult_Graph_Expl(nullptr, line, "x", g_ufunc_list));
    char t_name[256] = "t";
    double min_value = 0.0, max_value = 1.0;
    int steps = 5000;
    ASSERT_EQ(FnReg_Param("t", "t*t", t_name, &min_value, &max_value, &steps), 1);
    abandoned(ShowResult_Graph_Param(nullptr, g_mathlist[g_mathlist.PutElementNum() - 1], "p",
                                     g_ufunc_list));
    abandoned(ShowResult_Graph_Inpl(nullptr,
                                    Implicit("x^2+y^2-1", "x", -1, 1, 100, "y", -1, 1, 100),
                                    "0=x^2+y^2-1", g_ufunc_list));
    abandoned(ShowResult_Graph_Inpl(nullptr, Implicit("x-0.5", "x", 0, 1, 5000, "y", 0, 1, 4),
                                    "0=x-0.5", g_ufunc_list));
    EXPECT_EQ(handed_over, 1);  // nothing more reached the graph
    EXPECT_TRUE(boxes.boxes.empty());
    Set_ProgressHook(nullptr);
}
