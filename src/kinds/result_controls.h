// The controls of the formula input dialog that the samplers' results go to.
#pragma once

// Controls of the formula input dialog the results go to.
constexpr int IDC_FORMULA_LIST = 2060;
constexpr int IDC_FORMULA_EDIT = 2070;
