#include "elements/title_on_win.h"

#include <cstring>
#include <string>

#include "data/utility.h"
#include "elements/element_paint.h"
#include "frames/trans_unit.h"
#include "platform/numeric.h"

namespace {

// The text dialog's buffer and result.
std::unique_ptr<char[]> g_dlg_edchar;
int change_flag = 0;

// Characters the text dialog reads, including the terminator.
constexpr size_t kTextField = 256;

// The first max_chars characters (UTF-8 code points) of text.
std::string Cut_Characters(const std::string& text, size_t max_chars) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == max_chars) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

LONG Half(LONG value) { return value / 2; }

LONG Narrow(int64_t value) { return static_cast<LONG>(value); }

}  // namespace

const DialogTemplate& TextInput_Template() {
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.name = "TXTINPDLG";
        d.caption = "文字の入力";
        d.cx = 220;
        d.cy = 70;
        d.controls = {
            {ControlKind::Static, IDC_STATIC, "文字を入力してください", 10, 8, 200, 10},
            {ControlKind::Edit, IDC_TITLE_TEXT, "", 10, 22, 200, 12, CS_FREETEXT,
             static_cast<int>(kTextField - 1)},
            {ControlKind::DefPushButton, IDOK, "OK", 50, 46, 50, 14},
            {ControlKind::PushButton, IDCANCEL, "ｷｬﾝｾﾙ", 120, 46, 50, 14},
        };
        return d;
    }();
    return dialog;
}

INT_PTR TxSetDlgProc(DialogControls* dlg, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: dlg->SetDlgItemTextA(IDC_TITLE_TEXT, g_dlg_edchar.get()); return 1;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                const std::string read =
                    Cut_Characters(dlg->GetDlgItemText(IDC_TITLE_TEXT), kTextField - 1);
                g_dlg_edchar = Copy_Text(read.c_str());
                change_flag = 1;
                dlg->EndDialog(1);
                return 1;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                change_flag = 0;
                dlg->EndDialog(0);
                return 1;
            }
            return 0;
        case WM_CLOSE:
            change_flag = 0;
            dlg->EndDialog(0);
            return 1;
        default: return 0;
    }
}

TitleOnWin::TitleOnWin(HWND h_pWnd, const char* cont_lett, int direction, int num_ofobject,
                       LONG left_pos, LONG top_pos, LONG win_width, LONG win_height, LONG h_shift,
                       LONG v_shift, int zoom_val)
    : MoveFrame(h_pWnd, left_pos, top_pos, win_width, win_height, h_shift, v_shift, zoom_val,
                num_ofobject),
      font_info(h_pWnd, 12),
      color_info(h_pWnd) {
    if (BoxPixelWidth() > 0 && BoxPixelHeight() > 0) {
        CreateVirWin(BoxPixelWidth(), BoxPixelHeight());
    }
    direction_info = direction;
    if (direction == 1) {
        font_info.PutLogFont()->lfEscapement = 900;
        font_info.PutLogFont()->lfOrientation = 900;
    }
    if (cont_lett) {
        CoreTitleContSet(cont_lett);
        const tagPOINT size = GetContentsSize(h_pWnd, title_cont.get(), &font_info, direction_info);
        if (!HasBitmap() && size.x != 0 && size.y != 0) CreateVirWin(size.x, size.y);
        tagRECT rect;
        rect.left = twip_lfpos;
        rect.top = twip_tppos;
        rect.right = Narrow(int64_t(twip_lfpos) + Pixel_ToTwip(size.x, h_pWnd, 100, 1));
        rect.bottom = Narrow(int64_t(twip_tppos) + Pixel_ToTwip(size.y, h_pWnd, 100, 2));
        MoveObjectWithOutMouse(&rect, h_shift, v_shift);
    }
    obj_type = 1;
}

tagPOINT TitleOnWin::GetContentsSize(HWND h_pWnd, const char* target_lett, FontSet* font_set,
                                     int direction_val) {
    tagPOINT size;
    if (!target_lett) return size;
    HDC hdc = GetDC(h_pWnd);
    HFONT font = CreateFontIndirectA(font_set->PutLogFont());
    HFONT old_font = SelectObject(hdc, font);
    tagSIZE extent;
    GetTextExtentPoint32A(hdc, target_lett, static_cast<int>(std::strlen(target_lett)), &extent);
    SelectObject(hdc, old_font);
    DeleteObject(font);
    if (hdc) ReleaseDC(h_pWnd, hdc);
    if (direction_val == 0) {
        size.x = extent.cx;
        size.y = extent.cy;
    } else {
        size.x = extent.cy;
        size.y = extent.cx;
    }
    return size;
}

