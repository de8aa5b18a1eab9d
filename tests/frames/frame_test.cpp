#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "frames/color_set.h"
#include "frames/font_set.h"
#include "platform/qt/image_window.h"
#include "platform/scripted_choosers.h"
#include "test_frame.h"

namespace {

bool Same(const tagRECT& a, LONG l, LONG t, LONG r, LONG b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

}  // namespace

TEST(Frame, HitTestOfTenByTen) {
    HeadlessWindow window(300, 300);
    TestFrame frame(&window, 1500, 1500, 150, 150);
    ASSERT_TRUE(Same(frame.PutFrmRect(), 100, 100, 110, 110));
    struct Row {
        LONG x, y;
        int part;
    } rows[] = {
        {100, 100, 0},  {109, 109, 1}, {100, 109, 2}, {109, 100, 3}, {100, 105, 4},
        {109, 105, 5},  {105, 109, 6}, {105, 100, 7}, {105, 105, 8}, {110, 105, -1},
        {105, 110, -1}, {99, 105, -1}, {101, 101, 0}, {102, 102, 8}, {108, 108, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(frame.GeObjtPartOfPos(r.x, r.y), r.part) << r.x << "," << r.y;
    }
}

TEST(Frame, HitTestOfThreePixelFrameTakesFirstBand) {
    HeadlessWindow window(300, 300);
    TestFrame frame(&window, 150, 150, 45, 45);  // (10, 10)-(13, 13)
    ASSERT_TRUE(Same(frame.PutFrmRect(), 10, 10, 13, 13));
    const int expected[3][3] = {{0, 0, 3}, {0, 0, 1}, {2, 1, 1}};  // [y][x]
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(frame.GeObjtPartOfPos(10 + x, 10 + y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST(Frame, ZeroSizeCoversHalfTheClientArea) {
    HeadlessWindow window(301, 200);
    TestFrame frame(&window, 150, 300, 0, 0);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 10, 20, 160, 120));
}

TEST(Frame, WholeDragMovesTwipsAndRepaintsBothPlaces) {
    HeadlessWindow window(400, 300);
    TestFrame frame(&window, 1500, 1500, 1440, 720, 200);  // pixels (200, 200) 192 x 96
    ASSERT_TRUE(Same(frame.PutFrmRect(), 200, 200, 392, 296));
    frame.ClearSinfo();
    const QImage before = window.Surface().copy();
    EXPECT_EQ(frame.MoveStart(250, 250), 1);
    EXPECT_EQ(frame.MoveObject(260, 245), 1);
    EXPECT_NE(window.Surface(), before);  // the bands are visible
    EXPECT_EQ(frame.MoveObject(271, 253), 1);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 200, 200, 392, 296));  // unchanged while dragging
    EXPECT_TRUE(Same(*frame.AftRect(), 221, 203, 413, 299));
    window.invalidations.clear();
    EXPECT_EQ(frame.MoveEnd(271, 253, 0), 1);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 221, 203, 413, 299));
    // 21 pixels at 200 % are 157 twips, 3 pixels 22 twips.
    EXPECT_EQ(frame.GetLeftOnScrTwip(), 1500 + 157);
    EXPECT_EQ(frame.GetTopOnScrTwip(), 1500 + 22);
    EXPECT_EQ(frame.TrLeft(), 200 + 21 + 0);
    EXPECT_EQ(frame.GetBoxWidth(), 1440.0);
    EXPECT_EQ(frame.SinfoFlag(), 1);
    ASSERT_EQ(window.invalidations.size(), 1u);
    EXPECT_TRUE(window.invalidations[0].erase);
    QRegion expected(200, 200, 192, 96);
    expected += QRegion(221, 203, 192, 96);
    EXPECT_EQ(window.invalidations[0].area, expected);
}

TEST(Frame, BandsDrawnTwiceLeaveNoTrace) {
    HeadlessWindow window(200, 200);
    TestFrame frame(&window, 150, 150, 900, 900);
    const QImage before = window.Surface().copy();
    frame.MoveStart(20, 20);
    frame.MoveObject(25, 25);
    frame.DrawRecOnMove();  // pre and aft now equal: this toggles only the latest band
    frame.DrawErase();
    frame.DrawErase();
    frame.MoveObjectOutClient();
    // Only the first outline of the start position stays until the repaint.
    QImage after = window.Surface().copy();
    int changed = 0, off_outline = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (after.pixel(x, y) == before.pixel(x, y)) continue;
            ++changed;
            const bool on_outline = ((x == 10 || x == 69) && y >= 10 && y <= 69) ||
                                    ((y == 10 || y == 69) && x >= 10 && x <= 69);
            off_outline += !on_outline;
        }
    }
    EXPECT_GT(changed, 100);
    EXPECT_EQ(off_outline, 0);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 10, 10, 70, 70));
}

