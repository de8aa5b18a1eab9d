// Evaluation: values and flags of the operations, summation, the user function call
// sequence, and bit-for-bit agreement with a literal reading of the evaluation rules.
#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <random>
#include <vector>

#include "reference_evaluator.h"
#include "formula/compiled_formula.h"

#include "allocation_counter.h"

using formula_test::kInf;
using formula_test::kNaN;
using formula_test::Parse;
using formula_test::ParsedFormula;
using formula_test::Same_Bits;

namespace {

struct ValueRow {
    const char* text;
    double x;
    double expected;  // NaN means "expect NaN"
};

TEST(Evaluation, ValuesOfOperationsAndFunctions) {
    const ValueRow rows[] = {
        {"x^2+1", 3.0, 10.0},
        {"2^3^2", 0.0, 64.0},  // left-associative
        {"8/4/2", 0.0, 1.0},
        {"-2^2", 0.0, -4.0},  // the sign is 0 - 2^2
        {"-x", 5.0, -5.0},
        {"(-x)*2", 5.0, -10.0},
        {"1/x", 0.0, kInf},
        {"-1/x", 0.0, -kInf},
        {"x/x", 0.0, kNaN},
        {"sqrt(x)", -1.0, kNaN},
        {"ln(x)", -1.0, kNaN},
        {"log10(x)", 0.0, -kInf},
        {"log10(x)", 1000.0, 3.0},
        {"log(2,8)", 0.0, 3.0},
        {"log(10,100)", 0.0, 2.0},
        {"log(2,-x)", -8.0, 3.0},
        {"log(-2,x)", 8.0, kNaN},
        {"tanh(x)", 0.0, 0.0},
        {"tanh(x)", 1000.0, 1.0},
        {"tanh(x)", -1000.0, -1.0},
        {"abs(x)", -2.5, 2.5},
        {"exp(x)", 0.0, 1.0},
        {"cosh(x)+sinh(x)", 0.0, 1.0},
        {"asin(x)+acos(x)", 2.0, kNaN},
        {"1.5e+3*x", 2.0, 3000.0},
        {"2.5E-1+x", 0.0, 0.25},
        {"sin+1", 0.0, 1.0},  // sin without "(" is a variable, bound to 0
        {"pi*e", 0.0, 0.0},   // no named constants
    };
    for (const ValueRow& row : rows) {
        auto parsed = Parse(row.text);
        ASSERT_TRUE(parsed->ok) << row.text;
        if (parsed->variables("x")) parsed->variables["x"] = row.x;
        int flag = 1;
        double value = parsed->Eval(&flag);
        EXPECT_EQ(flag, 1) << row.text;
        if (std::isnan(row.expected)) {
            EXPECT_TRUE(std::isnan(value)) << row.text << " gave " << value;
        } else {
            EXPECT_DOUBLE_EQ(value, row.expected) << row.text << " at x=" << row.x;
        }
    }
}

TEST(Evaluation, TanNearPoleIsLargeButFiniteAndFlagStays) {
    auto parsed = Parse("tan(x)");
    parsed->variables["x"] = 1.5707963267948966;
    int flag = 1;
    double value = parsed->Eval(&flag);
    EXPECT_EQ(flag, 1);
    EXPECT_TRUE(std::isfinite(value));
    EXPECT_GT(std::fabs(value), 1e15);
}

TEST(Evaluation, EveryOccurrenceOfAVariableReadsOneCell) {
    auto parsed = Parse("x*x-x");
    ASSERT_TRUE(parsed->ok);
    int count = 0;
    parsed->variables.CountElem(&count);
    EXPECT_EQ(count, 1);
    double* cell = &parsed->variables["x"];
    int bound = 0;
    for (int i = 0; i < parsed->count; ++i) {
        if (parsed->elements[i].kind == KIND_VARIABLE) {
            EXPECT_EQ(parsed->elements[i].number_source, cell);
            ++bound;
        }
    }
    EXPECT_EQ(bound, 3);
    *cell = 4.0;
    int flag = 1;
    EXPECT_EQ(parsed->Eval(&flag), 12.0);
    *cell = -1.0;  // no rebinding between evaluations
    EXPECT_EQ(parsed->Eval(&flag), 2.0);
}

struct SigmaRow {
    const char* text;
    double n_outside;
    double expected;
};

// Summation bounds: truncation toward zero, 64-bit counting; a bound that is not a number or
// does not fit in 32 bits is -2147483648, like every conversion, and is no error.
TEST(Evaluation, SummationBounds) {
    const SigmaRow rows[] = {
        {"sigma[n(-1.9,1),n]", 0, 0},  // toward zero: -1 ... 1
        {"sigma[n(5,5),7]", 0, 7},
        {"sigma[n(1,3),n]*sigma[n(1,2),n]", 0, 18},
        {"log(2,sigma[k(1,3),k]+2)", 0, 3},
        {"sigma[n(2147483646,2147483647),n]", 0, 4294967293.0},  // no 32-bit overflow
        {"sigma[n(1e300,1e300),n]", 0, -2147483648.0},           // one term, at -2^31
        {"sigma[n(1e17,10),1]", 0, 2147483659.0},                // -2^31 ... 10
        {"sigma[n(-1e17,-2147483647),1]", 0, 2.0},
        {"sigma[n(1,inf),x]", 0, 0.0},           // 1 ... -2^31: empty
        {"sigma[n(1,2147483648),n]", 0, 0.0},    // 2^31 does not fit: empty
        {"sigma[n(nan,1),1]", 0, 2147483650.0},  // -2^31 ... 1
        {"sigma[n(1,nan),n]", 0, 0.0},
        {"sigma[n(nan,3),1]+1", 0, 2147483653.0},
    };
    for (const SigmaRow& row : rows) {
        auto parsed = Parse(row.text);
        ASSERT_TRUE(parsed->ok) << row.text << " at " << parsed->error.formula_position;
        if (parsed->variables("n")) parsed->variables["n"] = row.n_outside;
        int flag = 1;
        EXPECT_EQ(parsed->Eval(&flag), row.expected) << row.text;
        EXPECT_EQ(flag, 1) << row.text;
    }
}

TEST(Evaluation, UnreadableRangeOrMissingNodeClearsTheFlag) {
    // A range element whose text does not read as name(min,max).
    CompForm elements[8];
    formula_test::Make_UnreadableSigma(elements);
    AscArray<double> table;
    int left = 1;
    int right = 1;
    EXPECT_EQ(SigmaCalc(&elements[0], &elements[2], &elements[4], table, &left, &right,
                        g_ufunc_list, EmptyArray),
              0.0);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 1);

