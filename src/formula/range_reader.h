// The range text of a variable, read by the formula front-end and by the summation
// operator (kept apart from the formula analysis so that neither depends on the other).
#pragma once

// Reads "name(min,max)" with an optional "[steps]". Returns 1 on success; -1 empty text,
// -2 bad name, -3/-4/-5 bad minimum/maximum/step, 0 unfinished text. The name holds at most
// var_size - 1 characters. step_num is left unchanged when no step part is given;
// step_given (optional) tells whether one was.
int Analysis_Variable(const char* formula, char* var_name, int var_size, double* min_val,
                      double* max_val, int* step_num, bool* step_given = nullptr);
