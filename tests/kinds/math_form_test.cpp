// The formula registry: registration of the four kinds, dropped variables, the list's
// ownership and index rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formula/calc_bin_tree.h"
#include "kinds/math_form.h"
#include "platform/recording_message_sink.h"

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { g_mathlist.Clear(); }
    void TearDown() override { g_mathlist.Clear(); }

    // Registers an explicit formula from a typed line the way the dialog does.
    int Register_Explicit(const char* line) {
        char formula[256];
        char name[256];
        double min_value = 0.0;
        double max_value = 0.0;
        int steps = 100;
        if (!Get_FormulaInfo(line, formula, name, &min_value, &max_value, &steps)) return 0;
        return FnReg_Explicit(formula, name, &min_value, &max_value, &steps);
    }

    double Evaluate(MathForm* form, CompForm* root) {
        int flag = 1;
        double value = BinTreeFunc(root, &flag, form->var_array, g_ufunc_list, EmptyArray);
        EXPECT_EQ(flag, 1);
        return value;
    }

    RecordingMessageSink boxes;
};

struct ExplicitRow {
    const char* line;
    const char* var;
    double min_value;
    double max_value;
    int steps;
};

TEST_F(Registry, ExplicitFormulasKeepOnlyVariablesThatOccur) {
    const ExplicitRow rows[] = {
        {"x^2", "", 0.0, 0.0, 100},                      // no range part
        {"x^2 + 1 : x(-2, 2)[40]", "x", -2.0, 2.0, 40},  // blanks anywhere
        {"sin(x):x(-5,5)", "x", -5.0, 5.0, 100},         // no step part keeps 100
        {"y+1:x(0,1)[10]", "", 0.0, 0.0, 10},            // x does not occur: name and range go
        {"x:x(0,1)[0]", "", 0.0, 0.0, 100},              // 0 divisions: unreadable range
        {"x:x(0,1)[2000000]", "", 0.0, 0.0, 100},        // more than a million
        {"x:x(0,1)[1000000]", "x", 0.0, 1.0, 1000000},
        {"x:x(3,-3)[7.9]", "x", 3.0, -3.0, 7},  // order unchecked, count truncated
    };
    int index = 0;
    for (const ExplicitRow& row : rows) {
        ASSERT_EQ(Register_Explicit(row.line), 1) << row.line;
        MathForm* form = g_mathlist[index++];
        EXPECT_EQ(form->expr_kind, EXPR_EXPLICIT);
        EXPECT_STREQ(form->var, row.var) << row.line;
        EXPECT_EQ(form->var_min, row.min_value) << row.line;
        EXPECT_EQ(form->var_max, row.max_value) << row.line;
        EXPECT_EQ(form->stepnumber_g, row.steps) << row.line;
        EXPECT_EQ(form->the_form_y, nullptr);
        EXPECT_EQ(form->elem_num_y, 0);
    }
    EXPECT_EQ(g_mathlist.PutElementNum(), 8);
    // The two unreadable ranges said so.
    int range_messages = 0;
    for (const RecordedBox& box : boxes.boxes) {
        if (box.caption == "変数範囲解析失敗") {
            EXPECT_EQ(box.text, "変数、範囲の与え方が間違っています");
            ++range_messages;
        }
    }
    EXPECT_EQ(range_messages, 2);
}

TEST_F(Registry, FailedAnalysisRegistersNothing) {
    EXPECT_EQ(Register_Explicit("x+*2:x(0,1)"), 0);
    EXPECT_EQ(Register_Explicit(":x(0,1)"), 0);
    EXPECT_EQ(g_mathlist.PutElementNum(), 0);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.Lines()[0],
              "式解析失敗: これは式になってない。\nおかしいところは x+*…なんです");
    EXPECT_EQ(boxes.Lines()[1], "no formula: 数式が入力されていません");
}

TEST_F(Registry, NewFormulaEvaluatesWithItsVariablesAtZero) {
    ASSERT_EQ(Register_Explicit("x^2+y*3+1:x(0,1)"), 1);
    MathForm* form = g_mathlist[0];
    EXPECT_EQ(form->var_array["x"], 0.0);
    EXPECT_EQ(form->var_array["y"], 0.0);
    EXPECT_EQ(Evaluate(form, form->the_formtop), 1.0);
    form->var_array["x"] = 2.0;
    form->var_array["y"] = -1.0;
    EXPECT_EQ(Evaluate(form, form->the_formtop), 2.0);
}

TEST_F(Registry, ParametricTableHoldsBothComponentsVariables) {
    char fx[256];
    char fy[256];
    char name[256];
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    ASSERT_EQ(Get_FormulaInfo_Para("x=cos(t):y=sin(s)+t:s(0,6.28)[50]", fx, fy, name, &min_value,
                                   &max_value, &steps),
              1);
    EXPECT_STREQ(fx, "cos(t)");
    EXPECT_STREQ(fy, "sin(s)+t");
    ASSERT_EQ(FnReg_Param(fx, fy, name, &min_value, &max_value, &steps), 1);
    MathForm* form = g_mathlist[0];
    EXPECT_EQ(form->expr_kind, EXPR_PARAMETRIC);
    EXPECT_STREQ(form->var, "s");  // the y component's variable may be the parameter
    EXPECT_EQ(form->stepnumber_g, 50);
    EXPECT_TRUE(form->DoVariExist("t"));
    EXPECT_TRUE(form->DoVariExist("s"));
    form->var_array["t"] = 0.0;
    form->var_array["s"] = 0.0;
    EXPECT_EQ(Evaluate(form, form->the_formtop), 1.0);
    form->var_array["t"] = 2.0;
    EXPECT_EQ(Evaluate(form, form->the_form_ytop), 2.0);  // both trees read one table

    // A failing y component leaves nothing registered.
    char bad_name[256] = "t";
    EXPECT_EQ(FnReg_Param("t", "t+", bad_name, &min_value, &max_value, &steps), 0);
    EXPECT_EQ(g_mathlist.PutElementNum(), 1);
}

