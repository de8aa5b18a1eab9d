// The graph document: the one object on the paper that owns every element of a graph and
// builds them from sampled data. The first data set composes a whole graph (plot area,
// axes with tick and number frames, titles, legend); later ones are added to it, an axis
// only growing to cover new data.
#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "axes/axis_frame.h"
#include "axes/axis_tick.h"
#include "data/array_cls.h"
#include "data/grp_date2d.h"
#include "elements/glist_frame.h"
#include "elements/graph_view.h"
#include "elements/title_on_win.h"
#include "frames/font_set.h"
#include "frames/move_frame.h"

// Plot area used when the caller gives none, in hundredths of a millimetre on the paper.
constexpr LONG DEF_VIEW_LEFT = 7000;
constexpr LONG DEF_VIEW_TOP = 5000;
constexpr LONG DEF_VIEW_RIGHT = 22500;
constexpr LONG DEF_VIEW_BOTTOM = 18000;

// The property arrays made for a new data set that brings none; they live while its
// series are added.
struct DefaultProps {
    std::unique_ptr<ArrayCls<int>> mrk_kind, mrk_size, data_style, data_size;
    std::unique_ptr<ArrayCls<COLORREF>> mrk_color, data_color;
};
// Each null marker array (kind, colour, radius) is replaced by n defaults: kind 0, colour
// Defalt_Color(current + i), radius 3. The arrays given are only read.
void SetDefaultMark(int n, int current, ArrayCls<int>** mrk_kind, ArrayCls<COLORREF>** mrk_color,
                    ArrayCls<int>** mrk_size, DefaultProps* made);
// Likewise the line arrays: pen style 0 (solid), colour Defalt_Color(current + i), width 1.
void SetDefaultLnProp(int n, int current, ArrayCls<COLORREF>** data_color,
                      ArrayCls<int>** data_style, ArrayCls<int>** data_size, DefaultProps* made);
// The current label values of an axis's number frame.
void CopyToArrayCls(AxisFrame* frame, ArrayCls<double>* values);

// Opening and saving a document tell the installed hook how far they are: 0 as they start,
// 1 as they end (whatever the outcome), fractions between for a large document; writing
// says whether it is a save. A hook that answers false abandons the opening (the graph stays
// as it was) or the save (the file stays as it was); no message is shown for it.
using FileProgressHook = std::function<bool(double done, bool writing)>;
void Set_FileProgressHook(FileProgressHook hook);

class GraphOnWin final : public MoveFrame {
public:
    GraphOnWin(HWND h_pWnd, LONG left_pos, LONG top_pos, LONG win_width, LONG win_height,
               tagRECT* view_rect, LONG h_shift, LONG v_shift, int zoom_val,
               const int* axisflag_array, const char* const* ax_title, const char* date_title,
               GrpDate2D* grp_date, ArrayCls<int>* mrk_kind, const char* dsource_file);
    ~GraphOnWin();

    // The formula side's entry: composes a new graph, or adds to the one there is.
    int AddNewGraphDate(GrpDate2D* grp_date, const int* axisflag_array, tagRECT* view_rect,
                        LONG h_shift, LONG v_shift, ArrayCls<int>* mrk_kind,
                        ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                        ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                        ArrayCls<int>* mrk_size, int x_divnum, int y_divnum,
                        const char* const* ax_title, const char* date_title, FontSet* font_set,
                        const char* dsource_file);
    int CreateNewGraph(GrpDate2D* grp_date, tagRECT* view_rect, LONG h_shift, LONG v_shift,
                       const int* axisflag_array, const char* const* ax_title,
                       const char* date_title, ArrayCls<int>* mrk_kind,
                       ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                       ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                       ArrayCls<int>* mrk_size, int x_divnum, int y_divnum,
                       const char* dsource_file);
    int DateSetToGraph(GrpDate2D* grp_date, const int* axisflag_array, tagRECT* view_rect,
                       LONG h_shift, LONG v_shift, int zoom_val, const char* const* ax_title,
                       const char* date_title, ArrayCls<int>* mrk_kind,
                       ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                       ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                       ArrayCls<int>* mrk_size, int x_divnum, int y_divnum);
    // 1 added; -1 the horizontal, -2 the vertical axis could not be created; 0 nothing.
    int AddGraphLine(GrpDate2D* grp_date, ArrayCls<int>* mrk_kind, ArrayCls<COLORREF>* data_color,
                     ArrayCls<int>* data_style, ArrayCls<int>* data_size,
                     ArrayCls<COLORREF>* mrk_color, ArrayCls<int>* mrk_size,
                     const int* axisflag_array, const char* const* ax_title, int x_divnum,
                     int y_divnum, LONG h_shift, LONG v_shift, FontSet* font_set);

