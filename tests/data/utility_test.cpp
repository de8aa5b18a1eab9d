#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "data/utility.h"
#include "platform/scripted_choosers.h"

namespace {

struct AxisRow {
    double min, max;
    int wanted;
    double axis_min, axis_max, step;
    int divisions;
};

void Expect_Axis(const AxisRow& r) {
    double lo = 0, hi = 0, step = 0;
    int n = r.wanted;
    Determin_Axis_Range(r.min, r.max, &lo, &hi, &step, &n);
    SCOPED_TRACE(testing::Message() << r.min << " .. " << r.max << " / " << r.wanted);
    EXPECT_NEAR(lo, r.axis_min, 1e-9);
    EXPECT_NEAR(hi, r.axis_max, 1e-9);
    EXPECT_NEAR(step, r.step, 1e-12);
    EXPECT_EQ(n, r.divisions);
    EXPECT_FALSE(std::signbit(lo) && lo == 0.0) << "-0 at the minimum";
    EXPECT_FALSE(std::signbit(hi) && hi == 0.0) << "-0 at the maximum";
}

}  // namespace

TEST(AxisRange, WorkedResults) {
    const AxisRow rows[] = {
        {0, 10, 5, 0, 12.5, 2.5, 5},  {-1, 1, 10, -1.25, 1.25, 0.25, 10},
        {0, 1, 10, 0, 1.05, 0.15, 7}, {-10, 10, 10, -12.5, 12.5, 2.5, 10},
        {1, 100, 10, 0, 110, 10, 11}, {0.5, 7.3, 10, 0, 7.7, 0.7, 11},
        {-5, -1, 4, -6, 0, 1.5, 4},   {3, 3, 10, 2.665, 3.315, 0.065, 10},
    };
    for (const AxisRow& r : rows) Expect_Axis(r);
}

TEST(AxisRange, UndefinedRangesBecomeMinusOneToOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const AxisRow rows[] = {
        {0, 0, 10, -1.25, 1.25, 0.25, 10},   {nan, 1, 10, -1.25, 1.25, 0.25, 10},
        {0, nan, 10, -1.25, 1.25, 0.25, 10}, {-inf, inf, 10, -1.25, 1.25, 0.25, 10},
        {1, inf, 10, -1.25, 1.25, 0.25, 10},
    };
    for (const AxisRow& r : rows) Expect_Axis(r);
}

TEST(AxisRange, StepCountsBeyond32Bits) {
    // The step is 0.15; the counts are near 6.7e10 and must not wrap.
    double lo = 0, hi = 0, step = 0;
    int n = 10;
    Determin_Axis_Range(1e10, 1e10 + 1, &lo, &hi, &step, &n);
    EXPECT_NEAR(step, 0.15, 1e-12);
    EXPECT_GT(lo, 0.99e10);
    EXPECT_LE(lo, 1e10);
    EXPECT_GE(hi, 1e10 + 1);
    EXPECT_EQ(n, 8);
    EXPECT_NEAR(hi - lo, n * step, 1e-3);
    n = 10;
    Determin_Axis_Range(-1e10 - 1, -1e10, &lo, &hi, &step, &n);
    EXPECT_LT(hi, 0.0);
    EXPECT_LE(lo, -1e10 - 1);
    EXPECT_EQ(n, 8);
    EXPECT_NEAR(hi - lo, n * step, 1e-3);
}

TEST(AxisRange, NearZeroEndsAreNeverNegativeZero) {
    // max below one step: the end nearer zero truncates to a count of 0.
    const AxisRow rows[] = {
        {-5, -0.1, 4, -6, 0, 1.5, 4},
        {-0.0, 3, 3, 0, 4.5, 1.5, 3},
    };
    for (const AxisRow& r : rows) Expect_Axis(r);
}

TEST(AxisRange, StepRounding) {
    struct Row {
        double raw, tidy;
    } rows[] = {
        {1.0, 1.5},
        {0.2, 0.25},
        {0.23, 0.25},
        {0.27, 0.3},
        {9.2, 9.5},
        {9.7, 10},
        {123, 150},
        {0.068, 0.07},
        {0.05, 0.055},
        // Just below a power of ten the leading digit rounds to ten: carried, not 10.5.
        {0.0999999996, 0.15},
        {9.9999999, 15},
        {99.9999999, 150},
    };
    for (const Row& r : rows) {
        double step = r.raw;
        PreProce_For_Div(&step, 2);
        EXPECT_NEAR(step, r.tidy, std::fabs(r.tidy) * 1e-12) << r.raw;
    }
}

TEST(AxisRange, TanhOnZeroToTenGetsTidyStep) {
    double lo = 0, hi = 0, step = 0;
    int n = 10;
    Determin_Axis_Range(0.0, std::tanh(10.0), &lo, &hi, &step, &n);
    EXPECT_NEAR(step, 0.15, 1e-12);
    EXPECT_NEAR(hi, 1.05, 1e-12);
    EXPECT_EQ(n, 7);
}

