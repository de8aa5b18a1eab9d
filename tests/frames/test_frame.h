// A minimal element over MoveFrame: an off-screen bitmap copied by ReDraw, slot 9 and
// slot 10 placing the geometry only.
#pragma once

#include "frames/move_frame.h"

class TestFrame final : public MoveFrame {
public:
    TestFrame(HWND hwnd, LONG left, LONG top, LONG width, LONG height, int zoom = 100,
              LONG h_shift = 0, LONG v_shift = 0)
        : MoveFrame(hwnd, left, top, width, height, h_shift, v_shift, zoom, 0) {}

    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveObjectToPoint(tagRECT* new_rect) override {
        BaseFrame::MoveObjectToPoint(new_rect);
        ++placements;
        return 1;
    }
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) override {
        BaseFrame::MoveObjectToPoint(new_rect);
        SetBoxSize(double(twip_rect->right) - twip_rect->left,
                   double(twip_rect->bottom) - twip_rect->top);
        return 1;
    }
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override {
        return CopyVirWin(hdc, vir.PutDC(), wr_mode);
    }
    int PrintObject(HDC, int) override { return 1; }

    // Creates the bitmap at the box size at 100 %.
    void CreateBitmap() { vir.CreateVirWin(h_pWnd, BoxPixelWidth(), BoxPixelHeight()); }

    LONG TrLeft() const { return tr_lfpos; }
    LONG TrTop() const { return tr_tppos; }
    int SinfoFlag() const { return sinfo_flag; }
    void ClearSinfo() { sinfo_flag = 0; }

    int wrt_flag = 0;
    int placements = 0;
    VirWindow vir;
};
