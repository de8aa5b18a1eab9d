// A plain owned array (axis values, per-series properties). An index outside the array
// reaches the dummy entry; copies are deep.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/large_array.h"

template <typename T>
class ArrayCls {
public:
    ArrayCls(int element = 1, const T* source = nullptr) {
        if (element <= 0) element = 1;
        num_of_element = element;
        if (source) {
            parray.assign(source, source + element);
        } else {
            parray.assign(static_cast<size_t>(element), T(0));
        }
    }
    ArrayCls(const ArrayCls& source)
        : parray(source.parray), num_of_element(source.num_of_element) {}
    ArrayCls& operator=(const ArrayCls& source) {
        if (this != &source) {
            parray = source.parray;
            num_of_element = source.num_of_element;
        }
        return *this;
    }

    T& operator[](int index) {
        if (index < 0 || index >= num_of_element) return dummy;
        return parray[index];
    }
    int ArrayNum() const { return num_of_element; }
    // Borrowed pointer to the entries.
    T* PutArray() { return parray.data(); }
    const T* PutArray() const { return parray.data(); }

    // 0 and no change for a non-positive size or a null source.
    int SetArray(int element, const T* source) {
        if (element <= 0 || !source) return 0;
        parray.assign(source, source + element);
        num_of_element = element;
        return 1;
    }

private:
    LargeVector<T> parray;
    T dummy = T(0);
    int num_of_element;
};