    // The steps of composition and addition.
    int DateAnalysis(GrpDate2D* grp_date, int x_divnum, int y_divnum, ArrayCls<double>* x_array,
                     ArrayCls<double>* y_array);
    int AddDateAnalysis(GrpDate2D* grp_date, int ux, int uy, int x_divnum, int y_divnum,
                        ArrayCls<double>* x_array, ArrayCls<double>* y_array);
    static void CalcDateMaxMin(GrpDate2D* grp_date, double* x_min, double* x_max, double* y_min,
                               double* y_max);
    int CreateAxisData(int axis, double* min_value, double* max_value, int divnum,
                       ArrayCls<double>* values);
    static void CreateAxisArray(double min_value, double div_value, int div_num,
                                ArrayCls<double>* values);
    int CreateAxisObject(tagRECT* view_rect, ArrayCls<double>* values[4], LONG h_shift,
                         LONG v_shift, int zoom_val);
    int AddAxisObject(int axis, tagRECT* view_rect, ArrayCls<double>* values, LONG h_shift,
                      LONG v_shift, int zoom_val);
    int AddGraphForNewAxis(int axis, ArrayCls<double>* values, LONG h_shift, LONG v_shift,
                           const char* title, FontSet* font_set);
    int AddAxisTitle(int axis, const char* title, LONG h_shift, LONG v_shift, FontSet* font_set);
    int ChangeGraphObjForNum(int axis, ArrayCls<double>* values, LONG h_shift, LONG v_shift);
    int ChngObjPosForAFchng(int obj_num, tagRECT* view_rect, LONG h_shift, LONG v_shift);
    int ChngViewFrame(tagRECT* rect, LONG h_shift, LONG v_shift);
    void SetAxisTitle(const char* const* ax_title, LONG h_shift, LONG v_shift, int zoom_val,
                      FontSet* font_set);
    int CreateAxisTitle(int add_index, const char* set_title, LONG h_shift, LONG v_shift,
                        int zoom_val, FontSet* font_set);
    int CreateGraphTitle(const char* title_lett, LONG h_shift, LONG v_shift, int zoom_val,
                         FontSet* font_set);
    tagRECT CalForTltFrame(tagRECT graph_rect) const;
    void CalcViewTickRect(tagRECT* result, int flag) const;
    void SetAxisFlag(const int* axisflag_array);
    static const char* SetDefAxTitle(int axis);
    // Appends a line for each series of the data set. The set is made for the call: its points
    // move into the lines and it is left without them.
    void AddNewGrpDate(GrpDate2D* target_date, PointDbl start_point, PointDbl trfc_point,
                       ArrayCls<int>* mrk_kind, ArrayCls<COLORREF>* data_color,
                       ArrayCls<int>* data_style, ArrayCls<int>* data_size,
                       ArrayCls<COLORREF>* mrk_color, ArrayCls<int>* mrk_size, int x_axisnum,
                       int y_axisnum);
    // The line and marker properties of an appended series, with its name (null: none).
    void AddInfGrpLine(GraphLine* line, COLORREF color, int pen_style, int pen_width,
                       const char* name);
    void AddInfGrpMark(GraphLine* line, COLORREF color, int marker_kind, int radius,
                       const char* name);
    // The gap above the plot for the graph title: 10 pixels, plus the top title's height.
    LONG GraphTitleGap() const;

    void AllTitleShow();
    void DeleteAllObject();
    int GetSelObjectKind() const;
    // Every element's bitmap copied into target_hdc at the zoom, in drawing order.
    int WriteImageOfGraph(HDC target_hdc, LONG zoom_val, unsigned long wr_mode);

    int RsinfoFlag() const override { return sinfo_flag; }
    void SetModified(int flag) { sinfo_flag = flag; }
    tagRECT PutViewRect() const;

    // Selecting and dragging with the mouse (graph_on_win_mouse.cpp). Positions are packed
    // as window messages carry them (x in the low 16 bits, y in the high 16 bits).
    int CatchOnObject(LPARAM lParam, MoveFrame** the_target);
    int CatchOnObject2(LPARAM lParam, MoveFrame** the_target);
    int Handle_To_LMouseDown(LPARAM lParam, int* cur_state);
    int Handle_To_RMouseDown(LPARAM lParam);
    // The tick frame of an axis becomes the selected element, as a click on it selects it
    // (the axis dialog's element); 0 during a drag or without that axis.
    int SelectAxisTicks(int axis);
    int Handle_To_MouseMove(HWND hWnd, LPARAM lParam, int* mspart_win, int* cur_state);
    int MouseMove_NoBdown(LPARAM lParam, int* cur_state);
    int Handle_To_LButtonUp(HWND hWnd, LPARAM lParam, int* mspart_win, int* cur_state);
    // A drag that lost the mouse (focus gone, another button, a message box) ends like a
    // release outside the window. 1 when a drag was cancelled.
    int CancelDrag(HWND hWnd, int* mspart_win, int* cur_state);
    bool Dragging() const { return drag_active; }
    // The rubber bands of the drag in progress, drawn (XOR) on a window context.
    void DrawDragBands(HDC hdc);
    int AdjPosForWinSizeChng(LONG shift_h, LONG shift_v);
    int StSctrnsChgATick(tagRECT* new_rect, tagRECT* graph_rect, LONG h_shift, LONG v_shift,
                         int the_number);

