// The graph document's side of the mouse: hit tests over its elements, the selection, the
// drag of titles and the legend, the element pop-up menus, and the broadcasts of scrolling,
// window size and zoom to every element in drawing order.
#include <algorithm>

#include "document/graph_on_win.h"
#include "document/move_obj.h"
#include "platform/menu.h"

namespace {

LONG Unsigned_X(LPARAM lParam) { return static_cast<LONG>(lParam & 0xffff); }
LONG Unsigned_Y(LPARAM lParam) { return static_cast<LONG>((lParam >> 16) & 0xffff); }

// Every element of the graph in drawing order: graph title; for each existing axis its
// title, number frame and tick frame; plot area; legend.
template <class Fn>
void For_EachElement(GraphOnWin& graph, Fn fn) {
    if (graph.title_on_win[0]) fn(*graph.title_on_win[0]);
    for (int axis = 0; axis < 4; ++axis) {
        if (graph.axis_flag[axis] == 0) continue;
        if (graph.title_on_win[axis + 1]) fn(*graph.title_on_win[axis + 1]);
        if (graph.axis_frame[axis]) fn(*graph.axis_frame[axis]);
        if (graph.axis_tick[axis]) fn(*graph.axis_tick[axis]);
    }
    if (graph.graph_view) fn(*graph.graph_view);
    if (graph.glist_frame) fn(*graph.glist_frame);
}

void Deselect(MoveFrame* frame) {
    frame->BoderFlag() = 0;
    frame->UpdFrmLinePart();
}

void Band(HDC hdc, const tagRECT& rect) {
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

int& GraphOnWin::BoderFlag() {
    if (selectobject != nullptr) return selectobject->BoderFlag();
    static int none;
    none = -1;
    return none;
}

int GraphOnWin::BoderFlag() const {
    return selectobject != nullptr ? selectobject->BoderFlag() : -1;
}

int GraphOnWin::CatchOnObject(LPARAM lParam, MoveFrame** the_target) {
    *the_target = nullptr;
    const LONG x = Unsigned_X(lParam);
    const LONG y = Unsigned_Y(lParam);
    int part = -2;
    if (title_on_win[0]) {
        part = title_on_win[0]->GeObjtPartOfPos(x, y);
        if (part >= 0) {
            *the_target = title_on_win[0].get();
            return part;
        }
    }
    for (int axis = 0; axis < 4; ++axis) {
        if (!Exists(axis)) continue;
        MoveFrame* candidates[3] = {title_on_win[axis + 1].get(), axis_frame[axis].get(),
                                    axis_tick[axis].get()};
        for (MoveFrame* frame : candidates) {
            if (frame == nullptr) continue;
            part = frame->GeObjtPartOfPos(x, y);
            if (part >= 0) {
                *the_target = frame;
                return part;
            }
        }
    }
    return part;
}

int GraphOnWin::CatchOnObject2(LPARAM lParam, MoveFrame** the_target) {
    if (glist_frame) {
        int kind = -1;
        int part = -1;
        MoveFrame* found =
            glist_frame->GetMPointInObj(Mouse_X(lParam), Mouse_Y(lParam), &kind, &part);
        if (found != nullptr) {
            *the_target = found;
            return part;
        }
    }
    return CatchOnObject(lParam, the_target);
}

int GraphOnWin::Handle_To_LMouseDown(LPARAM lParam, int* cur_state) {
    const LONG x = Mouse_X(lParam);
    const LONG y = Mouse_Y(lParam);
    band_shown = false;
    if (glist_frame && glist_frame->MDLSelect(lParam, cur_state)) {
        if (selectobject != nullptr && selectobject != glist_frame.get()) Deselect(selectobject);
        selectobject = glist_frame.get();
        move_flag = 1;
        // A press with no hover before it: the part under the press itself.
        if (*cur_state < 0) {
            int kind = -1;
            glist_frame->GetMPointInObj(x, y, &kind, cur_state);
        }
        glist_frame->MoveStart(x, y);
        drag_active = true;
        return 2;
    }
    MoveFrame* target = nullptr;
    *cur_state = CatchOnObject(lParam, &target);
    if (*cur_state < 0 || target == nullptr) {
        if (selectobject != nullptr) {
            if (selectobject == glist_frame.get()) glist_frame->DeSelectInObject();
            Deselect(selectobject);
            selectobject = nullptr;
            move_flag = 0;
        }
        drag_active = false;
        return 1;
    }
    SelectOnly(target);
    target->MoveStart(x, y);
    drag_active = true;
    return 1;
}

void GraphOnWin::SelectOnly(MoveFrame* target) {
    if (selectobject != nullptr && selectobject != target) {
        if (selectobject == glist_frame.get()) glist_frame->DeSelectInObject();
        Deselect(selectobject);
    }
    target->BoderFlag() = 1;
    target->UpdFrmLinePart();
    selectobject = target;
    // Only titles are dragged by their body.
    move_flag = target->ObjectType() == 1 ? 1 : 0;
}

int GraphOnWin::SelectAxisTicks(int axis) {
    if (drag_active || !Exists(axis) || !axis_tick[axis]) return 0;
    SelectOnly(axis_tick[axis].get());
    return 1;
}

int GraphOnWin::Handle_To_RMouseDown(LPARAM lParam) {
    // Another button during a drag does not change the selection under the drag.
    if (drag_active) return 0;
    int state = -1;
    if (glist_frame && glist_frame->MDRSelect(lParam, &state)) {
        if (selectobject != nullptr && selectobject != glist_frame.get()) Deselect(selectobject);
        selectobject = glist_frame.get();
        move_flag = 1;
    } else {
        MoveFrame* target = nullptr;
        if (CatchOnObject(lParam, &target) < 0 || target == nullptr) return 0;
        if (selectobject != nullptr && selectobject != target) {
            Deselect(selectobject);
            if (selectobject == glist_frame.get()) glist_frame->DeSelectInObject();
        }
        target->BoderFlag() = 1;
        target->UpdFrmLinePart();
        selectobject = target;
        move_flag = target->ObjectType() == 1 ? 1 : 0;
    }
    int submenu = -1;
    switch (selectobject->ObjectType()) {
        case 1: submenu = 0; break;
        case 3: submenu = 1; break;
        case 2: submenu = 2; break;
        case 5: {
            const int kind = glist_frame->PutSelObjectKind();
            submenu = kind == -1 ? 3 : kind == 6 ? 4 : 5;
            break;
        }
        default: return 1;
    }
    Show_PopUpMenu(h_pWnd, Mouse_X(lParam), Mouse_Y(lParam), submenu, "OBJMENU", h_pWnd);
    return 1;
}

int GraphOnWin::Handle_To_MouseMove(HWND hWnd, LPARAM lParam, int* mspart_win, int* cur_state) {
    if (!drag_active || selectobject == nullptr || move_flag != 1) return 0;
    if (*cur_state < 0) return 1;
    *mspart_win = Catch_MousePosOnWin(hWnd, lParam);
    const LONG x = Mouse_X(lParam);
    const LONG y = Mouse_Y(lParam);
    if (*mspart_win == -1) {
        End_Timer(hWnd);
        selectobject->MoveObject(x, y);
        band_shown = true;
    } else if (*mspart_win >= 1 && *mspart_win <= 4) {
        End_Timer(hWnd);
        selectobject->MoveObject(x, y);
        band_shown = true;
        Start_Timer(hWnd);
    } else {
        End_Timer(hWnd);  // outside: the band stays where it was
    }
    return 1;
}

int GraphOnWin::MouseMove_NoBdown(LPARAM lParam, int* cur_state) {
    // A drag whose button release was not seen keeps its part code until it is cancelled.
    if (drag_active) return 1;
    MoveFrame* target = nullptr;
    *cur_state = CatchOnObject2(lParam, &target);
    if (*cur_state >= 0) {
        if (Change_CursorState(h_pWnd, *cur_state) == 0 && h_pWnd != nullptr) {
            h_pWnd->SetCursorShape(IDC_ARROW);  // over the body: the arrow again
        }
    } else if (h_pWnd != nullptr) {
        h_pWnd->SetCursorShape(IDC_ARROW);
    }
    return 1;
}

int GraphOnWin::Handle_To_LButtonUp(HWND hWnd, LPARAM lParam, int* mspart_win, int* cur_state) {
    // A release without a press of ours (the press fell outside, or was already cancelled).
    if (!drag_active || selectobject == nullptr) {
        drag_active = false;
        band_shown = false;
        return 1;
    }
    drag_active = false;
    if (*cur_state < 0) {
        End_Timer(hWnd);
        band_shown = false;
        return 1;
    }
    if (Catch_MousePosOnWin(hWnd, lParam) == -2) *mspart_win = -2;
    if (*mspart_win == -2) {
        End_Timer(hWnd);
        if (band_shown) selectobject->MoveObjectOutClient();
    } else {
        End_Timer(hWnd);
        if (*cur_state != 8) Change_CursorState(hWnd, *cur_state);
        const int moved = selectobject->MoveEnd(Mouse_X(lParam), Mouse_Y(lParam), 0);
        if (moved != 0) KeepNearPaper(selectobject);
        // A moved title or legend is part of the document.
        if (moved != 0 && move_flag == 1) sinfo_flag = 1;
    }
    *mspart_win = -1;
    band_shown = false;
    return 1;
}

void GraphOnWin::KeepNearPaper(MoveFrame* frame) {
    // A quarter of an inch of the frame stays on the sheet, wherever the mouse let it go.
    constexpr int64_t kOnPaper = 360;
    const tagRECT now = frame->GetRectOnTwip();
    const int64_t width = int64_t(now.right) - now.left;
    const int64_t height = int64_t(now.bottom) - now.top;
    const int64_t paper_right = int64_t(twip_lfpos) + static_cast<int64_t>(box_width);
    const int64_t paper_bottom = int64_t(twip_tppos) + static_cast<int64_t>(box_height);
    const int64_t left =
        std::clamp<int64_t>(now.left, twip_lfpos + kOnPaper - width, paper_right - kOnPaper);
    const int64_t top =
        std::clamp<int64_t>(now.top, twip_tppos + kOnPaper - height, paper_bottom - kOnPaper);
    if (left == now.left && top == now.top) return;
    tagRECT kept;
    kept.left = static_cast<LONG>(left);
    kept.top = static_cast<LONG>(top);
    kept.right = static_cast<LONG>(left + width);
    kept.bottom = static_cast<LONG>(top + height);
    frame->MoveObjectWithOutMouse(&kept, g_shifth, g_shiftv);
}

int GraphOnWin::CancelDrag(HWND hWnd, int* mspart_win, int* cur_state) {
    if (!drag_active) return 0;
    drag_active = false;
    End_Timer(hWnd);
    if (band_shown && selectobject != nullptr) selectobject->MoveObjectOutClient();
    band_shown = false;
    *mspart_win = -1;
    *cur_state = -1;
    return 1;
}

void GraphOnWin::DrawDragBands(HDC hdc) {
    if (!drag_active || !band_shown || selectobject == nullptr || hdc == nullptr) return;
    HPEN pen = CreatePen(PS_DOT, 1, 0);
    HPEN old_pen = SelectObject(hdc, pen);
    HBRUSH old_brush = SelectObject(hdc, GetStockBrush(NULL_BRUSH));
    const int old_mode = SetROP2(hdc, R2_XORPEN);
    Band(hdc, *selectobject->AftRect());
    if (selectobject == glist_frame.get()) {
        for (const auto& part : *glist_frame->PutGListLink()) Band(hdc, *part->AftRect());
        for (const auto& part : *glist_frame->PutTtlLink()) Band(hdc, *part->AftRect());
    }
    SetROP2(hdc, old_mode);
    SelectObject(hdc, old_brush);
    SelectObject(hdc, old_pen);
    DeleteObject(pen);
}

int GraphOnWin::ObjectVScroll(LONG v_scroll) {
    MoveFrame::ObjectVScroll(v_scroll);
    For_EachElement(*this, [v_scroll](MoveFrame& frame) { frame.ObjectVScroll(v_scroll); });
    return 1;
}

int GraphOnWin::ObjectHScroll(LONG h_scroll) {
    MoveFrame::ObjectHScroll(h_scroll);
    For_EachElement(*this, [h_scroll](MoveFrame& frame) { frame.ObjectHScroll(h_scroll); });
    return 1;
}

int GraphOnWin::AdjPosForWinSizeChng(LONG shift_h, LONG shift_v) {
    MoveFrame::WinChngSize(shift_h, shift_v);
    For_EachElement(*this,
                    [shift_h, shift_v](MoveFrame& frame) { frame.WinChngSize(shift_h, shift_v); });
    return 1;
}

int GraphOnWin::ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll) {
    MoveFrame::ChangeMag(zoom_val, h_scroll, v_scroll);
    For_EachElement(*this,
                    [=](MoveFrame& frame) { frame.ChangeMag(zoom_val, h_scroll, v_scroll); });
    return 1;
}

int GraphOnWin::MoveObjectWithOutMouse(tagRECT* new_rect, LONG h_shift, LONG v_shift) {
    if (!graph_view || new_rect == nullptr) return 0;
    const tagRECT view_rect = graph_view->GetRectOnTwip();
    tagRECT graph_rect = *new_rect;
    CalcViewTickRect(&graph_rect, 2);
    const bool same_size = new_rect->right - new_rect->left == view_rect.right - view_rect.left &&
                           new_rect->bottom - new_rect->top == view_rect.bottom - view_rect.top;
    if (same_size) {
        const LONG dx = new_rect->left - view_rect.left;
        const LONG dy = new_rect->top - view_rect.top;
        for (int axis = 0; axis < 4; ++axis) {
            if (!Exists(axis)) continue;
            if (axis_tick[axis]) {
                tagRECT rect = axis_tick[axis]->GetRectOnTwip();
                OffsetRect(&rect, dx, dy);
                axis_tick[axis]->MoveObjectWithOutMouse(&rect, h_shift, v_shift);
            }
            if (axis_frame[axis]) {
                tagRECT rect = axis_frame[axis]->GetRectOnTwip();
                OffsetRect(&rect, dx, dy);
                axis_frame[axis]->MoveObjectWithOutMouse(&rect, h_shift, v_shift);
            }
            ChngObjPosForAFchng(axis, new_rect, h_shift, v_shift);
        }
        tagRECT rect = view_rect;
        OffsetRect(&rect, dx, dy);
        if (graph_view->MoveObjectWithOutMouse(&rect, h_shift, v_shift) != 0) sinfo_flag = 1;
    } else {
        const int order[4] = {1, 3, 0, 2};
        for (int axis : order) StSctrnsChgATick(new_rect, &graph_rect, h_shift, v_shift, axis);
        ChngViewFrame(new_rect, h_shift, v_shift);
        // The grid lines span the plot area at its new size.
        for (int axis : order) {
            if (Exists(axis) && axis_tick[axis]) graph_view->SetGridLine(axis_tick[axis].get());
        }
        graph_view->DrawAllObject();
        sinfo_flag = 1;
    }
    return 1;
}

int GraphOnWin::StSctrnsChgATick(tagRECT* new_rect, tagRECT* graph_rect, LONG h_shift, LONG v_shift,
                                 int the_number) {
    if (!Exists(the_number) || !axis_frame[the_number] || !axis_tick[the_number]) return 0;
    axis_frame[the_number]->CalcDateSctrns(new_rect, 1);
    axis_tick[the_number]->ReDrawContent(*new_rect, h_shift, v_shift);
    axis_frame[the_number]->ChangeContent(new_rect, graph_rect, h_shift, v_shift);
    if (graph_view) graph_view->SetGridLine(axis_tick[the_number].get());
    ChngObjPosForAFchng(the_number, new_rect, h_shift, v_shift);
    return 1;
}
