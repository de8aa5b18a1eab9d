// The twip geometry of every graph element and the virtual operations each element
// overrides. The twip position and box size are the stored truth: the pixel rectangle is
// always derived from them, never the other way round.
#pragma once

#include <functional>

#include <cstdint>

#include "frames/base_frame.h"
#include "platform/doc_stream.h"

// The twip rectangle of a position record: its corner and its (double) size.
inline tagRECT Twip_Rect(int32_t left, int32_t top, double width, double height) {
    tagRECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = static_cast<LONG>(int64_t(left) + static_cast<int64_t>(width));
    rect.bottom = static_cast<LONG>(int64_t(top) + static_cast<int64_t>(height));
    return rect;
}

class MoveFrame : public BaseFrame {
public:
    // Box size in pixels at 100 % (the size of the element's bitmap, stretched at other
    // zooms).
    LONG BoxPixelWidth() const;
    LONG BoxPixelHeight() const;
    LONG ZoomPercent() const;
    MoveFrame(HWND h_Wnd, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
              LONG h_shift, LONG v_shift, int zoom_val, int obj_index);

    // Slots 4 to 22.
    virtual int& BoderFlag() = 0;
    virtual int BoderFlag() const = 0;
    virtual int ChangeWinID(int new_id);
    virtual int MoveEnd(LONG x_pos, LONG y_pos, int mv_state);
    virtual int MoveObjectWithOutMouse(tagRECT* new_rect, LONG h_shift, LONG v_shift);
    virtual int MoveObjectToPoint(tagRECT* new_rect) = 0;
    virtual int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) = 0;
    virtual int SetNewMoveFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift);
    virtual int MoveObjectOutClient();
    virtual int ObjectHScroll(LONG h_scroll);
    virtual int DelUpdate_HRgn(tagRECT old_rect);
    virtual int ObjectVScroll(LONG v_scroll);
    virtual int DelUpdate_VRgn(tagRECT old_rect);
    virtual int WinChngSize(LONG h_scroll, LONG v_scroll);
    virtual int ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll);
    virtual int ReDraw(HDC hdc, unsigned long wr_mode, int) = 0;
    virtual int PrintObject(HDC hdc, int) = 0;
    virtual int DrawOnAnyDC(HDC target_hdc, const tagRECT* target_rect, LONG zoom_val,
                            unsigned long wr_mode);
    virtual int WriteImageToDC(HDC target_hdc, LONG zoom_val, unsigned long wr_mode);

    double GetBoxWidth() const { return box_width; }
    double GetBoxHeight() const { return box_height; }
    LONG GetLeftOnScrTwip() const { return twip_lfpos; }
    LONG GetTopOnScrTwip() const { return twip_tppos; }
    tagRECT GetRectOnTwip() const;
    double PutZoomSize() const { return zoom_size; }
    // The pixel size converted back to twips: for display only, it loses up to a pixel's
    // worth of twips and never becomes the box size.
    int CalcRealSize(double* real_width, double* real_height) const;
    int ObjSizeInPixel(LONG* xsize_px, LONG* ysize_inpx) const;
    // 1 when the position differs, else 2 when the size differs, else 0.
    int IsRealSize(const tagRECT* new_rect) const;
    tagRECT GetPrntPos(HDC hdc_to_printer) const;
    int PrintBorderDraw(HDC hdc_to_printer, tagRECT border_rect, int line_width);

    // The 28-byte position record: kind, left, top (32-bit each), width, height (doubles).
    int SavePosInfo(DocWriter* h_File, unsigned long* rcd_byte) const;
    // True when the position record written now would be read back.
    bool FitsFileLimits() const;
    // Reads the record (the kind is read and not checked) and places the frame; 0 when it
    // is short or its size is not a finite, non-negative number of twips that fits.
    int ReadPosInfo(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift);

protected:
    ~MoveFrame() = default;

    // Sets a new box size: only for a real change of size (new text, font or values).
    void SetBoxSize(double width, double height) {
        box_width = width;
        box_height = height;
    }
    // The common bodies of the elements drawn from a bitmap of their own; refit redraws the
    // bitmap at the box's new size, has_bitmap says whether there is one yet.
    // A new place in twips (SetNewMoveFrame), the bitmap fitted when the size changed.
    int MoveToNewFrameAndFit(tagRECT* new_rect, LONG h_shift, LONG v_shift, bool has_bitmap,
                             const std::function<void()>& fit);
    // The end of a drag: a resize (mv_state 1) takes the dragged size as the box's own.
    int EndMoveAndRefit(LONG x_pos, LONG y_pos, int mv_state, bool has_bitmap,
                        const std::function<void()>& refit);
    // Placement in pixels (scrolling, a new window size, a zoom): the twip size stays.
    // 0 when nothing moved.
    int PlaceInPixels(tagRECT* new_rect);
    // Placement in pixels with the twip size of twips_rect, refitted when it changed.
    int PlaceWithTwipSize(tagRECT* new_rect, const tagRECT& twips_rect, bool has_bitmap,
                          const std::function<void()>& refit);
    // The body of ReDraw for an element with an off-screen bitmap: a copy at 100 %, a
    // stretch onto frm_rect otherwise, then the selection border. 0 when unused or failed.
    int CopyVirWin(HDC hdc, HDC virmem_dc, unsigned long wr_mode);

    double box_width;
    double box_height;
    LONG twip_lfpos;
    LONG twip_tppos;
    LONG tr_lfpos;
    LONG tr_tppos;
    double zoom_size;
};

// The off-screen bitmap of an element: a memory context with its bitmap, owned together.
class VirWindow {
public:
    VirWindow() = default;
    ~VirWindow() { Release(); }
    VirWindow(const VirWindow&) = delete;
    VirWindow& operator=(const VirWindow&) = delete;

    // A white bitmap of width x height compatible with the window, with the white brush
    // selected.
    int CreateVirWin(HWND h_Wnd, LONG width, LONG height);
    HDC PutDC() const { return virmem_dc; }
    tagPOINT PutVirFrame() const { return vir_frame; }
    void SetVirFrame(LONG width, LONG height) {
        vir_frame.x = width;
        vir_frame.y = height;
    }

private:
    void Release();
    HDC virmem_dc = nullptr;
    HBITMAP vir_bitmap = nullptr;
    tagPOINT vir_frame;
};
