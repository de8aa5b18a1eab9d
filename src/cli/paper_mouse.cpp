// Clicks and drags on the paper for plotari-cli (see the header).
#include "cli/paper_mouse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "document/graph_on_win.h"
#include "document/move_obj.h"
#include "frames/trans_unit.h"
#include "shell/document_commands.h"
#include "shell/paper_dialogs.h"

namespace {

// "KIND" or "KIND:N"; number -1 when there is none.
bool Split_Name(const std::string& what, std::string* kind, int* number) {
    const size_t colon = what.find(':');
    *kind = what.substr(0, colon);
    *number = -1;
    if (colon == std::string::npos) return true;
    const std::string digits = what.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    *number = std::atoi(digits.c_str());
    return true;
}

bool Is_Axis_Kind(const std::string& kind) {
    return kind == "axis-title" || kind == "numbers" || kind == "ticks";
}

bool Is_Series_Kind(const std::string& kind) {
    return kind == "legend-line" || kind == "legend-name";
}

}  // namespace

bool PaperMouse::IsElementName(const std::string& what) {
    std::string kind;
    int number = -1;
    if (!Split_Name(what, &kind, &number)) return false;
    if (Is_Axis_Kind(kind)) return number >= 0 && number <= 3;
    if (Is_Series_Kind(kind)) return number >= 0;
    return number < 0 && (kind == "title" || kind == "plot" || kind == "legend" || kind == "none");
}

MoveFrame* PaperMouse::Find(const std::string& what, std::string* why) {
    std::string kind;
    int number = -1;
    Split_Name(what, &kind, &number);
    MoveFrame* frame = nullptr;
    if (kind == "title") {
        frame = graph_.title_on_win[0].get();
    } else if (kind == "axis-title") {
        frame = (graph_.axis_flag[number] != 0) ? graph_.title_on_win[number + 1].get() : nullptr;
    } else if (kind == "numbers") {
        frame = (graph_.axis_flag[number] != 0) ? graph_.axis_frame[number].get() : nullptr;
    } else if (kind == "ticks") {
        frame = (graph_.axis_flag[number] != 0) ? graph_.axis_tick[number].get() : nullptr;
    } else if (kind == "plot") {
        frame = graph_.graph_view.get();
    } else if (kind == "legend") {
        frame = graph_.glist_frame.get();
    } else if (Is_Series_Kind(kind) && graph_.glist_frame) {
        const short count = kind == "legend-line"
                                ? graph_.glist_frame->PutGListLink()->PutElementNum()
                                : graph_.glist_frame->PutTtlLink()->PutElementNum();
        if (number < count) {
            frame = kind == "legend-line"
                        ? static_cast<MoveFrame*>(
                              graph_.glist_frame->PutGListLink()->Array(static_cast<short>(number)))
                        : graph_.glist_frame->PutTtlLink()->Array(static_cast<short>(number));
        }
    }
    if (frame == nullptr) *why = "the graph has no " + what;
    return frame;
}

bool PaperMouse::Inside(LONG x, LONG y) const {
    const tagRECT client = paper_->ClientRect();
    return x >= client.left + EDGE_BAND && x <= client.right - EDGE_BAND &&
           y >= client.top + EDGE_BAND && y <= client.bottom - EDGE_BAND;
}

void PaperMouse::ScrollTowards(LONG x, LONG y) {
    const tagRECT client = paper_->ClientRect();
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    const LONG h =
        std::clamp<LONG>(x - width / 2, 0, std::max<LONG>(0, state_.zoom_width_size - width));
    const LONG v =
        std::clamp<LONG>(y - height / 2, 0, std::max<LONG>(0, state_.zoom_height_size - height));
    if (h != g_shifth) {
        g_shifth = h;
        state_.hori_si.nPos = h;
        graph_.ObjectHScroll(h);
    }
    if (v != g_shiftv) {
        g_shiftv = v;
        state_.ver_si.nPos = v;
        graph_.ObjectVScroll(v);
    }
}

