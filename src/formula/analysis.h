// Character-level analysis of one formula side into a flat array of elements, and the
// reading of ranges such as x(-5,5)[200].
#pragma once

#include "formula/range_reader.h"

#include "formula/asc_array.h"
#include "formula/comp_form.h"

// Index of the last element written by the most recent (sub)analysis; after a successful
// analysis the element count is current_number + 1.
extern int current_number;
// Depth of open parentheses of the running (sub)analysis.
extern int opn_count;

// Fills the_formlist (at least elem_number elements) from formula, a text without blanks.
// Returns 1 on success, 0 with the_error filled (kind 0 empty text, 1 syntax error at
// formula_position, 2 more elements than elem_number). sumv_list holds the summation
// variables in scope; each analysis works on its own copy.
int Analysis_Formula(CompForm* the_formlist, int elem_number, const char* formula,
                     ErrorInfo* the_error, AscArray<double> sumv_list);

// Cuts the text of one argument, up to the first "," at nesting level zero. The first
// bracket pair is counted from 1, the second from 0. At most arg_size - 1 characters.
int Get_Argument(const char* formula, int* start_pos, char* argument, int arg_size, char open_lett,
                 char close_lett, char open_lett2, char close_lett2);
// Cuts the last argument, up to the close_lett that ends the list; start_pos is left on it.
int Get_EndArgument(const char* formula, int* start_pos, char* argument, int arg_size,
                    char open_lett, char close_lett);
