#include "formula/asc_array.h"

#include <cstdlib>

namespace {
char* Copy_Label(const char* key) {
    size_t length = std::strlen(key);
    char* copy = new char[length + 1];
    std::memcpy(copy, key, length + 1);
    return copy;
}
}  // namespace

BinTree::BinTree(const char* key) : label(Copy_Label(key)) {}

BinTree::~BinTree() {
    delete left;
    delete[] label;
    delete right;
}

void BinTree::Print(std::ostream&) const {}

void BinTree::CountElem(int* counter) const {
    if (left != nullptr) left->CountElem(counter);
    ++*counter;
    if (right != nullptr) right->CountElem(counter);
}

void BinTree::CopyLabelAll(char (*copy_label)[256], int* counter) const {
    if (left != nullptr) left->CopyLabelAll(copy_label, counter);
    std::strncpy(copy_label[*counter], label, 255);
    copy_label[*counter][255] = '\0';
    ++*counter;
    if (right != nullptr) right->CopyLabelAll(copy_label, counter);
}

BinTree** Serch(BinTree** the_tree, const char* key) {
    BinTree** link = the_tree;
    while (*link != nullptr) {
        int order = std::strcmp(key, (*link)->label);
        if (order == 0) break;
        link = order < 0 ? &(*link)->left : &(*link)->right;
    }
    return link;
}
