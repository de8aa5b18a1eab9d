// The text front-end: splits a typed line of one of the four formula forms into formula
// and range fields, reads ranges, analyses formula fields (reporting syntax errors to the
// user) and builds the display lines of registered formulas. Messages are owned by the
// formula input dialog (g_mhDlg).
#pragma once

#include <string>

#include "formula/comp_form.h"

constexpr int FORMULA_FIELD_SIZE = 256;
// Division counts a range part may give; anything else makes the range part unreadable.
constexpr int MIN_DIVISIONS = 1;
constexpr int MAX_DIVISIONS = 1000000;

// Reads one field: the non-blank characters from *sor_position up to ":" or the end.
// 1 ended at ":", 0 ended the text, -1 nothing before the end, -2 nothing before ":",
// -3 max_size non-blank characters before any end (the field keeps max_size - 1).
int Input_Formula(const char* source, char* line_formula, int* sor_position, int max_size);
int Formula_Header(const char* source, const char* header, int* sor_position);

// Every buffer is FORMULA_FIELD_SIZE characters. A negative result: do not register.
int EditLetter_Analysis(const char* edit_letter, char* formula_line, char* var_lett);
int EditLetter_Analysis_Para(const char* edit_letter, char* formula_line_x, char* formula_line_y,
                             char* var_lett);
int EditLetter_Analysis_Polar(const char* edit_letter, char* formula_line, char* var_lett);
int EditLetter_Analysis_Inpl(const char* edit_letter, char* formula_line, char* var_lett,
                             char* dpnd_var);

// 1 read, 2 no range given (step count untouched), 0 unreadable (after a message: name "",
// range 0 to 0, 100 divisions). operand_label holds FORMULA_FIELD_SIZE characters.
int Analysis_VarRangeValue(const char* varia_info, char* operand_label, double* min_value,
                           double* max_value, int* step_numb);

// 1 with a new element array of current_number + 1 elements in *the_formlist (the caller
// owns it; release with delete[]); 0 after a message.
int Analysis_InputFormula(CompForm** the_formlist, const char* line_array);
CompForm* Create_TempCompForm(const char* line_array, int* array_length);
int Copy_CompFormArray(const CompForm* the_source, CompForm* the_copy, int array_num);

bool Create_ParamInputFrm(char* list_line, int max_list, const char* formula_x,
                          const char* formula_y);
bool Create_PolarInputFrm(char* list_line, int max_list, const char* the_formula,
                          const char* the_head);

int My_Strncpy(char* dest_array, const char* source_array, int copied_num, int dest_size);
// The first byte_count bytes of a text for a message, cut at a character boundary: the
// character the count ends in is kept whole, and the part is at most 255 CP932 bytes.
std::string Failing_Part(const char* text, int byte_count);
int DeleteSpace_FromLetter(char* target);
