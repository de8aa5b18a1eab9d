// Conversions between numbers and text: formatting with a digit count and a form,
// integer formatting, whole-text parsing, and independence from the process locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "formula/analysis.h"
#include "formula/number_text.h"
#include "formula_support.h"

namespace {

struct FormatRow {
    double value;
    short digits;
    short form;  // 0 automatic, 1 exponent, 2 fixed, other values fixed
    const char* text;
};

TEST(NumberText, DoubleFormsFollowMagnitudeAndRequest) {
    const FormatRow rows[] = {
        {0.0, 3, 0, "0.000"},
        {0.0, 3, 1, "0.000"},
        {1000.0, 2, 0, "1000.00"},
        {-1000.0, 2, 0, "-1000.00"},
        {1000.5, 2, 0, "1.00e+03"},
        {-1000.5, 2, 0, "-1.00e+03"},
        {0.1, 1, 0, "0.1"},
        {-0.1, 1, 0, "-0.1"},
        {0.099, 2, 0, "9.90e-02"},
        {123.456, 2, 0, "123.46"},
        {1e-300, 1, 0, "1.0e-300"},
        {3.14159, 2, 1, "3.14e+00"},
        {260.0, 0, 1, "3e+02"},
        {12345.678, 1, 2, "12345.7"},
        {12345.678, 1, 7, "12345.7"},
        {12345.678, 1, -1, "12345.7"},
        {2.6, 0, 2, "3"},
        {1e-5, 3, 2, "0.000"},
        {1.0, 16, 2, "1.0000000000000000"},
        {1e300, 3, 1, "1.000e+300"},
    };
    for (const FormatRow& row : rows) {
        SCOPED_TRACE(row.text);
        char text[64] = "keep";
        EXPECT_EQ(Double_To_C(row.value, text, row.digits, row.form, sizeof text), 1);
        EXPECT_STREQ(text, row.text);
    }
}

TEST(NumberText, DoubleRefusesMoreThanSixteenDigits) {
    const short digits[] = {17, 20, 100};
    for (short count : digits) {
        for (short form : {0, 1, 2}) {
            char text[64] = "keep";
            EXPECT_EQ(Double_To_C(1.25, text, count, form, sizeof text), 0);
            EXPECT_STREQ(text, "keep");
        }
    }
}

TEST(NumberText, DoubleStaysInsideItsBuffer) {
    // A huge value whose fixed form cannot fit is written in the exponent form.
    char small[64] = "";
    EXPECT_EQ(Double_To_C(1e300, small, 3, 2, sizeof small), 1);
    EXPECT_STREQ(small, "1.000e+300");

    // With room for it the fixed form is kept.
    char large[400] = "";
    EXPECT_EQ(Double_To_C(1e300, large, 3, 2, sizeof large), 1);
    EXPECT_EQ(std::strlen(large), 305u);
    EXPECT_EQ(std::string(large).substr(0, 17), "10000000000000000");
    EXPECT_EQ(std::string(large).substr(301), ".000");

    // A result that exactly fits is written whole.
    char exact[9] = "";
    EXPECT_EQ(Double_To_C(1000.5, exact, 2, 0, sizeof exact), 1);
    EXPECT_STREQ(exact, "1.00e+03");

    const struct {
        double value;
        short digits;
        short form;
        size_t size;
    } rows[] = {
        {123456.789, 3, 2, 6}, {1000.5, 2, 0, 4}, {1e300, 3, 2, 8},
        {-1.5, 16, 1, 10},     {0.0, 16, 0, 3},   {1e300, 16, 2, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + " in " + std::to_string(row.size));
        char buffer[48];
        std::memset(buffer, 'Z', sizeof buffer);
        Double_To_C(row.value, buffer, row.digits, row.form, row.size);
        for (size_t i = row.size; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 'Z') << i;
    }
}

TEST(NumberText, FormatTextIsBuiltFromDigitsAndForm) {
    const struct {
        short digits;
        short form;
        const char* format;
    } rows[] = {
        {3, 2, "%.3f"},   {3, 1, "%.3e"}, {0, 0, "%.0f"},
        {16, 1, "%.16e"}, {5, 9, "%.5f"}, {10, 2, "%.10f"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        char format[16] = "%";
        Make_Trans_Format(format, row.digits, row.form, sizeof format);
        EXPECT_STREQ(format, row.format);
    }
}

TEST(NumberText, IntegersAreWrittenInDecimal) {
    const struct {
        LONG value;
        const char* text;
    } longs[] = {{0, "0"},
                 {-123456, "-123456"},
                 {2147483647, "2147483647"},
                 {-2147483647 - 1, "-2147483648"}};
    for (const auto& row : longs) {
        char text[32] = "";
        EXPECT_EQ(Long_To_C(row.value, text, sizeof text), 1);
        EXPECT_STREQ(text, row.text);
    }
    const struct {
        short value;
        const char* text;
    } shorts[] = {{0, "0"}, {-32768, "-32768"}, {32767, "32767"}, {42, "42"}};
    for (const auto& row : shorts) {
        char text[32] = "";
        EXPECT_EQ(Short_To_C(row.value, text, sizeof text), 1);
        EXPECT_STREQ(text, row.text);
    }
    char guarded[16];
    std::memset(guarded, 'Z', sizeof guarded);
    Long_To_C(-2147483647 - 1, guarded, 5);
    for (size_t i = 5; i < sizeof guarded; ++i) EXPECT_EQ(guarded[i], 'Z') << i;
}

TEST(NumberText, WholeTextMustBeOneDouble) {
    const struct {
        const char* text;
        int result;
        double value;
    } rows[] = {
        {"1.5", 1, 1.5},   {"1.5 ", 0, 1.5}, {"", 1, 0.0},       {"-2e3", 1, -2000},
        {".5", 1, 0.5},    {"1e05", 1, 1e5}, {"1,5", 0, 1.0},    {"1e", 0, 1.0},
        {"0x10", 1, 16.0}, {" 2", 1, 2.0},   {"+7.25", 1, 7.25},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        double value = -99;
        EXPECT_EQ(C_To_Double(row.text, &value), row.result);
        EXPECT_DOUBLE_EQ(value, row.value);
    }
    double untouched = -99;
    EXPECT_EQ(C_To_Double("abc", &untouched), 0);
}

TEST(NumberText, WholeTextMustBeOneLong) {
    const struct {
        const char* text;
        int result;
        LONG value;
    } rows[] = {
        {"0x10", 1, 16},
        {"010", 1, 8},
        {"-42", 1, -42},
        {"", 1, 0},
        {"12 ", 0, 12},
        {"08", 0, 0},
        {"1.5", 0, 1},
        {"2147483647", 1, 2147483647},
        {"-2147483648", 1, -2147483647 - 1},
        {"2147483648", 0, -2147483647 - 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        LONG value = -99;
        EXPECT_EQ(C_To_Long(row.text, &value), row.result);
        EXPECT_EQ(value, row.value);
    }
}

// Switches the whole process to a locale with a decimal comma for one test.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

TEST(NumberText, DecimalPointDoesNotFollowTheLocale) {
    DecimalCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    char text[64] = "";
    EXPECT_EQ(Double_To_C(1.5, text, 2, 2, sizeof text), 1);
    EXPECT_STREQ(text, "1.50");
    EXPECT_EQ(Double_To_C(1234.5, text, 1, 0, sizeof text), 1);
    EXPECT_STREQ(text, "1.2e+03");

    double value = 0;
    EXPECT_EQ(C_To_Double("2.25", &value), 1);
    EXPECT_DOUBLE_EQ(value, 2.25);
    EXPECT_EQ(C_To_Double("2,25", &value), 0);

    char name[256] = "";
    double min = 0, max = 0;
    int step = 0;
    EXPECT_EQ(Analysis_Variable("x(0.5,1.5)[10]", name, 256, &min, &max, &step), 1);
    EXPECT_DOUBLE_EQ(min, 0.5);
    EXPECT_DOUBLE_EQ(max, 1.5);

    int flag = 0;
    EXPECT_DOUBLE_EQ(formula_test::Evaluate("1.5*x+sigma[n(0.5,2.5),0.25]", {{"x", 2}}, &flag),
                     3.75);
    EXPECT_EQ(flag, 1);
}

}  // namespace
