// Character-level analysis of formula sides: the elements produced, their attributes,
// the error records of rejected texts and the reading of range texts such as x(-5,5)[200].
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula_support.h"

using formula_test::Analysed;

namespace {

struct TokenRow {
    const char* text;
    const char* tokens;  // "text:kind" per element
};

void CheckTokens(const TokenRow& row) {
    SCOPED_TRACE(row.text);
    Analysed formula(row.text);
    ASSERT_EQ(formula.ok, 1) << "error at " << formula.error.formula_position << " kind "
                             << formula.error.error_kind;
    EXPECT_EQ(formula.Tokens(), row.tokens);
}

TEST(FormulaAnalysis, AcceptedTextsGiveTheirElements) {
    const TokenRow rows[] = {
        {"x", "x:2"},
        {"x^2+1", "x:2 ^:1 2:5 +:1 1:5"},
        {"-x", "0:5 -:1 x:2"},
        {"+x", "0:5 +:1 x:2"},
        {"(-x)", "(:3 0:5 -:1 x:2 ):4"},
        {"2*(-3)", "2:5 *:1 (:3 0:5 -:1 3:5 ):4"},
        {"((x))", "(:3 (:3 x:2 ):4 ):4"},
        {"(x)+y", "(:3 x:2 ):4 +:1 y:2"},
        {"a-b*c/d", "a:2 -:1 b:2 *:1 c:2 /:1 d:2"},
        {"x1y2+Ab9", "x1y2:2 +:1 Ab9:2"},
        {"sin+1", "sin:2 +:1 1:5"},
        {"pi*e", "pi:2 *:1 e:2"},
        {"sigma", "sigma:2"},
        {"1.5e+3", "1.5e+3:5"},
        {"1e10", "1e10:5"},
        {"2.5E-7*x", "2.5E-7:5 *:1 x:2"},
        {"12.75", "12.75:5"},
        {"007", "007:5"},
        {"(1.5)", "(:3 1.5:5 ):4"},
        {"sin(x)", "sin:8 (:3 x:2 ):4"},
        {"sin(x)^2", "sin:8 (:3 x:2 ):4 ^:1 2:5"},
        {"abs(-x)", "abs:8 (:3 0:5 -:1 x:2 ):4"},
        {"log(2,x)", "log:8 (:3 2:5 ,:11 x:2 ):4"},
        {"log(2,x)*3", "log:8 (:3 2:5 ,:11 x:2 ):4 *:1 3:5"},
        {"log((a),b+c)", "log:8 (:3 (:3 a:2 ):4 ,:11 b:2 +:1 c:2 ):4"},
        {"log(log(2,a),b)", "log:8 (:3 log:8 (:3 2:5 ,:11 a:2 ):4 ,:11 b:2 ):4"},
        {"sin(log(2,x))", "sin:8 (:3 log:8 (:3 2:5 ,:11 x:2 ):4 ):4"},
        {"log(2,-xy)", "log:8 (:3 2:5 ,:11 0:5 -:1 xy:2 ):4"},
        {"log(2,-x)", "log:8 (:3 2:5 ,:11 0:5 -:1 x:2 ):4"},
        {"log(-2,x)", "log:8 (:3 0:5 -:1 2:5 ,:11 x:2 ):4"},
        {"sigma[n(1,10),n^2]", "sigma:10 [:7 n(1,10):12 ,:11 n:2 ^:1 2:5 ]:6"},
        {"sigma[n(1,10),n]+n", "sigma:10 [:7 n(1,10):12 ,:11 n:2 ]:6 +:1 n:2"},
        {"sigma[n(1,10),-n]", "sigma:10 [:7 n(1,10):12 ,:11 0:5 -:1 n:2 ]:6"},
        {"sigma[n(1,10),-n^2]", "sigma:10 [:7 n(1,10):12 ,:11 0:5 -:1 n:2 ^:1 2:5 ]:6"},
        {"(sigma[k(0,3),k])", "(:3 sigma:10 [:7 k(0,3):12 ,:11 k:2 ]:6 ):4"},
        {"sigma[n(1,10),sigma[m(1,2),n*m]]",
         "sigma:10 [:7 n(1,10):12 ,:11 sigma:10 [:7 m(1,2):12 ,:11 n:2 *:1 m:2 ]:6 ]:6"},
        {"sigma[n(1,3),log(2,n)]", "sigma:10 [:7 n(1,3):12 ,:11 log:8 (:3 2:5 ,:11 n:2 ):4 ]:6"},
    };
    for (const TokenRow& row : rows) CheckTokens(row);
}

TEST(FormulaAnalysis, LastElementIndexIsLeftInCurrentNumber) {
    const struct {
        const char* text;
        int last;
    } rows[] = {{"x", 0}, {"x^2+1", 4}, {"(-x)", 4}, {"log(2,x)", 5}, {"sigma[n(1,10),n^2]", 7}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::vector<CompForm> elements(300);
        ErrorInfo error;
        ASSERT_EQ(Analysis_Formula(elements.data(), 300, row.text, &error, EmptyArray), 1);
        EXPECT_EQ(current_number, row.last);
    }
}

// Attributes of one element of an accepted text.
struct AttributeRow {
    const char* text;
    int index;
    int kind;
    int code;      // operator_kind
    int argm_num;  // 1 default, 2 log and sigma, -1 summation variable
    int slots;     // list_fnarg.element_num
};

TEST(FormulaAnalysis, ElementsCarryTheirCodesAndArgumentCounts) {
    const AttributeRow rows[] = {
        {"a+b", 1, KIND_OPERATOR, OP_PLUS, 1, 0},
        {"a-b", 1, KIND_OPERATOR, OP_MINUS, 1, 0},
        {"a*b", 1, KIND_OPERATOR, OP_MULTI, 1, 0},
        {"a/b", 1, KIND_OPERATOR, OP_DIVIDE, 1, 0},
        {"a^b", 1, KIND_OPERATOR, OP_POWER, 1, 0},
        {"-x", 1, KIND_OPERATOR, OP_MINUS, 1, 0},
        {"-x", 0, KIND_NUMBER, -1, 1, 0},
        {"a+b", 0, KIND_VARIABLE, -1, 1, 0},
        {"(a)", 0, KIND_OPEN_PAR, -1, 1, 0},
        {"sin(x)", 0, KIND_FUNCTION, OP_SIN, 1, 1},
        {"cos(x)", 0, KIND_FUNCTION, OP_COS, 1, 1},
        {"tan(x)", 0, KIND_FUNCTION, OP_TAN, 1, 1},
        {"exp(x)", 0, KIND_FUNCTION, OP_EXP, 1, 1},
        {"log10(x)", 0, KIND_FUNCTION, OP_LOG10, 1, 1},
        {"ln(x)", 0, KIND_FUNCTION, OP_LN, 1, 1},
        {"abs(x)", 0, KIND_FUNCTION, OP_ABS, 1, 1},
        {"asin(x)", 0, KIND_FUNCTION, OP_ASIN, 1, 1},
        {"acos(x)", 0, KIND_FUNCTION, OP_ACOS, 1, 1},
        {"atan(x)", 0, KIND_FUNCTION, OP_ATAN, 1, 1},
        {"sinh(x)", 0, KIND_FUNCTION, OP_SINH, 1, 1},
        {"cosh(x)", 0, KIND_FUNCTION, OP_COSH, 1, 1},
        {"tanh(x)", 0, KIND_FUNCTION, OP_TANH, 1, 1},
        {"sqrt(x)", 0, KIND_FUNCTION, OP_SQRT, 1, 1},
        {"log(2,x)", 0, KIND_FUNCTION, OP_LOGA, 2, 2},
        {"log(2,x)", 3, KIND_SEPARATOR, -1, 1, 0},
        {"sigma[n(1,10),n^2]", 0, KIND_MULTI_OPERATOR, OP_SIGMA, 2, 0},
        {"sigma[n(1,10),n^2]", 2, KIND_RANGE, -1, 1, 0},
        {"sigma[n(1,10),n^2]", 4, KIND_VARIABLE, -1, -1, 0},
        {"sigma[n(1,10),n^2]", 5, KIND_OPERATOR, OP_POWER, 1, 0},
        {"sigma[n(1,10),n]+n", 6, KIND_OPERATOR, OP_PLUS, 1, 0},
        {"sigma[n(1,10),n]+n", 7, KIND_VARIABLE, -1, 1, 0},
        {"sigma[n(1,10),n*m]", 6, KIND_VARIABLE, -1, 1, 0},
        {"sigma[n(1,10),sigma[m(1,2),n*m]]", 8, KIND_VARIABLE, -1, -1, 0},
        {"sigma[n(1,10),sigma[m(1,2),n*m]]", 10, KIND_VARIABLE, -1, -1, 0},
        {"sigma[n(1,3),log(2,n)]", 8, KIND_VARIABLE, -1, -1, 0},
    };
    for (const AttributeRow& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " #" + std::to_string(row.index));
        Analysed formula(row.text);
        ASSERT_EQ(formula.ok, 1);
        ASSERT_LT(row.index, formula.count);
        const CompForm& element = formula.elements[row.index];
        EXPECT_EQ(element.kind, row.kind);
        EXPECT_EQ(element.operator_kind, row.code);
        EXPECT_EQ(element.argm_num, row.argm_num);
        EXPECT_EQ(element.list_fnarg.element_num, row.slots);
        EXPECT_EQ(element.left, nullptr);
        EXPECT_EQ(element.right, nullptr);
    }
}

