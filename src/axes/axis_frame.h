// The number frame of an axis: one text label per tick value beside the tick frame, in a
// chosen number style, digit count, font and colours. The static CalcParameters finds where
// a new frame goes before it is built; the rebuild operations follow later changes of the
// values, the font, the style or the plot area.
#pragma once

#include <cstdint>
#include <memory>

#include "axes/num_style_dialog.h"
#include "frames/color_set.h"
#include "frames/font_set.h"
#include "frames/move_frame.h"

// One label: its value, its text and the top-left corner of the text in the frame's
// bitmap (pixels at 100 %).
class NumStrObj {
public:
    void SetDblNum(double value) { the_number = value; }
    double PutDblNum() const { return the_number; }
    // Copies at most 255 bytes.
    void SetString(const char* text);
    const char* PutString() const { return num_str; }
    void SetPosVirWin(tagPOINT point) { pos_onVirwin = point; }
    tagPOINT PutPosVirWin() const { return pos_onVirwin; }

private:
    double the_number = 0.0;
    char num_str[256] = {};
    tagPOINT pos_onVirwin;
};

// The number-style chooser of a frame.
class AxNumStyl {
public:
    AxNumStyl(HWND hWnd, short fist_styl, short fist_dignum);
    void SetChooseStyl(short styl, short digit) {
        chs_styl.style_number = styl;
        chs_styl.digit_number = digit;
    }
    CHOOSESTYLE PutChooseStyl() const { return chs_styl; }
    // 1 when the user confirmed a new style, 0 when nothing changed.
    int ShowNumStylDlg() { return Choose_Style(&chs_styl, p_hInst, h_pWnd); }

private:
    CHOOSESTYLE chs_styl;
    HINSTANCE p_hInst = nullptr;
    HWND h_pWnd = nullptr;
};

class AxisFrame final : public MoveFrame {
public:
    // Where a new frame goes: *frame_rect in twips and *trans_factor in pixels at 100 % per
    // data unit, for the plot area rect_of_view and the plot area with its tick frames
    // graph_rect (both twips). The margin is in pixels; font_info may be null (12 points).
    // 0 when there are no labels.
    static int CalcParameters(HWND h_pWnd, int num_ofobject, int direction, int num_of_array,
                              const double* date_array, double* trans_factor,
                              const tagRECT* rect_of_view, const tagRECT* graph_rect,
                              tagRECT* frame_rect, int tick_style, int displ_style, int displ_dig,
                              LONG x_startpoint, LONG y_startpoint, FontSet* font_info);

    AxisFrame(HWND h_pWnd, int num_ofobject, int direction, int date_num, const double* date_array,
              double trans_value, const tagRECT* object_rect, LONG h_shift, LONG v_shift,
              int zoom_val, int tick_style, int displ_style, int displ_dig, tagPOINT start_point);
    ~AxisFrame();

    // Label placement: the offset of target_value from start_value along the axis.
    static LONG TransToOnScreen(int tick_style, double start_value, double target_value,
                                double trans_factor);
    static double CalcOnScrWidth(double min_value, double max_value, int tick_style);

    // Rebuilding. Each returns 0 and changes nothing when the frame has no labels.
    int ChangeNumStrObj();
    int ChangeContent(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                      LONG v_shift);
    int ChangeNumDate(const double* the_Array, int date_num, const tagRECT* view_rect,
                      const tagRECT* graph_rect, LONG h_shift, LONG v_shift);
    int ChangeFontInfo(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                       LONG v_shift);
    // 0 when the dialog changed nothing; with the_select 1 the frame is rebuilt (result of
    // ChangeContent), otherwise 2.
    int ChangeNumStyle(const tagRECT* view_rect, const tagRECT* graph_rect, LONG h_shift,
                       LONG v_shift, int the_select);
    // The frame's twip rectangle moved by the change of the tick frame's outer edge.
    tagRECT ChangeForATick(tagRECT ograph_rect, tagRECT ngraph_rect) const;
    // Scale from the tick-inclusive plot rectangle (cal_kind 1: in pixels at 100 %,
    // otherwise twips) over the label range or the given range. 0 for an empty range.
    int CalcDateSctrns(const tagRECT* graph_rect, int cal_kind);
    int CalcDateSctrns(const tagRECT* graph_rect, const double* min_value, const double* max_value,
                       int cal_kind);

