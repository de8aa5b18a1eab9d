// The symbol table: ordering, presence without insertion, deep copies, stable cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/asc_array.h"

namespace {

std::vector<std::string> Labels(const AscArray<double>& table) {
    static char rows[64][256];
    int counter = 0;
    table.CopyLabelAll(rows, &counter);
    return std::vector<std::string>(rows, rows + counter);
}

TEST(SymbolTable, KeysComeOutSortedAndCounted) {
    AscArray<double> table;
    int count = -1;
    EXPECT_EQ(table.CountElem(&count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(Labels(table).empty());
    for (const char* key : {"b", "a", "c", "B", "a1"}) table[key] = 1.0;
    EXPECT_EQ(table.CountElem(&count), 1);
    EXPECT_EQ(count, 5);
    // Byte order: upper case sorts before lower case.
    EXPECT_EQ(Labels(table), (std::vector<std::string>{"B", "a", "a1", "b", "c"}));
}

TEST(SymbolTable, PresenceTestNeverInserts) {
    AscArray<double> table;
    table["x"] = 2.0;
    EXPECT_EQ(table("y"), 0);
    int count = 0;
    table.CountElem(&count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(table["y"], 0.0);  // inserted with 0.0
    EXPECT_EQ(table("y"), 1);
    table.CountElem(&count);
    EXPECT_EQ(count, 2);
}

TEST(SymbolTable, CellsNeverMoveWhileTheTableGrows) {
    AscArray<double> table;
    std::vector<double*> cells;
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) names.push_back("v" + std::to_string((i * 37) % 200));
    for (const std::string& name : names) cells.push_back(&table[name.c_str()]);
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(&table[names[i].c_str()], cells[i]);
    }
}

TEST(SymbolTable, CopiesAreDeepAndFlushEmpties) {
    AscArray<double> original;
    original["m"] = 1.0;
    original["a"] = 2.0;
    original["z"] = 3.0;
    AscArray<double> copy(original);
    copy["a"] = 20.0;
    copy["q"] = 5.0;
    EXPECT_EQ(original["a"], 2.0);
    EXPECT_EQ(original("q"), 0);
    EXPECT_EQ(copy["m"], 1.0);
    EXPECT_EQ(copy["z"], 3.0);
    EXPECT_NE(&copy["m"], &original["m"]);

    AscArray<double> assigned;
    assigned["old"] = 9.0;
    assigned = original;
    EXPECT_EQ(assigned("old"), 0);
    EXPECT_EQ(Labels(assigned), Labels(original));
    AscArray<double>& same = assigned;
    assigned = same;  // self-assignment keeps the entries
    EXPECT_EQ(Labels(assigned), Labels(original));

    EXPECT_EQ(copy.FlushList(), 1);
    EXPECT_EQ(copy.FlushList(), 0);
    EXPECT_EQ(copy("m"), 0);
}

TEST(SymbolTable, SerchGivesTheLinkOfTheKeyOrItsInsertionPoint) {
    BinTree* root = new BinTree("m");
    root->left = new BinTree("c");
    root->right = new BinTree("t");
    EXPECT_EQ(*Serch(&root, "c"), root->left);
    EXPECT_EQ(Serch(&root, "a"), &root->left->left);
    EXPECT_EQ(Serch(&root, "p"), &root->right->left);
    EXPECT_EQ(Serch(&root, "m"), &root);
    delete root;
}

}  // namespace
