#include "data/grp_date2d.h"

#include <utility>

GrpDate2D::GrpDate2D(int element, const PointArray* pnt_array) {
    if (element <= 0) element = DefElmNumber;
    num_of_array = element;
    array.assign(static_cast<size_t>(element), PointArray());
    if (pnt_array) {
        for (int i = 0; i < element; ++i) array[i] = pnt_array[i];
    }
}

PointArray& GrpDate2D::operator[](int index) {
    if (index < 0 || index >= num_of_array) return dummy;
    return array[index];
}

PointArray GrpDate2D::operator[](int index) const {
    if (index < 0 || index >= num_of_array) return dummy;
    return array[index];
}

const char* GrpDate2D::PutTheName(int element) const {
    if (element < 0 || element >= num_of_array) return dummy.PutTheName();
    return array[element].PutTheName();
}

int GrpDate2D::MoveDateArray(int element, PointArray* source) {
    if (element <= 0 || !source) return 0;
    if (element != num_of_array) {
        array.assign(static_cast<size_t>(element), PointArray());
        num_of_array = element;
    }
    for (int i = 0; i < element; ++i) array[i] = std::move(source[i]);
    return 1;
}

int GrpDate2D::SetDateArray(int element, const PointArray* source) {
    if (element <= 0 || !source) return 0;
    if (element != num_of_array) {
        array.assign(static_cast<size_t>(element), PointArray());
        num_of_array = element;
    }
    for (int i = 0; i < element; ++i) array[i] = source[i];
    return 1;
}