TEST_F(Registry, PolarKeepsAnAngleThatDoesNotOccur) {
    char formula[256];
    char name[256];
    double min_value = 0.0;
    double max_value = 0.0;
    int steps = 100;
    ASSERT_EQ(Get_FormulaInfo_Polar("r=2:t(0,6.28)", formula, name, &min_value, &max_value, &steps),
              1);
    ASSERT_EQ(FnReg_Polar(formula, name, &min_value, &max_value, &steps), 1);
    MathForm* form = g_mathlist[0];
    EXPECT_EQ(form->expr_kind, EXPR_POLAR);
    EXPECT_STREQ(form->var, "t");
    EXPECT_EQ(form->var_max, 6.28);
}

TEST_F(Registry, ImplicitDropsEachUnknownVariableOnItsOwn) {
    struct Row {
        const char* line;
        const char* var;
        const char* dpnd;
        double dpnd_max;
        int dpnd_steps;
    };
    const Row rows[] = {
        {"0=x^2+y^2-1:x(-1,1):y(-1,1)[30]", "x", "y", 1.0, 30},
        {"0=x^2-1:x(-1,1):y(-1,1)[30]", "x", "", 0.0, 100},  // y does not occur
        {"0=y-1:x(-1,1):y(-2,2)", "", "y", 2.0, 100},
    };
    int index = 0;
    for (const Row& row : rows) {
        char formula[256];
        char name[256];
        char dpnd[256];
        double min_value = 0.0;
        double max_value = 0.0;
        double min_dpnd = 0.0;
        double max_dpnd = 0.0;
        int steps = 100;
        int dpnd_steps = 100;
        ASSERT_EQ(Get_FormulaInfo_Inpl(row.line, formula, name, &min_value, &max_value, &steps,
                                       dpnd, &min_dpnd, &max_dpnd, &dpnd_steps),
                  1);
        ASSERT_EQ(FnReg_Inplicit(formula, name, &min_value, &max_value, &steps, dpnd, &min_dpnd,
                                 &max_dpnd, &dpnd_steps),
                  1);
        MathForm* form = g_mathlist[index++];
        EXPECT_EQ(form->expr_kind, EXPR_IMPLICIT);
        EXPECT_STREQ(form->var, row.var) << row.line;
        EXPECT_STREQ(form->vardpnd, row.dpnd) << row.line;
        EXPECT_STREQ(dpnd, row.dpnd) << row.line;  // the caller's name follows
        EXPECT_EQ(form->vardpnd_max, row.dpnd_max) << row.line;
        EXPECT_EQ(form->stepnumber_dpnd, row.dpnd_steps) << row.line;
    }
}

TEST_F(Registry, RemoveKeepsBothEndsRight) {
    for (const char* line : {"x+1", "x+2", "x+3"}) ASSERT_EQ(Register_Explicit(line), 1);
    MathForm* second = g_mathlist[1];
    g_mathlist.Remove(2);  // the last: its predecessor becomes the last
    EXPECT_EQ(g_mathlist.the_last, second);
    EXPECT_EQ(second->the_next, nullptr);
    g_mathlist.Remove(0);
    EXPECT_EQ(g_mathlist.the_first, second);
    g_mathlist.Remove(5);  // out of range: nothing
    g_mathlist.Remove(-1);
    EXPECT_EQ(g_mathlist.PutElementNum(), 1);
    g_mathlist.Remove(0);
    EXPECT_EQ(g_mathlist.PutElementNum(), 0);
    EXPECT_EQ(g_mathlist.the_first, nullptr);
    EXPECT_EQ(g_mathlist.the_last, nullptr);
    ASSERT_EQ(Register_Explicit("x+4"), 1);  // an emptied list takes new entries
    EXPECT_EQ(g_mathlist.the_first, g_mathlist.the_last);
}

TEST_F(Registry, BadIndexShowsTheMessageAndGivesTheDefault) {
    ASSERT_EQ(Register_Explicit("x+1:x(0,1)"), 1);
    boxes.Clear();
    for (int index : {-1, 1}) {
        MathForm* form = g_mathlist.Array(index);
        EXPECT_EQ(form, g_mathlist.dummy_obj);
        EXPECT_EQ(form->expr_kind, 0);
        EXPECT_STREQ(form->var, "");
    }
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.Lines()[0], "out of range: 指定オブジェクトの番号が範囲外です");
    EXPECT_EQ(boxes.boxes[0].owner, nullptr);
}

TEST_F(Registry, NamesUpTo79Characters) {
    MathForm form;
    std::string name79(79, 'v');
    std::string name80(80, 'v');
    EXPECT_EQ(form.SetVar(name79.c_str()), 1);
    EXPECT_EQ(std::string(form.var), name79);
    EXPECT_EQ(form.SetVar(name80.c_str()), 0);
    EXPECT_EQ(std::string(form.var), name79);
    EXPECT_EQ(form.SetVarDpnd(name80.c_str()), 0);
    EXPECT_STREQ(form.vardpnd, "");
}

}  // namespace