TEST(AxisRange, Decomposition) {
    struct Row {
        double value, mantissa;
        int exponent;
    } rows[] = {
        {123.0, 1.23, 2},    {0.05, 5.0, -2}, {0.1, 1.0, -1},  {0.5, 5.0, -1},
        {-0.0042, -4.2, -3}, {1.0, 1.0, 0},   {9.99, 9.99, 0}, {1e-300, 1.0, -300},
    };
    for (const Row& r : rows) {
        double m = 0;
        int e = 0;
        Calc_Power_Expr(r.value, &m, &e);
        EXPECT_NEAR(m, r.mantissa, 1e-9) << r.value;
        EXPECT_EQ(e, r.exponent) << r.value;
    }
    double kept = 0;
    int next = 0;
    Get_Number_of_AnyDigit(1.25, &kept, &next, 3);
    EXPECT_NEAR(kept, 1.2, 1e-12);
    EXPECT_EQ(next, 5);
    Get_Number_of_AnyDigit(9.99999996, &kept, &next, 2);
    EXPECT_EQ(kept, 10.0);  // the single-precision digit the step rounding has to carry
    int sign = 0;
    Get_Sign_of_Value(0.0, &sign);
    EXPECT_EQ(sign, 1);
    Get_Sign_of_Value(std::nan(""), &sign);
    EXPECT_EQ(sign, -1);
}

TEST(Utility, ValueTransferAndArrays) {
    EXPECT_EQ(ValueTransfer_To_OnScreen(10, 2.5, 0.5, 10.0), 30);
    EXPECT_EQ(ValueTransfer_To_OnScreen(100, 2.5, 0.5, -10.0), 80);
    EXPECT_EQ(ValueTransfer_To_OnScreen(0, -0.15, 0.0, 10.0), -1);  // toward zero
    EXPECT_EQ(ValueTransfer_To_OnScreen(0, std::nan(""), 0.0, 1.0), INT32_MIN);
    EXPECT_EQ(ValueTransfer_To_OnScreen(0, INFINITY, 0.0, 1.0), INT32_MIN);
    EXPECT_EQ(ValueTransfer_To_OnScreen(0, 3e9, 0.0, 1.0), INT32_MIN);
    EXPECT_EQ(ValueTransfer_To_OnScreen(2147483000, 647, 0.0, 1.0), 2147483647);

    const double values[] = {2, 2.5, -1, 7, 7};
    double lo = 0, hi = 0, div = 0;
    EXPECT_EQ(CalcMaxMin_Of_Array(values, 5, &lo, &hi, &div), 1);
    EXPECT_EQ(lo, -1.0);
    EXPECT_EQ(hi, 7.0);
    EXPECT_EQ(div, 0.5);

    const tagPOINT p = SetArrbPoint(-3, 4);
    EXPECT_EQ(p.x, -3);
    EXPECT_EQ(p.y, 4);
}

TEST(Utility, SpaceTexts) {
    EXPECT_EQ(Is_SpaceArray(""), 1);
    EXPECT_EQ(Is_SpaceArray(" \t\n\v\f\r"), 1);
    EXPECT_EQ(Is_SpaceArray("  a  "), 0);
    EXPECT_EQ(Is_SpaceArray("\xc2\xa0"), 0);  // bytes above 0x7f are not blanks
    EXPECT_EQ(Is_SpaceArray("　"), 0);
}

TEST(Utility, DefaultColoursCycleBySeven) {
    const COLORREF table[7] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000,
                               0x00FFFF, 0xFF00FF, 0xF6FF00};
    for (int i = 0; i < 21; ++i) EXPECT_EQ(Defalt_Color(i), table[i % 7]) << i;
    EXPECT_EQ(Defalt_Color(-1), 0u);
    EXPECT_EQ(Defalt_Color(-6), 0u);
    EXPECT_EQ(Defalt_Color(-7), 0u);
}

TEST(Utility, FileDialogsGoThroughChoosers) {
    ScriptedChoosers choosers;
    static const char filter[] = "csv files(*.csv)\0*.csv\0";
    char full[MAX_PATH] = "start.csv";
    char title[64] = "";
    int selected = 0;
    choosers.file_path = "/tmp/data/out.csv";
    choosers.filter_index = 1;
    EXPECT_NE(Save_FilePath(nullptr, full, title, &selected, filter, "csv", "save"), 0);
    EXPECT_STREQ(full, "/tmp/data/out.csv");
    EXPECT_STREQ(title, "out.csv");
    EXPECT_EQ(selected, 1);
    ASSERT_EQ(choosers.file_requests.size(), 1u);
    const OPENFILENAMEA& req = choosers.file_requests[0];
    EXPECT_EQ(choosers.initial_file, "start.csv");
    EXPECT_EQ(req.nMaxFile, 260u);
    EXPECT_EQ(req.nMaxFileTitle, 64u);
    EXPECT_EQ(req.Flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_STREQ(req.lpstrDefExt, "csv");
    EXPECT_STREQ(req.lpstrTitle, "save");
    EXPECT_STREQ(req.lpstrFilter + std::strlen(req.lpstrFilter) + 1, "*.csv");

    // Cancel: the result is 0 and the selection is left alone.
    choosers.confirm = false;
    selected = 9;
    EXPECT_EQ(Save_FilePath(nullptr, full, title, &selected, filter, "csv", "save"), 0);
    EXPECT_EQ(selected, 9);
    EXPECT_EQ(GetOpen_FilePath(nullptr, full, title, filter, "csv", "open"), 0);

    // A path longer than the buffer is cut, never overrun.
    choosers.confirm = true;
    choosers.file_path = "/" + std::string(400, 'p');
    EXPECT_NE(GetOpen_FilePath(nullptr, full, title, filter, "dat", "open"), 0);
    EXPECT_EQ(std::strlen(full), 259u);
    EXPECT_EQ(std::strlen(title), 63u);
}
