#include "formula/usr_func.h"

#include <cstring>

namespace {
char* Copy_Text(const char* text) {
    if (text == nullptr) return nullptr;
    size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}
}  // namespace

UsrFuncArray g_ufunc_list(nullptr);
AscArray<double> ufunc_argArray;

BaseLnList::BaseLnList(const char* key) : label(Copy_Text(key)) {}

BaseLnList::~BaseLnList() { delete[] label; }

UsrFuncProp::~UsrFuncProp() {
    delete[] funcDef;
    funcDef = nullptr;
    funcRoot = nullptr;
}

UsrFuncArray::UsrFuncArray(const char* file_path) : ufndef_file(Copy_Text(file_path)) {}

UsrFuncArray::~UsrFuncArray() { DeleteAllObject(); }

int UsrFuncArray::DeleteAllObject() {
    UsrFuncProp* node = the_root;
    while (node != nullptr) {
        UsrFuncProp* next = node->NextPnt();
        delete node;
        node = next;
    }
    the_root = nullptr;
    delete[] ufndef_file;
    ufndef_file = nullptr;
    return 1;
}

const UsrFuncProp* UsrFuncArray::Find(const char* key) const {
    int state = 0;
    BaseLnList* root = the_root;
    BaseLnList** link = Serch(&root, key, &state);
    return state == 1 ? static_cast<const UsrFuncProp*>(*link) : nullptr;
}

int UsrFuncArray::operator()(const char* key) const {
    const UsrFuncProp* found = Find(key);
    if (found == nullptr) return 0;
    return found->funcDef != nullptr ? 2 : 1;
}

uint16_t UsrFuncArray::PutArgNum(const char* key) const {
    const UsrFuncProp* found = Find(key);
    return found != nullptr ? found->argNum : 0;
}

CompForm* UsrFuncArray::operator[](const char* key) const {
    const UsrFuncProp* found = Find(key);
    return found != nullptr ? found->funcRoot : nullptr;
}

BaseLnList** Serch(BaseLnList** the_target, const char* key, int* the_state) {
    *the_state = 0;
    BaseLnList** link = the_target;
    while (*link != nullptr) {
        int order = std::strcmp(key, (*link)->label);
        if (order == 0) {
            *the_state = 1;
            break;
        }
        if (order < 0) break;
        link = &(*link)->the_next;
    }
    return link;
}
