// Titles: placement around the plot area, self-sizing, vertical text, text and font edits,
// printing.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "elements/title_on_win.h"
#include "support/widgets_app.h"
#include "frames/trans_unit.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_gdi.h"
#include "platform/scripted_choosers.h"
#include "platform/scripted_dialogs.h"

namespace {

tagRECT Rect(LONG l, LONG t, LONG r, LONG b) {
    tagRECT rect;
    SetRect(&rect, l, t, r, b);
    return rect;
}

void Expect_Rect(const tagRECT& got, const tagRECT& want) {
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
}

}  // namespace

TEST(TitlePlacement, EveryObjectAroundThePlot) {
    // Plot 3000..9001 x 2000..6001 (centre 6000, 4000), frames around it 2500..9500.
    const tagRECT view = Rect(3000, 2000, 9001, 6001);
    const tagRECT graph = Rect(2500, 1500, 9500, 6500);
    struct Row {
        int object;
        LONG top_add;
        tagRECT want;
    } rows[] = {
        {0, 0, Rect(6000 - 150, 1500 - 101, 6000 + 151 - 1, 1500)},
        {0, 45, Rect(5850, 1500 - 45 - 101, 6150, 1455)},
        {1, 99, Rect(2500 - 301, 4000 - 50, 2500, 4000 - 50 + 101)},
        {2, 99, Rect(5850, 6500, 6151, 6601)},
        {3, 99, Rect(9500, 3950, 9801, 4051)},
        {4, 99, Rect(5850, 1500 - 101, 6151, 1500)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.object);
        tagRECT got = TitleOnWin::CalcObjPos(&view, &graph, row.object, 301, 101, row.top_add);
        tagRECT want = row.want;
        if (row.object == 0) want.right = want.left + 301;
        Expect_Rect(got, want);
    }
    Expect_Rect(TitleOnWin::CalcObjPos(&view, &graph, 5, 301, 101, 0), tagRECT());
    Expect_Rect(TitleOnWin::CalcObjPos(&view, &graph, -1, 301, 101, 0), tagRECT());
}

TEST(Title, FrameFitsTheTextAndVerticalSwapsTheSides) {
    HeadlessWindow window(800, 600);
    TitleOnWin horizontal(&window, "関数グラフ", 0, 0, 1500, 1500, 3000, 3000, 0, 0, 100);
    FontSet font(&window, 12);
    const tagPOINT text = TitleOnWin::GetContentsSize(&window, "関数グラフ", &font, 0);
    ASSERT_GT(text.x, text.y);
    EXPECT_EQ(TitleOnWin::GetContentsSize(&window, "関数グラフ", &font, 1).x, text.y);
    EXPECT_EQ(horizontal.PutFrmWidth(), text.x);
    EXPECT_EQ(horizontal.PutFrmHeight(), text.y);
    EXPECT_EQ(horizontal.GetBoxWidth(), Pixel_ToTwip(text.x, &window, 100, 1));
    EXPECT_EQ(horizontal.PutVirFrame().x, text.x);
    EXPECT_EQ(horizontal.ObjectType(), 1);
    EXPECT_EQ(horizontal.DisplayFlag(), 0);

    // The left-axis title: the frame is as wide as the text is high, its right edge on the
    // frames' left edge, centred on the plot.
    TitleOnWin left(&window, "関数グラフ", 1, 1, 0, 0, 300, 300, 0, 0, 100);
    EXPECT_EQ(left.PutFontSet()->PutLogFont()->lfEscapement, 900);
    EXPECT_EQ(left.PutFrmWidth(), text.y);
    EXPECT_EQ(left.PutFrmHeight(), text.x);
    const tagRECT view = Rect(3000, 1500, 9000, 6000);
    const tagRECT graph = Rect(2400, 1200, 9600, 6600);
    const tagRECT place = left.CalcOfRectForNewParaSet(&view, &graph, 0);
    const LONG w = Pixel_ToTwip(text.y, &window, 100, 1);
    const LONG h = Pixel_ToTwip(text.x, &window, 100, 2);
    Expect_Rect(place, Rect(2400 - w, 3750 - h / 2, 2400, 3750 - h / 2 + h));
}

