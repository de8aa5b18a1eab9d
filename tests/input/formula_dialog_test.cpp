// The formula input dialog driven as a user would: type, register, select, edit, OK.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "kinds/samplers.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"

namespace {

class FormulaDialog : public ::testing::Test {
protected:
    void SetUp() override {
        g_mathlist.Clear();
        g_selLB_item = -1;
        ASSERT_EQ(Create_ModlsDialog(nullptr, nullptr), 1);
        dialog = static_cast<MemoryDialog*>(Input_Dialog());
        dialog->ShowDialog(true);
        Set_GraphReceiver([this](GraphRequest& request) {
            PointArray& series = (*request.data)[0];
            drawn.push_back(series.PutTheName() ? series.PutTheName() : "");
            drawn_points = series.ArrayNum();
            return 1;
        });
    }
    void TearDown() override {
        Set_GraphReceiver(nullptr);
        Destroy_ModlsDialog();
        g_mathlist.Clear();
        g_selLB_item = -1;
    }

    void Register(int form, const std::string& text) {
        dialog->Click(form);
        dialog->Type(IDC_FORMULA_BOX, text);
        dialog->Click(IDC_REGISTER_BUTTON);
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (int i = 0; i < dialog->ListBox_GetCount(IDC_LIST_BOX); ++i) {
            entries.push_back(dialog->ListBox_GetText(IDC_LIST_BOX, i));
        }
        return entries;
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < dialog->ListView_GetItemCount(IDC_VAR_LIST); ++i) {
            rows.push_back(dialog->ListView_GetItemText(IDC_VAR_LIST, i, 1) + "=" +
                           dialog->ListView_GetItemText(IDC_VAR_LIST, i, 0));
        }
        return rows;
    }
    std::string Text(int id) const { return dialog->GetDlgItemText(id); }

    ScriptedDialogRunner runner;
    RecordingMessageSink boxes;
    MemoryDialog* dialog = nullptr;
    std::vector<std::string> drawn;
    int drawn_points = 0;
};

TEST_F(FormulaDialog, StartsEmptyWithTheExplicitForm) {
    EXPECT_EQ(g_mhDlg, dialog->Handle());
    EXPECT_EQ(dialog->IsDlgButtonChecked(IDC_FORM_EXPLICIT), BST_CHECKED);
    EXPECT_EQ(dialog->ListView_Columns(IDC_VAR_LIST), (std::vector<std::string>{"値", "変数名"}));
    EXPECT_EQ(dialog->ListView_ExtendedStyle(IDC_VAR_LIST),
              LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(Input_Dialog_Template().caption, "数式入力");
}

TEST_F(FormulaDialog, TheFourFormsRegisterWithTheirListTexts) {
    Register(IDC_FORM_EXPLICIT, "x^2:x(-1,1)[50]");
    Register(IDC_FORM_PARAM, "x=cos(t):y=sin(t):t(0,6.28)");
    Register(IDC_FORM_IMPLICIT, "0=x^2+y^2-1:x(-1,1):y(-1,1)");
    Register(IDC_FORM_POLAR, "r=2:t(0,6.28)");
    EXPECT_EQ(Entries(),
              (std::vector<std::string>{"x^2", "x=cos(t):y=sin(t)", "0=x^2+y^2-1", "r=2"}));
    ASSERT_EQ(g_mathlist.PutElementNum(), 4);
    EXPECT_EQ(g_mathlist[0]->stepnumber_g, 50);
    EXPECT_STREQ(g_mathlist[1]->var, "t");
    EXPECT_STREQ(g_mathlist[2]->vardpnd, "y");
    EXPECT_EQ(g_mathlist[3]->expr_kind, EXPR_POLAR);
    EXPECT_EQ(g_selLB_item, 3);
    EXPECT_EQ(dialog->ListBox_GetCurSel(IDC_LIST_BOX), 3);
    EXPECT_EQ(Text(IDC_VAR_NAME), "t");
    EXPECT_EQ(Text(IDC_VAR_MAX), "6.280");
    EXPECT_EQ(Text(IDC_DPND_NAME), "");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FormulaDialog, RegisteringAgainUpdatesOnlyTheVariables) {
    Register(IDC_FORM_EXPLICIT, "sin(x):x(0,1)");
    Register(IDC_FORM_EXPLICIT, "sin(x):x(-2,2)[20]");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"sin(x)"}));
    EXPECT_EQ(g_mathlist[0]->var_min, -2.0);
    EXPECT_EQ(g_mathlist[0]->stepnumber_g, 20);
    // The same text in another form is another formula: "r=2" typed as explicit is analysed.
    Register(IDC_FORM_POLAR, "r=2:t(0,1)");
    Register(IDC_FORM_EXPLICIT, "r=2");
    EXPECT_EQ(g_mathlist.PutElementNum(), 2);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, "式解析失敗");
    EXPECT_EQ(g_mathlist[1]->var_max, 1.0);
}

