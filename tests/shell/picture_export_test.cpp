// The paper as a picture: BMP layout, JPEG and PNG the same picture the right way up, the
// filter deciding the format, failures reported, and the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/doc_stream.h"
#include "platform/qt/qt_gdi.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_choosers.h"
#include "shell/paper_dialogs.h"
#include "shell/picture_export.h"
#include "shell_app.h"
#include "support/temp_dir.h"

namespace {

std::string Temp_Dir() { return support::Make_TempDir("picture"); }

std::string Bytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (!Read_WholeFile(path, &bytes)) return std::string();
    return std::string(bytes.begin(), bytes.end());
}

uint32_t LE32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}

// The darkest pixels of a picture, as the bounding box of what is drawn.
QRect Drawn_Area(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

TEST(PictureExport, PaperPictureAndBmpLayout) {
    PAPER_WIDTH = 29700;
    PAPER_HEIGHT = 21000;
    ComposedGraph doc;
    LONG width = 0, height = 0;
    Paper_PixelSize(&doc.paper, &width, &height);
    EXPECT_EQ(width, 1122);
    EXPECT_EQ(height, 793);
    const QImage paper = GetBitmap_ToGraph(&doc.graph, width, height);
    const std::string dir = Temp_Dir();
    // Widths with every remainder of 4: rows are padded with zero bytes.
    for (LONG w : {1122L, 1121L, 1120L, 1119L}) {
        SCOPED_TRACE(w);
        const std::string path = dir + "/p.bmp";
        ASSERT_EQ(Save_PaperPicture(nullptr, &doc.graph, w, height, path, PictureFormat::Bmp), 1);
        const std::string f = Bytes(path);
        const size_t row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
        ASSERT_EQ(f.substr(0, 2), "BM");
        EXPECT_EQ(LE32(f, 2), f.size());
        EXPECT_EQ(LE32(f, 10), 54u);
        EXPECT_EQ(LE32(f, 14), 40u);
        EXPECT_EQ(LE32(f, 18), static_cast<uint32_t>(w));
        EXPECT_EQ(LE32(f, 22), static_cast<uint32_t>(height));
        EXPECT_EQ(LE32(f, 28) & 0xffff, 24u);
        EXPECT_EQ(LE32(f, 34), row * static_cast<size_t>(height));
        ASSERT_EQ(f.size(), 54 + row * static_cast<size_t>(height));
        for (LONG y = 0; y < height; ++y) {
            for (size_t pad = static_cast<size_t>(w) * 3; pad < row; ++pad) {
                ASSERT_EQ(f[54 + static_cast<size_t>(y) * row + pad], '\0') << "row " << y;
            }
        }
        // The BMP's pixels are the paper picture's, bottom row first.
        const QImage read(QString::fromStdString(path));
        ASSERT_EQ(read.size(), QSize(w, height));
        const QImage expected = GetBitmap_ToGraph(&doc.graph, w, height);
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32));
        remove(path.c_str());
    }
    // JPEG and PNG: the same size, the drawing at the same place (not upside down).
    const QRect drawn = Drawn_Area(paper);
    ASSERT_TRUE(drawn.isValid());
    EXPECT_LT(drawn.top(), height / 2);  // the title is above the middle
    for (PictureFormat format : {PictureFormat::Jpeg, PictureFormat::Png}) {
        const std::string path = dir + (format == PictureFormat::Png ? "/p.png" : "/p.jpg");
        ASSERT_EQ(Save_PaperPicture(nullptr, &doc.graph, width, height, path, format), 1);
        const QImage read(QString::fromStdString(path));
        ASSERT_EQ(read.size(), QSize(width, height));
        const QRect area = Drawn_Area(read);
        EXPECT_NEAR(area.top(), drawn.top(), 2);
        EXPECT_NEAR(area.bottom(), drawn.bottom(), 2);
        EXPECT_NEAR(area.left(), drawn.left(), 2);
        if (format == PictureFormat::Png) {
            EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), paper);
        }
        remove(path.c_str());
    }
    rmdir(dir.c_str());
}