struct ErrorRow {
    const char* text;
    int position;
    int kind;
};

void CheckRejected(const ErrorRow& row) {
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    Analysed formula(row.text);
    EXPECT_EQ(formula.ok, 0);
    EXPECT_EQ(formula.error.formula_position, row.position);
    EXPECT_EQ(formula.error.error_kind, row.kind);
}

TEST(FormulaAnalysis, RejectedTextsReportWhereTheyFail) {
    const ErrorRow rows[] = {
        {"", -1, 0},
        // operators and signs
        {"2*-3", 2, 1},
        {"2^-1", 2, 1},
        {"x+*2", 2, 1},
        {"x+", 2, 1},
        {"x^", 2, 1},
        {"*x", 0, 1},
        {"/2", 0, 1},
        // parentheses and separators
        {"((x)", 4, 1},
        {"x*(", 3, 1},
        {"sin(x", 5, 1},
        {"x)", 1, 1},
        {"(x))", 3, 1},
        {"()", 1, 1},
        {"x,y", 1, 1},
        {"x]", 1, 1},
        {")x", 0, 1},
        // no implicit multiplication
        {"2x", 1, 1},
        {"(x)(y)", 3, 1},
        {"x(1)", 1, 1},
        {"(x)y", 3, 1},
        // characters outside the language
        {"x y", 1, 1},
        {"x+\x82\xa0", 2, 1},
        {"x_1", 1, 1},
        {"x=1", 1, 1},
        // number literals
        {"1.5e+03", 5, 1},
        {"1.", 2, 1},
        {"1.e5", 2, 1},
        {".5", 0, 1},
        {"1e0", 2, 1},
        {"1e05", 2, 1},
        {"2.5E-0", 5, 1},
        {"1e", 2, 1},
        {"1e+", 3, 1},
        {"1.2.3", 3, 1},
        {"1e5.2", 3, 1},
        {"12a", 2, 1},
        // functions
        {"foo(x)", 3, 1},
        {"Sin(x)", 3, 1},
        {"SQRT(x)", 4, 1},
        {"sigma(x)", 5, 1},
        {"cos[x]", 3, 1},
        {"sin()", 4, 1},
        {"log(2x)", 3, 1},
        {"log(,x)", 3, 1},
        {"log(2,)", 5, 1},
        {"log(2,x+)", 8, 1},
        {"log(2*-1,x)", 6, 1},
        {"log(2,x)y", 8, 1},
        // summation
        {"sigma[n(1,10)]", 5, 1},
        {"sigma[n(1,3),]", 12, 1},
        {"sigma[n(1,3),n+]", 15, 1},
        {"sigma[x,1]", 6, 1},
        {"sigma[n(1,10),sigma[n(1,2),n]]", 25, 1},
    };
    for (const ErrorRow& row : rows) CheckRejected(row);
}

