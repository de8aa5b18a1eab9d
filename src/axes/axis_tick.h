// The tick frame of an axis: a thin strip along one edge of the plot area that holds the
// axis range (minimum, maximum, main step) and draws the main and sub tick marks into its
// own bitmap. Axis index 0 left, 1 bottom, 2 right, 3 top.
#pragma once

#include <cstdint>
#include <memory>

#include "axes/tick_pos.h"
#include "frames/color_set.h"
#include "frames/move_frame.h"
#include "platform/dialog.h"

// Properties of one kind of tick.
struct TickProp {
    int16_t line_width = 1;    // pen width in pixels
    int16_t line_lngh = 10;    // length in pixels
    int16_t line_drct = 1;     // 1 inward (into the plot area), 0 outward
    int32_t line_visible = 1;  // non-zero when drawn
};

class AxisTick final : public MoveFrame {
public:
    // A frame at the_rect (twips) for axis num_ofobject with the default ticks.
    AxisTick(HWND h_Wnd, short num_ofobject, double axmin_val, double axmax_val, double axdiv_val,
             const tagRECT* the_rect, LONG h_shift, LONG v_shift, int zoom_val, int disp_style);
    ~AxisTick();

    // Frame geometry. The initial frame (inner part 13 pixels, no outer part) for the plot
    // rectangle draw_rect, in twips.
    static tagRECT FirstAxisTick(tagRECT* draw_rect, short pos_number, HWND h_Wnd);
    // The strip in pixels relative to the start of the axis line, in window orientation:
    // ori_top the inner part, ori_bottom the outer part, ori_width the axis length plus 6.
    static tagRECT TransRectFrame(short pos_number, LONG ori_top, LONG ori_bottom, LONG ori_width);
    // Places the strip from TransRectFrame along the plot rectangle draw_rect (twips):
    // target_rect becomes the frame's twip rectangle.
    static void MoveATFrame(tagRECT* draw_rect, tagRECT* target_rect, short pos_number, HWND h_Wnd);
    // The twip rectangle the current tick properties need along plot_rect, with the inner
    // part in pixels.
    tagRECT StartNewFrame(tagRECT plot_rect, LONG* inpart) const;
    // As StartNewFrame; the frame takes the new inner part.
    tagRECT CreateNewFrame(tagRECT plot_rect, LONG* inpart);

    void SetATValues(double min, double max, double div) {
        min_value = min;
        max_value = max;
        div_value = div;
    }
    void PutATValues(double* min, double* max, double* div) const {
        *min = min_value;
        *max = max_value;
        *div = div_value;
    }
    void SetMinValue(double value) { min_value = value; }
    void SetMaxValue(double value) { max_value = value; }
    void SetDivValue(double value) { div_value = value; }
    double PutMinValue() const { return min_value; }
    double PutMaxValue() const { return max_value; }
    double PutDivValue() const { return div_value; }
    void SetMainTick(short lngh, short dirct, int flag, short width);
    void SetSubTick(short lngh, short dirct, int flag, short width);
    TickProp PutMainTick() const { return main_tick; }
    TickProp PutSubTick() const { return sub_tick; }
    int PutAutoFlag() const { return autoax_flag; }
    void SetAutoFlag(int flag) { autoax_flag = flag; }
    int PutTickStyle() const { return tickdsp_style; }
    int PutShowFlag() const { return show_flag; }
    int ObjectNumber() const { return obj_number; }
    ColorSet& PutColorSet() { return color_info; }

    // The entered range made ready for the axis: 0 (nothing changed) when all three equal
    // the current values, else 1 after the automatic or manual adjustment.
    int SetAxisValue(double* ax_min, double* ax_max, double* ax_div);
    // Tidy values from Determin_Axis_Range with the entered step's number of divisions.
    int CalcOnAxisValues(double* ax_min, double* ax_max, double* ax_div);
    // Values as entered, the maximum moved up to the next whole step.
    int ManuCalcOnAxisValues(double* ax_min, double* ax_max, double* ax_div);

