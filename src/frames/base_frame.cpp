#include "frames/base_frame.h"

BaseFrame::BaseFrame(HWND h_win, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
                     int obj_index) {
    useabl_flag = 0;
    if (win_width < 1 || win_height < 1) {
        tagRECT client;
        GetClientRect(h_win, &client);
        if (win_width < 1) win_width = (client.right - client.left) / 2;
        if (win_height < 1) win_height = (client.bottom - client.top) / 2;
    }
    h_pWnd = h_win;
    SetRect(&frm_rect, left_pos, top_pos, left_pos + win_width, top_pos + win_height);
    update_rgn = CreateRectRgnIndirect(&frm_rect);
    h_precrgn = CreateRectRgnIndirect(&frm_rect);
    h_arecrgn = CreateRectRgnIndirect(&frm_rect);
    line_type = PS_DOT;
    h_drwPen = nullptr;
    b_linetype = PS_SOLID;
    b_color = 0;
    b_linewidth = 1;
    obj_type = 0;
    obj_num = obj_index;
    pre_rect = frm_rect;
    aft_rect = frm_rect;
    bfr_rect = frm_rect;
    useabl_flag = 1;
    sinfo_flag = 1;
}

BaseFrame::~BaseFrame() {
    if (h_drwPen) DeleteObject(h_drwPen);
    if (h_precrgn) DeleteObject(h_precrgn);
    if (h_arecrgn) DeleteObject(h_arecrgn);
    if (update_rgn) DeleteObject(update_rgn);
}

void BaseFrame::SetFrmRect(LONG left, LONG top, LONG width, LONG height) {
    SetRect(&frm_rect, left, top, left + width, top + height);
}

HRGN BaseFrame::SetFrmRgn(LONG left, LONG top, LONG width, LONG height) const {
    return CreateRectRgn(left, top, left + width, top + height);
}

int BaseFrame::IfPosInObject(LONG x_pos, LONG y_pos) const {
    tagPOINT p;
    p.x = x_pos;
    p.y = y_pos;
    return PtInRect(&frm_rect, p);
}

int BaseFrame::GeObjtPartOfPos(LONG x_pos, LONG y_pos) const {
    if (!IfPosInObject(x_pos, y_pos)) return -1;
    const LONG l = frm_rect.left, t = frm_rect.top, r = frm_rect.right, b = frm_rect.bottom;
    const tagRECT parts[8] = {
        {l, t, l + 2, t + 2},     {r - 2, b - 2, r, b},     {l, b - 2, l + 2, b},
        {r - 2, t, r, t + 2},     {l, t + 2, l + 2, b - 2}, {r - 2, t + 2, r, b - 2},
        {l + 2, b - 2, r - 2, b}, {l + 2, t, r - 2, t + 2},
    };
    tagPOINT p;
    p.x = x_pos;
    p.y = y_pos;
    for (int i = 0; i < 8; ++i) {
        if (PtInRect(&parts[i], p)) return i;
    }
    return 8;
}

int BaseFrame::MoveStart(LONG x_pos, LONG y_pos) {
    SetMousePos(x_pos, y_pos);
    pre_rect = frm_rect;
    aft_rect = pre_rect;
    bfr_rect = aft_rect;
    static int pen_width = 1;
    static COLORREF pen_color = 0;
    if (!h_drwPen) h_drwPen = CreatePen(line_type, pen_width, pen_color);
    return 1;
}

int BaseFrame::MoveObject(LONG x_pos, LONG y_pos) {
    const LONG dx = x_pos - mouse_down.x;
    const LONG dy = y_pos - mouse_down.y;
    SetMousePos(x_pos, y_pos);
    OffsetRect(&aft_rect, dx, dy);
    DrawRecOnMove();
    OffsetRect(&pre_rect, dx, dy);
    return 1;
}

