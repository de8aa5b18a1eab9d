#include "data/point_array.h"

#include <cmath>
#include <limits>
#include <utility>

#include "platform/cp932.h"

PointArray::PointArray(int element, const double* x_array, const double* y_array,
                       const char* the_source) {
    if (element <= 0) element = DefElmNumber;
    num_of_array = element;
    array.assign(static_cast<size_t>(element), PointDbl());
    if (x_array && y_array) {
        for (int i = 0; i < element; ++i) array[i].SetValue(x_array[i], y_array[i]);
    }
    SetTheName(the_source);
}

PointArray::PointArray(const PointArray& source)
    : num_of_array(source.num_of_array), array(source.array), the_name(source.the_name) {}

PointArray& PointArray::operator=(const PointArray& source) {
    if (this != &source) {
        num_of_array = source.num_of_array;
        array = source.array;
        the_name = source.the_name;
    }
    return *this;
}

PointArray::PointArray(PointArray&& source) noexcept
    : num_of_array(source.num_of_array),
      array(std::move(source.array)),
      the_name(std::move(source.the_name)) {
    source.Reset();
}

PointArray& PointArray::operator=(PointArray&& source) noexcept {
    if (this != &source) {
        num_of_array = source.num_of_array;
        array = std::move(source.array);
        the_name = std::move(source.the_name);
        source.Reset();
    }
    return *this;
}

void PointArray::Reset() noexcept {
    num_of_array = DefElmNumber;
    array.clear();
    // Cannot throw: the vector's capacity is gone, one point is a tiny allocation, and a
    // failure there ends the program like any other out-of-memory.
    array.resize(DefElmNumber);
    the_name.clear();
}

PointDbl& PointArray::operator[](int index) {
    if (index < 0 || index >= num_of_array) return dummy;
    return array[index];
}

int PointArray::SetTheName(const char* the_source) {
    if (!the_source || Cp932_ByteLength(the_source) >= NameBytes) {
        the_name.clear();
        return 0;
    }
    the_name = the_source;
    return 1;
}

const char* PointArray::PutTheName() const { return the_name.empty() ? nullptr : the_name.c_str(); }

int PointArray::SetDateArray(int element, const double* x_array, const double* y_array) {
    if (element <= 0 || !x_array || !y_array) return 0;
    if (element != num_of_array) {
        array.assign(static_cast<size_t>(element), PointDbl());
        num_of_array = element;
    }
    for (int i = 0; i < element; ++i) array[i].SetValue(x_array[i], y_array[i]);
    return 1;
}

namespace {

template <typename Component>
int First_Finite(const LargeVector<PointDbl>& points, Component component, double* target,
                 int* t_index) {
    *target = std::numeric_limits<double>::quiet_NaN();
    for (size_t i = 0; i < points.size(); ++i) {
        const double v = component(points[i]);
        if (std::isfinite(v)) {
            *target = v;
            *t_index = static_cast<int>(i);
            return 1;
        }
    }
    return 0;
}

}  // namespace

int PointArray::GetFirstMinMaxX(double* target, int* t_index) const {
    return First_Finite(
        array, [](const PointDbl& p) { return p.x; }, target, t_index);
}

int PointArray::GetFirstMinMaxY(double* target, int* t_index) const {
    return First_Finite(
        array, [](const PointDbl& p) { return p.y; }, target, t_index);
}

void PointArray::CalcMaxMin(double* x_min, double* x_max, double* y_min, double* y_max) const {
    int index = 0;
    GetFirstMinMaxX(x_min, &index);
    *x_max = *x_min;
    GetFirstMinMaxY(y_min, &index);
    *y_max = *y_min;
    for (const PointDbl& p : array) {
        if (std::isfinite(p.x)) {
            if (p.x < *x_min) *x_min = p.x;
            if (p.x > *x_max) *x_max = p.x;
        }
        if (std::isfinite(p.y)) {
            if (p.y < *y_min) *y_min = p.y;
            if (p.y > *y_max) *y_max = p.y;
        }
    }
}
