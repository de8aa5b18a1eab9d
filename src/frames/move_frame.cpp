#include "frames/move_frame.h"

#include "frames/document_limits.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

MoveFrame::MoveFrame(HWND h_Wnd, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
                     LONG h_shift, LONG v_shift, int zoom_val, int obj_index)
    : BaseFrame(h_Wnd, CalcValOnScrTwip(left_pos, h_Wnd, 1, zoom_val, h_shift),
                CalcValOnScrTwip(top_pos, h_Wnd, 2, zoom_val, v_shift),
                CalcValOnScrTwip(win_width, h_Wnd, 1, zoom_val, 0),
                CalcValOnScrTwip(win_height, h_Wnd, 2, zoom_val, 0), obj_index) {
    zoom_size = zoom_val;
    tr_lfpos = frm_rect.left + h_shift;
    tr_tppos = frm_rect.top + v_shift;
    twip_lfpos = left_pos;
    twip_tppos = top_pos;
    box_width = win_width;
    box_height = win_height;
}

LONG MoveFrame::ZoomPercent() const { return Trunc_ToInt32(zoom_size); }

LONG MoveFrame::BoxPixelWidth() const {
    return Twip_ToPixel(Trunc_ToInt32(box_width), h_pWnd, 100, 1);
}

LONG MoveFrame::BoxPixelHeight() const {
    return Twip_ToPixel(Trunc_ToInt32(box_height), h_pWnd, 100, 2);
}

int MoveFrame::ChangeWinID(int new_id) {
    obj_num = new_id;
    return 1;
}

int MoveFrame::MoveEnd(LONG x_pos, LONG y_pos, int mv_state) {
    const tagRECT old_rect = BaseFrame::MoveEnd(x_pos, y_pos, mv_state);
    if (EqualRect(&old_rect, &frm_rect)) return 0;
    const LONG dx = frm_rect.left - old_rect.left;
    const LONG dy = frm_rect.top - old_rect.top;
    twip_lfpos += Pixel_ToTwip(dx, h_pWnd, ZoomPercent(), 1);
    twip_tppos += Pixel_ToTwip(dy, h_pWnd, ZoomPercent(), 2);
    tr_lfpos += dx;
    tr_tppos += dy;
    sinfo_flag = 1;
    return 1;
}

int MoveFrame::MoveToNewFrameAndFit(tagRECT* new_rect, LONG h_shift, LONG v_shift, bool has_bitmap,
                                    const std::function<void()>& fit) {
    const int result = SetNewMoveFrame(new_rect, h_shift, v_shift);
    if (result == 2 && has_bitmap) fit();
    return result;
}