    int flag = 1;
    EXPECT_EQ(BinTreeFunc(&elements[0], &flag, table, g_ufunc_list, EmptyArray), 0.0);
    EXPECT_EQ(flag, 0);

    flag = 1;
    EXPECT_EQ(CalcValue(nullptr, &flag, table, g_ufunc_list, EmptyArray), 0.0);
    EXPECT_EQ(flag, 0);

    flag = 1;  // a bracket reached as an operand
    EXPECT_EQ(CalcValue(&elements[1], &flag, table, g_ufunc_list, EmptyArray), 0.0);
    EXPECT_EQ(flag, 0);
}

// The evaluator keeps literals converted, ranges read and squares as products, yet must
// give exactly what the literal reading of the rules gives.
TEST(Evaluation, BitIdenticalToTheLiteralRules) {
    const double values[] = {0.0,   -0.0, 1.0,     -1.0,  0.5,  3.0,   -2.75, 1e-300,
                             1e300, 7e-5, 123.456, -1e10, kInf, -kInf, kNaN,  2.0};
    for (const char* text : formula_test::kFormulaRows) {
        auto fast = Parse(text);
        auto literal = Parse(text);
        ASSERT_TRUE(fast->ok) << text;
        for (double x : values) {
            for (double y : {2.0, -0.5, 0.0, kNaN, 1e200}) {
                for (auto* parsed : {fast.get(), literal.get()}) {
                    for (const char* name : {"x", "y", "a", "b", "c", "d"}) {
                        if (parsed->variables(name)) parsed->variables[name] = x + y;
                    }
                    if (parsed->variables("x")) parsed->variables["x"] = x;
                    if (parsed->variables("y")) parsed->variables["y"] = y;
                }
                int fast_flag = 1;
                int literal_flag = 1;
                double fast_value = fast->Eval(&fast_flag);
                double literal_value = reference::BinTreeFunc(literal->root, &literal_flag,
                                                              literal->variables, EmptyArray);
                EXPECT_TRUE(Same_Bits(fast_value, literal_value))
                    << text << " x=" << x << " y=" << y << ": " << fast_value << " vs "
                    << literal_value;
                EXPECT_EQ(fast_flag, literal_flag) << text;
            }
        }
    }
}