bool PaperMouse::PointOn(MoveFrame* target, LONG* x, LONG* y) {
    const tagRECT client = paper_->ClientRect();
    tagRECT area = client;
    if (target != nullptr) {
        const tagRECT frame = target->PutFrmRect();
        area.left = std::max(frame.left, client.left + EDGE_BAND);
        area.top = std::max(frame.top, client.top + EDGE_BAND);
        area.right = std::min(frame.right, client.right - EDGE_BAND);
        area.bottom = std::min(frame.bottom, client.bottom - EDGE_BAND);
        if (area.right < area.left || area.bottom < area.top) return false;
    }
    // The middle first, then a finer and finer grid over the part in view.
    const auto hits = [&](LONG px, LONG py) {
        MoveFrame* found = nullptr;
        const int part = graph_.CatchOnObject2(MAKELPARAM_XY(px, py), &found);
        return target == nullptr ? (part < 0 || found == nullptr) : found == target;
    };
    for (int steps = 1; steps <= 64; steps *= 2) {
        for (int i = 0; i <= steps; ++i) {
            for (int j = 0; j <= steps; ++j) {
                const LONG px = area.left + static_cast<LONG>((int64_t(area.right) - area.left) *
                                                              (2 * i + 1) / (2 * (steps + 1)));
                const LONG py = area.top + static_cast<LONG>((int64_t(area.bottom) - area.top) *
                                                             (2 * j + 1) / (2 * (steps + 1)));
                if (hits(px, py)) {
                    *x = px;
                    *y = py;
                    return true;
                }
            }
        }
    }
    return false;
}

void PaperMouse::Press(LONG x, LONG y, LONG to_x, LONG to_y, bool move) {
    int cur_state = -1;
    int mspart_win = -1;
    commands_.PressStarted(&graph_);
    graph_.MouseMove_NoBdown(MAKELPARAM_XY(x, y), &cur_state);
    graph_.Handle_To_LMouseDown(MAKELPARAM_XY(x, y), &cur_state);
    if (move)
        graph_.Handle_To_MouseMove(paper_, MAKELPARAM_XY(to_x, to_y), &mspart_win, &cur_state);
    graph_.Handle_To_LButtonUp(paper_, MAKELPARAM_XY(to_x, to_y), &mspart_win, &cur_state);
    commands_.PressEnded(&graph_);
}

std::string PaperMouse::Click(const std::string& what) {
    std::string why;
    MoveFrame* target = nullptr;
    if (what != "none") {
        target = Find(what, &why);
        if (target == nullptr) return why;
        const tagRECT frame = target->PutFrmRect();
        ScrollTowards((frame.left + frame.right) / 2 + g_shifth,
                      (frame.top + frame.bottom) / 2 + g_shiftv);
    }
    LONG x = 0, y = 0;
    bool found = PointOn(target, &x, &y);
    // The empty paper: where the view is, else in a corner of the sheet.
    for (int corner = 0; !found && target == nullptr && corner < 4; ++corner) {
        ScrollTowards(corner % 2 == 0 ? 0 : state_.zoom_width_size,
                      corner < 2 ? 0 : state_.zoom_height_size);
        found = PointOn(target, &x, &y);
    }
    if (!found) return "no point of the window hits " + what;
    Press(x, y, x, y, false);
    return std::string();
}

std::string PaperMouse::Drag(const std::string& what, double dx_mm, double dy_mm) {
    std::string why;
    if (what == "none") return "none cannot be dragged";
    MoveFrame* target = Find(what, &why);
    if (target == nullptr) return why;
    const int zoom = static_cast<int>(g_zoom_main);
    const auto pixels = [&](double mm, int direction) {
        const double twips = mm * 1440.0 / 25.4;
        if (!(std::fabs(twips) < 1e9)) return LONG(1) << 30;
        return Twip_ToPixel(static_cast<LONG>(std::lround(twips)), paper_, zoom, direction);
    };
    const LONG dx = pixels(dx_mm, 1);
    const LONG dy = pixels(dy_mm, 2);
    const tagRECT frame = target->PutFrmRect();
    ScrollTowards(static_cast<LONG>((int64_t(frame.left) + frame.right + dx) / 2 + g_shifth),
                  static_cast<LONG>((int64_t(frame.top) + frame.bottom + dy) / 2 + g_shiftv));
    LONG x = 0, y = 0;
    if (!PointOn(target, &x, &y)) return "no point of the window hits " + what;
    const int64_t to_x = int64_t(x) + dx;
    const int64_t to_y = int64_t(y) + dy;
    if (to_x < INT16_MIN || to_x > INT16_MAX || to_y < INT16_MIN || to_y > INT16_MAX ||
        !Inside(static_cast<LONG>(to_x), static_cast<LONG>(to_y))) {
        return "the drag of " + what + " ends outside the window at this zoom";
    }
    Press(x, y, static_cast<LONG>(to_x), static_cast<LONG>(to_y), true);
    return std::string();
}