TEST(FormulaAnalysis, ElementLimitIsKindTwoAtTheCharacterThatExceedsIt) {
    const struct {
        const char* text;
        int limit;
        int ok;
        int position;
    } rows[] = {
        {"x+y+z", 5, 1, -1}, {"x+y+z", 4, 0, 4}, {"x+y+z", 3, 0, 3}, {"-x", 3, 1, -1},
        {"-x", 2, 0, 1},     {"(x)", 3, 1, -1},  {"(x)", 2, 0, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " limit " + std::to_string(row.limit));
        Analysed formula(row.text, row.limit);
        EXPECT_EQ(formula.ok, row.ok);
        EXPECT_EQ(formula.error.formula_position, row.position);
        EXPECT_EQ(formula.error.error_kind, row.ok ? 0 : 2);
    }
}

TEST(FormulaAnalysis, EveryEntryStartsFromAFreshState) {
    // A failure with open parentheses must not leak its depth into the next analysis.
    const char* sequence[] = {"((((x", "x", "sigma[n(1,10),n]", "n", "log(2,(", "x+1"};
    const int expected[] = {0, 1, 1, 1, 0, 1};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(sequence[i]);
        Analysed formula(sequence[i]);
        EXPECT_EQ(formula.ok, expected[i]);
    }
    // The summation variable of an earlier analysis is an ordinary variable later.
    Analysed later("n");
    ASSERT_EQ(later.ok, 1);
    EXPECT_NE(later.elements[0].argm_num, -1);
}