TEST(Title, EmptyTextIsABlankAndHiddenTitleClears) {
    HeadlessWindow window(400, 300);
    TitleOnWin title(&window, "abc", 0, 2, 150, 150, 300, 300, 0, 0, 100);
    ASSERT_EQ(title.ForceDraw(), 1);
    int info = -1;
    EXPECT_EQ(title.SetNewTitleCont(nullptr, &info), 0);
    EXPECT_EQ(info, 0);
    EXPECT_STREQ(title.PutTitle(), "abc");
    EXPECT_EQ(title.SetNewTitleCont("", &info), 1);
    EXPECT_EQ(info, 1);
    EXPECT_STREQ(title.PutTitle(), " ");
    EXPECT_EQ(title.CoreTitleContSet(""), 0);
    EXPECT_EQ(title.CoreTitleContSet("x"), 1);

    TitleOnWin none(&window, nullptr, 0, 0, 150, 150, 300, 300, 0, 0, 100);
    EXPECT_EQ(none.PutTitle(), nullptr);
    EXPECT_EQ(none.ForceDraw(), 0);
    LONG esc = -1, orient = -1;
    ScriptedChoosers choosers;
    EXPECT_EQ(none.ExtShowFontDlg(&esc, &orient), 0);
    EXPECT_TRUE(choosers.font_requests.empty());
}

// A title's bitmap after drawing: ink for a text, none for white space or when hidden.
TEST(Title, DrawTitleInkTable) {
    HeadlessWindow window(400, 300);
    struct Row {
        const char* text;
        int display;
        bool ink;
    } rows[] = {{"関数", 1, true}, {"", 1, false}, {"  \t", 1, false}, {"関数", 0, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        TitleOnWin title(&window, "関数グラフ", 0, 0, 150, 150, 300, 300, 0, 0, 100);
        title.ForceDraw();
        title.BoderFlag() = 1;
        int info = 0;
        title.SetNewTitleCont(row.text, &info);
        title.DisplayFlag() = row.display;
        title.DrawTitle();
        // Reach the bitmap through a copy onto the window.
        HDC hdc = GetDC(&window);
        PatBlt(hdc, 0, 0, 400, 300, WHITENESS);
        title.BoderFlag() = 0;
        title.ReDraw(hdc, SRCCOPY, 0);
        ReleaseDC(&window, hdc);
        const QImage& image = window.Surface();
        int ink = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                if (QColor(image.pixel(x, y)) != QColor(Qt::white)) ++ink;
        EXPECT_EQ(ink > 0, row.ink);
    }
}

TEST(Title, VerticalStaysVerticalAfterAFontChange) {
    HeadlessWindow window(800, 600);
    TitleOnWin title(&window, "縦の見出し", 1, 3, 0, 0, 300, 300, 0, 0, 100);
    ScriptedChoosers choosers;
    choosers.font = *title.PutFontSet()->PutLogFont();
    choosers.font.lfEscapement = 0;
    choosers.font.lfOrientation = 0;
    choosers.font.lfHeight = -32;
    choosers.font_given = true;
    LONG esc = 0, orient = 0;
    ASSERT_EQ(title.ExtShowFontDlg(&esc, &orient), 1);
    EXPECT_EQ(esc, 900);
    EXPECT_EQ(title.PutFontSet()->PutLogFont()->lfEscapement, 0);
    const tagRECT view = Rect(3000, 1500, 9000, 6000);
    const tagRECT graph = Rect(2400, 1200, 9600, 6600);
    EXPECT_EQ(title.ChangeFontDraw(&view, &graph, esc, orient, 0, 0, 0), 1);
    EXPECT_EQ(title.PutFontSet()->PutLogFont()->lfEscapement, 900);
    EXPECT_EQ(title.PutFontSet()->PutLogFont()->lfOrientation, 900);
    // Bigger font, still taller than wide, on the right of the frames.
    EXPECT_GT(title.PutFrmHeight(), title.PutFrmWidth());
    EXPECT_GE(title.PutFrmWidth(), 30);
    EXPECT_EQ(title.GetRectOnTwip().left, 9600);
    EXPECT_EQ(title.PutVirFrame().x, title.PutFrmWidth());
}

TEST(TitleTextDialog, OkTakesTheTextCancelAndCloseDoNot) {
    HeadlessWindow window(400, 300);
    TitleOnWin title(&window, "元の題", 0, 0, 150, 150, 300, 300, 0, 0, 100);
    ScriptedDialogRunner runner;
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_TITLE_TEXT, "新しい題");
        d.Click(IDOK);
    });
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_TITLE_TEXT, "捨てる");
        d.Click(IDCANCEL);
    });
    runner.Then([](MemoryDialog& d) { d.Close(); });
    char* text = nullptr;
    EXPECT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 1);
    EXPECT_STREQ(text, "新しい題");
    EXPECT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 0);
    EXPECT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 0);
    ASSERT_EQ(runner.shown.size(), 3u);
    EXPECT_EQ(runner.shown[0].name, "TXTINPDLG");
    EXPECT_EQ(runner.shown[0].caption, "文字の入力");
    EXPECT_EQ(runner.shown[0].initial_texts[IDC_TITLE_TEXT], "元の題");

    TitleOnWin none(&window, nullptr, 0, 0, 150, 150, 300, 300, 0, 0, 100);
    runner.Then([](MemoryDialog& d) { d.Click(IDOK); });
    EXPECT_EQ(none.ExtShowTextSetDlg(nullptr, &text), 1);
    EXPECT_STREQ(text, " ");
}