int MoveFrame::EndMoveAndRefit(LONG x_pos, LONG y_pos, int mv_state, bool has_bitmap,
                               const std::function<void()>& refit) {
    if (MoveFrame::MoveEnd(x_pos, y_pos, mv_state) == 0) return 0;
    if (!has_bitmap) return 0;
    if (mv_state == 1) {
        double width = 0.0, height = 0.0;
        CalcRealSize(&width, &height);
        SetBoxSize(width, height);
        refit();
    }
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

int MoveFrame::PlaceInPixels(tagRECT* new_rect) {
    const tagRECT old_rect = BaseFrame::MoveObjectToPoint(new_rect);
    if (EqualRect(&old_rect, new_rect)) return 0;
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

int MoveFrame::PlaceWithTwipSize(tagRECT* new_rect, const tagRECT& twips_rect, bool has_bitmap,
                                 const std::function<void()>& refit) {
    BaseFrame::MoveObjectToPoint(new_rect);
    const double width = static_cast<double>(int64_t(twips_rect.right) - twips_rect.left);
    const double height = static_cast<double>(int64_t(twips_rect.bottom) - twips_rect.top);
    if (has_bitmap && (width != box_width || height != box_height)) {
        SetBoxSize(width, height);
        refit();
    }
    if (update_rgn) InvalidateRgn(h_pWnd, update_rgn, 1);
    return 1;
}

bool MoveFrame::FitsFileLimits() const {
    return Frame_WithinLimits(twip_lfpos, twip_tppos, box_width, box_height);
}

tagRECT MoveFrame::GetRectOnTwip() const {
    tagRECT rect;
    rect.left = twip_lfpos;
    rect.top = twip_tppos;
    rect.right = Trunc_ToInt32(twip_lfpos + box_width);
    rect.bottom = Trunc_ToInt32(twip_tppos + box_height);
    return rect;
}

int MoveFrame::CalcRealSize(double* real_width, double* real_height) const {
    *real_width = Pixel_ToTwip(PutFrmWidth(), h_pWnd, ZoomPercent(), 1);
    *real_height = Pixel_ToTwip(PutFrmHeight(), h_pWnd, ZoomPercent(), 2);
    return 1;
}

int MoveFrame::ObjSizeInPixel(LONG* xsize_px, LONG* ysize_inpx) const {
    *xsize_px = Twip_ToPixel(Trunc_ToInt32(box_width), h_pWnd, ZoomPercent(), 1);
    *ysize_inpx = Twip_ToPixel(Trunc_ToInt32(box_height), h_pWnd, ZoomPercent(), 2);
    return 1;
}

int MoveFrame::IsRealSize(const tagRECT* new_rect) const {
    if (new_rect->left != twip_lfpos || new_rect->top != twip_tppos) return 1;
    const double width = static_cast<double>(int64_t(new_rect->right) - new_rect->left);
    const double height = static_cast<double>(int64_t(new_rect->bottom) - new_rect->top);
    if (width != box_width || height != box_height) return 2;
    return 0;
}

namespace {

tagRECT Screen_Rect(const tagRECT& twips, HWND hwnd, LONG zoom, LONG h_shift, LONG v_shift) {
    tagRECT rect;
    rect.left = Twip_ToPixel(twips.left, hwnd, zoom, 1) - h_shift;
    rect.right = Twip_ToPixel(twips.right, hwnd, zoom, 1) - h_shift;
    rect.top = Twip_ToPixel(twips.top, hwnd, zoom, 2) - v_shift;
    rect.bottom = Twip_ToPixel(twips.bottom, hwnd, zoom, 2) - v_shift;
    return rect;
}

}  // namespace

int MoveFrame::MoveObjectWithOutMouse(tagRECT* new_rect, LONG h_shift, LONG v_shift) {
    if (IsRealSize(new_rect) == 0) return 0;
    sinfo_flag = 1;
    twip_lfpos = new_rect->left;
    twip_tppos = new_rect->top;
    tr_lfpos = Twip_ToPixel(twip_lfpos, h_pWnd, ZoomPercent(), 1);
    tr_tppos = Twip_ToPixel(twip_tppos, h_pWnd, ZoomPercent(), 2);
    tagRECT screen = Screen_Rect(*new_rect, h_pWnd, ZoomPercent(), h_shift, v_shift);
    bfr_rect = frm_rect;
    return MoveObjectToPoint2(&screen, new_rect);
}

int MoveFrame::SetNewMoveFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift) {
    sinfo_flag = 1;
    twip_lfpos = new_rect->left;
    twip_tppos = new_rect->top;
    tr_lfpos = Twip_ToPixel(twip_lfpos, h_pWnd, ZoomPercent(), 1);
    tr_tppos = Twip_ToPixel(twip_tppos, h_pWnd, ZoomPercent(), 2);
    const tagRECT screen = Screen_Rect(*new_rect, h_pWnd, ZoomPercent(), h_shift, v_shift);
    bfr_rect = frm_rect;
    BaseFrame::MoveObjectToPoint(&screen);
    const double width = static_cast<double>(int64_t(new_rect->right) - new_rect->left);
    const double height = static_cast<double>(int64_t(new_rect->bottom) - new_rect->top);
    if (width == box_width && height == box_height) return 1;
    SetBoxSize(width, height);
    return 2;
}

int MoveFrame::MoveObjectOutClient() {
    DrawErase();
    aft_rect = frm_rect;
    pre_rect = aft_rect;
    InvalidateRect(h_pWnd, &frm_rect, 1);
    return 1;
}

int MoveFrame::ObjectHScroll(LONG h_scroll) {
    tagRECT rect = frm_rect;
    const LONG width = PutFrmWidth();
    rect.left = tr_lfpos - h_scroll;
    rect.right = rect.left + width;
    BaseFrame::MoveObjectToPoint(&rect);
    return 1;
}

int MoveFrame::ObjectVScroll(LONG v_scroll) {
    tagRECT rect = frm_rect;
    const LONG height = PutFrmHeight();
    rect.top = tr_tppos - v_scroll;
    rect.bottom = rect.top + height;
    BaseFrame::MoveObjectToPoint(&rect);
    return 1;
}

int MoveFrame::DelUpdate_HRgn(tagRECT old_rect) {
    tagRECT client;
    GetClientRect(h_pWnd, &client);
    tagRECT area;
    area.top = old_rect.top < frm_rect.top ? old_rect.top : frm_rect.top;
    area.bottom = old_rect.bottom > frm_rect.bottom ? old_rect.bottom : frm_rect.bottom;
    area.left = frm_rect.left - old_rect.left;
    area.right = client.right + (frm_rect.right - old_rect.right);
    ValidateRect(h_pWnd, &area);
    return 1;
}

int MoveFrame::DelUpdate_VRgn(tagRECT old_rect) {
    tagRECT client;
    GetClientRect(h_pWnd, &client);
    tagRECT area;
    area.left = old_rect.left < frm_rect.left ? old_rect.left : frm_rect.left;
    area.right = old_rect.right > frm_rect.right ? old_rect.right : frm_rect.right;
    area.top = frm_rect.top - old_rect.top;
    area.bottom = client.bottom + (frm_rect.bottom - old_rect.bottom);
    ValidateRect(h_pWnd, &area);
    return 1;
}

int MoveFrame::WinChngSize(LONG h_scroll, LONG v_scroll) {
    tagRECT rect;
    rect.left = tr_lfpos - h_scroll;
    rect.top = tr_tppos - v_scroll;
    rect.right = rect.left + PutFrmWidth();
    rect.bottom = rect.top + PutFrmHeight();
    return MoveObjectToPoint(&rect);
}

int MoveFrame::ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll) {
    zoom_size = zoom_val;
    tr_lfpos = Twip_ToPixel(twip_lfpos, h_pWnd, zoom_val, 1);
    tr_tppos = Twip_ToPixel(twip_tppos, h_pWnd, zoom_val, 2);
    tagRECT rect;
    rect.left = tr_lfpos - h_scroll;
    rect.top = tr_tppos - v_scroll;
    rect.right = rect.left + Twip_ToPixel(Trunc_ToInt32(box_width), h_pWnd, zoom_val, 1);
    rect.bottom = rect.top + Twip_ToPixel(Trunc_ToInt32(box_height), h_pWnd, zoom_val, 2);
    BaseFrame::MoveObjectToPoint(&rect);
    return 1;
}