tagRECT TitleOnWin::CalcObjPos(const tagRECT* view_rect, const tagRECT* graph_rect, int object_num,
                               LONG w, LONG h, LONG top_addval) {
    const LONG cx =
        Narrow(view_rect->left + Half(Narrow(int64_t(view_rect->right) - view_rect->left)));
    const LONG cy =
        Narrow(view_rect->top + Half(Narrow(int64_t(view_rect->bottom) - view_rect->top)));
    tagRECT rect;
    switch (object_num) {
        case 0:
            rect.left = Narrow(int64_t(cx) - Half(w));
            rect.bottom = Narrow(int64_t(graph_rect->top) - top_addval);
            rect.top = Narrow(int64_t(rect.bottom) - h);
            rect.right = Narrow(int64_t(rect.left) + w);
            break;
        case 1:
            rect.left = Narrow(int64_t(graph_rect->left) - w);
            rect.top = Narrow(int64_t(cy) - Half(h));
            rect.right = graph_rect->left;
            rect.bottom = Narrow(int64_t(rect.top) + h);
            break;
        case 2:
            rect.left = Narrow(int64_t(cx) - Half(w));
            rect.top = graph_rect->bottom;
            rect.right = Narrow(int64_t(rect.left) + w);
            rect.bottom = Narrow(int64_t(rect.top) + h);
            break;
        case 3:
            rect.left = graph_rect->right;
            rect.top = Narrow(int64_t(cy) - Half(h));
            rect.right = Narrow(int64_t(rect.left) + w);
            rect.bottom = Narrow(int64_t(rect.top) + h);
            break;
        case 4:
            rect.left = Narrow(int64_t(cx) - Half(w));
            rect.top = Narrow(int64_t(graph_rect->top) - h);
            rect.right = Narrow(int64_t(rect.left) + w);
            rect.bottom = graph_rect->top;
            break;
        default: break;
    }
    return rect;
}

tagRECT TitleOnWin::CalcOfRectForNewParaSet(const tagRECT* view_rect, const tagRECT* graph_rect,
                                            LONG top_addval) {
    const tagPOINT size = GetContentsSize(h_pWnd, title_cont.get(), &font_info, direction_info);
    return CalcObjPos(view_rect, graph_rect, obj_num, Pixel_ToTwip(size.x, h_pWnd, 100, 1),
                      Pixel_ToTwip(size.y, h_pWnd, 100, 2), top_addval);
}

int TitleOnWin::CreateVirWin(LONG width, LONG height) {
    return vir.CreateVirWin(h_pWnd, width, height);
}

void TitleOnWin::FitBitmap() {
    const tagPOINT frame = vir.PutVirFrame();
    const LONG w = BoxPixelWidth();
    const LONG h = BoxPixelHeight();
    if ((frame.x != w || frame.y != h) && w > 0 && h > 0) CreateVirWin(w, h);
}