    // Slots.
    int& BoderFlag() override;
    int BoderFlag() const override;
    int ObjectHScroll(LONG h_scroll) override;
    int ObjectVScroll(LONG v_scroll) override;
    int ChangeMag(LONG zoom_val, LONG h_scroll, LONG v_scroll) override;
    int MoveObjectWithOutMouse(tagRECT* new_rect, LONG h_shift, LONG v_shift) override;
    int MoveObjectToPoint(tagRECT* new_rect) override;
    int MoveObjectToPoint2(tagRECT* new_rect, tagRECT* twip_rect) override;
    int ReDraw(HDC win_dc, unsigned long wr_mode, int the_timer) override;
    // Editing the selected element (the graph menu and the pop-up menus). Each checks that
    // the right kind of element is selected and sets the modified flag when it changed one.
    int ChangeTitleFont(LONG h_shift, LONG v_shift);
    int ChangeTitleCont(HINSTANCE p_Inst, LONG h_shift, LONG v_shift);
    int ChangeAxisTick(HINSTANCE p_Inst, LONG h_shift, LONG v_shift);
    int ChangeNumATick(AxisTick* tick, LONG h_shift, LONG v_shift);
    int ChangeOutATick(AxisTick* tick, LONG h_shift, LONG v_shift);
    // The axis's ticks and numbers take low ... high by step (the numbers made anew, the
    // series mapped again): 1; 0 when the number frame refuses them, the old range kept.
    int TakeAxisRange(AxisTick* tick, double low, double high, double step, LONG h_shift,
                      LONG v_shift);
    // ChangeNumATick for values already in the tick frame, or the old values put back.
    int NumbersOrOldRange(AxisTick* tick, double old_low, double old_high, double old_step,
                          LONG h_shift, LONG v_shift);
    int NewAxisValue(int index, ArrayCls<double>* XArray) const;
    int SetGridFlag();
    int ChngAxFrameFont(LONG h_shift, LONG v_shift);
    int ChngAxFrameNumStyle(LONG h_shift, LONG v_shift);
    int GlfSwitchDsp();
    int DateChangeColor();
    int DateChangeMarkColor();
    int DateChangeProp();
    int LineDelete(LONG h_shift, LONG v_shift);
    int DateChangeFont(LONG h_shift, LONG v_shift);
    int DateChangeCont(HINSTANCE p_Inst, LONG h_shift, LONG v_shift);

    // The whole graph on a printer page: plot area with series and grid lines first (the
    // page is whitened around it), then the graph title, each axis's ticks, labels and
    // title, and the legend.
    int PrintObject(HDC hdc_to_printer, int) override;
    // Printer scales (dots per data unit) and origins by axis for the series.
    void CalcForGraphPrint(HDC hdc_to_printer, double* scales, double* origins) const;

