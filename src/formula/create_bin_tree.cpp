#include "formula/create_bin_tree.h"

#include <cstring>

namespace {

// The element at *index, advancing past it; null past the end of the list.
CompForm* Next(int* index, CompForm* the_formlist, int elem_num) {
    if (*index < 0 || *index >= elem_num) {
        ++*index;
        return nullptr;
    }
    return &the_formlist[(*index)++];
}

int Superior(const CompForm* op) { return op != nullptr ? op->GetSuperior() : 0; }

bool Is_ClosePar(const CompForm* element) {
    return element != nullptr && element->kind == KIND_CLOSE_PAR;
}

CompForm* Build_Sub(CompForm* sub_list, int sub_count) {
    if (sub_list == nullptr || sub_count < 1) return nullptr;
    int sub_index = 0;
    return Create_BinTree(&sub_index, 0, nullptr, nullptr, sub_list, sub_count);
}

}  // namespace

CompForm* Bind_Object(CompForm* tree, CompForm* left_obj, CompForm* right_obj) {
    if (tree == nullptr) return left_obj;
    tree->left = left_obj;
    tree->right = right_obj;
    return tree;
}

CompForm* Create_BinTree(int* index, int sup_num, CompForm* object1, CompForm* op1,
                         CompForm* the_formlist, int elem_num) {
    if (object1 == nullptr) {
        object1 = Object_Select(Next(index, the_formlist, elem_num), index, the_formlist, elem_num);
        if (*index >= elem_num) return object1;
        op1 = Next(index, the_formlist, elem_num);
        if (Is_ClosePar(op1)) return object1;
    }
    for (;;) {
        CompForm* object2 =
            Object_Select(Next(index, the_formlist, elem_num), index, the_formlist, elem_num);
        if (*index >= elem_num) return Bind_Object(op1, object1, object2);
        CompForm* op2 = Next(index, the_formlist, elem_num);
        if (Is_ClosePar(op2)) return Bind_Object(op1, object1, object2);
        if (Superior(op1) >= Superior(op2)) {
            object1 = Bind_Object(op1, object1, object2);
            op1 = op2;
            if (sup_num >= Superior(op2)) {
                --*index;
                break;
            }
        } else {
            CompForm* tree =
                Create_BinTree(index, Superior(op1), object2, op2, the_formlist, elem_num);
            object1 = Bind_Object(op1, object1, tree);
            if (*index >= elem_num) break;
            op1 = Next(index, the_formlist, elem_num);
            if (sup_num >= Superior(op1)) {
                --*index;
                break;
            }
            if (Is_ClosePar(op1)) return object1;
        }
    }
    return object1;
}

CompForm* Object_Select(CompForm* object, int* index, CompForm* the_formlist, int elem_num) {
    if (object == nullptr) return nullptr;
    CompForm* sub_list = nullptr;
    int sub_count = 0;
    switch (object->kind) {
        case KIND_OPEN_PAR:
            Get_OneArg(index, the_formlist, elem_num, &sub_list, &sub_count, "(", ")");
            return Build_Sub(sub_list, sub_count);
        case KIND_FUNCTION:
        case KIND_USER_FUNCTION: {
            ++*index;  // the "(" after the name
            int args = object->argm_num;
            if (args == 1) {
                Get_OneArg(index, the_formlist, elem_num, &sub_list, &sub_count, "(", ")");
                object->list_fnarg[0] = Build_Sub(sub_list, sub_count);
                return object;
            }
            for (int i = 0; i < args - 1; ++i) {
                Get_ArgList(index, the_formlist, elem_num, &sub_list, &sub_count, "(", ")", "[",
                            "]");
                object->list_fnarg[i] = Build_Sub(sub_list, sub_count);
            }
            Get_EndArgList(index, the_formlist, elem_num, &sub_list, &sub_count, "(", ")");
            object->list_fnarg[args - 1] = Build_Sub(sub_list, sub_count);
            return object;
        }
        case KIND_MULTI_OPERATOR: {
            ++*index;  // "["
            CompForm* range = (*index < elem_num) ? &the_formlist[*index] : nullptr;
            *index += 2;  // the range and ","
            Get_EndArgList(index, the_formlist, elem_num, &sub_list, &sub_count, "[", "]");
            return Bind_Object(object, range, Build_Sub(sub_list, sub_count));
        }
        default: return object;
    }
}

namespace {
int Cut_List(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
             int* elem_num, const char* open_lett, const char* close_lett, const char* open_lett2,
             const char* close_lett2, bool stop_at_comma) {
    int depth = 1;
    int depth2 = 0;
    int commas = 0;
    int start = *index;
    for (int i = start; i >= 0 && i < form_num; ++i) {
        const char* text = the_formlist[i].CompArray;
        bool done = false;
        if (std::strcmp(text, open_lett) == 0) {
            ++depth;
        } else if (std::strcmp(text, close_lett) == 0) {
            --depth;
            commas = 0;
            done = !stop_at_comma && depth == 0;
        } else if (open_lett2 != nullptr && std::strcmp(text, open_lett2) == 0) {
            ++depth2;
        } else if (close_lett2 != nullptr && std::strcmp(text, close_lett2) == 0) {
            --depth2;
            commas = 0;
        } else if (stop_at_comma && std::strcmp(text, ",") == 0) {
            ++commas;
            done = commas == 1 && depth == 1 && depth2 == 0;
        }
        if (done) {
            *the_newlist = &the_formlist[start];
            *elem_num = i - start;
            *index = i + 1;
            return 1;
        }
    }
    *the_newlist = nullptr;
    *elem_num = 0;
    return 0;
}
}  // namespace

int Get_OneArg(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
               int* elem_num, const char* open_lett, const char* close_lett) {
    return Cut_List(index, the_formlist, form_num, the_newlist, elem_num, open_lett, close_lett,
                    nullptr, nullptr, false);
}

int Get_EndArgList(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
                   int* elem_num, const char* open_lett, const char* close_lett) {
    return Cut_List(index, the_formlist, form_num, the_newlist, elem_num, open_lett, close_lett,
                    nullptr, nullptr, false);
}

int Get_ArgList(int* index, CompForm* the_formlist, int form_num, CompForm** the_newlist,
                int* elem_num, const char* open_lett, const char* close_lett,
                const char* open_lett2, const char* close_lett2) {
    return Cut_List(index, the_formlist, form_num, the_newlist, elem_num, open_lett, close_lett,
                    open_lett2, close_lett2, true);
}
