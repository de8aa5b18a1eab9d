#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "data/array_cls.h"
#include "data/grp_date2d.h"
#include "data/point_array.h"
#include "data/point_date.h"

namespace {
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(PointArray, NonPositiveSizesGiveOnePoint) {
    PointArray zero(0, nullptr, nullptr, nullptr);
    EXPECT_EQ(zero.ArrayNum(), 1);
    EXPECT_EQ(zero[0].x, 0.0);
    EXPECT_EQ(zero.PutTheName(), nullptr);
    GrpDate2D set(-3, nullptr);
    EXPECT_EQ(set.ArrayNum(), 1);
    EXPECT_EQ(set[0].ArrayNum(), 1);
}

TEST(PointArray, MissingComponentArrayLeavesZeros) {
    const double x[5] = {1, 2, 3, 4, 5};
    PointArray a(5, x, nullptr, "a");
    ASSERT_EQ(a.ArrayNum(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(a[i].x, 0.0);
        EXPECT_EQ(a[i].y, 0.0);
    }
    EXPECT_STREQ(a.PutTheName(), "a");
}

TEST(PointArray, OutOfRangeReachesDummyNotData) {
    const double x[2] = {1, 2}, y[2] = {3, 4};
    PointArray a(2, x, y, nullptr);
    a[-1].SetValue(9, 9);
    a[2].SetValue(8, 8);
    EXPECT_EQ(a[0].x, 1.0);
    EXPECT_EQ(a[1].y, 4.0);
    PointDate d(4);
    d[3].x = 42;
    EXPECT_EQ(d[-1].x, 42);
    EXPECT_EQ(d[4].x, 42);
    PointDate ten(0);
    EXPECT_EQ(ten.GetArraySize(), 10);
    ArrayCls<int> ints(3, nullptr);
    ints[7] = 5;
    EXPECT_EQ(ints[0] + ints[1] + ints[2], 0);
}

TEST(PointArray, NameLimitCountsFileBytes) {
    PointArray a;
    struct Row {
        std::string name;
        int result;
    } rows[] = {
        {std::string(254, 'n'), 1},
        {std::string(255, 'n'), 0},
        // 127 kanji are 254 bytes in CP932 although 381 in UTF-8.
        [] {
            std::string s;
            for (int i = 0; i < 127; ++i) s += "関";
            return Row{s, 1};
        }(),
        [] {
            std::string s;
            for (int i = 0; i < 128; ++i) s += "関";
            return Row{s, 0};
        }(),
    };
    for (const Row& row : rows) {
        a.SetTheName("old");
        EXPECT_EQ(a.SetTheName(row.name.c_str()), row.result) << row.name.size();
        if (row.result) {
            EXPECT_EQ(std::string(a.PutTheName()), row.name);
        } else {
            EXPECT_EQ(a.PutTheName(), nullptr);
        }
    }
}

TEST(PointArray, CopiesAreDeepAndSelfAssignmentSafe) {
    const double x[3] = {1, 2, 3}, y[3] = {4, 5, 6};
    PointArray a(3, x, y, "s");
    PointArray b(a);
    b[0].x = 100;
    EXPECT_EQ(a[0].x, 1.0);
    PointArray c;
    c = a;
    c.SetTheName("t");
    EXPECT_EQ(c.ArrayNum(), 3);
    EXPECT_STREQ(a.PutTheName(), "s");
    PointArray& alias = a;
    a = alias;
    EXPECT_EQ(a.ArrayNum(), 3);
    EXPECT_EQ(a[2].y, 6.0);
    EXPECT_STREQ(a.PutTheName(), "s");

    GrpDate2D set(2, nullptr);
    set.SetDateArray(1, &a);
    a[0].x = -7;
    EXPECT_EQ(set[0][0].x, 1.0);
    EXPECT_EQ(set.ArrayNum(), 1);
    const GrpDate2D& cset = set;
    EXPECT_EQ(cset[5].ArrayNum(), 1);

    ArrayCls<double> v(3, x);
    ArrayCls<double> w(v);
    w[0] = 50;
    EXPECT_EQ(v[0], 1.0);
    ArrayCls<double>& same = v;
    v = same;
    EXPECT_EQ(v[2], 3.0);
    PointDate p(2);
    p[0].x = 3;
    PointDate q(5);
    q = p;
    p[0].x = 4;
    EXPECT_EQ(q.GetArraySize(), 2);
    EXPECT_EQ(q[0].x, 3);
}

TEST(PointArray, SettersRefuseBadInputAndResize) {
    const double x[4] = {1, 2, 3, 4}, y[4] = {5, 6, 7, 8};
    PointArray a(2, x, y, "keep");
    EXPECT_EQ(a.SetDateArray(0, x, y), 0);
    EXPECT_EQ(a.SetDateArray(3, nullptr, y), 0);
    EXPECT_EQ(a.ArrayNum(), 2);
    EXPECT_EQ(a.SetDateArray(4, x, y), 1);
    EXPECT_EQ(a.ArrayNum(), 4);
    EXPECT_EQ(a[3].y, 8.0);
    EXPECT_STREQ(a.PutTheName(), "keep");
    ArrayCls<double> v(2, x);
    EXPECT_EQ(v.SetArray(-1, x), 0);
    EXPECT_EQ(v.SetArray(4, y), 1);
    EXPECT_EQ(v.ArrayNum(), 4);
    EXPECT_EQ(v[3], 8.0);
}

TEST(PointArray, CalcMaxMinSkipsNonFinite) {
    struct Row {
        std::vector<double> x, y;
        double x_min, x_max, y_min, y_max;
    } rows[] = {
        {{1, kNaN, 3}, {5, 7, kInf}, 1, 3, 5, 7},
        {{kNaN, kNaN}, {2, -1}, kNaN, kNaN, -1, 2},
        {{-kInf, 0.0, 4e-320}, {kNaN, kNaN, kNaN}, 0.0, 4e-320, kNaN, kNaN},
        {{kInf, 2, -5, 2}, {-kInf, 1, 1, 9}, -5, 2, 1, 9},
    };
    for (const Row& r : rows) {
        PointArray a(static_cast<int>(r.x.size()), r.x.data(), r.y.data(), nullptr);
        double v[4];
        a.CalcMaxMin(&v[0], &v[1], &v[2], &v[3]);
        const double want[4] = {r.x_min, r.x_max, r.y_min, r.y_max};
        for (int i = 0; i < 4; ++i) {
            if (std::isnan(want[i])) {
                EXPECT_TRUE(std::isnan(v[i])) << i;
            } else {
                EXPECT_EQ(v[i], want[i]) << i;
            }
        }
    }
    PointArray none(1, nullptr, nullptr, nullptr);
    none[0].x = kNaN;
    double target = 0;
    int index = -5;
    EXPECT_EQ(none.GetFirstMinMaxX(&target, &index), 0);
    EXPECT_TRUE(std::isnan(target));
    EXPECT_EQ(index, -5);
}