TEST_F(FormulaDialog, VariablesAreListedSortedAndEditableInPlace) {
    Register(IDC_FORM_EXPLICIT, "b+a*x");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a=0.000", "b=0.000", "x=0.000"}));
    dialog->EditLabel(IDC_VAR_LIST, 1, "2.5");
    EXPECT_EQ(g_mathlist[0]->var_array["b"], 2.5);
    dialog->EditLabel(IDC_VAR_LIST, 1, "abc");
    dialog->EditLabel(IDC_VAR_LIST, 0, nullptr);  // Escape in the editor
    EXPECT_EQ(Rows(), (std::vector<std::string>{"a=0.000", "b=2.5", "x=0.000"}));
    EXPECT_EQ(g_mathlist[0]->var_array["b"], 2.5);
}

TEST_F(FormulaDialog, OkEvaluatesAFormulaWithoutVariableIntoTheBox) {
    Register(IDC_FORM_EXPLICIT, "x^2");
    dialog->EditLabel(IDC_VAR_LIST, 0, "2");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_EQ(Text(IDC_FORMULA_BOX), "x^2 =4.000000");
    EXPECT_TRUE(drawn.empty());

    Register(IDC_FORM_EXPLICIT, "x^3:x(-1,1)[4]");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_EQ(drawn, (std::vector<std::string>{"x^3"}));
    EXPECT_EQ(drawn_points, 5);
}

TEST_F(FormulaDialog, DeletingSelectsTheNeighbour) {
    for (const char* text : {"x+1", "x+2", "x+3"}) Register(IDC_FORM_EXPLICIT, text);
    dialog->Select(IDC_LIST_BOX, 0);
    dialog->Click(IDC_DELETE_BUTTON);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"x+2", "x+3"}));
    EXPECT_EQ(g_selLB_item, 0);
    Register(IDC_FORM_EXPLICIT, "x+4");
    dialog->Select(IDC_LIST_BOX, 2);
    dialog->Click(IDC_DELETE_BUTTON);
    EXPECT_EQ(g_selLB_item, 1);
    EXPECT_EQ(dialog->ListBox_GetCurSel(IDC_LIST_BOX), 1);
    EXPECT_EQ(g_mathlist.PutElementNum(), 2);

    dialog->Click(IDC_DELETE_BUTTON);
    dialog->Click(IDC_DELETE_BUTTON);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(g_selLB_item, -1);
    EXPECT_EQ(dialog->ListView_GetItemCount(IDC_VAR_LIST), 0);
    for (int id : {IDC_VAR_NAME, IDC_VAR_MIN, IDC_VAR_MAX, IDC_DPND_NAME}) EXPECT_EQ(Text(id), "");
    dialog->Click(IDC_OK_BUTTON);  // nothing to evaluate, and no message either
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FormulaDialog, KeypadInsertsAtTheCaret) {
    dialog->Click(2270);  // Σ
    EXPECT_EQ(Text(IDC_FORMULA_BOX), "sigma[ n( , ), n]");
    int start = 0;
    int end = 0;
    dialog->Edit_GetSel(IDC_FORMULA_BOX, &start, &end);
    EXPECT_EQ(end, 17 - 9);
    EXPECT_EQ(start, end);
    dialog->Click(IDC_KEY_0 + 7);
    EXPECT_EQ(Text(IDC_FORMULA_BOX), "sigma[ n7( , ), n]");
    dialog->Click(IDC_CLEAR_BUTTON);
    dialog->Click(2230);  // log
    dialog->Edit_GetSel(IDC_FORMULA_BOX, &start, &end);
    EXPECT_EQ(end, 8 - 3);
    EXPECT_EQ(dialog->focus, IDC_FORMULA_BOX);
}

