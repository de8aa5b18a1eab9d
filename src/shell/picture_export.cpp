#include "shell/picture_export.h"

#include <QClipboard>
#include <QMimeData>
#include <QGuiApplication>

#include <csetjmp>
#include <cstdio>
#include <iterator>
#include <cstring>
#include <unordered_map>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>
#include <unistd.h>

#include "data/utility.h"
#include "frames/trans_unit.h"
#include "platform/doc_stream.h"
#include "platform/file_replace.h"
#include "platform/message_box.h"
#include "platform/qt/qt_gdi.h"
#include "shell/paper_dialogs.h"
#include "shell/printing.h"

namespace {

int64_t Row_Bytes(int32_t width) { return (int64_t(width) * 3 + 3) / 4 * 4; }

void Put_LE(std::string* out, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

bool Ends_With(const std::string& name, const char* extension) {
    const size_t length = std::strlen(extension);
    if (name.size() < length) return false;
    for (size_t i = 0; i < length; ++i) {
        const char c = name[name.size() - length + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != extension[i]) return false;
    }
    return true;
}

// libjpeg reports a failure through its error manager: back to the caller, not exit().
struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

void Jpeg_ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->back, 1);
}

// Compresses into an open file; false when libjpeg failed.
bool Compress(std::FILE* file, const unsigned char* pixels, const JpgRec& record) {
    jpeg_compress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = Jpeg_ErrorExit;
    std::vector<unsigned char> row(static_cast<size_t>(record.picwidth) * 3);
    if (setjmp(error.back)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(record.picwidth);
    info.image_height = static_cast<JDIMENSION>(record.picheight);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (record.dpi > 0 && record.dpi <= 65535) {
        info.density_unit = 1;  // dots per inch
        info.X_density = static_cast<UINT16>(record.dpi);
        info.Y_density = static_cast<UINT16>(record.dpi);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // The rows are bottom-up: scan line k is buffer row height - 1 - k, in BGR.
        const int64_t source_row = record.picheight - 1 - static_cast<int64_t>(info.next_scanline);
        const unsigned char* source = pixels + source_row * record.linesize;
        for (int32_t x = 0; x < record.picwidth; ++x) {
            row[static_cast<size_t>(x) * 3] = source[x * 3 + 2];
            row[static_cast<size_t>(x) * 3 + 1] = source[x * 3 + 1];
            row[static_cast<size_t>(x) * 3 + 2] = source[x * 3];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// libpng reports a failure by jumping back to the caller.
void Png_Error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void Png_Warning(png_structp, png_const_charp) {}

// The picture's pixels as palette indices (at most 256 colours, the usual case for the
// paper, which is drawn without smoothing) with the palette; false for more colours.
bool Palette_Of(const QImage& picture, std::vector<unsigned char>* indices,
                std::vector<png_color>* palette) {
    const int width = picture.width();
    indices->resize(static_cast<size_t>(width) * static_cast<size_t>(picture.height()));
    std::unordered_map<QRgb, unsigned char> index_of;
    QRgb last = 0;
    unsigned char last_index = 0;
    bool have_last = false;
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb* source = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        unsigned char* out = indices->data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = source[x] | 0xFF000000u;
            if (!have_last || colour != last) {
                auto found = index_of.find(colour);
                if (found == index_of.end()) {
                    if (palette->size() == 256) return false;
                    found =
                        index_of.emplace(colour, static_cast<unsigned char>(palette->size())).first;
                    palette->push_back({static_cast<png_byte>(qRed(colour)),
                                        static_cast<png_byte>(qGreen(colour)),
                                        static_cast<png_byte>(qBlue(colour))});
                }
                last = colour;
                last_index = found->second;
                have_last = true;
            }
            out[x] = last_index;
        }
    }
    return true;
}

}  // namespace

namespace {

// What one PNG encoding needs, handed over as one object so that nothing the jump back from
// libpng could clobber lives in the encoding function's registers.
struct PngJob {
    const QImage* picture;
    const std::vector<unsigned char>* indices;  // palette indices, when paletted
    const std::vector<png_color>* palette;
    std::vector<unsigned char>* row;  // room for one RGB row otherwise
    std::FILE* file;
};

bool Encode_Png(const PngJob& job) {
    const QImage& picture = *job.picture;
    const bool paletted = !job.palette->empty();
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Png_Error, Png_Warning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, job.file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
                 static_cast<png_uint_32>(picture.height()), 8,
                 paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletted) {
        png_set_PLTE(png, info, job.palette->data(), static_cast<int>(job.palette->size()));
    }
    if (picture.dotsPerMeterX() > 0 && picture.dotsPerMeterY() > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(picture.dotsPerMeterX()),
                     static_cast<png_uint_32>(picture.dotsPerMeterY()), PNG_RESOLUTION_METER);
    }
    // One filter instead of trying all five per row: as small for a drawing, and much faster.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 6);
    // A drawing's rows are runs of a few colours: run-length matching finds what the full
    // search finds there, in a third of the time (and the file is no larger).
    if (paletted) png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    const size_t width = static_cast<size_t>(picture.width());
    for (int y = 0; y < picture.height(); ++y) {
        if (paletted) {
            png_write_row(png, job.indices->data() + static_cast<size_t>(y) * width);
            continue;
        }
        const QRgb* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        unsigned char* row = job.row->data();
        for (size_t x = 0; x < width; ++x) {
            row[x * 3] = static_cast<unsigned char>(qRed(pixels[x]));
            row[x * 3 + 1] = static_cast<unsigned char>(qGreen(pixels[x]));
            row[x * 3 + 2] = static_cast<unsigned char>(qBlue(pixels[x]));
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool Write_PngFile(const QImage& source, std::FILE* file) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    std::vector<unsigned char> indices;
    std::vector<png_color> palette;
    if (!Palette_Of(picture, &indices, &palette)) palette.clear();
    std::vector<unsigned char> row(palette.empty() ? static_cast<size_t>(picture.width()) * 3 : 0);
    return Encode_Png({&picture, &indices, &palette, &row, file});
}

namespace {

// The last names chosen in the picture dialog.
char picture_name[FILE_NAME_SIZE] = "";

}  // namespace

void Paper_PixelSize(HWND hwnd, LONG* width, LONG* height) {
    *width = Twip_ToPixel(Dmm_ToTwip(PAPER_WIDTH), hwnd, 100, 1);
    *height = Twip_ToPixel(Dmm_ToTwip(PAPER_HEIGHT), hwnd, 100, 2);
}

QImage GetBitmap_ToGraph(GraphOnWin* graph, LONG width, LONG height) {
    if (width <= 0 || height <= 0) return QImage();
    QImage picture = New_Image(width, height, Qt::white);
    HDC hdc = Create_ImageDC(&picture, 96, 96);
    if (graph != nullptr) graph->WriteImageOfGraph(hdc, 100, SRCAND);
    DeleteDC(hdc);
    return picture;
}

std::unique_ptr<BITMAPINFOHEADER> Create_BitmapInfoStruct(HWND hwnd, const QImage& bitmap) {
    if (bitmap.isNull()) {
        MessageBoxA(hwnd, "ビットマップ構造体の獲得に失敗", "fail getbitmap", MB_OK);
        return nullptr;
    }
    // The pixel size and the file size must fit their 32-bit fields.
    if (Row_Bytes(bitmap.width()) * bitmap.height() > int64_t{UINT32_MAX} - 54) {
        MessageBoxA(hwnd, "ビットマップ構造体の獲得に失敗", "fail getbitmap", MB_OK);
        return nullptr;
    }
    auto header = std::make_unique<BITMAPINFOHEADER>();
    header->biWidth = bitmap.width();
    header->biHeight = bitmap.height();
    // The exact size of the padded rows (what the pixel read-out leaves there).
    header->biSizeImage = static_cast<uint32_t>(Row_Bytes(bitmap.width()) * bitmap.height());
    return header;
}

std::unique_ptr<unsigned char[]> Create_BMPDate(HWND hwnd, const QImage& bitmap,
                                                const BITMAPINFOHEADER* header) {
    if (bitmap.isNull() || header == nullptr || header->biWidth != bitmap.width() ||
        header->biHeight != bitmap.height() ||
        header->biSizeImage != Row_Bytes(header->biWidth) * header->biHeight) {
        MessageBoxA(hwnd, "ビットマップ情報獲得に失敗", "fail ctable", MB_OK);
        return nullptr;
    }
    const QImage rgb = bitmap.convertToFormat(QImage::Format_RGB32);
    const int64_t row_bytes = Row_Bytes(header->biWidth);
    std::unique_ptr<unsigned char[]> pixels(
        new (std::nothrow) unsigned char[header->biSizeImage]());
    if (!pixels) {
        MessageBoxA(hwnd, "ビットマップファイルメモリ獲得に失敗", "fail file", MB_OK);
        return nullptr;
    }
    for (int32_t y = 0; y < header->biHeight; ++y) {
        const QRgb* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        unsigned char* row = pixels.get() + (int64_t(header->biHeight) - 1 - y) * row_bytes;
        for (int32_t x = 0; x < header->biWidth; ++x) {
            row[x * 3] = static_cast<unsigned char>(qBlue(source[x]));
            row[x * 3 + 1] = static_cast<unsigned char>(qGreen(source[x]));
            row[x * 3 + 2] = static_cast<unsigned char>(qRed(source[x]));
        }
    }
    return pixels;
}

int Create_BMPFile(HWND hwnd, const char* fileName, const BITMAPINFOHEADER* header,
                   const QImage& bitmap) {
    std::unique_ptr<unsigned char[]> pixels = Create_BMPDate(hwnd, bitmap, header);
    if (!pixels) return 0;
    std::string file;
    file.reserve(54 + header->biSizeImage);
    file += "BM";
    Put_LE(&file, 54u + header->biSizeImage, 4);
    Put_LE(&file, 0, 4);  // two reserved 16-bit zeros
    Put_LE(&file, 54, 4);
    Put_LE(&file, header->biSize, 4);
    Put_LE(&file, static_cast<uint32_t>(header->biWidth), 4);
    Put_LE(&file, static_cast<uint32_t>(header->biHeight), 4);
    Put_LE(&file, header->biPlanes, 2);
    Put_LE(&file, header->biBitCount, 2);
    Put_LE(&file, header->biCompression, 4);
    Put_LE(&file, header->biSizeImage, 4);
    Put_LE(&file, static_cast<uint32_t>(header->biXPelsPerMeter), 4);
    Put_LE(&file, static_cast<uint32_t>(header->biYPelsPerMeter), 4);
    Put_LE(&file, header->biClrUsed, 4);
    Put_LE(&file, header->biClrImportant, 4);
    file.append(reinterpret_cast<const char*>(pixels.get()), header->biSizeImage);
    // Written whole or not at all; a failure is a message, never the end of the program.
    const int written = Write_FileSafely(fileName, file);
    if (written == 0) {
        MessageBoxA(hwnd, "ファイルハンドル獲得に失敗", "fail getfilehandle", MB_OK);
        return 0;
    }
    if (written < 0) {
        MessageBoxA(hwnd, "カラー指数コピー失敗", "fail color indices", MB_OK);
        return 0;
    }
    return 1;
}

int Save_JpegFile(const char* fileName, const unsigned char* pixels, const JpgRec& record) {
    if (pixels == nullptr || record.picwidth <= 0 || record.picheight <= 0) return -1;
    ReplacingFile file;
    if (!file.Begin(fileName) || file.Stream() == nullptr) return 0;
    return Compress(file.Stream(), pixels, record) && file.Commit() ? 1 : 0;
}

int SaveGraph_ToJpgFile(HWND hwnd, const QImage& bitmap, const BITMAPINFOHEADER* header,
                        const char* fileName, int dpi) {
    std::unique_ptr<unsigned char[]> pixels = Create_BMPDate(hwnd, bitmap, header);
    if (!pixels) {
        MessageBoxA(hwnd, "ピクセルデータの取得に失敗", "fail pixel data", MB_OK);
        return -1;
    }
    JpgRec record;
    record.picwidth = header->biWidth;
    record.picheight = header->biHeight;
    record.linesize = static_cast<int32_t>(Row_Bytes(header->biWidth));
    record.bitCount = 24;
    if (dpi != kScreenDpi) record.dpi = dpi;
    const int result = Save_JpegFile(fileName, pixels.get(), record);
    // A JPEG that cannot be written is reported as the BMP writer does.
    if (result == 0) MessageBoxA(hwnd, "JPEGファイルの書き込みに失敗", "fail jpeg file", MB_OK);
    return result;
}

int Save_PaperPicture(HWND hwnd, GraphOnWin* graph, LONG width, LONG height,
                      const std::string& path, PictureFormat format, int dpi) {
    if (!CanPrint(graph)) return -2;
    // The paper as a vector picture, drawn as printing draws it.
    if (format == PictureFormat::Svg) return Print_ToSvg(graph, path);
    const QImage picture = dpi == kScreenDpi ? GetBitmap_ToGraph(graph, width, height)
                                             : Sheet_AtResolution(graph, dpi);
    std::unique_ptr<BITMAPINFOHEADER> header = Create_BitmapInfoStruct(hwnd, picture);
    if (!header) {
        MessageBoxA(hwnd, "BITMAPINFO構造体作成に失敗", "fail BITMAPINFO", MB_OK);
        return 0;
    }
    if (dpi != kScreenDpi) {
        header->biXPelsPerMeter = picture.dotsPerMeterX();
        header->biYPelsPerMeter = picture.dotsPerMeterY();
    }
    switch (format) {
        case PictureFormat::Bmp: return Create_BMPFile(hwnd, path.c_str(), header.get(), picture);
        case PictureFormat::Jpeg:
            return SaveGraph_ToJpgFile(hwnd, picture, header.get(), path.c_str(), dpi);
        case PictureFormat::Png: {
            ReplacingFile file;
            if (!file.Begin(path) || file.Stream() == nullptr ||
                !Write_PngFile(picture, file.Stream()) || !file.Commit()) {
                MessageBoxA(hwnd, "PNGファイルの書き込みに失敗", "fail png file", MB_OK);
                return 0;
            }
            return 1;
        }
        case PictureFormat::Svg: break;
    }
    return -1;
}

int SaveGraph_ToImageFile2(HWND hwnd, LONG width, LONG height, GraphOnWin* graph) {
    // What the menu offers (anything drawn on the paper) can be saved.
    if (!CanPrint(graph)) return -2;
    char title[64] = "";
    // The kind last chosen is offered first, beside the name last written.
    static int filter = 1;
    static const char kFilters[] =
        "ビットマップ(*.BMP)\0*.bmp\0JPEG files(*.JPG,*.JPEG)\0*.jpg;*.jpeg\0PNG (*.png)\0*.png\0"
        "SVG (*.svg)\0*.svg\0";
    // The resolution of a BMP, JPEG or PNG picture, offered beside the name; the last one
    // chosen is offered first next time.
    static const char* const kResolutionItems[] = {"96 dpi (画面と同じ)", "150 dpi",
                                                   "300 dpi (印刷向き)", "600 dpi", nullptr};
    static int resolution = 0;
    if (!Save_FilePathWithChoice(hwnd, picture_name, title, &filter, kFilters, "jpg",
                                 "保存ファイルを指定", sizeof picture_name, "解像度",
                                 kResolutionItems, &resolution)) {
        return 0;
    }
    if (resolution < 0 || resolution >= static_cast<int>(std::size(kPictureResolutions))) {
        resolution = 0;
    }
    std::string path = picture_name;
    PictureFormat format;
    if (!Picture_ForName(filter, &path, &format)) return -1;
    // The next dialog proposes the name as written.
    if (path.size() < sizeof picture_name) std::memcpy(picture_name, path.c_str(), path.size() + 1);
    return Save_PaperPicture(hwnd, graph, width, height, path, format,
                             kPictureResolutions[resolution]);
}

bool Picture_ForName(int filter, std::string* path, PictureFormat* format) {
    static const struct {
        const char* extension;
        PictureFormat format;
    } kKnown[] = {{".bmp", PictureFormat::Bmp},
                  {".jpg", PictureFormat::Jpeg},
                  {".jpeg", PictureFormat::Jpeg},
                  {".png", PictureFormat::Png},
                  {".svg", PictureFormat::Svg}};
    for (const auto& known : kKnown) {
        if (Ends_With(*path, known.extension)) {
            *format = known.format;
            return true;
        }
    }
    static const char* const kFilterExtensions[] = {".bmp", ".jpg", ".png", ".svg"};
    if (filter < 1 || filter > 4) return false;
    *format = static_cast<PictureFormat>(filter);
    // Only a name without an extension of its own gets the filter's.
    const size_t slash = path->find_last_of('/');
    const std::string name = slash == std::string::npos ? *path : path->substr(slash + 1);
    if (name.find('.', 1) == std::string::npos) *path += kFilterExtensions[filter - 1];
    return true;
}

int TransGraph_ToClipBord(HWND, LONG width, LONG height, GraphOnWin* graph) {
    if (!CanPrint(graph)) return -4;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return 0;
    // The bitmap, and beside it the sheet as vectors for programs that paste those (drawing
    // and office programs take SVG or PDF).
    auto* offered = new QMimeData;
    offered->setImageData(GetBitmap_ToGraph(graph, width, height));
    QByteArray vectors;
    if (Sheet_AsSvg(graph, &vectors)) offered->setData("image/svg+xml", vectors);
    if (Sheet_AsPdf(graph, &vectors)) offered->setData("application/pdf", vectors);
    clipboard->setMimeData(offered);
    return 1;
}
