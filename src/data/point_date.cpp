#include "data/point_date.h"

PointDate::PointDate(int element) {
    if (element <= 0) element = DefArraySize;
    num_of_element = element;
    point_onwin.assign(static_cast<size_t>(element), tagPOINT());
}

PointDate& PointDate::operator=(const PointDate& target) {
    if (this != &target) {
        num_of_element = target.num_of_element;
        point_onwin = target.point_onwin;
    }
    return *this;
}

tagPOINT& PointDate::operator[](int elem_index) {
    if (elem_index < 0 || elem_index >= num_of_element) {
        return point_onwin[static_cast<size_t>(num_of_element - 1)];
    }
    return point_onwin[elem_index];
}

tagPOINT* PointDate::Resize(int date_size) {
    if (date_size < 1) date_size = 1;
    point_onwin.resize(static_cast<size_t>(date_size));
    num_of_element = date_size;
    return point_onwin.data();
}

PointDate& PointDate::SetPointDate(int date_size, const tagPOINT* target) {
    if (date_size < 1 || !target) return *this;
    point_onwin.assign(target, target + date_size);
    num_of_element = date_size;
    return *this;
}