void BaseFrame::DrawBands(bool both) {
    HDC hdc = GetDC(h_pWnd);
    if (!hdc) return;
    HPEN old_pen = h_drwPen ? SelectObject(hdc, h_drwPen) : nullptr;
    const int old_mode = SetROP2(hdc, R2_XORPEN);
    HBRUSH old_brush = SelectObject(hdc, GetStockBrush(NULL_BRUSH));
    if (both) Rectangle(hdc, pre_rect.left, pre_rect.top, pre_rect.right, pre_rect.bottom);
    Rectangle(hdc, aft_rect.left, aft_rect.top, aft_rect.right, aft_rect.bottom);
    if (old_pen) SelectObject(hdc, old_pen);
    SelectObject(hdc, old_brush);
    SetROP2(hdc, old_mode);
    ReleaseDC(h_pWnd, hdc);
}

void BaseFrame::DrawRecOnMove() { DrawBands(true); }

void BaseFrame::DrawErase() { DrawBands(false); }

tagRECT BaseFrame::MoveEnd(LONG x_pos, LONG y_pos, int mv_state) {
    const tagRECT old_rect = frm_rect;
    SetMousePos(x_pos, y_pos);
    frm_rect = aft_rect;
    if (h_drwPen) {
        DeleteObject(h_drwPen);
        h_drwPen = nullptr;
    }
    if (mv_state != 0) {
        UpdRgnForChgSize(&old_rect);
        ChgSizeFrameEnd();
    } else {
        const LONG sx = frm_rect.left - old_rect.left;
        const LONG sy = frm_rect.top - old_rect.top;
        OffsetRgn(h_arecrgn, sx, sy);
        CombineRgn(update_rgn, h_precrgn, h_arecrgn, RGN_OR);
        OffsetRgn(h_precrgn, sx, sy);
    }
    InvalidateRgn(h_pWnd, update_rgn, 1);
    bfr_rect = frm_rect;
    return old_rect;
}

void BaseFrame::UpdRgnForChgSize(const tagRECT* old_rect) {
    if (update_rgn) {
        HRGN old_rgn = CreateRectRgnIndirect(old_rect);
        HRGN new_rgn = CreateRectRgnIndirect(&frm_rect);
        CombineRgn(update_rgn, old_rgn, new_rgn, RGN_OR);
        DeleteObject(old_rgn);
        DeleteObject(new_rgn);
    } else {
        update_rgn = CreateRectRgnIndirect(&frm_rect);
    }
}

int BaseFrame::ChgSizeFrameEnd() {
    DeleteObject(h_precrgn);
    DeleteObject(h_arecrgn);
    h_precrgn = CreateRectRgnIndirect(&frm_rect);
    h_arecrgn = CreateRectRgnIndirect(&frm_rect);
    return 1;
}

tagRECT BaseFrame::MoveObjectToPoint(const tagRECT* new_rect) {
    const tagRECT old_rect = frm_rect;
    frm_rect = *new_rect;
    UpdRgnForChgSize(&bfr_rect);
    ChgSizeFrameEnd();
    bfr_rect = frm_rect;
    return old_rect;
}

void BaseFrame::UpdFrmLinePart() {
    const LONG inset = 2 * b_linewidth;
    HRGN outer = CreateRectRgnIndirect(&frm_rect);
    HRGN inner = CreateRectRgn(frm_rect.left + inset, frm_rect.top + inset, frm_rect.right - inset,
                               frm_rect.bottom - inset);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    InvalidateRgn(h_pWnd, outer, 1);
    DeleteObject(outer);
    DeleteObject(inner);
}

int BaseFrame::BorderDraw(HDC win_hdc) {
    HPEN pen = CreatePen(b_linetype, b_linewidth, b_color);
    HPEN old_pen = SelectObject(win_hdc, pen);
    HBRUSH old_brush = SelectObject(win_hdc, GetStockBrush(NULL_BRUSH));
    Rectangle(win_hdc, frm_rect.left + b_linewidth - 1, frm_rect.top + b_linewidth - 1,
              frm_rect.right, frm_rect.bottom);
    SelectObject(win_hdc, old_pen);
    SelectObject(win_hdc, old_brush);
    DeleteObject(pen);
    return 1;
}