TEST(TitleTextDialog, LongInputIsCutAt255Characters) {
    HeadlessWindow window(400, 300);
    TitleOnWin title(&window, "a", 0, 0, 150, 150, 300, 300, 0, 0, 100);
    ScriptedDialogRunner runner;
    const std::string longer(300, 'a');
    runner.Then([&](MemoryDialog& d) {
        d.SetDlgItemText(IDC_TITLE_TEXT, longer);
        d.Click(IDOK);
    });
    char* text = nullptr;
    ASSERT_EQ(title.ExtShowTextSetDlg(nullptr, &text), 1);
    EXPECT_EQ(std::string(text), std::string(255, 'a'));
}

TEST(TitlePrint, BorderOnlyWhenSelected) {
    HeadlessWindow window(400, 300);
    // 1 inch from the left and top, on a 192-dpi page.
    for (int selected = 0; selected <= 1; ++selected) {
        SCOPED_TRACE(selected);
        TitleOnWin title(&window, "印刷", 0, 0, 1440, 1440, 300, 300, 0, 0, 100);
        title.ForceDraw();
        title.BoderFlag() = selected;
        QImage page = New_Image(800, 600, Qt::white);
        HDC printer = Create_ImageDC(&page, 192, 192);
        EXPECT_EQ(title.PrintObject(printer, 0), 1);
        DeleteDC(printer);
        const tagRECT frame = title.GetRectOnTwip();
        const int right = int(int64_t(frame.right) * 192 / 1440);
        const int bottom = int(int64_t(frame.bottom) * 192 / 1440);
        // Text ink inside, border at the left edge below the text.
        int ink = 0;
        for (int y = 192; y < bottom; ++y)
            for (int x = 192; x < right; ++x)
                if (QColor(page.pixel(x, y)) != QColor(Qt::white)) ++ink;
        EXPECT_GT(ink, 0);
        EXPECT_EQ(QColor(page.pixel(192, bottom - 1)) != QColor(Qt::white), selected == 1);
        title.DisplayFlag() = 0;
        EXPECT_EQ(title.PrintObject(printer, 0), 0);
    }
}