int MoveFrame::DrawOnAnyDC(HDC target_hdc, const tagRECT* target_rect, LONG zoom_val,
                           unsigned long wr_mode) {
    const tagRECT saved_rect = frm_rect;
    const double saved_zoom = zoom_size;
    frm_rect = *target_rect;
    zoom_size = zoom_val;
    ReDraw(target_hdc, wr_mode, 0);
    frm_rect = saved_rect;
    zoom_size = saved_zoom;
    return 1;
}

int MoveFrame::WriteImageToDC(HDC target_hdc, LONG zoom_val, unsigned long wr_mode) {
    tagRECT rect;
    rect.left = Twip_ToPixel(twip_lfpos, h_pWnd, 100, 1);
    rect.top = Twip_ToPixel(twip_tppos, h_pWnd, 100, 2);
    rect.right = rect.left + BoxPixelWidth();
    rect.bottom = rect.top + BoxPixelHeight();
    return DrawOnAnyDC(target_hdc, &rect, zoom_val, wr_mode);
}

tagRECT MoveFrame::GetPrntPos(HDC hdc_to_printer) const {
    const double dx = GetDeviceCaps(hdc_to_printer, LOGPIXELSX);
    const double dy = GetDeviceCaps(hdc_to_printer, LOGPIXELSY);
    const double per_twip = 1.0 / 1440.0;
    tagRECT rect;
    rect.left = Trunc_ToInt32(twip_lfpos * dx * per_twip);
    rect.top = Trunc_ToInt32(twip_tppos * dy * per_twip);
    rect.right = Trunc_ToInt32((twip_lfpos + box_width) * dx * per_twip);
    rect.bottom = Trunc_ToInt32((twip_tppos + box_height) * dy * per_twip);
    return rect;
}

