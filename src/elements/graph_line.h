// One data series of the plot area (or one grid line): its points, their pixel positions
// on the plot area's bitmap, line and marker properties, colours and name; and the list
// of series that owns them.
#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "data/point_array.h"
#include "data/point_date.h"
#include "elements/line_prop.h"
#include "frames/color_set.h"
#include "platform/doc_stream.h"

// Draws a polyline through points, leaving the pen up across gap points (a coordinate
// equal to the gap value): the next point that is not a gap starts a new polyline.
void Draw_GapPolyline(HDC hdc, const tagPOINT* points, int count);
bool Is_GapPoint(const tagPOINT& point);

class GraphLine {
public:
    // A data series: the points are copied and placed with TransDate.
    GraphLine(HWND h_Vwin, const PointArray* the_date, PointDbl strat_point, PointDbl trfc_point,
              const char* new_lett, int x_axisnum, int y_axisnum);
    // The same with the series' points moved in (a million points are not copied).
    GraphLine(HWND h_Vwin, PointArray&& the_date, PointDbl strat_point, PointDbl trfc_point,
              const char* new_lett, int x_axisnum, int y_axisnum);
    // A line given in pixels (grid lines).
    GraphLine(HWND h_Vwin, const PointDate* the_date, const char* new_lett, int x_axisnum,
              int y_axisnum);
    GraphLine(const GraphLine&) = delete;
    GraphLine& operator=(const GraphLine&) = delete;

    // strat_point: x at the left edge and y at the top edge of the plot area;
    // trfc_point: pixels per data unit in x and y.
    int TransDate(PointDbl strat_point, PointDbl trfc_point);
    int DrawLine(HWND hwnd, HDC hdc);
    int DrawLineO(HWND hwnd, HDC hdc);
    int DrawCircle(HWND hwnd, HDC hdc);

    int ChangeColor() { return color_set.ShowColorDlg(); }
    int ChangePntColor() { return color_set.ShowPntColorDlg(); }
    int ChangeLineProp() { return line_prop.ShowLinePropDlg(&mrk_dev); }

    // A copy of the name (none for null); 0 when the name does not fit the series.
    int SetDateTitle(const char* new_lett);
    const char* PutDateTitle() const { return date_on_graph.PutTheName(); }
    void SetRGBdata(COLORREF color) { color_set.SetRGBdata(color); }
    int& HoriAxis() { return horiaxis_num; }
    int& VerAxis() { return veraxis_num; }
    int PutDateNum() const { return date_on_virwin.GetArraySize(); }
    int PutUsbFlag() const { return useabl_flag; }
    LineProp* LineInfo() { return &line_prop; }
    ColorSet* ColorInfo() { return &color_set; }
    PointDate* PutPointDate() { return &date_on_virwin; }
    PointArray* PutPointArray() { return &date_on_graph; }
    LONG& MarkerDev() { return mrk_dev; }

    // The series record of the document file: name (CP932; "0" for none), points, marker
    // kind, line colour, style and width, marker colour and radius. 0 when the name cannot
    // be written in CP932.
    int PrintDateToFile(DocWriter* h_File);

    static void SetDefMrkdev(LONG defnum);
    static LONG PutDefMrkdev();

    // Printing: each point in printer dots inside gview_onprt with the start values and
    // factors indexed by axis number; gaps stay gaps. 0 when poson_prnt is too small.
    int TransDataOnPnt(PointDate* poson_prnt, const tagRECT* gview_onprt, const double* strat_point,
                       const double* trfc_point);
    int PrintLine(HDC hdc_to_printer, const tagRECT* gview_onprt, const double* strat_point,
                  const double* trfc_point);
    // Draws the pixel-form line moved by the printer rectangle's corner and scaled.
    int PrintPixelLine(HDC hdc_to_printer, const tagRECT* gview_onprt);
    int PrintLineO(HDC hdc_to_printer, PointDate* points);
    int PrintCircle(HDC hdc_to_printer, PointDate* points);

private:
    int DrawPolyline(HDC hdc, PointDate* points, LONG width);
    int DrawMarkers(HDC hdc, PointDate* points, LONG radius);

    int useabl_flag = 0;
    PointDate date_on_virwin;
    PointArray date_on_graph;
    int horiaxis_num;
    int veraxis_num;
    LineProp line_prop;
    ColorSet color_set;
    LONG mrk_dev;
};

class GrpLnLink {
public:
    explicit GrpLnLink(HWND h_Wnd = nullptr) : h_grpWin(h_Wnd) {}
    void SetWinHandle(HWND h_Wnd) { h_grpWin = h_Wnd; }
    // Appends at the end; the list owns the series.
    void Append(std::unique_ptr<GraphLine> line);
    // The series, or after the out-of-range message the first one (null when empty).
    GraphLine* Array(short number) const;
    // Unlinks and deletes; an index outside the list does nothing (0).
    int Remove(short number);
    void Clear() { lines.clear(); }
    // Draws series start ... end; nothing after the out-of-range message.
    int Draw(short start, short end, HDC hdc_Vir);
    int DrawAll(HDC hdc_Vir);
    int ChangeColor(short number);
    int ChangePntColor(short number);
    int ChangeLineProp(short number);
    short PutElementNum() const { return static_cast<short>(lines.size()); }
    // The count without the 16-bit field's limit.
    size_t Count() const { return lines.size(); }
    int PrintAllObj(const tagRECT* gview_onprt, const double* strat_point, const double* trfc_point,
                    HDC hdc_to_printer);

    // The series of the document file: the total count, then the four groups (bottom,
    // left), (bottom, right), (top, left), (top, right), each its count and its series.
    // 0 when a series cannot be written.
    int PrintDateDivide(DocWriter* h_File) const;
    int PrintGData(DocWriter* h_File, short num_element, GraphLine** target_obj) const;
    // The series as a CSV table (name and a blank per series, then x, y per point).
    int PrnGraphTableData(std::ostream& output) const;

private:
    bool InRange(int number) const {
        return number >= 0 && number < static_cast<int>(lines.size());
    }
    void OutOfRange() const;

    HWND h_grpWin;
    std::vector<std::unique_ptr<GraphLine>> lines;
};
