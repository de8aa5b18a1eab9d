// The points of an implicit curve as the scan finds them: a list that appends in one step.
#pragma once

// One recorded point of an implicit curve.
class ElmDblArray {
public:
    ElmDblArray(double x, double y) : x_comp(x), y_comp(y) {}
    double x_comp;
    double y_comp;
    ElmDblArray* the_next = nullptr;
};

// The points of an implicit curve in the order they were found. Appending keeps a pointer
// to the last node, so collecting m points costs m steps.
class AnyNumArray {
public:
    AnyNumArray() = default;
    ~AnyNumArray() { AllDelete(); }
    AnyNumArray(const AnyNumArray&) = delete;
    AnyNumArray& operator=(const AnyNumArray&) = delete;

    void AllDelete();
    void Append(const ElmDblArray& the_source);
    // -1 for an empty list; 1 when all points fit, 0 when the arrays were too short.
    int PutArrayCont(double* x_array, double* y_array, int array_num) const;

    ElmDblArray* the_first = nullptr;
    int num_of_element = 0;

private:
    ElmDblArray* the_last_ = nullptr;
};
