// Printing the paper: the print dialog with its paper check, the page loop with the cancel
// dialog, and the same drawing onto a PDF file or an SVG picture.
#pragma once

#include <string>

#include "document/graph_on_win.h"

class QPaintDevice;
class QPrinter;

// The spooler's name of the document.
inline constexpr char PRINT_DOCUMENT_NAME[] = "graphdraw";

// 1 when the paper (tenths of a millimetre) is the document's paper for the direction
// (1 portrait, 2 landscape), else 0 after a message.
int Check_PrintSize(LONG paperWidth, LONG paperLength, int direction);
// 1 when the orientation fits the direction, else 0 after a message.
int Check_PrintDirection(bool landscape, int direction);
// The paper check of a set-up printer (its page layout, A4 landscape expected).
int Check_Printer(const QPrinter& printer, int direction);
// The graph on copies pages of the device (full page, twips from the paper's corner).
// 1 when printed; 0 when the device could not be painted on.
int Print_Pages(GraphOnWin* graph, QPrinter* printer, int copies);
// 印刷: the print dialog (its choice kept between prints), the paper check, the cancel
// dialog, the pages. 1 when a job ran, 0 when cancelled or refused.
int GrpOnWin_To_Printer(HWND hwnd, HINSTANCE hInst, GraphOnWin* graph);
// The graph as one A4 landscape page of a PDF file, as printing draws it. 1 written.
int Print_ToPdf(GraphOnWin* graph, const std::string& path);
// The paper as an SVG picture (297 x 210 mm), drawn as printing draws it. 1 written.
int Print_ToSvg(GraphOnWin* graph, const std::string& path);
