// A one-line text frame: the graph title, the four axis titles and each series name in
// the legend. It sizes itself to its text, places itself around the plot area, and is
// edited through the text dialog "TXTINPDLG" and the font chooser.
#pragma once

#include <memory>

#include "frames/color_set.h"
#include "frames/font_set.h"
#include "frames/move_frame.h"
#include "platform/dialog.h"

class TitleOnWin final : public MoveFrame {
public:
    // Position and size in twips. direction 1 writes the text upward (left and right axis
    // titles); a text, when given, resizes the frame to fit it.
    TitleOnWin(HWND h_pWnd, const char* cont_lett, int direction, int num_ofobject, LONG left_pos,
               LONG top_pos, LONG win_width, LONG win_height, LONG h_shift, LONG v_shift,
               int zoom_val);
    ~TitleOnWin() = default;

    // Size of a text in pixels: (width, height), or (height, width) for vertical text.
    static tagPOINT GetContentsSize(HWND h_pWnd, const char* target_lett, FontSet* font_set,
                                    int direction_val);
    // Twip rectangle of title object_num (0 graph, 1 left, 2 bottom, 3 right, 4 top) of
    // the_width x the_height twips around the plot area view_rect inside graph_rect.
    static tagRECT CalcObjPos(const tagRECT* view_rect, const tagRECT* graph_rect, int object_num,
                              LONG the_width, LONG the_height, LONG top_addval);
    // CalcObjPos for this title's own text, font and object number.
    tagRECT CalcOfRectForNewParaSet(const tagRECT* view_rect, const tagRECT* graph_rect,
                                    LONG top_addval);

    const char* PutTitle() const { return title_cont.get(); }
    int PutDirection() const { return direction_info; }
    int& DisplayFlag() { return display_flag; }
    FontSet* PutFontSet() { return &font_info; }
    ColorSet* PutColorSet() { return &color_info; }
    TitleOnWin*& Next() { return next; }
    tagPOINT PutVirFrame() const { return vir.PutVirFrame(); }

    int CreateVirWin(LONG width, LONG height);
    void SetVirFrame(LONG width, LONG height) { vir.SetVirFrame(width, height); }
    int DrawOnVirWin();
    int ClearContent();
    int ForceDraw();
    int DrawTitle();
    HFONT TransFontOnPrt(HDC hdc_to_printer);

    // A non-empty text is stored (1); an empty one is stored as " " (0).
    int CoreTitleContSet(const char* new_lett);
    // 0 without a text; else stores it, *title_info = 1 when it replaced a text, result 1.
    int SetNewTitleCont(const char* new_lett, int* title_info);
    // Runs the text dialog on this title's text; *new_lett then points at the dialog's
    // buffer (valid until the next dialog). 1 when confirmed.
    int ExtShowTextSetDlg(HINSTANCE p_Inst, char** new_lett);
    // Saves the font's escapement and orientation, then runs the font chooser; 0 without
    // a text.
    int ExtShowFontDlg(LONG* escapement, LONG* orient);
    // Re-places the title after a font change, keeping the saved escapement.
    int ChangeFontDraw(const tagRECT* view_rect, const tagRECT* graph_rect, LONG escapement,
                       LONG orient, LONG h_shift, LONG v_shift, LONG top_addval);
    int MoveToNewFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift);

    // The title record of the document file: position, text, font and its three colours.
    // 0 when the text or the face name cannot be written in CP932.
    int SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const;
    // Reads the record and redraws; 0 when it is short or inconsistent.
    int ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift);
    // The text alone: its CP932 byte count, then the bytes (0 for no text).
    int SaveContent(DocWriter* h_File, unsigned long* rcd_byte) const;
    int ReadContent(DocReader* h_File, unsigned long* rcd_byte);

    // Slots.
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveEnd(LONG x_pos, LONG y_pos, int mv_state) override;
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int) override;

private:
    bool HasBitmap() const { return vir.PutDC() != nullptr; }
    // Creates the bitmap again when the box size at 100 % differs from it.
    void FitBitmap();

    TitleOnWin* next = nullptr;
    std::unique_ptr<char[]> title_cont;
    int direction_info = 0;
    int display_flag = 0;
    int wrt_flag = 0;
    FontSet font_info;
    ColorSet color_info;
    VirWindow vir;
};

// The text dialog of titles and series names.
constexpr int IDC_TITLE_TEXT = 5010;
const DialogTemplate& TextInput_Template();
INT_PTR TxSetDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);
