#include "shell/printing.h"

#include <cmath>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QByteArray>
#include <QPdfWriter>
#include <QFile>
#include <QImage>
#include <QBuffer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <memory>

#include "platform/file_replace.h"
#include "platform/message_box.h"
#include "platform/qt/qt_gdi.h"
#include "platform/qt/widget_window.h"
#include "shell/paper_dialogs.h"

namespace {

int stop_prnt = 0;
const char kPrintFailed[] = "印刷に失敗しました";

bool Ends_Svg(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char tail[16] = {};
    const bool read = std::fseek(file, -7, SEEK_END) == 0 && std::fread(tail, 1, 7, file) == 7;
    std::fclose(file);
    return read && std::string(tail).find("</svg>") != std::string::npos;
}

// The printer chosen last: the dialog offers it again.
QPrinter& Kept_Printer() {
    static QPrinter printer(QPrinter::HighResolution);
    static bool set_up = false;
    if (!set_up) {
        set_up = true;
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setFullPage(true);
        printer.setDocName(PRINT_DOCUMENT_NAME);
    }
    return printer;
}

bool Draw_Page(GraphOnWin* graph, QPainter* painter, int dpi_x, int dpi_y,
               ABORTPROC abort = nullptr) {
    HDC hdc = Create_PainterDC(painter, dpi_x, dpi_y);
    if (hdc == nullptr) return false;
    if (abort != nullptr) SetAbortProc(hdc, abort);
    graph->PrintObject(hdc, SRCAND);
    DeleteDC(hdc);
    return true;
}

// The cancel dialog "PRNTSTOP": ｷｬﾝｾﾙ, Escape and its close box all end it.
class PrintStopDialog : public QDialog {
public:
    explicit PrintStopDialog(QWidget* owner) : QDialog(owner) {
        setWindowTitle(" ");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(
            new QLabel(QString::fromUtf8("キャンセルボタンで印刷を中止します"), this));
        auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), this);
        layout->addWidget(cancel);
        QObject::connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    }
    void reject() override {
        PrntStopProc(this, IDCANCEL);
        QDialog::reject();
    }
};

}  // namespace

int Check_PrintSize(LONG paperWidth, LONG paperLength, int direction) {
    LONG width = 0, length = 0;
    if (direction == 1) {
        width = PAPER_WIDTH / 10;
        length = PAPER_HEIGHT / 10;
    } else if (direction == 2) {
        width = PAPER_HEIGHT / 10;
        length = PAPER_WIDTH / 10;
    } else {
        MessageBoxA(nullptr, "印刷方向が無効です", "print direction undefined ", MB_OK);
        return 0;
    }
    if (paperWidth != width || paperLength != length) {
        MessageBoxA(nullptr, "印刷用紙サイズが指定用紙サイズと一致しません", "unprintable size ",
                    MB_OK);
        return 0;
    }
    return 1;
}

int Check_PrintDirection(bool landscape, int direction) {
    if (direction == 1 && landscape) {
        MessageBoxA(nullptr, "印刷方向を縦にしてから印刷してください", "change print direction",
                    MB_OK);
        return 0;
    }
    if (direction != 1 && !landscape) {
        MessageBoxA(nullptr, "印刷方向を横にしてから印刷してください", "change print direction",
                    MB_OK);
        return 0;
    }
    return 1;
}

int Check_Printer(const QPrinter& printer, int direction) {
    // The paper in portrait terms (width the short side), from the page layout: paper
    // width and length fields may be 0 on some printers.
    const QSizeF size = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    const LONG short_side =
        static_cast<LONG>(std::lround(std::min(size.width(), size.height()) * 10.0));
    const LONG long_side =
        static_cast<LONG>(std::lround(std::max(size.width(), size.height()) * 10.0));
    if (!Check_PrintSize(short_side, long_side, direction)) return 0;
    return Check_PrintDirection(printer.pageLayout().orientation() == QPageLayout::Landscape,
                                direction);
}

