#include "kinds/math_form.h"

#include <cstring>

#include "formula/analysis.h"
#include "formula/calc_bin_tree.h"
#include "formula/create_bin_tree.h"
#include "formula/formula_input.h"
#include "platform/message_box.h"

MathFormList g_mathlist;
int g_selLB_item = -1;

namespace {

CompForm* Build_Tree(CompForm* the_form, int count) {
    int index = 0;
    return Create_BinTree(&index, 0, nullptr, nullptr, the_form, count);
}

int Store_Name(char* target, const char* source) {
    if (std::strlen(source) >= static_cast<size_t>(VAR_NAME_SIZE)) return 0;
    std::strcpy(target, source);
    return 1;
}

// Appends a new formula of the given kind and returns it.
MathForm* Append_New(int kind) {
    auto* created = new MathForm;
    g_mathlist.Append(*created);
    created->expr_kind = kind;
    return created;
}

void Drop_Unknown(const MathForm& form, char* label, double* min_value, double* max_value) {
    if (!form.DoVariExist(label)) {
        label[0] = '\0';
        *min_value = 0.0;
        *max_value = 0.0;
    }
}

void Store_Variable(MathForm& form, const char* label, double min_value, double max_value,
                    int steps) {
    form.SetVar(label);
    form.SetVarRange(min_value, max_value);
    form.stepnumber_g = steps;
}

}  // namespace

MathForm::~MathForm() {
    delete[] the_form;
    delete[] the_form_y;
}

int MathForm::SetVar(const char* source) { return Store_Name(var, source); }

int MathForm::SetVarDpnd(const char* source) { return Store_Name(vardpnd, source); }

void MathForm::SetVarRange(double min_val, double max_val) {
    var_min = min_val;
    var_max = max_val;
}

void MathForm::SetVarDpndRange(double min_val, double max_val) {
    vardpnd_min = min_val;
    vardpnd_max = max_val;
}

int MathForm::DoVariExist(const char* operand_label) const { return var_array(operand_label); }

int MathForm::AddCompForm(CompForm* the_target, int num_of_target) {
    delete[] the_form;
    the_form = the_target;
    elem_num = num_of_target;
    the_formtop = Build_Tree(the_form, elem_num);
    var_array.FlushList();
    Create_SymbolTable<double>(the_form, elem_num, var_array);
    delete[] the_form_y;
    the_form_y = nullptr;
    the_form_ytop = nullptr;
    elem_num_y = 0;
    return 1;
}

int MathForm::AddCompFormPara(CompForm* the_target, int num_of_target, CompForm* the_targetY,
                              int num_of_targetY) {
    delete[] the_form;
    the_form = the_target;
    elem_num = num_of_target;
    the_formtop = Build_Tree(the_form, elem_num);
    var_array.FlushList();
    Create_SymbolTable<double>(the_form, elem_num, var_array);
    delete[] the_form_y;
    the_form_y = the_targetY;
    elem_num_y = num_of_targetY;
    the_form_ytop = Build_Tree(the_form_y, elem_num_y);
    Create_SymbolTable<double>(the_form_y, elem_num_y, var_array);
    return 1;
}

MathFormList::MathFormList() : dummy_obj(new MathForm) {}

MathFormList::~MathFormList() {
    Clear();
    delete dummy_obj;
}

void MathFormList::Clear() {
    MathForm* node = the_first;
    while (node != nullptr) {
        MathForm* next = node->the_next;
        delete node;
        node = next;
    }
    the_first = nullptr;
    the_last = nullptr;
    num_of_element = 0;
}

void MathFormList::Append(MathForm& mfm_obj) {
    mfm_obj.the_next = nullptr;
    if (the_last == nullptr) {
        the_first = &mfm_obj;
    } else {
        the_last->the_next = &mfm_obj;
    }
    the_last = &mfm_obj;
    ++num_of_element;
}

void MathFormList::Remove(int the_number) {
    if (the_number < 0 || the_number >= num_of_element) return;
    MathForm* previous = nullptr;
    MathForm* node = the_first;
    for (int i = 0; i < the_number; ++i) {
        previous = node;
        node = node->the_next;
    }
    if (previous == nullptr) {
        the_first = node->the_next;
    } else {
        previous->the_next = node->the_next;
    }
    if (node == the_last) the_last = previous;
    delete node;
    --num_of_element;
}

MathForm* MathFormList::Array(int the_number) const {
    if (the_number < 0 || the_number >= num_of_element) {
        MessageBoxA(nullptr, "指定オブジェクトの番号が範囲外です", "out of range", MB_OK);
        return dummy_obj;
    }
    MathForm* node = the_first;
    for (int i = 0; i < the_number; ++i) node = node->the_next;
    return node;
}

int Get_FormulaInfo(const char* edit_letter, char* formula_line, char* operand_label,
                    double* min_value, double* max_value, int* step_numb) {
    char var_lett[FORMULA_FIELD_SIZE];
    if (EditLetter_Analysis(edit_letter, formula_line, var_lett) < 0) return 0;
    Analysis_VarRangeValue(var_lett, operand_label, min_value, max_value, step_numb);
    return 1;
}

