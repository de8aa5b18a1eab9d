// The symbol table: a binary search tree of named value cells, ordered by strcmp of the
// names. A cell never moves while its entry exists, so formula elements keep its address.
#pragma once

#include <cstring>
#include <ostream>

class BinTree {
public:
    explicit BinTree(const char* key);
    virtual ~BinTree();
    BinTree(const BinTree&) = delete;
    BinTree& operator=(const BinTree&) = delete;

    virtual void Print(std::ostream& out) const;

    const char* Value() const { return label; }
    void CountElem(int* counter) const;
    void CopyLabelAll(char (*copy_label)[256], int* counter) const;

    char* label = nullptr;
    BinTree* left = nullptr;
    BinTree* right = nullptr;
};

// The link (address of the pointer) holding the node with that key, or the null link where
// such a node would be inserted.
BinTree** Serch(BinTree** the_tree, const char* key);

template <class T>
class Asc : public BinTree {
public:
    explicit Asc(const char* key) : BinTree(key) {}

    T& GetValue() { return value; }
    const T& GetValue() const { return value; }

    void Print(std::ostream& out) const override { out << label << ":" << value << "\n"; }

    // Takes the value of the_target and recreates copies of its subtrees under this node.
    int CopyObject(const Asc<T>* the_target) {
        if (the_target == nullptr) return 0;
        value = the_target->value;
        if (the_target->left != nullptr) {
            auto* source = static_cast<const Asc<T>*>(the_target->left);
            auto* copy = new Asc<T>(source->label);
            left = copy;
            copy->CopyObject(source);
        }
        if (the_target->right != nullptr) {
            auto* source = static_cast<const Asc<T>*>(the_target->right);
            auto* copy = new Asc<T>(source->label);
            right = copy;
            copy->CopyObject(source);
        }
        return 1;
    }

    T value{};
};

template <class T>
class AscArray {
public:
    AscArray() = default;
    AscArray(const AscArray<T>& the_source) { CopyFrom(the_source); }
    AscArray<T>& operator=(const AscArray<T>& the_source) {
        if (this != &the_source) {
            FlushList();
            CopyFrom(the_source);
        }
        return *this;
    }
    ~AscArray() { delete root; }

    // Value cell of key, inserted with a default value when absent.
    T& operator[](const char* key) {
        if (root == nullptr) {
            root = new Asc<T>(key);
            return root->value;
        }
        BinTree* node = root;
        for (;;) {
            int order = std::strcmp(key, node->label);
            if (order == 0) return static_cast<Asc<T>*>(node)->value;
            BinTree*& next = order < 0 ? node->left : node->right;
            if (next == nullptr) {
                auto* created = new Asc<T>(key);
                next = created;
                return created->value;
            }
            node = next;
        }
    }

    // 1 when the key is present; never inserts.
    int operator()(const char* key) const { return Find(key) != nullptr ? 1 : 0; }

    // The value cell of key, or null; never inserts.
    const T* Find(const char* key) const {
        const BinTree* node = root;
        while (node != nullptr) {
            int order = std::strcmp(key, node->label);
            if (order == 0) return &static_cast<const Asc<T>*>(node)->value;
            node = order < 0 ? node->left : node->right;
        }
        return nullptr;
    }

    int CountElem(int* counter) const {
        *counter = 0;
        if (root == nullptr) return 0;
        root->CountElem(counter);
        return 1;
    }

    int CopyLabelAll(char (*rows)[256], int* counter) const {
        if (root == nullptr) return 0;
        root->CopyLabelAll(rows, counter);
        return 1;
    }

    int FlushList() {
        if (root == nullptr) return 0;
        delete root;
        root = nullptr;
        return 1;
    }

    Asc<T>* root = nullptr;

private:
    void CopyFrom(const AscArray<T>& the_source) {
        if (the_source.root == nullptr) return;
        root = new Asc<T>(the_source.root->label);
        root->CopyObject(the_source.root);
    }
};
