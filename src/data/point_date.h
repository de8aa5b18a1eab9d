// Pixel positions of one drawn line on its frame's off-screen bitmap. An index outside the
// array reaches the last point.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/large_array.h"
#include "platform/win_types.h"

class PointDate {
public:
    static constexpr int DefArraySize = 10;

    explicit PointDate(int element = DefArraySize);
    PointDate(const PointDate& target) = default;
    PointDate& operator=(const PointDate& target);

    tagPOINT& operator[](int elem_index);
    int GetArraySize() const { return num_of_element; }
    tagPOINT* PutArray() { return point_onwin.data(); }
    // Copies date_size points (at least 1) from target.
    PointDate& SetPointDate(int date_size, const tagPOINT* target);
    // Makes room for date_size points (at least 1) to be written in place; their values
    // are unspecified until then.
    tagPOINT* Resize(int date_size);

private:
    int num_of_element;
    LargeVector<tagPOINT> point_onwin;
};
