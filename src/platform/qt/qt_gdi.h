// The Qt side of the drawing services: what the opaque handles of platform/gdi.h are, and
// the one place where colours and fonts cross between the stored form and Qt.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <QTransform>

#include <chrono>
#include <memory>

#include "platform/gdi.h"

// A stored colour is 0x00BBGGRR; Qt's QRgb is 0xAARRGGBB. These two are the only
// conversions between them.
QColor Qt_Color(COLORREF color);
COLORREF Colorref_Of(const QColor& color);

QRect Qt_Rect(const tagRECT& rect);
tagRECT Rect_Of(const QRect& rect);

// A font from its stored description, with the Japanese face names mapped to an installed
// Japanese gothic font.
QFont Qt_Font(const tagLOGFONTA& log_font);
// The stored description of a Qt font; height as a negative character height in pixels
// at dpi_y.
tagLOGFONTA LogFont_Of(const QFont& font, int dpi_y);
// Sets up the substitutions of the Japanese face names (done once; called by Qt_Font).
void Install_FontSubstitutions();

// The source shrunk to width x height where it is larger (an axis it does not exceed is
// kept): all source pixels that fall onto one destination pixel are combined with AND, so
// dark lines and text on white survive any reduction.
QImage Shrink_BlackOnWhite(const QImage& source, int width, int height);

// A new image at 96 dots per inch.
QImage New_Image(int width, int height, QColor fill);

class Region {
public:
    QRegion rgn;
};

class Pen {
public:
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    bool stock = false;
};

class Brush {
public:
    bool null = false;
    COLORREF color = 0;
    bool stock = false;
};

class Font {
public:
    tagLOGFONTA log_font;
    QFont font;
};

class Bitmap {
public:
    QImage image;
    HDC selected_in = nullptr;
};

class DrawingRecord;

class DeviceContext {
public:
    enum class Kind { Memory, Window, Printer };

    Kind kind = Kind::Memory;
    // Drawing target: the selected bitmap (memory), the window surface (window), or the
    // paint device of a printer or other target with its own painter.
    QImage* image = nullptr;
    QPainter* device_painter = nullptr;  // not owned; used for printers
    int dpi_x = 96;
    int dpi_y = 96;
    QRegion clip;
    bool clipped = false;
    HWND window = nullptr;

    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    Bitmap own_bitmap;  // the 1 x 1 bitmap a memory context starts with

    int rop2 = R2_COPYPEN;
    int bk_mode = OPAQUE;
    COLORREF bk_color = 0xFFFFFF;
    COLORREF text_color = 0;
    QPoint position;

    // What was drawn on a memory context, kept so that an enlarged copy of it is drawn
    // again at the resolution it is shown at (null: not kept).
    std::shared_ptr<DrawingRecord> record;
    // Where the context's own coordinates fall on its image (drawing again enlarged).
    bool transformed = false;
    QTransform transform;

    // The abort procedure of a print, asked between drawing calls; aborted: it said stop.
    ABORTPROC abort_proc = nullptr;
    bool aborted = false;
    std::chrono::steady_clock::time_point last_poll{};
};

// A context over an image of the caller (a printer page or an export picture) at the given
// resolution. Delete it with DeleteDC; the image stays the caller's.
HDC Create_ImageDC(QImage* image, int dpi_x, int dpi_y);
// A context over an active painter (a printer), at the device's resolution.
HDC Create_PainterDC(QPainter* painter, int dpi_x, int dpi_y);
// The bytes a context keeps of its drawing (0 when it keeps none).
size_t Kept_Drawing_Bytes(HDC memory_dc);
// The image a context draws on (null for painter contexts).
QImage* Dc_Image(HDC hdc);
