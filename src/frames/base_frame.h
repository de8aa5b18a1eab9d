// The pixel geometry of every graph element: its rectangle on the paper window, the hit
// test of its handles, the rubber-band drag and the regions repainted after a change.
#pragma once

#include "platform/gdi.h"

class BaseFrame {
public:
    BaseFrame(HWND h_win, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
              int obj_index);
    BaseFrame(const BaseFrame&) = delete;
    BaseFrame& operator=(const BaseFrame&) = delete;

    // Slots 1 to 3.
    virtual int RsinfoFlag() const { return sinfo_flag; }
    virtual int MoveObject(LONG x_pos, LONG y_pos);
    virtual int MoveStart(LONG x_pos, LONG y_pos);

    HWND PutWindowHandle() const { return h_pWnd; }
    LONG PutFrmWidth() const { return frm_rect.right - frm_rect.left; }
    LONG PutFrmHeight() const { return frm_rect.bottom - frm_rect.top; }
    LONG PutFrmLeft() const { return frm_rect.left; }
    LONG PutFrmTop() const { return frm_rect.top; }
    tagRECT PutFrmRect() const { return frm_rect; }
    tagRECT* AftRect() { return &aft_rect; }
    tagRECT AftToPreRect() {
        pre_rect = aft_rect;
        return pre_rect;
    }
    int& ObjectType() { return obj_type; }
    int& ObjectNumb() { return obj_num; }
    int PutUsbFlag() const { return useabl_flag; }
    void SetUsbFlag(int flag) { useabl_flag = flag; }
    void SetMousePos(LONG x_pos, LONG y_pos) {
        mouse_down.x = x_pos;
        mouse_down.y = y_pos;
    }
    void SetFrmRect(LONG left, LONG top, LONG width, LONG height);
    // A new rectangular region; the caller deletes it.
    HRGN SetFrmRgn(LONG left, LONG top, LONG width, LONG height) const;
    int IfPosInObject(LONG x_pos, LONG y_pos) const;
    // -1 outside, 0 to 7 the corner and edge handles, 8 the body.
    int GeObjtPartOfPos(LONG x_pos, LONG y_pos) const;

    void DrawRecOnMove();
    void DrawErase();
    int BorderDraw(HDC win_hdc);
    void UpdFrmLinePart();
    void UpdRgnForChgSize(const tagRECT* old_rect);
    int ChgSizeFrameEnd();
    // Places the frame on new_rect; returns the previous rectangle. Invalidates nothing.
    tagRECT MoveObjectToPoint(const tagRECT* new_rect);
    // Ends a drag: the frame takes the band's rectangle; returns the previous rectangle.
    tagRECT MoveEnd(LONG x_pos, LONG y_pos, int mv_state);

protected:
    ~BaseFrame();

    int useabl_flag;
    tagPOINT mouse_down;
    HWND h_pWnd;
    int line_type;
    HPEN h_drwPen;
    int b_linetype;
    COLORREF b_color;
    int b_linewidth;
    tagRECT frm_rect;
    tagRECT bfr_rect;
    tagRECT pre_rect;
    tagRECT aft_rect;
    HRGN h_precrgn;
    HRGN h_arecrgn;
    HRGN update_rgn;
    int obj_type;
    int obj_num;
    int sinfo_flag;

private:
    void DrawBands(bool both);
};
