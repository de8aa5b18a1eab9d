#include "input/registration.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "formula/formula_input.h"
#include "formula/number_text.h"

namespace {

std::map<int, std::string> written_boxes;

void Write_Box(DialogControls* hdwnd, int id, const std::string& text) {
    hdwnd->SetDlgItemText(id, text);
    written_boxes[id] = text;
}

// The text of a box when the user changed it since the program wrote it or last stored it.
// Reading it makes it the box's recorded text: typing back an earlier text is a change again.
bool Edited_Text(DialogControls* hdwnd, int id, std::string* text) {
    *text = hdwnd->GetDlgItemText(id);
    auto written = written_boxes.find(id);
    if (written != written_boxes.end() && written->second == *text) return false;
    written_boxes[id] = *text;
    return true;
}

std::string Number_Text(double value) {
    char buffer[64];
    if (!Double_To_C(value, buffer, 3, 0, sizeof buffer)) return std::string();
    return buffer;
}

// Selects the new or matching entry and makes it the current formula.
void Select_Entry(DialogControls* hdwnd, int index) {
    hdwnd->ListBox_SetCurSel(IDC_LIST_BOX, index);
    g_selLB_item = index;
}

int Add_Entry(DialogControls* hdwnd, const char* list_line) {
    int index = hdwnd->ListBox_AddString(IDC_LIST_BOX, list_line);
    Select_Entry(hdwnd, index);
    return index;
}

void Show_New(DialogControls* hdwnd, int index, const char* label, double min_value,
              double max_value) {
    AddVariables_ToLView(hdwnd, index);
    AddParam_ToEdit(hdwnd, label, min_value, max_value, IDC_VAR_NAME, IDC_VAR_MIN, IDC_VAR_MAX);
}

void Copy_Label(char* target, const char* source) {
    std::strncpy(target, source ? source : "", FORMULA_FIELD_SIZE - 1);
    target[FORMULA_FIELD_SIZE - 1] = '\0';
}

// A name typed for the free variable of an element already registered: taken when it is a
// variable of the formula (any name for a polar angle but ""), else the stored one is shown.
void Update_Free(MathForm* form, char* label, double* min_value, double* max_value, int steps) {
    bool take = form->expr_kind == EXPR_POLAR ? label[0] != '\0' : form->DoVariExist(label) != 0;
    if (take) {
        form->SetVar(label);
        form->SetVarRange(*min_value, *max_value);
        form->stepnumber_g = steps;
    } else {
        Copy_Label(label, form->var);
        *min_value = form->var_min;
        *max_value = form->var_max;
    }
}

// Reads a range box into a bound when the user changed it and it reads as a number.
void Read_Bound(DialogControls* hdwnd, int id, double* bound) {
    std::string text;
    if (!Edited_Text(hdwnd, id, &text)) return;
    double value = 0.0;
    if (C_To_Double(text.c_str(), &value)) *bound = value;
}

}  // namespace

void Forget_WrittenBoxes() { written_boxes.clear(); }