struct RangeRow {
    const char* text;
    int result;
    const char* name;
    double min;
    double max;
    int step;  // 7 when the step part is absent (left unchanged)
    bool given;
};

TEST(RangeText, ReadsNameBoundsAndSteps) {
    const RangeRow rows[] = {
        {"x(-5,5)[200]", 1, "x", -5, 5, 200, true},
        {"t(0,6.28)", 1, "t", 0, 6.28, 7, false},
        {" x (0 , 1) [ 3 ]", 1, "x", 0, 1, 3, true},
        {"ab12(1e3,2.5e-1)[2.9]", 1, "ab12", 1000, 0.25, 2, true},
        {"x(5,1)", 1, "x", 5, 1, 7, false},
        {"x(,)", 1, "x", 0, 0, 7, false},
        {"x(0,1)junk", 1, "x", 0, 1, 7, false},
        {"x(0,1)[4]junk]", 1, "x", 0, 1, 4, true},
        {"x(-0.5,+0.5)", 1, "x", -0.5, 0.5, 7, false},
    };
    for (const RangeRow& row : rows) {
        SCOPED_TRACE(row.text);
        char name[256] = "old";
        double min = 99, max = 99;
        int step = 7;
        bool given = !row.given;
        EXPECT_EQ(Analysis_Variable(row.text, name, 256, &min, &max, &step, &given), row.result);
        EXPECT_STREQ(name, row.name);
        EXPECT_DOUBLE_EQ(min, row.min);
        EXPECT_DOUBLE_EQ(max, row.max);
        EXPECT_EQ(step, row.step);
        EXPECT_EQ(given, row.given);
    }
}

TEST(RangeText, RejectsMalformedParts) {
    const std::string long_part(80, '1');
    const std::string fitting_part = std::string(78, '0') + "3";
    const struct {
        std::string text;
        int var_size;
        int result;
    } rows[] = {
        {"", 256, -1},
        {"1x(0,1)", 256, -2},
        {"(0,1)", 256, -2},
        {"x-(0,1)", 256, -2},
        {"x_y(0,1)", 256, -2},
        {"abcd(0,1)", 4, -2},
        {"abc(0,1)", 4, 1},
        {"x(a,1)", 256, -3},
        {"x(1 .5x,1)", 256, -3},
        {"x(" + long_part + ",1)", 256, -3},
        {"x(" + fitting_part + ",1)", 256, 1},
        {"x(0,b)", 256, -4},
        {"x(0," + long_part + ")", 256, -4},
        {"x(0,1)[c]", 256, -5},
        {"x(0,1)[" + long_part + "]", 256, -5},
        {"x", 256, 0},
        {"x(0", 256, 0},
        {"x(0,1", 256, 0},
        {"x(0,1)[3", 256, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        char name[256] = "";
        double min = 0, max = 0;
        int step = 7;
        EXPECT_EQ(Analysis_Variable(row.text.c_str(), name, row.var_size, &min, &max, &step),
                  row.result);
    }
}

}  // namespace