    // Drawing.
    // The label record of the document file: 150 + 272 bytes per label.
    int SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const;
    // Reads the record and redraws; 0 when it is short or inconsistent.
    int ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift);

    int DrawNewObject();
    int DrawContents();
    int ClearContent();
    void SetShowFlag(int flag) { show_flag = flag; }
    int PutShowFlag() const { return show_flag; }
    // A font for the printer: the frame's font scaled to its resolution. The caller
    // deletes it.
    HFONT TransFontOnPrt(HDC hdc_to_printer) const;

    // Queries.
    int PutNumObjDblArray(double* target_array) const;
    int CalcMxMinNumStrObj(double* min_val, double* max_val) const;
    short PutNumDspObj() const { return num_dspobj; }
    short PutNumDspdg() const { return num_dspdgt; }
    short PutStyNum() const { return style_num; }
    LONG PutStringWidth() const { return string_width; }
    LONG PutStringHight() const { return string_height; }
    double DateScTrns() const { return date_sctrns; }
    int ObjectNumber() const { return obj_number; }
    int PutDirection() const { return direction_info; }
    tagPOINT PutStartPoint() const { return numobj_start; }
    const NumStrObj* PutNumStrObj(int index) const;
    FontSet& PutFontSet() { return font_info; }
    ColorSet& PutColorSet() { return color_info; }
    AxNumStyl& PutNumStyl() { return axnum_styl; }
    HDC PutVirDC() const { return vir ? vir->PutDC() : nullptr; }
    tagPOINT PutVirFrame() const { return vir ? vir->PutVirFrame() : tagPOINT(); }

    // Slots.
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    // A number frame is never moved by the mouse.
    int MoveEnd(LONG, LONG, int) override { return 0; }
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int) override;

private:
    // Labels for values with texts in the frame's style; positions set by SetNumStrObj.
    static std::unique_ptr<NumStrObj[]> MakeLabels(int count, const double* values, short digits,
                                                   short style);
    // Positions with the given start (margin) and factor, in any unit.
    static void SetNumStrObj(NumStrObj* labels, int count, int direction, int tick_style,
                             tagPOINT start, double factor);
    // Extent of a text in pixels with the font on the window's context.
    static tagSIZE TextExtent(HWND hwnd, const tagLOGFONTA* font, const char* text);
    static tagSIZE FirstMxMinCharLng(HWND hwnd, const tagLOGFONTA* font, const NumStrObj* labels,
                                     int count);
    static LONG CalcLettSize(const char* text, HWND hwnd, const tagLOGFONTA* font, int direction);
    // The first and last label's measure in the frame's direction; 0 without labels.
    static int CalcAddRectSize(HWND hwnd, const tagLOGFONTA* font, const NumStrObj* labels,
                               int count, int direction, LONG* lett, LONG* larg);
    static tagPOINT CalcLTopCordinate(int num_ofobject, const tagRECT* view, const tagRECT* graph,
                                      tagPOINT margin, tagSIZE widest, LONG lett, LONG larg);

    int CreateNumStrObj(const double* values, int count);
    void MxMinCharLng();
    int CalcExtSize(LONG* lett, LONG* larg) const;
    // The new frame for the current labels and measures, in twips.
    tagRECT ChgContNewFrame(const tagRECT* view_rect, const tagRECT* graph_rect);
    tagPOINT CalcLTopCord(const tagRECT* view_rect, const tagRECT* graph_rect) const;
    tagRECT CalcAxisFrame(LONG left, LONG top) const;
    void CreateVirWin(LONG width, LONG height);
    // A new bitmap when the box at 100 % exceeds it (or differs, with exact).
    void FitBitmap(bool exact);
    // After a placement that changed the size: new scale, labels and drawing.
    void RescaleToFrame();

public:
    // Fields of the document file's number-frame record, in order.
    int show_flag = 1;
    int wrt_flag = 0;
    int direction_info = 0;
    int obj_number = 0;
    int tickdsp_style = 0;
    int16_t style_num = 0;
    int16_t num_dspdgt = 0;
    int16_t num_dspobj = 0;

private:
    std::unique_ptr<NumStrObj[]> p_num_obj;

public:
    LONG string_width = 0;
    LONG string_height = 0;
    tagPOINT numobj_start;
    AxNumStyl axnum_styl;
    FontSet font_info;
    ColorSet color_info;
    double date_sctrns = 0.0;

private:
    std::unique_ptr<VirWindow> vir;
};