int NewRegist_ExplExpr(DialogControls* hdwnd, const char* formula_line, const char* operand_label,
                       double min_value, double max_value, int step_numb) {
    char label[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    if (!FnReg_Explicit(formula_line, label, &min_value, &max_value, &step_numb)) return 0;
    int index = Add_Entry(hdwnd, formula_line);
    Show_New(hdwnd, index, label, min_value, max_value);
    AddParam_ToEdit(hdwnd, "", 0.0, 0.0, IDC_DPND_NAME, IDC_DPND_MIN, IDC_DPND_MAX);
    return 1;
}

int NewRegist_ParamExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                        const char* formula_line_y, const char* operand_label, double min_value,
                        double max_value, int step_numb) {
    char label[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    if (!FnReg_Param(formula_line, formula_line_y, label, &min_value, &max_value, &step_numb)) {
        return 0;
    }
    int index = Add_Entry(hdwnd, list_line);
    Show_New(hdwnd, index, label, min_value, max_value);
    AddParam_ToEdit(hdwnd, "", 0.0, 0.0, IDC_DPND_NAME, IDC_DPND_MIN, IDC_DPND_MAX);
    return 1;
}

int NewRegist_PolarExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                        const char* operand_label, double min_value, double max_value,
                        int step_numb) {
    char label[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    if (!FnReg_Polar(formula_line, label, &min_value, &max_value, &step_numb)) return 0;
    int index = Add_Entry(hdwnd, list_line);
    Show_New(hdwnd, index, label, min_value, max_value);
    AddParam_ToEdit(hdwnd, "", 0.0, 0.0, IDC_DPND_NAME, IDC_DPND_MIN, IDC_DPND_MAX);
    return 1;
}

int NewRegist_InplExpr(DialogControls* hdwnd, const char* list_line, const char* formula_line,
                       const char* operand_label, double min_value, double max_value, int step_numb,
                       const char* dpnd_label, double min_dpnd, double max_dpnd,
                       int step_num_dpnd) {
    char label[FORMULA_FIELD_SIZE];
    char dpnd[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    Copy_Label(dpnd, dpnd_label);
    if (!FnReg_Inplicit(formula_line, label, &min_value, &max_value, &step_numb, dpnd, &min_dpnd,
                        &max_dpnd, &step_num_dpnd)) {
        return 0;
    }
    int index = Add_Entry(hdwnd, list_line);
    Show_New(hdwnd, index, label, min_value, max_value);
    AddDpdVar_ToEdit(hdwnd, dpnd, min_dpnd, max_dpnd);
    return 1;
}

int SetRegist_ExplExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                       double min_value, double max_value, int step_numb) {
    Select_Entry(hdwnd, list_num);
    MathForm* form = g_mathlist[list_num];
    char label[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    Update_Free(form, label, &min_value, &max_value, step_numb);
    Show_New(hdwnd, list_num, label, min_value, max_value);
    AddParam_ToEdit(hdwnd, "", 0.0, 0.0, IDC_DPND_NAME, IDC_DPND_MIN, IDC_DPND_MAX);
    return 1;
}

int SetRegist_PolarExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                        double min_value, double max_value, int step_numb) {
    return SetRegist_ExplExpr(hdwnd, list_num, operand_label, min_value, max_value, step_numb);
}

int SetRegist_InplExpr(DialogControls* hdwnd, int list_num, const char* operand_label,
                       double min_value, double max_value, int step_numb, const char* dpnd_label,
                       double min_dpnd, double max_dpnd, int step_num_dpnd) {
    Select_Entry(hdwnd, list_num);
    MathForm* form = g_mathlist[list_num];
    char label[FORMULA_FIELD_SIZE];
    char dpnd[FORMULA_FIELD_SIZE];
    Copy_Label(label, operand_label);
    Copy_Label(dpnd, dpnd_label);
    Update_Free(form, label, &min_value, &max_value, step_numb);
    const bool same_name = std::strcmp(dpnd, label) == 0;
    if (!same_name && form->DoVariExist(dpnd)) {
        form->SetVarDpnd(dpnd);
        form->SetVarDpndRange(min_dpnd, max_dpnd);
        form->stepnumber_dpnd = step_num_dpnd;
    } else {
        Copy_Label(dpnd, form->vardpnd);
        min_dpnd = form->vardpnd_min;
        max_dpnd = form->vardpnd_max;
    }
    Show_New(hdwnd, list_num, label, min_value, max_value);
    AddDpdVar_ToEdit(hdwnd, dpnd, min_dpnd, max_dpnd);
    return 1;
}

int ShowRgst_ExplExpr(DialogControls* hdwnd, int list_num) {
    AddVariables_ToLView(hdwnd, list_num);
    MathForm* form = g_mathlist[list_num];
    AddParam_ToEdit(hdwnd, form->var, form->var_min, form->var_max, IDC_VAR_NAME, IDC_VAR_MIN,
                    IDC_VAR_MAX);
    AddParam_ToEdit(hdwnd, form->vardpnd, form->vardpnd_min, form->vardpnd_max, IDC_DPND_NAME,
                    IDC_DPND_MIN, IDC_DPND_MAX);
    return 1;
}

void AddVariables_ToLView(DialogControls* hdwnd, int item_num) {
    hdwnd->ListView_DeleteAllItems(IDC_VAR_LIST);
    MathForm* form = g_mathlist[item_num];
    int count = 0;
    form->var_array.CountElem(&count);
    if (count == 0) return;
    std::unique_ptr<char[][256]> names(new char[static_cast<size_t>(count)][256]);
    int filled = 0;
    form->var_array.CopyLabelAll(names.get(), &filled);
    for (int i = 0; i < filled; ++i) {
        const double value = form->var_array[names[i]];
        hdwnd->ListView_InsertItem(IDC_VAR_LIST, i, Number_Text(value));
    }
    for (int i = 0; i < filled; ++i) hdwnd->ListView_SetItemText(IDC_VAR_LIST, i, 1, names[i]);
}

void AddParam_ToEdit(DialogControls* hdwnd, const char* operand_label, double min_value,
                     double max_value, int vnm_editid, int min_editid, int max_editid) {
    Write_Box(hdwnd, vnm_editid, operand_label);
    if (operand_label[0] == '\0') {
        Write_Box(hdwnd, min_editid, "");
        Write_Box(hdwnd, max_editid, "");
        return;
    }
    Write_Box(hdwnd, min_editid, Number_Text(min_value));
    Write_Box(hdwnd, max_editid, Number_Text(max_value));
}

void AddDpdVar_ToEdit(DialogControls* hdwnd, const char* dpnd_label, double min_value,
                      double max_value) {
    AddParam_ToEdit(hdwnd, dpnd_label, min_value, max_value, IDC_DPND_NAME, IDC_DPND_MIN,
                    IDC_DPND_MAX);
}

int Clear_Variables(DialogControls* hdwnd) {
    hdwnd->ListView_DeleteAllItems(IDC_VAR_LIST);
    for (int id :
         {IDC_VAR_NAME, IDC_VAR_MIN, IDC_VAR_MAX, IDC_DPND_NAME, IDC_DPND_MIN, IDC_DPND_MAX}) {
        Write_Box(hdwnd, id, "");
    }
    return 1;
}

bool SetNewVal_ToAscArray(DialogControls* hdwnd, const char* num_char, int item_num) {
    double value = 0.0;
    if (!C_To_Double(num_char, &value)) return false;
    const int selected = hdwnd->ListBox_GetCurSel(IDC_LIST_BOX);
    if (selected < 0 || selected >= g_mathlist.PutElementNum()) return false;
    hdwnd->ListView_SetItemText(IDC_VAR_LIST, item_num, 0, num_char);
    const std::string name = hdwnd->ListView_GetItemText(IDC_VAR_LIST, item_num, 1);
    MathForm* form = g_mathlist[selected];
    if (!form->var_array(name.c_str())) return false;
    form->var_array[name.c_str()] = value;
    return true;
}

namespace {

// Stores one row of boxes (name, minimum, maximum) in the element.
int Store_Row(DialogControls* hdwnd, MathForm* form, bool dependent) {
    const int name_id = dependent ? IDC_DPND_NAME : IDC_VAR_NAME;
    char* stored_name = dependent ? form->vardpnd : form->var;
    double* min_bound = dependent ? &form->vardpnd_min : &form->var_min;
    double* max_bound = dependent ? &form->vardpnd_max : &form->var_max;

    std::string text;
    int result = 1;
    if (Edited_Text(hdwnd, name_id, &text)) {
        std::vector<char> name(text.begin(), text.end());
        name.push_back('\0');
        DeleteSpace_FromLetter(name.data());
        if (name[0] == '\0') {
            if (dependent) {
                form->SetVarDpnd("");
            } else {
                form->SetVar("");
            }
            *min_bound = 0.0;
            *max_bound = 0.0;
            return 2;
        }
        bool allowed =
            (!dependent && form->expr_kind == EXPR_POLAR) || form->DoVariExist(name.data());
        // One name cannot be both variables of an implicit formula: the grid would lie on
        // its diagonal. Refused in either row.
        const char* other_name = dependent ? form->var : form->vardpnd;
        if (form->expr_kind == EXPR_IMPLICIT && std::strcmp(name.data(), other_name) == 0) {
            allowed = false;
        }
        int stored = 0;
        if (allowed) stored = dependent ? form->SetVarDpnd(name.data()) : form->SetVar(name.data());
        if (!stored) {
            Write_Box(hdwnd, name_id, stored_name);
            result = 0;
        }
    } else if (stored_name[0] == '\0') {
        return 2;
    }
    Read_Bound(hdwnd, name_id + (dependent ? 1 : 10), min_bound);
    Read_Bound(hdwnd, name_id + (dependent ? 2 : 20), max_bound);
    return result;
}

}  // namespace

int ChangeRgst_VarName(DialogControls* hdwnd, int sel_form) {
    if (sel_form < 0 || sel_form >= g_mathlist.PutElementNum()) return -1;
    return Store_Row(hdwnd, g_mathlist[sel_form], false);
}

int ChangeRgst_DpVName(DialogControls* hdwnd, int sel_form) {
    if (sel_form < 0 || sel_form >= g_mathlist.PutElementNum()) return -1;
    MathForm* form = g_mathlist[sel_form];
    if (form->expr_kind != EXPR_IMPLICIT) return 0;
    return Store_Row(hdwnd, form, true);
}
