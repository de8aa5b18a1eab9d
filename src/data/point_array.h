// Points and named data series handed from the samplers to the graph document.
// An index outside a series never fails: it reaches the series' dummy point.
#pragma once

#include <string>
#include <cstddef>
#include <vector>

#include "platform/large_array.h"

class PointDbl {
public:
    PointDbl(double x_comp = 0.0, double y_comp = 0.0) : x(x_comp), y(y_comp) {}
    double& xcomp() { return x; }
    double& ycomp() { return y; }
    double xcomp() const { return x; }
    double ycomp() const { return y; }
    void SetValue(double x_comp, double y_comp) {
        x = x_comp;
        y = y_comp;
    }

    double x;
    double y;
};

// One data series: at least one point and an optional name (UTF-8; at most 254 bytes once
// written in CP932).
class PointArray {
public:
    static constexpr int DefElmNumber = 1;
    static constexpr int NameBytes = 255;

    PointArray(int element = DefElmNumber, const double* x_array = nullptr,
               const double* y_array = nullptr, const char* the_source = nullptr);
    // Copies are deep; the default copy of the storage and the name does exactly that, and
    // assignment to itself leaves the series unchanged.
    PointArray(const PointArray& source);
    PointArray& operator=(const PointArray& source);
    // A move takes the points over; the source is left a one-point series without a name.
    PointArray(PointArray&& source) noexcept;
    PointArray& operator=(PointArray&& source) noexcept;

    PointDbl& operator[](int index);
    int ArrayNum() const { return num_of_array; }
    // The points in order, ArrayNum() of them.
    const PointDbl* Points() const { return array.data(); }

    // 0 and an empty name when the text is null or takes 255 bytes or more.
    int SetTheName(const char* the_source);
    // The name, or null when the series has none.
    const char* PutTheName() const;

    int SetDateArray(int element, const double* x_array, const double* y_array);

    int GetFirstMinMaxX(double* target, int* t_index) const;
    int GetFirstMinMaxY(double* target, int* t_index) const;
    // Bounds of the finite components; NaN for a component without any finite value.
    void CalcMaxMin(double* x_min, double* x_max, double* y_min, double* y_max) const;

private:
    void Reset() noexcept;
    int num_of_array;
    LargeVector<PointDbl> array;
    PointDbl dummy;
    std::string the_name;
};
