// Line and marker properties of a data series (and of its legend sample), with the
// dialog "LINPROPDLG" that edits them together with the series' marker interval.
#pragma once

#include "platform/dialog.h"
#include "platform/gdi.h"

class LineProp {
public:
    // Marker types: 0 line only, 1 line and markers, -1 markers only.
    LineProp(HWND h_Wnd = nullptr, unsigned int style = PS_SOLID, LONG line_size = 1,
             LONG mrk_kind = 0, LONG rd_size = 3);

    unsigned int PutLineStyle() const { return pen_style; }
    LONG PutLineSize() const { return pen_size; }
    LONG PutMarker() const { return marker_type; }
    LONG PutRadius() const { return pen_radius; }
    void SetPenStyle(unsigned int style) { pen_style = style; }
    void SetPenSize(LONG size) { pen_size = size; }
    void SetMarker(LONG kind) { marker_type = kind; }
    void SetPenRadius(LONG radius) { pen_radius = radius; }
    HWND PutWindow() const { return h_pWnd; }

    // Runs the dialog on these values and *line_mrkdev; 1 when the user confirmed valid
    // values (they are taken), 0 otherwise (nothing changes).
    int ShowLinePropDlg(LONG* line_mrkdev);

private:
    HWND h_pWnd;
    unsigned int pen_style;
    LONG pen_size;
    LONG marker_type;
    LONG pen_radius;
    HINSTANCE h_pInst;
};

// Control ids of "LINPROPDLG".
enum : int {
    IDC_LINE_WIDTH = 4010,
    IDC_LINE_WIDTH_LABEL = 4020,
    IDC_MARKER_SIZE = 4030,
    IDC_MARKER_SIZE_LABEL = 4040,
    IDC_MARKER_INTERVAL = 4050,
    IDC_MARKER_INTERVAL_LABEL = 4060,
    IDC_LINE_STYLE_GROUP = 4070,
    IDC_STYLE_SOLID = 4080,
    IDC_STYLE_DOT = 4090,
    IDC_STYLE_DASHDOT = 4100,
    IDC_SELECT_LINE = 4110,
    IDC_SELECT_MARKER = 4120,
};

const DialogTemplate& LineProp_Template();
INT_PTR LinePropDlgProc(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);