    // The document file. Save: 1 saved; 0 nothing to save; -1 nothing changed; -2 the file
    // cannot be written (or a text or count cannot be stored); -3 cancelled.
    int SaveGraphToFile();
    int SaveGraphToNewFile();
    // Open: 1 read or cancelled; 0 not a readable graph file; -1 the file cannot be opened;
    // -3 the save the user asked for first did not happen (nothing opened).
    int OpenFileToGraph(LONG h_shift, LONG v_shift);
    // A document dropped on the window: the save question of 開く, then the file; -3 when a
    // save the user asked for failed (nothing is opened then).
    int OpenDroppedFile(const std::string& path, LONG h_shift, LONG v_shift);
    // Reads the file at path into the document (the graph stays unless all of it reads).
    int OpenGraphFile(const std::string& path, LONG h_shift, LONG v_shift);
    // The document as its file would hold it (empty for a paper without a graph); false when
    // it cannot be written (after the save's message).
    // keeps_utf8: the undo history's copy, whose texts need not fit CP932.
    bool DocumentBytes(std::string* bytes, bool keeps_utf8 = false);
    // What the user sees that the document file does not hold: grid lines, marker intervals,
    // the legend's place, rows, fonts and whether it is shown (empty without a graph; false
    // when it cannot be kept); and that state put back over the same document.
    bool ViewState(std::string* state) const;
    // True when every frame's place and size and every axis scale are within what the
    // document file is read with (with_legend: the legend too, which undo keeps).
    bool FitsItsFile(bool with_legend);
    // A legend that lay across the plot area's width before it grew for a longer name is
    // moved left by what it grew past the plot's right edge (as far as the plot's left edge
    // allows), so the plot's frame never runs through a name. before: its twips then.
    void KeepLegendInPlot(const tagRECT& before, LONG h_shift, LONG v_shift);
    // A frame let go after a drag is moved back until a part of it is on the paper.
    void KeepNearPaper(MoveFrame* frame);
    bool RestoreViewState(const std::string& state, LONG h_shift, LONG v_shift);
    // The graph replaced by a document's bytes (empty: no graph), as opening replaces it; 1
    // when read, 0 (the graph untouched) when the bytes are not a whole document, -3 (the
    // graph untouched) when the progress answered false. The file name and the modified
    // flag are the caller's.
    int ReplaceFromBytes(const unsigned char* data, size_t size, const std::string& name,
                         LONG h_shift, LONG v_shift, WorkProgress progress = nullptr,
                         bool keeps_utf8 = false);
    int ReplaceFromReader(DocReader* reader, const std::string& name, LONG h_shift, LONG v_shift);
    // Saves under path (the chosen name of Save As), even when nothing changed, keeping the
    // old name on failure.
    int SaveGraphAs(const std::string& path);
    // Writes the document to path: 1, or -2 / -3 after the writer's message or a cancel.
    int WriteToFile(const std::string& path);
    // Reads a whole file's bytes into this (empty) document.
    int GraphSetFromFile(DocReader* h_File, const char* dsource_file, LONG h_shift, LONG v_shift);
    int ReadDataDivide(DocReader* h_File, const int* axisflag_array, LONG h_shift, LONG v_shift);
    int SetGraphFromFile(GrpDate2D* date, const int* axisflag_array, ArrayCls<int>* mrk_kind,
                         ArrayCls<COLORREF>* data_color, ArrayCls<int>* data_style,
                         ArrayCls<int>* data_size, ArrayCls<COLORREF>* mrk_color,
                         ArrayCls<int>* mrk_size);
    // The whole document as the file stores it; 0 after a message when something cannot
    // be stored (a text CP932 cannot hold, too many series).
    int WriteDocument(DocWriter* h_File);
    // The series as a CSV table.
    int PrnGraphTableData(std::ostream& output);

    std::unique_ptr<TitleOnWin> title_on_win[5];
    std::unique_ptr<AxisFrame> axis_frame[4];
    std::unique_ptr<AxisTick> axis_tick[4];
    std::unique_ptr<GraphView> graph_view;
    // Declared after the plot area: the legend lists the plot area's series.
    std::unique_ptr<GListFrame> glist_frame;
    int axis_flag[4] = {0, 0, 0, 0};
    void* event_obj = nullptr;
    MoveFrame* selectobject = nullptr;
    int move_flag = 0;
    std::string reference_file;  // the document's file, empty when never saved or opened

private:
    // The element becomes the one selected, the one selected before losing its border.
    void SelectOnly(MoveFrame* target);
    // 1 when there is a graph with changes to save; else 0 or -1 after the message.
    int Savable();
    void Reference_File(const char* dsource_file);
    // The label frame of axis u (in twips) fails to compute: message, composition abandoned.
    void Geometry_Failed();
    bool Exists(int axis) const { return axis >= 0 && axis < 4 && axis_flag[axis] != 0; }

    int wrt_flag = 0;
    bool geometry_failed_ = false;
    bool drag_active = false;  // a left-button press started a drag not yet ended
    bool band_shown = false;   // the drag has drawn its rubber band
};

// The graph document of the program, and the paper's scroll offsets and zoom.
extern GraphOnWin* g_object_array;
extern LONG g_shifth;
extern LONG g_shiftv;
extern int g_zoom_main;

// Makes the document receive what the formula side samples (AddNewGraphDate with the
// current scroll offsets).
void Install_GraphDocumentReceiver();
// 1 when the graph has anything to print or save as a picture: a graph title, an axis, a
// plot area or a legend.
int CanPrint(const GraphOnWin* graph);
// What that receiver does with one request: the sampled series added to the document.
int Hand_ToGraphDocument(struct GraphRequest& request);

// The CSV table of the graph's series into path (1), 0 when it cannot be written.
int Write_GraphTable(GraphOnWin* graph, const std::string& path);
// グラフデータ出力: asks for the file and writes the table; 1 written, 0 not (after a message).
int WriteGraphdata_ToFile(HWND hWnd, GraphOnWin* graph);