// Squares are where a product and pow(x, 2) can differ: an exact square with more than 53
// significant bits lies halfway between two doubles, and libm's pow may round that tie
// either way. Every integer of [2^26, 2^27) squares to 52 ... 54 bits, so half of the upper
// part are exact ties; values with few significant bits give exact squares or ties too.
TEST(Evaluation, SquaresAreBitIdenticalToPow) {
    auto variable = Parse("x^2");
    auto computed = Parse("(x+0)^2");  // the square of a computed value
    // A summation keeps the whole formula in the tree walk; it adds nothing to the square.
    auto walked = Parse("x^2+sigma[n(1,2),0*n]");
    ASSERT_TRUE(variable->ok && computed->ok && walked->ok);
    double* x_walked = &walked->variables["x"];
    double* x_cell = &variable->variables["x"];
    double* x_computed = &computed->variables["x"];
    // libm's pow itself: a literal exponent would let the compiler use a product.
    volatile double two = 2.0;
    auto libm_square = [&](double x) { return std::pow(x, two); };
    auto check = [&](double x) {
        const double expected = libm_square(x);
        *x_cell = x;
        *x_computed = x;
        int flag = 1;
        const double a = variable->Eval(&flag);
        const double b = computed->Eval(&flag);
        *x_walked = x;
        const double c = walked->Eval(&flag);
        return Same_Bits(a, expected) && Same_Bits(b, expected) && Same_Bits(c, expected) &&
               Same_Bits(Square_As_Pow(x), expected);
    };
    ASSERT_TRUE(check(94906297.0));
    long ties = 0;
    long failures = 0;
    for (int64_t n = int64_t{1} << 26; n < (int64_t{1} << 27); ++n) {
        const double x = static_cast<double>(n);
        if (!check(x) && ++failures <= 5) ADD_FAILURE() << "x = " << n;
        if (x * x != libm_square(x)) ++ties;
    }
    EXPECT_EQ(failures, 0);
    std::printf("integers whose product and pow differ: %ld\n", ties);

    // Few significant bits, over the whole exponent range, both signs, and the ends.
    std::mt19937_64 generator(20261209);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::uniform_int_distribution<int> width(1, 40);
    for (int i = 0; i < 400000; ++i) {
        const int bits = width(generator);
        const uint64_t mantissa = (generator() >> (64 - bits)) | (uint64_t{1} << (bits - 1));
        double x = std::ldexp(static_cast<double>(mantissa), exponent(generator) - bits);
        if (i % 2) x = -x;
        if (!check(x) && ++failures <= 10) ADD_FAILURE() << std::hexfloat << x;
    }
    // Full 53-bit values: for about one in a thousand of them the product and pow differ
    // (a near tie), and only pow's own rounding counts.
    std::uniform_int_distribution<uint64_t> mantissa_bits(0, (uint64_t{1} << 52) - 1);
    std::uniform_int_distribution<int> small_exponent(-300, 300);
    for (int i = 0; i < 2000000; ++i) {
        double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(mantissa_bits(generator)), -52),
                              small_exponent(generator));
        if (!check(x) && ++failures <= 10) ADD_FAILURE() << std::hexfloat << x;
    }
    EXPECT_EQ(failures, 0);
    for (double x :
         {0.0, -0.0, kInf, -kInf, kNaN, 0x1p-1074, 0x1p-537, 0x1p+511, 0x1.fffffffffffffp+511,
          0x1p+512, 1e-160, 1e154, 1.0 + 0x1p-52, 1.0 - 0x1p-53}) {
        EXPECT_TRUE(check(x)) << std::hexfloat << x;
    }
}