int MoveFrame::PrintBorderDraw(HDC hdc_to_printer, tagRECT border_rect, int line_width) {
    const tagRECT saved_rect = frm_rect;
    const int saved_width = b_linewidth;
    frm_rect = border_rect;
    if (line_width > 0) b_linewidth = line_width;
    BorderDraw(hdc_to_printer);
    frm_rect = saved_rect;
    b_linewidth = saved_width;
    return 1;
}

int MoveFrame::SavePosInfo(DocWriter* h_File, unsigned long* rcd_byte) const {
    h_File->Put32(obj_type);
    h_File->Put32(twip_lfpos);
    h_File->Put32(twip_tppos);
    h_File->PutDouble(box_width);
    h_File->PutDouble(box_height);
    *rcd_byte = 28;
    return 1;
}

int MoveFrame::ReadPosInfo(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift) {
    int32_t kind = 0, left = 0, top = 0;
    double width = 0.0, height = 0.0;
    if (!h_File->Get32(&kind) || !h_File->Get32(&left) || !h_File->Get32(&top) ||
        !h_File->GetDouble(&width) || !h_File->GetDouble(&height)) {
        return 0;
    }
    // A size or place that no frame of an A4 paper could have cannot be placed: it would
    // also ask for a huge bitmap.
    if (!Frame_WithinLimits(left, top, width, height)) {
        h_File->Fail();
        return 0;
    }
    twip_lfpos = left;
    twip_tppos = top;
    box_width = width;
    box_height = height;
    tr_lfpos = Twip_ToPixel(twip_lfpos, h_pWnd, ZoomPercent(), 1);
    tr_tppos = Twip_ToPixel(twip_tppos, h_pWnd, ZoomPercent(), 2);
    tagRECT rect;
    rect.left = CalcValOnScrTwip(twip_lfpos, h_pWnd, 1, zoom_size, h_shift);
    rect.top = CalcValOnScrTwip(twip_tppos, h_pWnd, 2, zoom_size, v_shift);
    rect.right = rect.left + CalcValOnScrTwip(Trunc_ToInt32(box_width), h_pWnd, 1, zoom_size, 0);
    rect.bottom = rect.top + CalcValOnScrTwip(Trunc_ToInt32(box_height), h_pWnd, 2, zoom_size, 0);
    MoveObjectToPoint(&rect);
    // The stored box is the truth: a frame that re-measured itself from pixels while being
    // placed gets it back.
    box_width = width;
    box_height = height;
    *rcd_byte = 28;
    return 1;
}

int MoveFrame::CopyVirWin(HDC hdc, HDC virmem_dc, unsigned long wr_mode) {
    if (useabl_flag == 0) return 0;
    const LONG w = BoxPixelWidth();
    const LONG h = BoxPixelHeight();
    int copied = 0;
    if (zoom_size == 100.0) {
        copied = BitBlt(hdc, frm_rect.left, frm_rect.top, w, h, virmem_dc, 0, 0,
                        static_cast<DWORD>(wr_mode));
    } else {
        copied = StretchBlt(hdc, frm_rect.left, frm_rect.top, PutFrmWidth(), PutFrmHeight(),
                            virmem_dc, 0, 0, w, h, static_cast<DWORD>(wr_mode));
    }
    if (!copied) return 0;
    if (BoderFlag()) BorderDraw(hdc);
    return 1;
}

int VirWindow::CreateVirWin(HWND h_Wnd, LONG width, LONG height) {
    Release();
    HDC win_dc = GetDC(h_Wnd);
    virmem_dc = CreateCompatibleDC(win_dc);
    // Kept so that a zoom above 100 % or a high-density screen shows the element sharp.
    Keep_Drawing(virmem_dc);
    vir_bitmap = CreateCompatibleBitmap(win_dc, width, height);
    if (win_dc) ReleaseDC(h_Wnd, win_dc);
    SelectObject(virmem_dc, vir_bitmap);
    SelectObject(virmem_dc, GetStockBrush(WHITE_BRUSH));
    PatBlt(virmem_dc, 0, 0, width, height, PATCOPY);
    SetVirFrame(width, height);
    return 1;
}

void VirWindow::Release() {
    if (virmem_dc) DeleteDC(virmem_dc);
    if (vir_bitmap) DeleteObject(vir_bitmap);
    virmem_dc = nullptr;
    vir_bitmap = nullptr;
    SetVirFrame(0, 0);
}