TEST_F(FormulaDialog, EditedRowsAreStoredOnlyWhenChanged) {
    Register(IDC_FORM_PARAM, "x=cos(t):y=sin(t):t(0,6.283185307)");
    EXPECT_EQ(Text(IDC_VAR_MAX), "6.283");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_EQ(g_mathlist[0]->var_max, 6.283185307);  // the shown digits did not replace it
    dialog->Type(IDC_VAR_MIN, "1.5");
    dialog->Type(IDC_VAR_NAME, "q");  // not a variable of the formula: the old name returns
    dialog->Click(IDCANCEL);          // Escape stores the edits and hides
    EXPECT_FALSE(dialog->IsDialogVisible());
    EXPECT_EQ(g_mathlist[0]->var_min, 1.5);
    EXPECT_STREQ(g_mathlist[0]->var, "t");
    EXPECT_EQ(Text(IDC_VAR_NAME), "t");

    dialog->ShowDialog(true);
    dialog->Type(IDC_VAR_NAME, "");
    dialog->Click(IDC_REGISTER_BUTTON);  // the box text is the typed line again: re-registers
    EXPECT_STREQ(g_mathlist[0]->var, "t");
    dialog->Type(IDC_VAR_NAME, "");
    dialog->Select(IDC_LIST_BOX, 0);
    EXPECT_STREQ(g_mathlist[0]->var, "");
    EXPECT_EQ(g_mathlist[0]->var_max, 0.0);
}

// A box typed back to a text the program wrote there earlier is still an edit, once the
// user's change in between was stored.
TEST_F(FormulaDialog, TypingBackAnEarlierTextIsAnEdit) {
    Register(IDC_FORM_EXPLICIT, "x+10*y:x(0,1)");
    dialog->Type(IDC_VAR_NAME, "y");
    dialog->Click(IDC_OK_BUTTON);  // draws over y from 0 to 1
    EXPECT_STREQ(g_mathlist[0]->var, "y");
    dialog->Type(IDC_VAR_NAME, "x");  // the name the program wrote at registration
    dialog->Type(IDC_VAR_MIN, "0.000");
    dialog->Type(IDC_VAR_MAX, "1.000");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_STREQ(g_mathlist[0]->var, "x");
    dialog->Type(IDC_VAR_NAME, "");
    dialog->Type(IDC_VAR_MIN, "");
    dialog->Type(IDC_VAR_MAX, "");
    dialog->Click(IDC_OK_BUTTON);  // no variable left: one value, x and y at their last samples
    EXPECT_EQ(Text(IDC_FORMULA_BOX), "x+10*y =11.000000");

    // The same for a range: typed back after a change, it is read again.
    Register(IDC_FORM_EXPLICIT, "x:x(0,1)");
    dialog->Type(IDC_VAR_MAX, "5");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_EQ(g_mathlist[1]->var_max, 5.0);
    dialog->Type(IDC_VAR_MAX, "1.000");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_EQ(g_mathlist[1]->var_max, 1.0);
}