int PrntStopProc(QDialog* dialog, int command) {
    if (command != IDCANCEL) return 0;
    stop_prnt = 1;
    if (dialog != nullptr) dialog->hide();
    return 1;
}

int AbortProc(HDC, int) {
    // The cancel dialog answers while the page is drawn.
    QApplication::processEvents();
    return stop_prnt == 0 ? 1 : 0;
}

int Print_Stopped() { return stop_prnt; }

std::unique_ptr<QDialog> Create_PrintStopDialog(QWidget* owner) {
    stop_prnt = 0;
    return std::make_unique<PrintStopDialog>(owner);
}

int Print_Pages(GraphOnWin* graph, QPrinter* printer, int copies) {
    // The pages are copied here: the printer makes one copy of each.
    printer->setCopyCount(1);
    printer->setFullPage(true);
    QPainter painter;
    if (!painter.begin(printer)) return 0;
    const int dpi = printer->resolution();
    bool ok = true;
    for (int page = 0; page < copies; ++page) {
        if (page > 0 && !printer->newPage()) {
            ok = false;
            break;
        }
        Draw_Page(graph, &painter, dpi, dpi, AbortProc);
        AbortProc(nullptr, 0);
        if (stop_prnt) {
            printer->abort();
            break;
        }
    }
    return painter.end() && ok ? 1 : 0;
}

QPrinter* MakeDC_FromPrntDlg2(HWND hwnd, int* copies, int direction) {
    QPrinter& printer = Kept_Printer();
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, Owner_Widget(hwnd));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    *copies = printer.copyCount() > 0 ? printer.copyCount() : 1;
    if (!Check_Printer(printer, direction)) return nullptr;
    return &printer;
}

int GrpOnWin_To_Printer(HWND hwnd, HINSTANCE, GraphOnWin* graph) {
    if (graph == nullptr) return 0;
    int copies = 1;
    QPrinter* printer = MakeDC_FromPrntDlg2(hwnd, &copies, 2);
    if (printer == nullptr) return 0;
    return Print_OnPrinter(graph, printer, copies, Owner_Widget(hwnd));
}

int Print_OnPrinter(GraphOnWin* graph, QPrinter* printer, int copies, QWidget* owner) {
    // The main window and the formula dialog wait while the cancel dialog is up.
    std::unique_ptr<QDialog> dialog = Create_PrintStopDialog(owner);
    QDialog& stop = *dialog;
    QWidget* main = owner != nullptr ? owner->window() : nullptr;
    QWidget* input = Owner_Widget(g_mhDlg);
    if (main) main->setEnabled(false);
    if (input) input->setEnabled(false);
    stop.setEnabled(true);
    stop.show();
    stop.activateWindow();
    printer->setDocName(PRINT_DOCUMENT_NAME);
    // Printed to a file: written beside it and put in place only when the print ran to the
    // end, so a stopped print leaves no half-drawn file and the old one whole.
    const QString chosen_file = printer->outputFileName();
    ReplacingFile file;
    bool file_ok = true;
    if (!chosen_file.isEmpty()) {
        file_ok = file.Begin(chosen_file.toStdString());
        if (file_ok) printer->setOutputFileName(QString::fromStdString(file.TemporaryPath()));
    }
    int printed = file_ok ? Print_Pages(graph, printer, copies) : 0;
    if (!chosen_file.isEmpty()) {
        printer->setOutputFileName(chosen_file);
        if (printed && !stop_prnt && !file.Commit()) printed = 0;
    }
    stop.hide();
    if (input) input->setEnabled(true);
    if (main) {
        main->setEnabled(true);
        main->activateWindow();
    }
    if (!printed && !stop_prnt) {
        MessageBoxA(nullptr, kPrintFailed, "print error", MB_OK);
        return 0;
    }
    return 1;
}

