// Links the elements of an analysed formula, in place, into an expression tree.
// Precedence: "+" "-" 1, "*" 2, "/" 3, "^" 4 (division binds tighter than multiplication),
// every operator left-associative among equals.
#pragma once

#include "formula/comp_form.h"

// Public call: *index 0, sup_num 0, object1 and op1 null, the array and its element count.
CompForm* Create_BinTree(int* index, int sup_num, CompForm* object1, CompForm* op1,
                         CompForm* the_formlist, int elem_num);
CompForm* Object_Select(CompForm* object, int* index, CompForm* the_formlist, int elem_num);
CompForm* Bind_Object(CompForm* tree, CompForm* left_obj, CompForm* right_obj);

int Get_OneArg(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
               int* elem_num, const char* open_lett, const char* close_lett);
int Get_EndArgList(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
                   int* elem_num, const char* open_lett, const char* close_lett);
int Get_ArgList(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
                int* elem_num, const char* open_lett, const char* close_lett,
                const char* open_lett2, const char* close_lett2);
