// The formula text front-end: field splitting, headers, the four line forms, range parts,
// analysis of formula fields with its messages, and the display line builders.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formula/analysis.h"
#include "formula/formula_input.h"
#include "platform/recording_message_sink.h"

namespace {

constexpr int kUnchecked = -99;

// Message boxes of the front-end belong to the formula input dialog.
class FrontEnd : public ::testing::Test {
protected:
    void SetUp() override {
        saved_dialog_ = g_mhDlg;
        g_mhDlg = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4d6c67));
    }
    void TearDown() override { g_mhDlg = saved_dialog_; }

    // Every box shown so far is owned by the dialog and has an OK button only.
    void ExpectDialogBoxes() const {
        for (const RecordedBox& box : sink_.boxes) {
            EXPECT_EQ(box.owner, g_mhDlg) << box.text;
            EXPECT_EQ(box.style, MB_OK) << box.text;
        }
    }
    std::vector<std::string> Messages() const { return sink_.Lines(); }

    RecordingMessageSink sink_;

private:
    HWND saved_dialog_ = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(FrontEnd, InputFormulaReadsOneFieldWithoutBlanks) {
    const std::string long_field(256, 'a');
    const struct {
        std::string source;
        int start;
        int max_size;
        int result;
        std::string field;
        // Position afterwards (kUnchecked when not fixed): just after a ":", on the
        // terminating NUL at the end of the text, so a further read never runs past it.
        int next;
    } rows[] = {
        {"x^2 + 1 : x(-2, 2)[40]", 0, 256, 1, "x^2+1", 9},
        {"x^2 + 1 : x(-2, 2)[40]", 9, 256, 0, "x(-2,2)[40]", 22},  // stays on the end
        {"a:b:c", 2, 256, 1, "b", 4},
        {"", 0, 256, -1, "", kUnchecked},
        {"   \t ", 0, 256, -1, "", kUnchecked},
        {":x(0,1)", 0, 256, -2, "", 1},
        {"  : x", 0, 256, -2, "", 3},
        {"abcd", 0, 5, 0, "abcd", 4},
        {"ab cd", 0, 5, 0, "abcd", 5},
        {"abcde", 0, 5, -3, "abcd", kUnchecked},
        {"abcdefgh:x", 0, 5, -3, "abcd", kUnchecked},
        {long_field.substr(1), 0, 256, 0, long_field.substr(1), kUnchecked},
        {long_field, 0, 256, -3, long_field.substr(1), kUnchecked},
        {long_field + ":x(0,1)", 0, 256, -3, long_field.substr(1), kUnchecked},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source.substr(0, 30) + " @" + std::to_string(row.start));
        std::vector<char> field(300, 'Z');
        int position = row.start;
        EXPECT_EQ(Input_Formula(row.source.c_str(), field.data(), &position, row.max_size),
                  row.result);
        EXPECT_EQ(std::string(field.data()), row.field);
        if (row.next != kUnchecked) {
            EXPECT_EQ(position, row.next);
        }
    }
    EXPECT_TRUE(Messages().empty());
}
TEST_F(FrontEnd, FormulaHeaderComparesTheFirstNonBlankCharacters) {
    const struct {
        const char* source;
        const char* header;
        int result;
        int next;
    } rows[] = {
        {"x=cos(t)", "x=", 1, 2},          {" x = cos(t)", "x=", 1, 4},
        {"y=sin(t)", "x=", 0, kUnchecked}, {"x", "x=", 0, kUnchecked},
        {"", "r=", 0, kUnchecked},         {"0=x", "0=", 1, 2},
        {"X=1", "x=", 0, kUnchecked},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source);
        int position = 0;
        EXPECT_EQ(Formula_Header(row.source, row.header, &position), row.result);
        if (row.next != kUnchecked) {
            EXPECT_EQ(position, row.next);
        }
    }
}
struct SplitRow {
    std::string line;
    int result;
    std::string first;   // formula (x formula for the parametric form)
    std::string second;  // range (y formula for the parametric form)
    std::string third;   // parametric range / implicit dependent range
    Lines messages;
};
const char kNoFormula[] = "no formula: 数式が入力されていません";
TEST_F(FrontEnd, ExplicitLines) {
    const SplitRow rows[] = {
        {" x^2 + 1 : x(-2, 2)[40] ", 0, "x^2+1", "x(-2,2)[40]", "", {}},
        {"x^2", 0, "x^2", "", "", {}},
        {"sin(x):x(0,1):", 1, "sin(x)", "x(0,1)", "", {}},
        {":x(0,1)", -2, "", "", "", {kNoFormula}},
        {"", -1, "", "", "", {kNoFormula}},
        {std::string(256, 'x'), -3, "", "", "", {kNoFormula}},
        {"x:", -1, "x", "", "", {"wrong variable: 可変変数部の入力が変です"}},
        {"x: :", -2, "x", "", "", {"wrong variable: 可変変数部の入力が変です"}},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.line.substr(0, 40));
        sink_.Clear();
        char formula[256] = "old", range[256] = "old";
        EXPECT_EQ(EditLetter_Analysis(row.line.c_str(), formula, range), row.result);
        if (row.result >= 0) {
            EXPECT_STREQ(formula, row.first.c_str());
            EXPECT_STREQ(range, row.second.c_str());
        }
        EXPECT_EQ(Messages(), row.messages);
        ExpectDialogBoxes();
    }
}
TEST_F(FrontEnd, ParametricLines) {
    const SplitRow rows[] = {
        {"x=cos(t):y=sin(t):t(0,6.28)", 0, "cos(t)", "sin(t)", "t(0,6.28)", {}},
        {" x = cos(t) : y = sin(t) ", 0, "cos(t)", "sin(t)", "", {}},
        {"x=1:y=2:t(0,1):", 1, "1", "2", "t(0,1)", {}},
        {"x=cos(t)", -3, "", "", "", {"insufficient formula: y成分が入力されていません"}},
        {"y=sin(t):x=cos(t)", -4, "", "", "", {"no formula: 先頭がx=で始まっていません。"}},
        {"x=cos(t):z=1", -4, "", "", "", {"no formula: 先頭がy=で始まっていません。"}},
        {"x=:y=1", -2, "", "", "", {kNoFormula}},
        {"x=1:y=", -1, "", "", "", {kNoFormula}},
        {"x=1:y=2:", -1, "", "", "", {"wrong variable: 媒介変数部の入力が変です"}},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.line);
        sink_.Clear();
        char fx[256] = "old", fy[256] = "old", range[256] = "old";
        EXPECT_EQ(EditLetter_Analysis_Para(row.line.c_str(), fx, fy, range), row.result);
        if (row.result >= 0) {
            EXPECT_STREQ(fx, row.first.c_str());
            EXPECT_STREQ(fy, row.second.c_str());
            EXPECT_STREQ(range, row.third.c_str());
        }
        EXPECT_EQ(Messages(), row.messages);
        ExpectDialogBoxes();
    }
}
TEST_F(FrontEnd, PolarLines) {
    const SplitRow rows[] = {
        {"r=1+cos(a):a(0,6.28)[100]", 0, "1+cos(a)", "a(0,6.28)[100]", "", {}},
        {" r = 2 ", 0, "2", "", "", {}},
        {"s=1", -4, "", "", "", {"no formula: 先頭がr=で始まっていません。"}},
        {"r=", -1, "", "", "", {kNoFormula}},
        {"r=:a(0,1)", -2, "", "", "", {kNoFormula}},
        {"r=1:", -1, "", "", "", {"wrong variable: 角度変数部の入力が変です"}},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.line);
        sink_.Clear();
        char formula[256] = "old", range[256] = "old";
        EXPECT_EQ(EditLetter_Analysis_Polar(row.line.c_str(), formula, range), row.result);
        if (row.result >= 0) {
            EXPECT_STREQ(formula, row.first.c_str());
            EXPECT_STREQ(range, row.second.c_str());
        }
        EXPECT_EQ(Messages(), row.messages);
        ExpectDialogBoxes();
    }
}
TEST_F(FrontEnd, ImplicitLines) {
    const SplitRow rows[] = {
        {"0=x^2+y^2-1:x(-1,1):y(-1,1)", 1, "x^2+y^2-1", "x(-1,1)", "y(-1,1)", {}},
        {"0 = x*y : x(0,2)", 0, "x*y", "x(0,2)", "", {}},
        {"0=x^2+y^2-1", 0, "x^2+y^2-1", "", "", {}},
        {"0=x^2+y^2-1:x(-1,1):", -1, "", "", "", {"wrong variable: 従属変数部の入力が変です"}},
        {"0=x::y(0,1)", -2, "", "", "", {"wrong variable: 独立変数部の入力が変です"}},
        {"1=x", -4, "", "", "", {"no formula: 先頭が0=で始まっていません。"}},
        {"0=:x(0,1)", -2, "", "", "", {kNoFormula}},
    };
    for (const SplitRow& row : rows) {
        SCOPED_TRACE(row.line);
        sink_.Clear();
        char formula[256] = "old", range[256] = "old", dependent[256] = "old";
        EXPECT_EQ(EditLetter_Analysis_Inpl(row.line.c_str(), formula, range, dependent),
                  row.result);
        if (row.result >= 0) {
            EXPECT_STREQ(formula, row.first.c_str());
            EXPECT_STREQ(range, row.second.c_str());
            EXPECT_STREQ(dependent, row.third.c_str());
        }
        EXPECT_EQ(Messages(), row.messages);
        ExpectDialogBoxes();
    }
}
TEST_F(FrontEnd, RangePartsAndTheirFailures) {
    const std::string unreadable = "変数範囲解析失敗: 変数、範囲の与え方が間違っています";
    const struct {
        const char* text;
        int result;
        const char* name;
        double min;
        double max;
        int step;  // the caller's count is 7 beforehand
        bool message;
    } rows[] = {
        {"x(-2,2)[40]", 1, "x", -2, 2, 40, false},
        {"t(0,6.28)", 1, "t", 0, 6.28, 7, false},
        {"x(5,1)[3.7]", 1, "x", 5, 1, 3, false},
        {"x(0,1)[1]", 1, "x", 0, 1, 1, false},
        {"x(0,1)[1000000]", 1, "x", 0, 1, 1000000, false},
        {"", 2, "", 0, 0, 7, false},
        {"x(0,1)[0]", 0, "", 0, 0, 100, true},
        {"x(0,1)[-5]", 0, "", 0, 0, 100, true},
        {"x(0,1)[1000001]", 0, "", 0, 0, 100, true},
        {"x(0,1)[100000000000]", 0, "", 0, 0, 100, true},
        {"x(0,1", 0, "", 0, 0, 100, true},
        {"1x(0,1)", 0, "", 0, 0, 100, true},
        {"x(a,1)", 0, "", 0, 0, 100, true},
        {"x(0,1)[z]", 0, "", 0, 0, 100, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        sink_.Clear();
        char name[256] = "old";
        double min = 99, max = 99;
        int step = 7;
        EXPECT_EQ(Analysis_VarRangeValue(row.text, name, &min, &max, &step), row.result);
        EXPECT_STREQ(name, row.name);
        EXPECT_DOUBLE_EQ(min, row.min);
        EXPECT_DOUBLE_EQ(max, row.max);
        EXPECT_EQ(step, row.step);
        EXPECT_EQ(Messages(), row.message ? Lines{unreadable} : Lines{});
        ExpectDialogBoxes();
    }
}
TEST_F(FrontEnd, TemporaryArrayHasRoomForEveryInsertedSign) {
    const struct {
        const char* text;
        int length;
    } rows[] = {
        {"x", 1},
        {"x^2+1", 5},
        {"-x", 3},
        {"+x", 3},
        {"(-x)", 5},
        {"x-(+y)", 7},
        {"-(-(-x))", 11},
        {"2*-3", 4},
        {"log(2,-x)", 10},
        {"log(-2,-x)", 12},
        {"sigma[n(1,10),-n]", 18},
        {"sigma[-n(1,2),n]", 17},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        int length = 0;
        CompForm* array = Create_TempCompForm(row.text, &length);
        EXPECT_NE(array, nullptr);
        EXPECT_EQ(length, row.length);
        delete[] array;
    }
}

TEST_F(FrontEnd, AnalysedFormulaIsCopiedIntoAnExactArray) {
    const struct {
        const char* text;
        int count;
        const char* first;
        const char* last;
    } rows[] = {
        {"x^2+1", 5, "x", "1"},
        {"-(-(-x))", 11, "0", ")"},
        {"log(2,-x)", 8, "log", ")"},
        {"log(-2,x)", 8, "log", ")"},
        {"sigma[n(1,10),-n^2]", 10, "sigma", "]"},
        {"sin(x)*sigma[n(1,3),n]", 11, "sin", "]"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        CompForm* array = nullptr;
        ASSERT_EQ(Analysis_InputFormula(&array, row.text), 1);
        ASSERT_NE(array, nullptr);
        EXPECT_EQ(current_number + 1, row.count);
        EXPECT_STREQ(array[0].CompArray, row.first);
        EXPECT_STREQ(array[row.count - 1].CompArray, row.last);
        delete[] array;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(FrontEnd, RejectedFormulaShowsTheTextUpToTheFault) {
    const std::string head = "式解析失敗: これは式になってない。\nおかしいところは ";
    const std::string tail = "…なんです";
    const struct {
        const char* text;
        std::string message;
    } rows[] = {
        {"x+*2", head + "x+*" + tail},
        {"((x)", head + "((x)" + tail},
        {"2*-3", head + "2*-" + tail},
        {"x+", head + "x+" + tail},
        {"log(2,x+)", head + "log(2,x+)" + tail},
        {"foo(x)+1", head + "foo(" + tail},
        // Characters of more than one byte are never split: the whole character shows.
        {"θ+1", head + "θ" + tail},
        {"x+１", head + "x+１" + tail},
        {"2*あいう", head + "2*あ" + tail},
        {"", "式解析失敗: 式が入力されていません"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        sink_.Clear();
        CompForm* array = nullptr;
        EXPECT_EQ(Analysis_InputFormula(&array, row.text), 0);
        EXPECT_EQ(array, nullptr);
        EXPECT_EQ(Messages(), Lines{row.message});
        ExpectDialogBoxes();
    }
}

TEST(FailingPart, WholeCharactersWithinTheByteLimit) {
    EXPECT_EQ(Failing_Part("x+θ", 3), "x+θ");  // the count ends inside θ
    EXPECT_EQ(Failing_Part("x+θ", 2), "x+");
    EXPECT_EQ(Failing_Part("abc", 10), "abc");
    EXPECT_EQ(Failing_Part("abc", 0), "");
    // 300 characters of two CP932 bytes each: 127 of them fit in 255 bytes.
    std::string wide;
    for (int i = 0; i < 300; ++i) wide += "あ";
    const std::string part = Failing_Part(wide.c_str(), static_cast<int>(wide.size()));
    EXPECT_EQ(part.size(), 127u * 3);
    EXPECT_EQ(Failing_Part(std::string(300, 'a').c_str(), 300).size(), 255u);
}

TEST_F(FrontEnd, DisplayLinesFitTheirBuffer) {
    const std::string a125(125, 'a'), b125(125, 'b'), b126(126, 'b');
    const std::string over = "formula lett over: 式の文字数がオーバー";
    {
        char line[256] = "keep";
        EXPECT_TRUE(Create_ParamInputFrm(line, 256, a125.c_str(), b125.c_str()));
        EXPECT_EQ(std::string(line), "x=" + a125 + ":y=" + b125);
    }
    {
        char line[256] = "keep";
        EXPECT_FALSE(Create_ParamInputFrm(line, 256, a125.c_str(), b126.c_str()));
        EXPECT_STREQ(line, "keep");
    }
    EXPECT_EQ(Messages(), Lines{over});
    sink_.Clear();
    {
        char line[256] = "keep";
        EXPECT_TRUE(Create_ParamInputFrm(line, 256, "cos(t)", "sin(t)"));
        EXPECT_STREQ(line, "x=cos(t):y=sin(t)");
    }
    const std::string f253(253, 'f'), f254(254, 'f');
    {
        char line[256] = "keep";
        EXPECT_TRUE(Create_PolarInputFrm(line, 256, f253.c_str(), "r"));
        EXPECT_EQ(std::string(line), "r=" + f253);
    }
    {
        char line[256] = "keep";
        EXPECT_FALSE(Create_PolarInputFrm(line, 256, f254.c_str(), "r"));
        EXPECT_STREQ(line, "keep");
    }
    {
        char line[256] = "keep";
        EXPECT_TRUE(Create_PolarInputFrm(line, 256, "1+cos(a)", "r"));
        EXPECT_STREQ(line, "r=1+cos(a)");
    }
    EXPECT_EQ(Messages(), Lines{over});
    ExpectDialogBoxes();
}

TEST_F(FrontEnd, BoundedCopyAndBlankRemoval) {
    const struct {
        const char* source;
        int count;
        int size;
        int result;
        const char* copied;
    } copies[] = {
        {"abcdef", 3, 10, 1, "abc"}, {"abcdef", 10, 4, 1, "abc"},  {"abcdef", 6, 7, 1, "abcdef"},
        {"abcdef", 1, 10, 1, "a"},   {"abcdef", 0, 10, 0, "keep"}, {"abcdef", -1, 10, 0, "keep"},
    };
    for (const auto& row : copies) {
        SCOPED_TRACE(std::to_string(row.count) + "/" + std::to_string(row.size));
        char dest[16] = "keep";
        EXPECT_EQ(My_Strncpy(dest, row.source, row.count, row.size), row.result);
        EXPECT_STREQ(dest, row.copied);
    }
    const struct {
        const char* text;
        int result;
        const char* left;
    } blanks[] = {
        {" a b\tc\n", 1, "abc"},      {"abc", 1, "abc"}, {"  \t\r\n\v\f", 0, ""}, {"", -1, ""},
        {"x ( 0 , 1 )", 1, "x(0,1)"},
    };
    for (const auto& row : blanks) {
        SCOPED_TRACE(row.text);
        char text[32];
        std::strcpy(text, row.text);
        EXPECT_EQ(DeleteSpace_FromLetter(text), row.result);
        EXPECT_STREQ(text, row.left);
    }
}

}  // namespace