TEST(Frame, ReleaseWithoutMovement) {
    HeadlessWindow window(200, 200);
    TestFrame frame(&window, 150, 300, 450, 600);
    frame.ClearSinfo();
    frame.MoveStart(15, 25);
    window.invalidations.clear();
    EXPECT_EQ(frame.MoveEnd(15, 25, 0), 0);
    EXPECT_EQ(frame.GetLeftOnScrTwip(), 150);
    EXPECT_EQ(frame.GetTopOnScrTwip(), 300);
    EXPECT_EQ(frame.SinfoFlag(), 0);
    ASSERT_EQ(window.invalidations.size(), 1u);
    EXPECT_EQ(window.invalidations[0].area, QRegion(10, 20, 30, 40));
}

TEST(Frame, ChangeMagRecomputesFromTwips) {
    HeadlessWindow window(400, 400);
    TestFrame frame(&window, 1440, 720, 1440, 720);
    ASSERT_TRUE(Same(frame.PutFrmRect(), 96, 48, 192, 96));
    EXPECT_EQ(frame.ChangeMag(200, 10, 20), 1);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 182, 76, 374, 172));
    EXPECT_EQ(frame.PutZoomSize(), 200.0);
    // Back and forth through odd zooms never accumulates rounding.
    for (LONG zoom : {33, 77, 150, 13, 100}) frame.ChangeMag(zoom, 0, 0);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 96, 48, 192, 96));
}

TEST(Frame, PlacementByValues) {
    HeadlessWindow window(400, 400);
    TestFrame frame(&window, 1500, 1500, 1440, 720);
    frame.ClearSinfo();
    tagRECT same = frame.GetRectOnTwip();
    const tagRECT before = frame.PutFrmRect();
    EXPECT_EQ(frame.MoveObjectWithOutMouse(&same, 0, 0), 0);
    EXPECT_EQ(frame.SinfoFlag(), 0);
    EXPECT_TRUE(Same(frame.PutFrmRect(), before.left, before.top, before.right, before.bottom));

    tagRECT moved;
    SetRect(&moved, 3000, 1500, 3000 + 1440, 1500 + 720);
    EXPECT_EQ(frame.IsRealSize(&moved), 1);
    EXPECT_EQ(frame.MoveObjectWithOutMouse(&moved, 5, 0), 1);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 195, 100, 291, 148));
    EXPECT_EQ(frame.SinfoFlag(), 1);

    tagRECT wider;
    SetRect(&wider, 3000, 1500, 3000 + 2880, 1500 + 720);
    EXPECT_EQ(frame.IsRealSize(&wider), 2);
    EXPECT_EQ(frame.SetNewMoveFrame(&wider, 0, 0), 2);
    EXPECT_EQ(frame.GetBoxWidth(), 2880.0);
    EXPECT_EQ(frame.SetNewMoveFrame(&wider, 0, 0), 1);
}

TEST(Frame, TwipSizeSurvivesScrollResizeZoomAndFiles) {
    HeadlessWindow window(800, 600);
    // 8787 twips are 585.8 pixels: a pixel round trip would give 8775.
    TestFrame frame(&window, 1000, 1000, 8787, 4321);
    frame.ObjectHScroll(37);
    frame.ObjectVScroll(11);
    frame.WinChngSize(5, 6);
    frame.ChangeMag(150, 0, 0);
    frame.ChangeMag(100, 0, 0);
    double real_w = 0, real_h = 0;
    frame.CalcRealSize(&real_w, &real_h);
    EXPECT_EQ(real_w, 8775.0);  // the lossy display value stays a display value
    EXPECT_EQ(frame.GetBoxWidth(), 8787.0);
    EXPECT_EQ(frame.GetBoxHeight(), 4321.0);

    for (int round = 0; round < 3; ++round) {
        DocWriter writer;
        unsigned long bytes = 0;
        EXPECT_EQ(frame.SavePosInfo(&writer, &bytes), 1);
        EXPECT_EQ(bytes, 28ul);
        ASSERT_EQ(writer.Size(), 28u);
        const auto* raw = reinterpret_cast<const unsigned char*>(writer.Bytes().data());
        const unsigned char head[12] = {0, 0, 0, 0, 0xE8, 0x03, 0, 0, 0xE8, 0x03, 0, 0};
        EXPECT_EQ(std::memcmp(raw, head, 12), 0);
        double width = 0;
        std::memcpy(&width, raw + 12, 8);  // the test machine is little-endian
        EXPECT_EQ(width, 8787.0);
        DocReader reader(raw, writer.Size());
        EXPECT_EQ(frame.ReadPosInfo(&reader, &bytes, 0, 0), 1);
        EXPECT_EQ(bytes, 28ul);
        EXPECT_EQ(reader.Left(), 0u);
    }
    EXPECT_EQ(frame.GetBoxWidth(), 8787.0);
    EXPECT_TRUE(Same(frame.PutFrmRect(), 66, 66, 66 + 585, 66 + 288));

    // Short records and impossible sizes are refused.
    DocWriter bad;
    bad.Put32(3);
    bad.Put32(0);
    bad.Put32(0);
    bad.PutDouble(-5.0);
    bad.PutDouble(100.0);
    const auto* bad_bytes = reinterpret_cast<const unsigned char*>(bad.Bytes().data());
    unsigned long bytes = 0;
    for (size_t size : {size_t{0}, size_t{27}, size_t{28}}) {
        DocReader reader(bad_bytes, size);
        EXPECT_EQ(frame.ReadPosInfo(&reader, &bytes, 0, 0), 0) << size;
        EXPECT_TRUE(reader.Failed());
    }
    EXPECT_EQ(frame.GetBoxWidth(), 8787.0);
}