TEST(Evaluation, NoAllocationWithoutSummation) {
    for (const char* text : {"sin(x)*cos(x)+x/3", "sqrt(x^2+y^2)-1", "log(2,x)+exp(-x^2)"}) {
        auto parsed = Parse(text);
        ASSERT_TRUE(parsed->ok);
        int flag = 1;
        parsed->Eval(&flag);  // first evaluation fills the caches
        long before = Allocation_Count();
        volatile double sink = 0.0;
        for (int i = 0; i < 1000; ++i) {
            parsed->variables["x"] = i * 0.01;
            sink = parsed->Eval(&flag);
        }
        (void)sink;
        EXPECT_EQ(Allocation_Count() - before, 0) << text;
    }
}

TEST(Evaluation, LiteralsReadTheSameUnderADecimalCommaLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    }
    auto parsed = Parse("1.5*x+sigma[n(1.5,3.5),n]");
    ASSERT_TRUE(parsed->ok);
    parsed->variables["x"] = 2.0;
    int flag = 1;
    double value = parsed->Eval(&flag);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(value, 3.0 + 6.0);
}

// The user function table is never filled by the program; a function put there by hand
// takes the whole call sequence: arguments first, then the parameters a0, a1, ...
TEST(UserFunctions, CallSequenceWithAHandMadeDefinition) {
    auto definition = Parse("a0*a1+1");
    ASSERT_TRUE(definition->ok);
    auto* function = new UsrFuncProp("f");
    function->argNum = 2;
    function->funcDef = new CompForm[definition->count];
    for (int i = 0; i < definition->count; ++i) function->funcDef[i] = definition->elements[i];
    function->funcAryNum = definition->count;
    int index = 0;
    function->funcRoot =
        Create_BinTree(&index, 0, nullptr, nullptr, function->funcDef, definition->count);
    Create_SymbolTable<double>(function->funcDef, definition->count, ufunc_argArray);
    g_ufunc_list.the_root = function;

    auto call = Parse("f(2,x+1)");
    auto nested = Parse("f(f(1,2),x)");
    g_ufunc_list.the_root = nullptr;  // hand the table back empty before any assertion
    ASSERT_TRUE(call->ok);
    ASSERT_TRUE(nested->ok);
    EXPECT_EQ(call->elements[0].kind, KIND_USER_FUNCTION);
    EXPECT_EQ(call->elements[0].argm_num, 2);

    g_ufunc_list.the_root = function;
    call->variables["x"] = 3.0;
    nested->variables["x"] = 3.0;
    int flag = 1;
    double simple = call->Eval(&flag);
    double inner_first = nested->Eval(&flag);
    g_ufunc_list.the_root = nullptr;
    delete function;
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(simple, 9.0);        // 2 * 4 + 1
    EXPECT_EQ(inner_first, 10.0);  // (1 * 2 + 1) * 3 + 1
}

TEST(UserFunctions, EmptyTableRefusesCallsAndAnswersNothing) {
    EXPECT_EQ(g_ufunc_list("f"), 0);
    EXPECT_EQ(g_ufunc_list.PutArgNum("f"), 0);
    EXPECT_EQ(g_ufunc_list["f"], nullptr);
    for (const char* text : {"f(x)", "g(1,2)"}) {
        auto parsed = Parse(text);
        EXPECT_FALSE(parsed->ok) << text;
        EXPECT_EQ(parsed->error.error_kind, 1);
        EXPECT_EQ(parsed->error.formula_position, 1) << text;
    }
}

TEST(UserFunctions, SerchStopsAtTheInsertionPoint) {
    UsrFuncArray table(nullptr);
    auto* b = new UsrFuncProp("b");
    auto* d = new UsrFuncProp("d");
    b->the_next = d;
    table.the_root = b;
    struct Row {
        const char* key;
        const char* stops_at;  // null: the end of the list
        int found;
    };
    const Row rows[] = {
        {"a", "b", 0}, {"b", "b", 1}, {"c", "d", 0}, {"d", "d", 1}, {"e", nullptr, 0}};
    for (const Row& row : rows) {
        BaseLnList* root = table.the_root;
        int state = -1;
        BaseLnList** link = Serch(&root, row.key, &state);
        EXPECT_EQ(state, row.found) << row.key;
        if (row.stops_at == nullptr) {
            EXPECT_EQ(*link, nullptr) << row.key;
        } else {
            ASSERT_NE(*link, nullptr) << row.key;
            EXPECT_STREQ((*link)->label, row.stops_at) << row.key;
        }
    }
    EXPECT_EQ(table("d"), 1);  // present without a definition
}

}  // namespace