TEST(PictureExport, TheFilterDecidesTheFormatAndTheExtension) {
    ComposedGraph doc;
    const std::string dir = Temp_Dir();
    const struct {
        int filter;
        const char* typed;
        const char* written;
        const char* magic;
    } rows[] = {
        {1, "a", "a.bmp", "BM"},
        {1, "b.BMP", "b.BMP", "BM"},
        {2, "c", "c.jpg", "\xff\xd8"},
        {2, "d.jpeg", "d.jpeg", "\xff\xd8"},
        // A name with an offered extension is written under that name in that format.
        {2, "e.bmp", "e.bmp", "BM"},
        {1, "pic.jpg", "pic.jpg", "\xff\xd8"},
        {3, "h.JPEG", "h.JPEG", "\xff\xd8"},
        {2, "i.svg", "i.svg", "<?"},
        {4, "j.png", "j.png", "\x89P"},
        // Another extension keeps the name and takes the filter's format.
        {3, "k.txt", "k.txt", "\x89P"},
        {1, "graph.v2", "graph.v2", "BM"},
        {3, "f", "f.png", "\x89P"},
        {4, "g", "g.svg", "<?"},
    };
    ScriptedChoosers choosers;
    for (const auto& row : rows) {
        choosers.file_path = dir + "/" + row.typed;
        choosers.filter_index = row.filter;
        EXPECT_EQ(SaveGraph_ToImageFile2(nullptr, 200, 100, &doc.graph), 1) << row.typed;
        const std::string f = Bytes(dir + "/" + row.written);
        EXPECT_EQ(f.substr(0, 2), row.magic) << row.written;
        remove((dir + "/" + row.written).c_str());
    }
    EXPECT_EQ(choosers.file_requests.back().lpstrTitle, std::string("保存ファイルを指定"));
    EXPECT_EQ(choosers.file_requests.back().lpstrDefExt, std::string("jpg"));
    choosers.filter_index = 5;
    EXPECT_EQ(SaveGraph_ToImageFile2(nullptr, 200, 100, &doc.graph), -1);
    choosers.confirm = false;
    EXPECT_EQ(SaveGraph_ToImageFile2(nullptr, 200, 100, &doc.graph), 0);  // cancelled
    rmdir(dir.c_str());
}

TEST(PictureExport, FailuresAreReported) {
    ComposedGraph doc;
    RecordingMessageSink boxes;
    const struct {
        PictureFormat format;
        std::string message;
    } rows[] = {
        {PictureFormat::Bmp, "fail getfilehandle: ファイルハンドル獲得に失敗"},
        {PictureFormat::Jpeg, "fail jpeg file: JPEGファイルの書き込みに失敗"},
        {PictureFormat::Png, "fail png file: PNGファイルの書き込みに失敗"},
    };
    for (const auto& row : rows) {
        boxes.Clear();
        EXPECT_EQ(
            Save_PaperPicture(nullptr, &doc.graph, 100, 100, "/nonexistent-dir/x", row.format), 0);
        EXPECT_EQ(boxes.Lines(), std::vector<std::string>{row.message});
    }
    HeadlessWindow paper(100, 100);
    GraphOnWin empty(&paper, 0, 0, kPaperTwipWidth, kPaperTwipHeight, nullptr, 0, 0, 100, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(SaveGraph_ToImageFile2(nullptr, 100, 100, &empty), -2);
    EXPECT_EQ(TransGraph_ToClipBord(nullptr, 100, 100, &empty), -4);
}

TEST(PictureExport, HeadersMustMatchTheirPicture) {
    RecordingMessageSink boxes;
    const QImage small = New_Image(10, 10, Qt::white);
    auto header = Create_BitmapInfoStruct(nullptr, small);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->biSizeImage, 32u * 10);
    EXPECT_TRUE(Create_BMPDate(nullptr, small, header.get()));
    header->biHeight = 20;  // rows the picture does not have
    EXPECT_FALSE(Create_BMPDate(nullptr, small, header.get()));
    EXPECT_EQ(boxes.Lines(), std::vector<std::string>{"fail ctable: ビットマップ情報獲得に失敗"});
}