    // Tick positions for a frame of new_width x new_height pixels at 100 %: 1 when
    // computed, 0 when the range gives no ticks.
    int CalcTickStartPoint(LONG new_width, LONG new_height);
    double CalcOnScrWidth() const;
    LONG ValueToOnScreen(LONG initial_value, double real_value, double standard_start,
                         double trns_fc) const;
    // Along-axis and across-axis pixels (across positive out of the plot) to the bitmap.
    tagPOINT TransPosOnVirWin(LONG* x_pos, LONG* y_pos) const;

    void DrawTick();
    void DrawTickVWin();
    int CreateVirWin(LONG width, LONG height);
    tagPOINT PutVirFrame() const { return vir ? vir->PutVirFrame() : tagPOINT(); }
    HDC PutVirDC() const { return VirDC(); }
    // Rebuilds the frame along the plot rectangle (twips) and draws it; 0 when the frame
    // has no area.
    int ReDrawContent(tagRECT plot_rect, LONG h_shift, LONG v_shift);

    // The outer part in twips, and the inner part in pixels.
    LONG PutOutLng() const;
    LONG PutInPartLng() const { return inpart_lng; }
    // The along-axis bitmap coordinate of every main tick (x for bottom and top axes, y for
    // left and right); 0 when there are none.
    int TickPosInfo(std::unique_ptr<LONG[]>* positions, short* count) const;
    const TickPos* PutMainTickPos() const { return p_main_tickpos.get(); }
    const TickPos* PutSubTickPos() const { return p_sub_tickpos.get(); }

    // Runs the axis setting dialog on this frame's values. 0 when cancelled or refused;
    // otherwise the values are taken (range, automatic mode, ticks) and the result is 1
    // when the range changed, 2 when the tick frame must be rebuilt with a new outer part,
    // 3 when only its appearance changed.
    int ShowSetDlg(HINSTANCE p_Inst);

    // The 104-byte tick record of the document file.
    int SaveFromFile(DocWriter* h_File, unsigned long* rcd_byte) const;
    // Reads the record and redraws; 0 when it is short or not this axis's record.
    int ReadFromFile(DocReader* h_File, unsigned long* rcd_byte, LONG h_shift, LONG v_shift);
    // 2 when the outward extent the given ticks need differs from the current outer part,
    // 3 when it is the same.
    int IsChangProp(short main_lngth, short main_dir, LONG main_visible, short sub_lngth,
                    short sub_dir, LONG sub_visible) const;

    // Slots.
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int) override;

    // Printing: the printer positions of the main ticks (along the axis), and the frame's
    // printer corner.
    int TickPosOnPrnt(HDC hdc_to_printer, std::unique_ptr<LONG[]>* positions, short* count) const;
    tagPOINT CalcAddValToPos(HDC hdc_to_printer) const;

private:
    HDC VirDC() const { return vir ? vir->PutDC() : nullptr; }
    // Bitmap, tick positions and drawing for the current box size.
    void Rebuild();
    // Along and across extents of the ticks in pixels (inner, outer).
    void TickExtents(LONG* inner, LONG* outer) const;
    // Outer part of the current frame in pixels at 100 %.
    LONG OuterPixels() const;
    bool Horizontal() const { return obj_number == 1 || obj_number == 3; }
    std::unique_ptr<TickPos> MakeTicks(int count, double offset, const TickProp& prop,
                                       double factor);
    void DrawTicks(HDC hdc, const TickPos* ticks, const TickProp& prop, HDC win_hdc, HDC printer,
                   tagPOINT corner) const;

public:
    // Fields of the document file's tick record, in order.
    int show_flag = 1;
    int wrt_flag = 0;
    int obj_number = 0;
    TickProp main_tick;
    TickProp sub_tick;
    double min_value = 0.0;
    double max_value = 0.0;
    double div_value = 0.0;
    int tickdsp_style = 0;
    int autoax_flag = 1;
    ColorSet color_info;
    LONG inpart_lng = 13;

private:
    std::unique_ptr<VirWindow> vir;
    std::unique_ptr<TickPos> p_main_tickpos;
    std::unique_ptr<TickPos> p_sub_tickpos;
};
