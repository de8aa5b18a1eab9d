// Printing: the paper check, the pages on a PDF printer compared with the screen picture,
// copies, and the SVG picture drawn the same way.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QImage>
#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QXmlStreamReader>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/qt/qt_gdi.h"
#include "platform/recording_message_sink.h"
#include "shell/paper_dialogs.h"
#include "shell/picture_export.h"
#include "shell/printing.h"
#include "shell_app.h"
#include "support/temp_dir.h"

namespace {

std::string Temp_Dir() { return support::Make_TempDir("print"); }

// The document's paper, as the main window sets it at start.
void A4_Landscape() {
    PAPER_WIDTH = 29700;
    PAPER_HEIGHT = 21000;
}

QRect Drawn_Area(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

TEST(Printing, PaperCheckMessages) {
    A4_Landscape();
    const std::string size = "unprintable size : 印刷用紙サイズが指定用紙サイズと一致しません";
    const struct {
        LONG width, length;
        int direction;
        int result;
        std::string message;
    } rows[] = {
        {2100, 2970, 2, 1, ""},
        {2970, 2100, 1, 1, ""},
        {2159, 2794, 2, 0, size},  // Letter
        {2970, 2100, 2, 0, size},  // the sides swapped
        {2100, 2970, 3, 0, "print direction undefined : 印刷方向が無効です"},
    };
    for (const auto& row : rows) {
        RecordingMessageSink boxes;
        EXPECT_EQ(Check_PrintSize(row.width, row.length, row.direction), row.result);
        EXPECT_EQ(boxes.Lines(), row.message.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{row.message});
    }
    // A printer set up as a user would: A4 portrait asks for landscape, Letter is refused
    // with the size message whatever its orientation.
    const struct {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        int result;
        std::string message;
    } printers[] = {
        {QPageSize::A4, QPageLayout::Landscape, 1, ""},
        {QPageSize::A4, QPageLayout::Portrait, 0,
         "change print direction: 印刷方向を横にしてから印刷してください"},
        {QPageSize::Letter, QPageLayout::Landscape, 0, size},
        {QPageSize::Letter, QPageLayout::Portrait, 0, size},
    };
    for (const auto& row : printers) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(row.paper));
        printer.setPageOrientation(row.orientation);
        RecordingMessageSink boxes;
        EXPECT_EQ(Check_Printer(printer, 2), row.result);
        EXPECT_EQ(boxes.Lines(), row.message.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{row.message});
    }
}

TEST(Printing, PdfPageMatchesTheScreenPicture) {
    A4_Landscape();
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const std::string pdf = dir + "/page.pdf";
    ASSERT_EQ(Print_ToPdf(&doc.graph, pdf), 1);
    // Rasterised at the screen's 96 dpi, the frames stand where the screen picture has them.
    QProcess raster;
    raster.start("pdftoppm", {"-r", "96", "-png", "-singlefile", QString::fromStdString(pdf),
                              QString::fromStdString(dir + "/page")});
    ASSERT_TRUE(raster.waitForFinished(30000));
    const QImage page(QString::fromStdString(dir + "/page.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 1123, 1);
    EXPECT_NEAR(page.height(), 794, 1);
    const QImage screen = GetBitmap_ToGraph(&doc.graph, 1122, 793);
    const QRect printed = Drawn_Area(page);
    const QRect shown = Drawn_Area(screen);
    EXPECT_NEAR(printed.left(), shown.left(), 2);
    EXPECT_NEAR(printed.top(), shown.top(), 2);
    EXPECT_NEAR(printed.right(), shown.right(), 2);
    EXPECT_NEAR(printed.bottom(), shown.bottom(), 2);
    // The plot area's frame row: dark along the plot's top edge in both.
    const tagRECT plot = doc.graph.graph_view->PutFrmRect();
    int dark = 0;
    for (int x = plot.left + 5; x < plot.right - 5; ++x) {
        for (int dy = -2; dy <= 2; ++dy) {
            if (qGray(page.pixel(x, plot.top + dy)) < 128) {
                ++dark;
                break;
            }
        }
    }
    EXPECT_GE(dark, (plot.right - plot.left - 10) * 9 / 10);
    remove(pdf.c_str());
    remove((dir + "/page.png").c_str());
    rmdir(dir.c_str());
}

TEST(Printing, CopiesArePagesOnce) {
    A4_Landscape();
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const std::string pdf = dir + "/copies.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setCopyCount(3);  // what the dialog leaves there: the loop makes the copies
    ASSERT_EQ(Print_Pages(&doc.graph, &printer, 3), 1);
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf)});
    ASSERT_TRUE(info.waitForFinished(30000));
    EXPECT_NE(QString(info.readAllStandardOutput()).indexOf(QRegularExpression("Pages:\\s+3\\b")),
              -1);
    remove(pdf.c_str());
    rmdir(dir.c_str());
}

