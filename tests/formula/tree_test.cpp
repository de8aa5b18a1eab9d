// Expression trees built in place over analysed element arrays, and the values they give.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "formula_support.h"

using formula_test::Analysed;
using formula_test::Evaluate;
using formula_test::Render;

namespace {

struct ShapeRow {
    const char* text;
    const char* shape;
};

void CheckShape(const ShapeRow& row) {
    SCOPED_TRACE(row.text);
    Analysed formula(row.text);
    ASSERT_EQ(formula.ok, 1);
    CompForm* root = formula.Tree();
    ASSERT_NE(root, nullptr);
    // The root is one of the analysed elements: nothing is allocated or copied.
    EXPECT_GE(root, formula.elements.data());
    EXPECT_LT(root, formula.elements.data() + formula.count);
    EXPECT_EQ(Render(root), row.shape);
}

TEST(ExpressionTree, OperatorsNestByPrecedenceAndAssociateToTheLeft) {
    const ShapeRow rows[] = {
        {"x", "x"},
        {"a+b", "+(a,b)"},
        {"a+b*c-d", "-(+(a,*(b,c)),d)"},
        {"a-b*c/d", "-(a,*(b,/(c,d)))"},
        {"a*b/c", "*(a,/(b,c))"},
        {"a/b*c", "*(/(a,b),c)"},
        {"a*b/c/d", "*(a,/(/(b,c),d))"},
        {"2^3^2", "^(^(2,3),2)"},
        {"a-b-c", "-(-(a,b),c)"},
        {"a-b+c", "+(-(a,b),c)"},
        {"a+b*c+d", "+(+(a,*(b,c)),d)"},
        {"a+b*c*d", "+(a,*(*(b,c),d))"},
        {"a*b+c*d", "+(*(a,b),*(c,d))"},
        {"a+b*c^d", "+(a,*(b,^(c,d)))"},
        {"a+b^c*d", "+(a,*(^(b,c),d))"},
        {"a^b*c+d", "+(*(^(a,b),c),d)"},
        {"a^b/c*d", "*(/(^(a,b),c),d)"},
        {"a*b^c^d", "*(a,^(^(b,c),d))"},
        {"a-b/c^d*e+f", "+(-(a,*(/(b,^(c,d)),e)),f)"},
        {"-x", "-(0,x)"},
        {"-2^2", "-(0,^(2,2))"},
        {"+x*y", "+(0,*(x,y))"},
    };
    for (const ShapeRow& row : rows) CheckShape(row);
}

TEST(ExpressionTree, ParenthesesGroupAndVanish) {
    const ShapeRow rows[] = {
        {"(x)", "x"},
        {"((x))", "x"},
        {"(x)+1", "+(x,1)"},
        {"x+(y)", "+(x,y)"},
        {"(a+b)*c", "*(+(a,b),c)"},
        {"a*(b+c)", "*(a,+(b,c))"},
        {"2*(a-(b-c))", "*(2,-(a,-(b,c)))"},
        {"(a*b)/c", "/(*(a,b),c)"},
        {"2*(-3)", "*(2,-(0,3))"},
        {"(2^3)^2", "^(^(2,3),2)"},
        {"2^(3^2)", "^(2,^(3,2))"},
        {"((a+b)*(c-d))/e", "/(*(+(a,b),-(c,d)),e)"},
    };
    for (const ShapeRow& row : rows) CheckShape(row);
}

TEST(ExpressionTree, FunctionsTakeTheirArgumentsInSlots) {
    const ShapeRow rows[] = {
        {"sin(x)", "sin(x)"},
        {"sin(x+1)", "sin(+(x,1))"},
        {"sin(x)*2", "*(sin(x),2)"},
        {"2*sin(x)", "*(2,sin(x))"},
        {"sin(x)^2", "^(sin(x),2)"},
        {"sqrt(abs(x))", "sqrt(abs(x))"},
        {"cos((x))", "cos(x)"},
        {"log(2,x)", "log(2,x)"},
        {"log(sin(x),y+1)", "log(sin(x),+(y,1))"},
        {"log((a+b)*c,log(2,d))", "log(*(+(a,b),c),log(2,d))"},
        {"1+log(2,x)*3", "+(1,*(log(2,x),3))"},
        {"log(2,-x)", "log(2,-(0,x))"},
        {"log(-2,x)", "log(-(0,2),x)"},
        {"exp(-x)", "exp(-(0,x))"},
    };
    for (const ShapeRow& row : rows) CheckShape(row);
}

TEST(ExpressionTree, SummationHasItsRangeLeftAndItsBodyRight) {
    const ShapeRow rows[] = {
        {"sigma[n(1,10),n^2]", "sigma(n(1,10),^(n,2))"},
        {"sigma[n(1,10),n]", "sigma(n(1,10),n)"},
        {"sigma[n(1,10),n]*2", "*(sigma(n(1,10),n),2)"},
        {"1+sigma[n(1,10),(n+1)]", "+(1,sigma(n(1,10),+(n,1)))"},
        {"sigma[n(1,10),-n^2]", "sigma(n(1,10),-(0,^(n,2)))"},
        {"sigma[n(1,10),sigma[m(1,2),n*m]]", "sigma(n(1,10),sigma(m(1,2),*(n,m)))"},
        {"sin(sigma[k(0,3),k])", "sin(sigma(k(0,3),k))"},
        {"sigma[n(1,3),log(2,n)]", "sigma(n(1,3),log(2,n))"},
    };
    for (const ShapeRow& row : rows) CheckShape(row);
}

struct ValueRow {
    const char* text;
    std::map<std::string, double> values;
    double expected;
};

void CheckValue(const ValueRow& row) {
    SCOPED_TRACE(row.text);
    int flag = 0;
    bool analysed = false;
    double value = Evaluate(row.text, row.values, &flag, &analysed);
    ASSERT_TRUE(analysed);
    EXPECT_EQ(flag, 1);
    if (std::isinf(row.expected)) {
        EXPECT_EQ(value, row.expected);
    } else {
        EXPECT_DOUBLE_EQ(value, row.expected);
    }
}

TEST(ExpressionTree, ValuesFollowTheTreeShape) {
    const double inf = std::numeric_limits<double>::infinity();
    const ValueRow rows[] = {
        {"2^3^2", {}, 64},
        {"8/4/2", {}, 1},
        {"10-3-2", {}, 5},
        {"-2^2", {}, -4},
        {"(-2)^2", {}, 4},
        {"2*(-3)", {}, -6},
        {"1+2*3-4", {}, 3},
        {"x^2+1", {{"x", 3}}, 10},
        // a*b/c is a*(b/c): the product alone would overflow.
        {"a*b/c", {{"a", 1e308}, {"b", 10}, {"c", 10}}, 1e308},
        // a/b*c is (a/b)*c: the quotient alone overflows.
        {"a/b*c", {{"a", 1e308}, {"b", 0.1}, {"c", 10}}, inf},
        {"sin(0)+cos(0)", {}, 1},
        {"sqrt(16)+abs(-3)", {}, 7},
        {"log(2,8)", {}, 3},
        {"log(10,x)", {{"x", 1000}}, 3},
        {"log(2,-x)", {{"x", -8}}, 3},
        {"log(-b,x)", {{"b", -2}, {"x", 16}}, 4},
        {"exp(0)*ln(1)+log10(100)", {}, 2},
        {"pi*e", {{"pi", 2}, {"e", 5}}, 10},
    };
    for (const ValueRow& row : rows) CheckValue(row);
}

TEST(ExpressionTree, SummationValues) {
    const ValueRow rows[] = {
        {"sigma[n(1,10),n]", {}, 55},
        {"sigma[n(1,10),n^2]", {}, 385},
        {"sigma[n(1,4),2]", {}, 8},
        {"sigma[n(1.9,3.9),n]", {}, 6},
        {"sigma[n(3,1),n]", {}, 0},
        {"sigma[n(3,1),2]", {}, 0},
        {"sigma[n(1,10),-n]", {}, -55},
        {"sigma[n(1,10),-n^2]", {}, -385},
        {"sigma[n(1,3),sigma[m(1,2),n*m]]", {}, 18},
        {"sigma[n(1,3),n]+n", {{"n", 100}}, 106},
        {"sigma[n(1,3),x]", {{"x", 2.5}}, 7.5},
        {"sigma[n(1,3),log(2,2^n)]", {}, 6},
    };
    for (const ValueRow& row : rows) CheckValue(row);
}

}  // namespace
