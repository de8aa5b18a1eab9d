// Positions of one kind of tick mark: where each tick starts (on the axis line) and where
// it ends, in pixels of the tick frame's bitmap.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/win_types.h"

class TickPos {
public:
    // n > 0 allocates n start and n end points; otherwise there are none.
    explicit TickPos(short n) {
        if (n > 0) {
            tick_number = n;
            p_tickpos = std::make_unique<tagPOINT[]>(static_cast<size_t>(n));
            p_tick_end = std::make_unique<tagPOINT[]>(static_cast<size_t>(n));
            usb_flag = 1;
        }
    }

    // Indices outside 0 ... n - 1 are ignored by the setters and give (0, 0).
    void SetArray(int i, tagPOINT point) {
        if (InRange(i)) p_tickpos[i] = point;
    }
    void SetEndArray(int i, tagPOINT point) {
        if (InRange(i)) p_tick_end[i] = point;
    }
    tagPOINT PutArray(int i) const { return InRange(i) ? p_tickpos[i] : tagPOINT(); }
    tagPOINT PutEndArray(int i) const { return InRange(i) ? p_tick_end[i] : tagPOINT(); }
    short PutTickNum() const { return tick_number; }
    int PutUsbFlag() const { return usb_flag; }

private:
    bool InRange(int i) const { return usb_flag && i >= 0 && i < tick_number; }

    int16_t tick_number = 0;
    std::unique_ptr<tagPOINT[]> p_tickpos;
    std::unique_ptr<tagPOINT[]> p_tick_end;
    int usb_flag = 0;
};