TEST(Printing, SvgIsTheA4PaperWithEveryText) {
    A4_Landscape();
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const std::string path = dir + "/paper.svg";
    ASSERT_EQ(Print_ToSvg(&doc.graph, path), 1);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QXmlStreamReader xml(bytes);
    QString view_box;
    QString width;
    QString texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QStringLiteral("svg")) {
            view_box = xml.attributes().value("viewBox").toString();
            width = xml.attributes().value("width").toString();
        }
        // Text runs are split by script ("関数", "グラフ"): join them.
        if (xml.isCharacters() && !xml.isWhitespace()) texts += xml.text();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(view_box, "0 0 7016 4961");  // 297 x 210 mm at 600 dpi
    EXPECT_TRUE(width.startsWith("297")) << width.toStdString();
    for (int axis : {0, 1}) {
        const AxisFrame* labels = doc.graph.axis_frame[axis].get();
        for (int i = 0; i < labels->PutNumDspObj(); ++i) {
            EXPECT_TRUE(texts.contains(QString::fromUtf8(labels->PutNumStrObj(i)->PutString())))
                << labels->PutNumStrObj(i)->PutString();
        }
    }
    EXPECT_TRUE(texts.contains(QString::fromUtf8("関数グラフ")));
    // The texts name the installed Japanese gothic the screen draws with, not the stored
    // face name no viewer has.
    EXPECT_FALSE(QString::fromUtf8(bytes).contains(QString::fromUtf8("ＭＳ ゴシック")));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains("ipagothic", Qt::CaseInsensitive));
    EXPECT_TRUE(texts.contains(QString::fromUtf8("x*x")));
    remove(path.c_str());
    rmdir(dir.c_str());
}

// The SVG rendered by another program lays the paper out as the screen picture does.
TEST(Printing, RenderedSvgMatchesThePictureLayout) {
    A4_Landscape();
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const std::string svg = dir + "/paper.svg";
    const std::string png = dir + "/paper.png";
    ASSERT_EQ(Print_ToSvg(&doc.graph, svg), 1);
    QProcess render;
    render.start("rsvg-convert", {"-w", "1123", "-h", "794", "-b", "white", "-o",
                                  QString::fromStdString(png), QString::fromStdString(svg)});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage rendered(QString::fromStdString(png));
    ASSERT_FALSE(rendered.isNull());
    const QRect drawn = Drawn_Area(rendered);
    const QRect shown = Drawn_Area(GetBitmap_ToGraph(&doc.graph, 1122, 793));
    EXPECT_NEAR(drawn.left(), shown.left(), 2);
    EXPECT_NEAR(drawn.top(), shown.top(), 2);
    EXPECT_NEAR(drawn.right(), shown.right(), 2);
    EXPECT_NEAR(drawn.bottom(), shown.bottom(), 2);
    remove(svg.c_str());
    remove(png.c_str());
    rmdir(dir.c_str());
}

}  // namespace

