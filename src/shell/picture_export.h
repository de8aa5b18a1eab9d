// The paper as a picture: drawn by the graph document at 100 % onto white, then written as
// a BMP (24-bit rows bottom-up), a JPEG (libjpeg) or a PNG file, or put on the clipboard.
#pragma once

#include <cstdio>

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>

#include "document/graph_on_win.h"

// The 40-byte bitmap header of a BMP file.
struct BITMAPINFOHEADER {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 24;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};

// What the JPEG writer is told of the pixel rows it gets.
struct JpgRec {
    int32_t picwidth = 0;
    int32_t picheight = 0;
    int32_t linesize = 0;  // bytes per (bottom-up, 4-byte padded) source row
    int32_t bitCount = 0;
    uint16_t pltEntry = 0;
    int32_t dpi = 0;  // written into the JFIF header when above 0
};

// The resolutions 図を保存 offers for BMP, JPEG and PNG; 96 is the screen's, the picture of
// the paper at 100 %.
constexpr int kPictureResolutions[] = {96, 150, 300, 600};
constexpr int kScreenDpi = 96;

enum class PictureFormat { Bmp = 1, Jpeg = 2, Png = 3, Svg = 4 };

// Writes an opaque picture into an open file as an 8-bit PNG (a palette when it has at most
// 256 colours, RGB otherwise) at the picture's resolution; false when libpng or the file
// failed.
bool Write_PngFile(const QImage& picture, std::FILE* file);

// The paper of width x height pixels, white, with the graph drawn at 100 % (SRCAND).
QImage GetBitmap_ToGraph(GraphOnWin* graph, LONG width, LONG height);
// The header of a 24-bit picture; biSizeImage is the exact size of the padded rows.
std::unique_ptr<BITMAPINFOHEADER> Create_BitmapInfoStruct(HWND hwnd, const QImage& bitmap);
// The picture's rows as 24-bit blue-green-red, bottom row first, each padded with zero
// bytes to a multiple of 4.
std::unique_ptr<unsigned char[]> Create_BMPDate(HWND hwnd, const QImage& bitmap,
                                                const BITMAPINFOHEADER* header);
// 1 written; 0 after a message.
int Create_BMPFile(HWND hwnd, const char* fileName, const BITMAPINFOHEADER* header,
                   const QImage& bitmap);
// 1 written; 0 the file cannot be written; -1 no pixels (after a message).
int SaveGraph_ToJpgFile(HWND hwnd, const QImage& bitmap, const BITMAPINFOHEADER* header,
                        const char* fileName, int dpi = kScreenDpi);
// 1 written; 0 the file cannot be created or written; -1 the pixels cannot be converted.
int Save_JpegFile(const char* fileName, const unsigned char* pixels, const JpgRec& record);
// The picture into path in the given format, without a dialog: 1 written, -2 no graph,
// 0 or -1 after a message (the writers' results).
// Above 96 dpi the whole sheet is drawn again at that resolution through the printing route,
// and the file records it (PNG pHYs, BMP pixels per metre, JPEG density); at 96 dpi it is the
// paper's picture as it always was.
int Save_PaperPicture(HWND hwnd, GraphOnWin* graph, LONG width, LONG height,
                      const std::string& path, PictureFormat format, int dpi = kScreenDpi);
// The file a picture goes to and its format: a name ending in an offered extension is written
// in that format under that name; a name without an extension gets the chosen filter's (1
// BMP, 2 JPEG, 3 PNG, 4 SVG) format and extension; any other name the filter's format.
// False for a filter of no known kind.
bool Picture_ForName(int filter, std::string* path, PictureFormat* format);
// 図を保存: the save dialog, then the file named as Picture_ForName says. -2 no graph, 0 cancelled or failed, -1
// a filter of no known kind, else the writer's result.
int SaveGraph_ToImageFile2(HWND hwnd, LONG width, LONG height, GraphOnWin* graph);
// コピー: the picture on the clipboard. -4 no graph, 0 no clipboard, 1 done.
int TransGraph_ToClipBord(HWND hwnd, LONG width, LONG height, GraphOnWin* graph);
// The paper's size in pixels at 100 %.
void Paper_PixelSize(HWND hwnd, LONG* width, LONG* height);