int Get_FormulaInfo_Para(const char* edit_letter, char* formula_line_x, char* formula_line_y,
                         char* operand_label, double* min_value, double* max_value,
                         int* step_numb) {
    char var_lett[FORMULA_FIELD_SIZE];
    if (EditLetter_Analysis_Para(edit_letter, formula_line_x, formula_line_y, var_lett) < 0) {
        return 0;
    }
    Analysis_VarRangeValue(var_lett, operand_label, min_value, max_value, step_numb);
    return 1;
}

int Get_FormulaInfo_Polar(const char* edit_letter, char* formula_line, char* operand_label,
                          double* min_value, double* max_value, int* step_numb) {
    char var_lett[FORMULA_FIELD_SIZE];
    if (EditLetter_Analysis_Polar(edit_letter, formula_line, var_lett) < 0) return 0;
    Analysis_VarRangeValue(var_lett, operand_label, min_value, max_value, step_numb);
    return 1;
}

int Get_FormulaInfo_Inpl(const char* edit_letter, char* formula_line, char* operand_label,
                         double* min_value, double* max_value, int* step_numb, char* dpnd_label,
                         double* min_dpnd, double* max_dpnd, int* step_num_dpnd) {
    char var_lett[FORMULA_FIELD_SIZE];
    char dpnd_lett[FORMULA_FIELD_SIZE];
    if (EditLetter_Analysis_Inpl(edit_letter, formula_line, var_lett, dpnd_lett) < 0) return 0;
    Analysis_VarRangeValue(var_lett, operand_label, min_value, max_value, step_numb);
    Analysis_VarRangeValue(dpnd_lett, dpnd_label, min_dpnd, max_dpnd, step_num_dpnd);
    return 1;
}

int FnReg_Explicit(const char* formula_line, char* operand_label, double* min_value,
                   double* max_value, int* step_numb) {
    CompForm* array = nullptr;
    if (!Analysis_InputFormula(&array, formula_line)) return 0;
    int count = current_number + 1;
    MathForm* form = Append_New(EXPR_EXPLICIT);
    form->AddCompForm(array, count);
    Drop_Unknown(*form, operand_label, min_value, max_value);
    Store_Variable(*form, operand_label, *min_value, *max_value, *step_numb);
    return 1;
}

int FnReg_Param(const char* formula_line_x, const char* formula_line_y, char* operand_label,
                double* min_value, double* max_value, int* step_numb) {
    CompForm* xarray = nullptr;
    if (!Analysis_InputFormula(&xarray, formula_line_x)) return 0;
    int current_number_x = current_number;
    CompForm* yarray = nullptr;
    if (!Analysis_InputFormula(&yarray, formula_line_y)) {
        delete[] xarray;
        return 0;
    }
    int current_number_y = current_number;
    MathForm* form = Append_New(EXPR_PARAMETRIC);
    form->AddCompFormPara(xarray, current_number_x + 1, yarray, current_number_y + 1);
    Drop_Unknown(*form, operand_label, min_value, max_value);
    Store_Variable(*form, operand_label, *min_value, *max_value, *step_numb);
    return 1;
}

int FnReg_Polar(const char* formula_line, char* operand_label, double* min_value, double* max_value,
                int* step_numb) {
    CompForm* array = nullptr;
    if (!Analysis_InputFormula(&array, formula_line)) return 0;
    int count = current_number + 1;
    MathForm* form = Append_New(EXPR_POLAR);
    form->AddCompForm(array, count);
    if (operand_label[0] == '\0') {
        *min_value = 0.0;
        *max_value = 0.0;
    }
    Store_Variable(*form, operand_label, *min_value, *max_value, *step_numb);
    return 1;
}

int FnReg_Inplicit(const char* formula_line, char* operand_label, double* min_value,
                   double* max_value, int* step_numb, char* dpnd_label, double* min_dpnd,
                   double* max_dpnd, int* step_num_dpnd) {
    CompForm* array = nullptr;
    if (!Analysis_InputFormula(&array, formula_line)) return 0;
    int count = current_number + 1;
    MathForm* form = Append_New(EXPR_IMPLICIT);
    form->AddCompForm(array, count);
    Drop_Unknown(*form, operand_label, min_value, max_value);
    Store_Variable(*form, operand_label, *min_value, *max_value, *step_numb);
    // A dependent variable named like the independent one would share its cell.
    const bool same_name = std::strcmp(dpnd_label, operand_label) == 0;
    if (same_name || !form->DoVariExist(dpnd_label)) {
        dpnd_label[0] = '\0';
        *min_dpnd = 0.0;
        *max_dpnd = 0.0;
    } else {
        form->SetVarDpnd(dpnd_label);
        form->SetVarDpndRange(*min_dpnd, *max_dpnd);
        form->stepnumber_dpnd = *step_num_dpnd;
    }
    return 1;
}