// 図を保存 offers again what was chosen last: the kind of picture and its resolution, beside
// the resolutions it offers.
TEST(PictureExport, TheDialogOffersTheKindAndResolutionChosenLast) {
    ComposedGraph doc;
    const std::string dir = support::Make_TempDir("picture-kind");
    ScriptedChoosers choosers;
    choosers.file_path = dir + "/a.png";
    choosers.filter_index = 3;  // PNG
    choosers.choice = 2;        // 300 dpi
    ASSERT_EQ(SaveGraph_ToImageFile2(nullptr, 1122, 793, &doc.graph), 1);
    ASSERT_EQ(choosers.file_requests.size(), 1u);
    const OPENFILENAMEA& first = choosers.file_requests[0];
    ASSERT_NE(first.lpChoices, nullptr);
    std::vector<std::string> items;
    for (const char* const* item = first.lpChoices; *item != nullptr; ++item)
        items.push_back(*item);
    EXPECT_EQ(items.size(), std::size(kPictureResolutions));
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].rfind(std::to_string(kPictureResolutions[i]) + " dpi", 0), 0u)
            << items[i];
    }
    choosers.confirm = false;  // the second dialog is only looked at
    SaveGraph_ToImageFile2(nullptr, 1122, 793, &doc.graph);
    ASSERT_EQ(choosers.file_requests.size(), 2u);
    EXPECT_EQ(choosers.file_requests[1].nFilterIndex, 3u);
    EXPECT_EQ(choosers.file_requests[1].nChoice, 2);
    remove((dir + "/a.png").c_str());
    rmdir(dir.c_str());
}

TEST(PictureExport, CopyPutsThePaperPictureOnTheClipboard) {
    ComposedGraph doc;
    ASSERT_EQ(TransGraph_ToClipBord(nullptr, 1122, 793, &doc.graph), 1);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
              GetBitmap_ToGraph(&doc.graph, 1122, 793).convertToFormat(QImage::Format_RGB32));
}

}  // namespace

// The PNG writer keeps every pixel whether the picture fits a palette or not: 256 colours
// (the largest palette), 257 and a full gradient (RGB rows), and an image of one pixel.
TEST(PictureExport, PngKeepsEveryPixelWithAndWithoutAPalette) {
    const std::string dir = Temp_Dir();
    const std::string path = dir + "/w.png";
    auto picture_with = [](int colours, int width, int height) {
        QImage image = New_Image(width, height, Qt::white);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int k = (y * width + x) % colours;
                image.setPixel(x, y, qRgb(k & 0xFF, (k >> 8) & 0xFF, (k * 7) & 0xFF));
            }
        }
        return image;
    };
    const QImage cases[] = {picture_with(256, 40, 30), picture_with(257, 40, 30),
                            picture_with(1 << 16, 300, 260), picture_with(1, 1, 1)};
    for (const QImage& picture : cases) {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(Write_PngFile(picture, file));
        ASSERT_EQ(std::fclose(file), 0);
        const QImage read(QString::fromStdString(path));
        ASSERT_FALSE(read.isNull());
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);
        EXPECT_EQ(read.dotsPerMeterX(), 3780);
    }
    // A stream that cannot be written: libpng's error comes back as false, not an exit.
    std::FILE* full = std::fopen("/dev/full", "wb");
    if (full != nullptr) {
        std::setvbuf(full, nullptr, _IONBF, 0);
        EXPECT_FALSE(Write_PngFile(cases[2], full));
        std::fclose(full);
    }
    remove(path.c_str());
    rmdir(dir.c_str());
}
