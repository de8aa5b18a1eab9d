// The table of functions defined by the user. Nothing in the program defines one, so the
// table stays empty; its lookups and the call sequence are kept so that a name followed by
// "(" is always checked against it.
#pragma once

#include <cstdint>

#include "formula/asc_array.h"
#include "formula/comp_form.h"

class BaseLnList {
public:
    explicit BaseLnList(const char* key);
    virtual ~BaseLnList();
    BaseLnList(const BaseLnList&) = delete;
    BaseLnList& operator=(const BaseLnList&) = delete;

    virtual BaseLnList* NextPnt() const { return the_next; }

    char* label = nullptr;
    BaseLnList* the_next = nullptr;
};

class UsrFuncProp : public BaseLnList {
public:
    explicit UsrFuncProp(const char* key) : BaseLnList(key) {}
    ~UsrFuncProp() override;

    UsrFuncProp* NextPnt() const override { return static_cast<UsrFuncProp*>(the_next); }

    int32_t filePos = 0;
    uint16_t argNum = 0;
    uint16_t rtvKind = 0;
    uint16_t chngFlag = 0;
    CompForm* funcDef = nullptr;  // owned element array
    int32_t funcAryNum = 0;
    CompForm* funcRoot = nullptr;  // points into funcDef
};

class UsrFuncArray {
public:
    explicit UsrFuncArray(const char* file_path);
    ~UsrFuncArray();
    UsrFuncArray(const UsrFuncArray&) = delete;
    UsrFuncArray& operator=(const UsrFuncArray&) = delete;

    int DeleteAllObject();
    // 0 no such function, 1 present without a definition, 2 present with one.
    int operator()(const char* key) const;
    uint16_t PutArgNum(const char* key) const;
    CompForm* operator[](const char* key) const;

    UsrFuncProp* the_root = nullptr;  // ascending strcmp order of the labels
    char* ufndef_file = nullptr;

private:
    const UsrFuncProp* Find(const char* key) const;
};

// Walks the list from the given link while key sorts after the node's label; the_state is 1
// when it stops at a node with that label. Returns the link where it stopped.
BaseLnList** Serch(BaseLnList** the_target, const char* key, int* the_state);

extern UsrFuncArray g_ufunc_list;
extern AscArray<double> ufunc_argArray;