int TitleOnWin::DrawOnVirWin() {
    HDC dc = vir.PutDC();
    if (!dc) return 0;
    const tagPOINT frame = vir.PutVirFrame();
    HBRUSH brush = CreateSolidBrush(color_info.PutRGBPntdata());
    HBRUSH old_brush = SelectObject(dc, brush);
    PatBlt(dc, 0, 0, frame.x, frame.y, PATCOPY);
    HFONT font = CreateFontIndirectA(font_info.PutLogFont());
    HFONT old_font = SelectObject(dc, font);
    const COLORREF old_color = SetTextColor(dc, font_info.PutColorInfo());
    const char* text = title_cont ? title_cont.get() : "";
    const int length = static_cast<int>(std::strlen(text));
    if (direction_info == 0) {
        TextOutA(dc, 0, 0, text, length);
    } else {
        TextOutA(dc, 0, frame.y, text, length);
    }
    SetTextColor(dc, old_color);
    SelectObject(dc, old_font);
    DeleteObject(font);
    SelectObject(dc, old_brush);
    DeleteObject(brush);
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int TitleOnWin::ClearContent() {
    HDC dc = vir.PutDC();
    if (dc) {
        const tagPOINT frame = vir.PutVirFrame();
        PatBlt(dc, 0, 0, frame.x, frame.y, PATCOPY);
    }
    Invalidate_Update(h_pWnd, update_rgn);
    return 1;
}

int TitleOnWin::ForceDraw() {
    if (!title_cont) return 0;
    DrawOnVirWin();
    display_flag = 1;
    return 1;
}

int TitleOnWin::DrawTitle() {
    if (display_flag == 0) {
        ClearContent();
        wrt_flag = 0;
    } else if (Is_SpaceArray(title_cont.get())) {
        ClearContent();
    } else {
        DrawOnVirWin();
    }
    return 1;
}

int TitleOnWin::CoreTitleContSet(const char* new_lett) {
    if (new_lett && new_lett[0] != '\0') {
        title_cont = Copy_Text(new_lett);
        return 1;
    }
    title_cont = Copy_Text(" ");
    return 0;
}

int TitleOnWin::SetNewTitleCont(const char* new_lett, int* title_info) {
    *title_info = 0;
    if (!new_lett) return 0;
    if (title_cont) *title_info = 1;
    CoreTitleContSet(new_lett);
    return 1;
}

int TitleOnWin::ExtShowTextSetDlg(HINSTANCE p_Inst, char** new_lett) {
    g_dlg_edchar = Copy_Text(title_cont ? title_cont.get() : " ");
    change_flag = 0;
    DialogBoxParamA(p_Inst, TextInput_Template(), h_pWnd, TxSetDlgProc, 0);
    *new_lett = g_dlg_edchar.get();
    return change_flag;
}

int TitleOnWin::ExtShowFontDlg(LONG* escapement, LONG* orient) {
    *escapement = font_info.PutLogFont()->lfEscapement;
    *orient = font_info.PutLogFont()->lfOrientation;
    if (!title_cont) return 0;
    return font_info.ShowFontDlg();
}

int TitleOnWin::ChangeFontDraw(const tagRECT* view_rect, const tagRECT* graph_rect, LONG escapement,
                               LONG orient, LONG h_shift, LONG v_shift, LONG top_addval) {
    // The chooser knows nothing of direction: the saved angle comes back first, so the
    // text is measured and drawn as the title shows it.
    font_info.PutLogFont()->lfEscapement = escapement;
    font_info.PutLogFont()->lfOrientation = orient;
    tagRECT rect = CalcOfRectForNewParaSet(view_rect, graph_rect, top_addval);
    SetNewMoveFrame(&rect, h_shift, v_shift);
    FitBitmap();
    DrawTitle();
    return 1;
}

int TitleOnWin::MoveToNewFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift) {
    return MoveToNewFrameAndFit(new_rect, h_shift, v_shift, HasBitmap(), [this] { FitBitmap(); });
}

int TitleOnWin::MoveEnd(LONG x_pos, LONG y_pos, int mv_state) {
    return EndMoveAndRefit(x_pos, y_pos, mv_state, HasBitmap(), [this] {
        FitBitmap();
        DrawTitle();
    });
}

int TitleOnWin::MoveObjectToPoint(tagRECT* new_rect) { return PlaceInPixels(new_rect); }

int TitleOnWin::MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) {
    return PlaceWithTwipSize(new_rect, *twips_rect, HasBitmap(), [this] {
        FitBitmap();
        DrawTitle();
    });
}

int TitleOnWin::ReDraw(HDC hdc, unsigned long wr_mode, int) {
    return CopyVirWin(hdc, vir.PutDC(), wr_mode);
}

HFONT TitleOnWin::TransFontOnPrt(HDC hdc_to_printer) {
    tagLOGFONTA font = *font_info.PutLogFont();
    font.lfWidth = Screen_ToPrinter(h_pWnd, hdc_to_printer, font.lfWidth, true);
    font.lfHeight = Screen_ToPrinter(h_pWnd, hdc_to_printer, font.lfHeight, false);
    return CreateFontIndirectA(&font);
}

int TitleOnWin::PrintObject(HDC hdc_to_printer, int) {
    if (display_flag == 0) return 0;
    const tagRECT rect = GetPrntPos(hdc_to_printer);
    HFONT font = TransFontOnPrt(hdc_to_printer);
    HFONT old_font = SelectObject(hdc_to_printer, font);
    const COLORREF old_color = SetTextColor(hdc_to_printer, font_info.PutColorInfo());
    const int old_mode = SetBkMode(hdc_to_printer, TRANSPARENT);
    const char* text = title_cont ? title_cont.get() : "";
    const int length = static_cast<int>(std::strlen(text));
    if (direction_info == 0) {
        TextOutA(hdc_to_printer, rect.left, rect.top, text, length);
    } else {
        TextOutA(hdc_to_printer, rect.left, rect.bottom, text, length);
    }
    SetBkMode(hdc_to_printer, old_mode);
    SetTextColor(hdc_to_printer, old_color);
    SelectObject(hdc_to_printer, old_font);
    DeleteObject(font);
    if (wrt_flag) {
        PrintBorderDraw(hdc_to_printer, rect,
                        Screen_ToPrinter(h_pWnd, hdc_to_printer, b_linewidth, false));
    }
    return 1;
}