int Print_ToPdf(GraphOnWin* graph, const std::string& path) {
    if (graph == nullptr) return 0;
    ReplacingFile file;
    if (!file.Begin(path)) {
        MessageBoxA(nullptr, kPrintFailed, "print error", MB_OK);
        return 0;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.TemporaryPath()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(true);
    printer.setDocName(PRINT_DOCUMENT_NAME);
    if (!Check_Printer(printer, 2)) return 0;
    stop_prnt = 0;
    if (!Print_Pages(graph, &printer, 1) || !file.Commit()) {
        MessageBoxA(nullptr, kPrintFailed, "print error", MB_OK);
        return 0;
    }
    return 1;
}

namespace {
// A4 landscape for the vector copies, at a fixed 600 dots per inch: 297 x 210 mm.
constexpr int kVectorDpi = 600;
int Sheet_Width() { return static_cast<int>(std::lround(297.0 / 25.4 * kVectorDpi)); }
int Sheet_Height() { return static_cast<int>(std::lround(210.0 / 25.4 * kVectorDpi)); }

// The sheet as SVG onto an open device, drawn as printing draws it.
bool Write_Svg(GraphOnWin* graph, QIODevice* out) {
    const int width = Sheet_Width(), height = Sheet_Height();
    QSvgGenerator svg;
    svg.setOutputDevice(out);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(kVectorDpi);
    svg.setTitle("Plotari");
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    Draw_Page(graph, &painter, kVectorDpi, kVectorDpi);
    return painter.end();
}
}  // namespace

int Print_ToSvg(GraphOnWin* graph, const std::string& path) {
    if (graph == nullptr) return 0;
    ReplacingFile file;
    if (!file.Begin(path)) {
        MessageBoxA(nullptr, "SVGファイルの書き込みに失敗", "fail svg file", MB_OK);
        return 0;
    }
    bool written = false;
    {
        QFile out(QString::fromStdString(file.TemporaryPath()));
        written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) && Write_Svg(graph, &out) &&
                  out.flush();
    }
    // The generator says nothing of a failed write: the file's end tells.
    const bool whole = written && Ends_Svg(file.TemporaryPath());
    if (!whole || !file.Commit()) {
        MessageBoxA(nullptr, "SVGファイルの書き込みに失敗", "fail svg file", MB_OK);
        return 0;
    }
    return 1;
}

QImage Sheet_AtResolution(GraphOnWin* graph, int dpi) {
    if (graph == nullptr || dpi < kMinPictureDpi || dpi > kMaxPictureDpi) return QImage();
    const int width = static_cast<int>(std::lround(297.0 / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(210.0 / 25.4 * dpi));
    QImage sheet(width, height, QImage::Format_RGB32);
    if (sheet.isNull()) return sheet;  // no memory for it
    sheet.fill(Qt::white);
    const int per_meter = static_cast<int>(std::lround(dpi / 0.0254));
    sheet.setDotsPerMeterX(per_meter);
    sheet.setDotsPerMeterY(per_meter);
    QPainter painter;
    if (!painter.begin(&sheet)) return QImage();
    Draw_Page(graph, &painter, dpi, dpi);
    painter.end();
    return sheet;
}

bool Sheet_AsSvg(GraphOnWin* graph, QByteArray* svg) {
    svg->clear();
    if (graph == nullptr) return false;
    QBuffer buffer(svg);
    return buffer.open(QIODevice::WriteOnly) && Write_Svg(graph, &buffer) &&
           svg->trimmed().endsWith("</svg>");
}

bool Sheet_AsPdf(GraphOnWin* graph, QByteArray* pdf) {
    pdf->clear();
    if (graph == nullptr) return false;
    QBuffer buffer(pdf);
    if (!buffer.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(kVectorDpi);
        writer.setTitle(PRINT_DOCUMENT_NAME);
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        Draw_Page(graph, &painter, kVectorDpi, kVectorDpi);
        if (!painter.end()) return false;
    }
    return pdf->startsWith("%PDF-");
}
