// The legend: a box in the top-right corner of the plot area with one row per series, a
// short sample of the series' line and the series' name. The box and each part are
// frames: the box drags as a whole, a sample or a name can be selected on its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/point_date.h"
#include "elements/graph_line.h"
#include "elements/title_on_win.h"
#include "frames/move_frame.h"

// The line sample of one legend row.
class GListLine final : public MoveFrame {
public:
    // Radius of a sample's markers, in pixels at 100 %.
    static constexpr LONG kMarkerRadius = 3;
    // the_rect in twips; the points in pixels of the part's bitmap.
    GListLine(HWND h_Vwin, const PointDate* the_date, tagRECT the_rect, LONG h_shift, LONG v_shift,
              int zoom_val);
    ~GListLine() = default;

    int CreateVirWin(LONG width, LONG height) { return vir.CreateVirWin(h_pWnd, width, height); }
    void SetVirFrame(LONG width, LONG height) { vir.SetVirFrame(width, height); }
    tagPOINT PutVirFrame() const { return vir.PutVirFrame(); }
    HDC PutVirDC() const { return vir.PutDC(); }
    int Draw();
    int ClearLine();
    int DrawLine();
    int DrawLineO();
    int DrawCircle();

    int& DisplayFlag() { return show_flag; }
    PointDate* PutPointDate() { return &date_on_virwin; }
    LineProp* LineInfo() { return &line_prop; }
    ColorSet* ColorInfo() { return &color_set; }
    int PutDateNum() const { return date_on_virwin.GetArraySize(); }
    int MoveToNewFrame(tagRECT* new_rect, LONG h_shift, LONG v_shift);
    // The sample's place, size and points (what undo keeps), and that put back and drawn.
    void SaveState(DocWriter* state) const;
    bool RestoreState(DocReader* state, LONG h_shift, LONG v_shift);

    // Slots.
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveEnd(LONG x_pos, LONG y_pos, int mv_state) override;
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int) override;
    int PrintGLine(HDC hdc_to_printer, PointDate* points);
    int PrintCircle(HDC hdc_to_printer, PointDate* points);

private:
    // The sample's marker at the middle of points, of the given radius, on the screen's
    // bitmap or a printer page alike.
    void DrawSampleMarker(HDC hdc, PointDate* points, LONG radius);
    void FitBitmap();

    PointDate date_on_virwin;
    int show_flag = 0;
    int wrt_flag = 0;
    LineProp line_prop;
    ColorSet color_set;
    VirWindow vir;
};

// An owning list of legend parts, in series order.
template <class Part>
class PartList {
public:
    explicit PartList(HWND h_Wnd = nullptr) : h_grpWin(h_Wnd) {}
    void Append(std::unique_ptr<Part> part) {
        if (part) parts.push_back(std::move(part));
    }
    // The part, or after the out-of-range message the first one (null when empty).
    Part* Array(short number) const;
    // Unlinks and deletes; an index outside the list does nothing (0).
    int Remove(short number);
    void Clear() { parts.clear(); }
    // Draws parts start ... the_end per their display flags; nothing when out of range.
    int Draw(short start, short the_end);
    int DrawAll();
    int ClearContent();
    short PutElementNum() const { return static_cast<short>(parts.size()); }
    typename std::vector<std::unique_ptr<Part>>::const_iterator begin() const {
        return parts.begin();
    }
    typename std::vector<std::unique_ptr<Part>>::const_iterator end() const { return parts.end(); }

protected:
    HWND h_grpWin;
    std::vector<std::unique_ptr<Part>> parts;
};

using GListLnLink = PartList<GListLine>;

class TtlLnLink : public PartList<TitleOnWin> {
public:
    using PartList<TitleOnWin>::PartList;
    // The widest name in twips (0 without names).
    LONG GetMaxWidth() const;
};

class GListFrame final : public MoveFrame {
public:
    // view_rect: the plot area; gframe_rect: a provisional rectangle (both twips). The
    // legend lists the series of source_date, which outlives it.
    GListFrame(HWND h_Wnd, GrpLnLink& source_date, tagRECT view_rect, tagRECT gframe_rect,
               LONG h_shift, LONG v_shift, int zoom_val);
    ~GListFrame() = default;