TEST_F(FormulaDialog, RefusedNamesReturnToTheStoredOne) {
    // Either variable of an implicit formula renamed like the other one.
    Register(IDC_FORM_IMPLICIT, "0=x^2+y^2-1:x(-1,1)[4]:y(-1,1)[4]");
    dialog->Type(IDC_VAR_NAME, "y");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_STREQ(g_mathlist[0]->var, "x");
    EXPECT_EQ(Text(IDC_VAR_NAME), "x");
    dialog->Type(IDC_DPND_NAME, "x");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_STREQ(g_mathlist[0]->vardpnd, "y");
    EXPECT_EQ(Text(IDC_DPND_NAME), "y");

    // A polar angle takes any name, but not one of 80 characters or more.
    Register(IDC_FORM_POLAR, "r=2:t(0,6.28)");
    const std::string long_name(85, 'a');
    dialog->Type(IDC_VAR_NAME, long_name);
    dialog->Type(IDC_VAR_MIN, "1");
    dialog->Click(IDC_OK_BUTTON);
    EXPECT_STREQ(g_mathlist[1]->var, "t");
    EXPECT_EQ(Text(IDC_VAR_NAME), "t");
    EXPECT_EQ(g_mathlist[1]->var_min, 1.0);  // the range is read all the same
}

TEST_F(FormulaDialog, RunningOutOfMemoryAbandonsOnlyTheDrawing) {
    Register(IDC_FORM_EXPLICIT, "x:x(0,1)");
    Set_GraphReceiver([](GraphRequest&) -> int { throw std::bad_alloc(); });
    dialog->Click(IDC_OK_BUTTON);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.Lines()[0], "memory error: メモリが足りないため描画を中止しました");
    EXPECT_TRUE(dialog->IsDialogVisible());
    EXPECT_EQ(g_mathlist.PutElementNum(), 1);  // the registered formula is still there
}

TEST_F(FormulaDialog, CloseBoxAsksFirst) {
    boxes.Script({IDNO, IDYES});
    dialog->Close();
    EXPECT_TRUE(dialog->IsDialogVisible());
    dialog->Close();
    EXPECT_FALSE(dialog->IsDialogVisible());
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.Lines()[0], "Closed message: ダイアログを閉じます");
    EXPECT_EQ(boxes.boxes[0].style & MB_TYPEMASK, MB_YESNO);
}

TEST_F(FormulaDialog, DivisionCountsThroughTheirDialog) {
    Register(IDC_FORM_EXPLICIT, "x:x(0,1)[30]");
    runner.Then([](MemoryDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVISIONS_FREE), "30");
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVISIONS_DPND), "");
        d.Type(IDC_DIVISIONS_FREE, " 40 ");
        d.Type(IDC_DIVISIONS_DPND, "7");
        d.Click(IDOK);
    });
    // A count outside 1 ... 1000000 is named and selected, and the dialog stays open.
    for (const char* refused : {"0", "2000000"}) {
        runner.Then([refused](MemoryDialog& d) {
            d.Type(IDC_DIVISIONS_FREE, refused);
            d.Click(IDOK);
            EXPECT_FALSE(d.ended) << refused;
            EXPECT_EQ(d.focus, IDC_DIVISIONS_FREE);
        });
    }
    dialog->Click(IDC_DIVISIONS_BUTTON);
    EXPECT_EQ(g_mathlist[0]->stepnumber_g, 40);
    EXPECT_EQ(g_mathlist[0]->stepnumber_dpnd, 100);
    dialog->Click(IDC_DIVISIONS_BUTTON);
    dialog->Click(IDC_DIVISIONS_BUTTON);
    EXPECT_EQ(g_mathlist[0]->stepnumber_g, 40);
    const std::string why = std::string("invalid division: ") + DIVISIONS_RANGE_MESSAGE;
    EXPECT_EQ(boxes.Lines(), (std::vector<std::string>{why, why}));
    ASSERT_EQ(runner.shown.size(), 3u);
    EXPECT_EQ(runner.shown[0].caption, "変数の分割数");

    Register(IDC_FORM_IMPLICIT, "0=x-y:x(0,1)[10]:y(0,1)[12]");
    runner.Then([](MemoryDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_DIVISIONS_DPND), "12");
        d.Type(IDC_DIVISIONS_DPND, "0x10");
        d.Click(IDOK);
    });
    dialog->Click(IDC_DIVISIONS_BUTTON);
    EXPECT_EQ(g_mathlist[1]->stepnumber_dpnd, 16);
}

}  // namespace