TEST(Frame, PrinterPositions) {
    HeadlessWindow window(100, 100);
    TestFrame frame(&window, 1440, 720, 2880, 1441);
    QImage page(10, 10, QImage::Format_RGB32);
    HDC printer = Create_ImageDC(&page, 600, 300);
    EXPECT_TRUE(Same(frame.GetPrntPos(printer), 600, 150, 1800, 450));
    DeleteDC(printer);
}

TEST(ChooserRecords, FontSetStoresTheDefaultFontBytes) {
    HeadlessWindow window(10, 10);
    FontSet font(&window, 12);
    const tagLOGFONTA* lf = font.PutLogFont();
    EXPECT_EQ(lf->lfHeight, -16);
    EXPECT_STREQ(lf->lfFaceName, "ＭＳ ゴシック");
    unsigned char bytes[60];
    ASSERT_EQ(LogFont_ToBytes(lf, bytes), 1);
    unsigned char expected[60] = {0xF0, 0xFF, 0xFF, 0xFF};
    expected[23] = 128;
    const unsigned char face[] = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x83, 0x53,
                                  0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};
    std::memcpy(expected + 28, face, sizeof face);
    EXPECT_EQ(std::memcmp(bytes, expected, 60), 0);

    const tagCHOOSEFONTA& cf = font.PutChooser();
    EXPECT_EQ(cf.lpLogFont, font.PutLogFont());
    EXPECT_EQ(cf.Flags, 0x149u);
    EXPECT_EQ(cf.nFontType, 0x2000);
    FontSet copy(font);
    EXPECT_EQ(copy.PutChooser().lpLogFont, copy.PutLogFont());

    ScriptedChoosers choosers;
    choosers.font = *lf;
    choosers.font.lfWeight = FW_BOLD;
    choosers.font_given = true;
    choosers.color = RGB(0, 0, 255);
    EXPECT_EQ(font.ShowFontDlg(), 1);
    EXPECT_EQ(font.PutLogFont()->lfWeight, FW_BOLD);
    EXPECT_EQ(font.PutColorInfo(), 0xFF0000u);
    EXPECT_EQ(copy.PutLogFont()->lfWeight, 0);
    ASSERT_EQ(choosers.captions.size(), 1u);
    EXPECT_EQ(choosers.captions[0], "フォントの設定");

    tagLOGFONTA wide = *lf;
    Copy_ToBuffer(wide.lfFaceName, 32, "☃");  // not in CP932
    EXPECT_EQ(LogFont_ToBytes(&wide, bytes), 0);
}

TEST(ChooserRecords, ColorSetKeepsTwoTables) {
    HeadlessWindow window(10, 10);
    ColorSet colors(&window);
    EXPECT_EQ(colors.PutRGBdata(), 0u);
    EXPECT_EQ(colors.PutRGBPntdata(), 0xFFFFFFu);
    ScriptedChoosers choosers;
    choosers.color = RGB(1, 2, 3);
    EXPECT_EQ(colors.ShowColorDlg(), 1);
    choosers.color = RGB(4, 5, 6);
    EXPECT_EQ(colors.ShowPntColorDlg(), 1);
    EXPECT_EQ(colors.PutRGBdata(), RGB(1, 2, 3));
    EXPECT_EQ(colors.PutRGBPntdata(), RGB(4, 5, 6));
    ASSERT_EQ(choosers.color_requests.size(), 2u);
    EXPECT_EQ(choosers.color_requests[0].lpCustColors, acrCustClr);
    EXPECT_EQ(choosers.color_requests[1].lpCustColors, pntCustClr);
    EXPECT_EQ(choosers.color_requests[0].Flags, 0x13u);
    ASSERT_EQ(choosers.captions.size(), 2u);
    EXPECT_EQ(choosers.captions[0], "線の色");
    EXPECT_EQ(choosers.captions[1], "塗りつぶしの色");
}