    // Building.
    tagRECT MakeFrameSize(HWND h_Wnd, const tagRECT* view_rect, LONG h_shift, LONG v_shift);
    void AppendLine(HWND h_Wnd, int obj_num, LONG twip_left, LONG pos_top, LONG title_height,
                    LONG h_shift, LONG v_shift, int zoom_val);
    void AppendTitle(HWND h_Wnd, const char* title, LONG twip_left, LONG pos_top, LONG width_size,
                     LONG hight_size, LONG h_shift, LONG v_shift, int zoom_val);
    // The series' name; an unnamed series is named "データ" and the next number first
    // (*title_flag = 1).
    std::string DateName(int index_num, int* title_flag);
    int AddObject(LONG h_shift, LONG v_shift);
    int DeleteGList(int obj_num, LONG h_shift, LONG v_shift);
    tagRECT AdjustFrame(int obj_num, TitleOnWin* the_target, LONG h_shift, LONG v_shift);

    // Selection.
    int MDLSelect(LPARAM lParam, int* curs_state);
    int MDRSelect(LPARAM lParam, int* curs_state);
    MoveFrame* GetMPointInObj(LONG x_pos, LONG y_pos, int* the_kind, int* curs_state);
    int DeSelectInObject();
    int NoFrameGList(int start_num) const;
    int NoFrameTList(int start_num) const;
    int PutSelObjectKind() const;
    MoveFrame* PutSelectObject() const { return selectobj; }

    // Display.
    void SetContDrawFlag(int set_flag);
    int SwitchDisplay();
    int DrawAllObject();
    int ClearContent();
    int PutShowFlag() const { return show_flag; }
    tagPOINT PutVirFrame() const { return vir_frame; }
    GListLnLink* PutGListLink() { return &grp_link; }
    TtlLnLink* PutTtlLink() { return &ttl_link; }

    // What the document file does not hold of the legend: the box's place and size, whether
    // it is shown, each row's sample and name (place, text, font, colours) and the next
    // number for an unnamed series (false when a name's font cannot be kept); and that state
    // put back (false when it does not fit this legend).
    bool SaveState(DocWriter* state) const;
    bool RestoreState(DocReader* state, LONG h_shift, LONG v_shift);
    // Edits of one series.
    int ChangeGListFont(int obj_num, LONG h_shift, LONG v_shift);
    int ChangeGListCont(int obj_num, HINSTANCE p_Inst, LONG h_shift, LONG v_shift);
    int SetColorProp(int obj_num);
    int SetLineProp(int obj_num);

    // Slots.
    int MoveObject(LONG x_pos, LONG y_pos) override;
    int MoveStart(LONG x_pos, LONG y_pos) override;
    int& BoderFlag() override { return wrt_flag; }
    int BoderFlag() const override { return wrt_flag; }
    int MoveEnd(LONG x_pos, LONG y_pos, int mv_state) override;
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twips_rect) override;
    int MoveObjectOutClient() override;
    int ObjectHScroll(LONG h_scroll) override;
    int ObjectVScroll(LONG v_scroll) override;
    int ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll) override;
    int ReDraw(HDC hdc, unsigned long wr_mode, int) override;
    int PrintObject(HDC hdc_to_printer, int wr_mode) override;
    int WriteImageToDC(HDC target_hdc, LONG zoom_val, unsigned long wr_mode) override;

private:
    // The part under the mouse becomes the selected one (the box itself: none inside).
    int Select_At(LPARAM lParam, int* curs_state, bool clear_when_missed);
    // A row's height in pixels for a name of text_height pixels.
    LONG RowHeight(LONG text_height, int obj_num) const;
    // Moves a part by (dx, dy) twips.
    static void Shift_Part(MoveFrame* part, LONG dx, LONG dy, LONG h_shift, LONG v_shift);
    // The parts now sit relative to the box's current corner.
    void SyncOrigin();
    void ClearInnerSelection();

    tagPOINT vir_frame;
    int show_flag = 0;
    int wrt_flag = 0;
    GListLnLink grp_link;
    TtlLnLink ttl_link;
    GrpLnLink* source_link;
    int dtitle_num = 0;
    MoveFrame* selectobj = nullptr;
    // The box's twip corner the parts were last placed against.
    tagPOINT part_origin;
};
