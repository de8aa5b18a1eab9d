// A set of data series handed to a graph in one go. Passed by pointer; never copied.
#pragma once

#include <cstddef>
#include <vector>

#include "data/point_array.h"

class GrpDate2D {
public:
    static constexpr int DefElmNumber = 1;

    GrpDate2D(int element = DefElmNumber, const PointArray* pnt_array = nullptr);
    GrpDate2D(const GrpDate2D&) = delete;
    GrpDate2D& operator=(const GrpDate2D&) = delete;

    PointArray& operator[](int index);
    PointArray operator[](int index) const;
    int ArrayNum() const { return num_of_array; }
    // The name of series element (0 … ArrayNum() - 1), null when it has none.
    const char* PutTheName(int element) const;
    int SetDateArray(int element, const PointArray* source);
    // As SetDateArray, but the series are moved in rather than copied (each source is left a
    // one-point series).
    int MoveDateArray(int element, PointArray* source);

private:
    int num_of_array;
    std::vector<PointArray> array;
    PointArray dummy;
};
