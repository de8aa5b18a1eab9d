// Printing the paper: the print dialog with its paper check, the page loop with the cancel
// dialog, and the same drawing onto a PDF file or an SVG picture.
#pragma once

#include <memory>
#include <string>

#include <QByteArray>
#include <QImage>

#include "document/graph_on_win.h"

class QDialog;
class QPaintDevice;
class QPrinter;
class QWidget;

// The spooler's name of the document.
inline constexpr char PRINT_DOCUMENT_NAME[] = "graphdraw";

// 1 when the paper (tenths of a millimetre) is the document's paper for the direction
// (1 portrait, 2 landscape), else 0 after a message.
int Check_PrintSize(LONG paperWidth, LONG paperLength, int direction);
// 1 when the orientation fits the direction, else 0 after a message.
int Check_PrintDirection(bool landscape, int direction);
// The paper check of a set-up printer (its page layout, A4 landscape expected).
int Check_Printer(const QPrinter& printer, int direction);
// The cancel dialog's procedure: ｷｬﾝｾﾙ (and Escape or the close box, IDCANCEL) stops the
// print and hides the dialog; 1 when it handled the command.
int PrntStopProc(QDialog* dialog, int command);
// The print's abort procedure: lets waiting events (the cancel dialog) run; 1 to go on,
// 0 once the print was stopped.
int AbortProc(HDC hdc, int code);
// 1 once the running or last print was stopped.
int Print_Stopped();
// The cancel dialog of a new print (nothing stopped yet), not shown.
std::unique_ptr<QDialog> Create_PrintStopDialog(QWidget* owner);
// The print dialog (its choice kept between prints) and the paper check: the printer, or
// null when cancelled or refused; *copies the number of copies chosen.
QPrinter* MakeDC_FromPrntDlg2(HWND hwnd, int* copies, int direction);
// The graph on copies pages of the device (full page, twips from the paper's corner),
// asking AbortProc as it draws. 1 when printed or stopped; 0 when the device failed.
int Print_Pages(GraphOnWin* graph, QPrinter* printer, int copies);
// A chosen printer's job: the cancel dialog over owner, the pages, and for a printer that
// prints to a file, the file put in place only when the print ran to the end. 1 when a job
// ran (or was stopped), 0 after the print error message.
int Print_OnPrinter(GraphOnWin* graph, QPrinter* printer, int copies, QWidget* owner);
// 印刷: the print dialog (its choice kept between prints), the paper check, the cancel
// dialog, the pages. 1 when a job ran, 0 when cancelled or refused.
int GrpOnWin_To_Printer(HWND hwnd, HINSTANCE hInst, GraphOnWin* graph);
// The graph as one A4 landscape page of a PDF file, as printing draws it. 1 written.
int Print_ToPdf(GraphOnWin* graph, const std::string& path);
// The paper as an SVG picture (297 x 210 mm), drawn as printing draws it. 1 written.
int Print_ToSvg(GraphOnWin* graph, const std::string& path);
// The same sheet in memory, for the clipboard: SVG, and a one-page A4 landscape PDF. False
// when it could not be drawn.
bool Sheet_AsSvg(GraphOnWin* graph, QByteArray* svg);
// The whole A4 landscape sheet as a picture of dpi dots per inch, drawn again at that
// resolution as printing draws it (300 dpi: 3508 x 2480 pixels), its resolution recorded in
// it; a null picture for a resolution outside kMinPictureDpi ... kMaxPictureDpi or without
// the memory for it.
constexpr int kMinPictureDpi = 96;
constexpr int kMaxPictureDpi = 600;
QImage Sheet_AtResolution(GraphOnWin* graph, int dpi);
bool Sheet_AsPdf(GraphOnWin* graph, QByteArray* pdf);