namespace {

// ｷｬﾝｾﾙ, Escape and the close box all stop the print, and the abort procedure says so.
TEST(Printing, EveryWayOfClosingTheCancelDialogStopsThePrint) {
    const struct {
        const char* way;
        std::function<void(QDialog&)> close;
    } rows[] = {
        {"ｷｬﾝｾﾙ", [](QDialog& d) { d.findChild<QPushButton*>()->click(); }},
        {"Escape", [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close box", [](QDialog& d) { d.close(); }},
    };
    for (const auto& row : rows) {
        std::unique_ptr<QDialog> dialog = Create_PrintStopDialog(nullptr);
        dialog->show();
        EXPECT_EQ(Print_Stopped(), 0) << row.way;
        EXPECT_EQ(AbortProc(nullptr, 0), 1) << row.way;
        row.close(*dialog);
        EXPECT_EQ(Print_Stopped(), 1) << row.way;
        EXPECT_EQ(AbortProc(nullptr, 0), 0) << row.way;
        EXPECT_FALSE(dialog->isVisible()) << row.way;
    }
}

// The abort procedure is asked while a page is drawn; once it says stop, nothing more is
// drawn on that context.
int aborts_asked = 0;
int Stop_At_Once(HDC, int) {
    ++aborts_asked;
    return 0;
}

TEST(Printing, APageStopsDrawingWhenTheAbortProcedureSaysSo) {
    ComposedGraph doc;
    for (const bool stop : {false, true}) {
        QImage page(1123, 794, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        HDC hdc = Create_PainterDC(&painter, 96, 96);
        aborts_asked = 0;
        if (stop) SetAbortProc(hdc, Stop_At_Once);
        doc.graph.PrintObject(hdc, SRCAND);
        DeleteDC(hdc);
        painter.end();
        int dark = 0;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 128;
        }
        if (stop) {
            EXPECT_EQ(aborts_asked, 1);
            EXPECT_EQ(dark, 0) << "drawn after the print was stopped";
        } else {
            EXPECT_GT(dark, 1000);
        }
    }
}

TEST(Printing, AFailedPrintSaysSo) {
    ComposedGraph doc;
    RecordingMessageSink boxes;
    EXPECT_EQ(Print_ToPdf(&doc.graph, "/nonexistent-dir/p.pdf"), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.Lines()[0], "print error: 印刷に失敗しました");
}

}  // namespace

namespace {

// Printing to a file: a print stopped from the cancel dialog leaves the old file whole and
// no half-drawn one; a print that runs to the end replaces it.
TEST(Printing, AStoppedPrintToAFileLeavesTheOldFile) {
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const std::string path = dir + "/printed.pdf";
    for (const bool stop : {true, false}) {
        if (FILE* f = fopen(path.c_str(), "wb")) {
            fputs("old", f);
            fclose(f);
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(path));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        if (stop) {
            // Escape in the cancel dialog as soon as it answers.
            QTimer::singleShot(0, [] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (qobject_cast<QDialog*>(widget) && widget->isVisible()) {
                        QTest::keyClick(widget, Qt::Key_Escape);
                    }
                }
            });
        }
        EXPECT_EQ(Print_OnPrinter(&doc.graph, &printer, 1, nullptr), 1);
        EXPECT_EQ(Print_Stopped(), stop ? 1 : 0);
        FILE* f = fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr);
        char head[4] = {};
        EXPECT_EQ(fread(head, 1, 3, f), 3u);
        fclose(f);
        EXPECT_EQ(std::string(head), stop ? "old" : "%PD") << (stop ? "stopped" : "printed");
        EXPECT_EQ(printer.outputFileName().toStdString(), path);
    }
    remove(path.c_str());
    rmdir(dir.c_str());
}

}  // namespace

// コピー offers the sheet as vectors beside the bitmap: the SVG is the very picture 図を保存
// writes, and the PDF one A4 landscape page with the graph's texts, as printing draws it.
TEST(Printing, TheClipboardOffersTheSheetAsSvgAndPdf) {
    A4_Landscape();
    ComposedGraph doc;
    ASSERT_EQ(TransGraph_ToClipBord(nullptr, 1122, 793, &doc.graph), 1);
    const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(offered, nullptr);
    EXPECT_TRUE(offered->hasImage());
    const std::string dir = Temp_Dir();
    const std::string svg_path = dir + "/paper.svg";
    ASSERT_EQ(Print_ToSvg(&doc.graph, svg_path), 1);
    QFile svg_file(QString::fromStdString(svg_path));
    ASSERT_TRUE(svg_file.open(QIODevice::ReadOnly));
    EXPECT_EQ(offered->data("image/svg+xml"), svg_file.readAll());
    const QByteArray pdf = offered->data("application/pdf");
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    const std::string pdf_path = dir + "/paper.pdf";
    {
        QFile out(QString::fromStdString(pdf_path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(pdf);
    }
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf_path)});
    ASSERT_TRUE(info.waitForFinished(30000));
    const QString facts = info.readAllStandardOutput();
    EXPECT_NE(facts.indexOf(QRegularExpression("Pages:\\s+1\\b")), -1) << facts.toStdString();
    EXPECT_NE(
        facts.indexOf(QRegularExpression("Page size:\\s+84[12](\\.[0-9]+)? x 595(\\.[0-9]+)? pts")),
        -1)
        << facts.toStdString();
    QProcess text;
    text.start("pdftotext", {QString::fromStdString(pdf_path), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(words.contains(QString::fromUtf8("関数グラフ"))) << words.toStdString();
    EXPECT_TRUE(words.contains("x*x")) << words.toStdString();
    remove(svg_path.c_str());
    remove(pdf_path.c_str());
    rmdir(dir.c_str());
}
