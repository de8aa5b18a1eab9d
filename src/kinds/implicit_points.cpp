// The points of an implicit curve as the scan finds them (see the header).
#include "kinds/implicit_points.h"

void AnyNumArray::AllDelete() {
    ElmDblArray* node = the_first;
    while (node != nullptr) {
        ElmDblArray* next = node->the_next;
        delete node;
        node = next;
    }
    the_first = nullptr;
    the_last_ = nullptr;
    num_of_element = 0;
}

void AnyNumArray::Append(const ElmDblArray& the_source) {
    auto* node = new ElmDblArray(the_source.x_comp, the_source.y_comp);
    if (the_last_ == nullptr) {
        the_first = node;
    } else {
        the_last_->the_next = node;
    }
    the_last_ = node;
    ++num_of_element;
}

int AnyNumArray::PutArrayCont(double* x_array, double* y_array, int array_num) const {
    if (the_first == nullptr) return -1;
    int copied = 0;
    for (const ElmDblArray* node = the_first; node != nullptr && copied < array_num;
         node = node->the_next, ++copied) {
        x_array[copied] = node->x_comp;
        y_array[copied] = node->y_comp;
    }
    return array_num >= num_of_element ? 1 : 0;
}
