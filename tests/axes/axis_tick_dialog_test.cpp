// The axis setting dialog: its procedure driven in memory (every refused input with its
// message, what OK takes over, the outcome of ShowSetDlg) and the real QDialog through OK
// and Cancel; the number-style dialog as a real QDialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "axes/axis_tick.h"
#include "axes/axis_tick_dialog.h"
#include "axes/num_style_dialog.h"
#include "platform/qt/image_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "platform/scripted_dialogs.h"

namespace {

// Exchange values of a manual axis 0.5 ... 10 step 2.5 with the default ticks.
void Set_Exchange() {
    axtick_minval = 0.5;
    axtick_maxval = 10.0;
    axtick_divval = 2.5;
    axcalc_flag = 0;
    chkstate_main = 1;
    chkstate_sub = 0;
    rdstate_in_m = 1;
    rdstate_in_s = 1;
    tickm_lngth = 10;
    tickm_width = 1;
    ticks_lngth = 5;
    ticks_width = 1;
}

bool Exchange_Unchanged() {
    return axtick_minval == 0.5 && axtick_maxval == 10.0 && axtick_divval == 2.5 &&
           axcalc_flag == 0 && chkstate_main == 1 && chkstate_sub == 0 && rdstate_in_m == 1 &&
           tickm_lngth == 10 && tickm_width == 1 && ticks_lngth == 5 && ticks_width == 1;
}

INT_PTR Run_Dialog() {
    return DialogBoxParamA(nullptr, AxSetDlg_Template(), nullptr, ATickDlgProc, 0);
}

TEST(AxisTickDialog, ShowsTheExchangeValues) {
    ScriptedDialogRunner runner;
    Set_Exchange();
    EXPECT_EQ(Run_Dialog(), 0);  // no script: cancelled
    ASSERT_EQ(runner.shown.size(), 1u);
    const auto& shown = runner.shown[0];
    EXPECT_EQ(shown.name, "AXSETDLG");
    EXPECT_EQ(shown.caption, "数値軸の設定");
    EXPECT_EQ(shown.initial_texts.at(IDC_AXMIN), "0.500");
    EXPECT_EQ(shown.initial_texts.at(IDC_AXMAX), "10.000");
    EXPECT_EQ(shown.initial_texts.at(IDC_AXDIV), "2.500");
    EXPECT_EQ(shown.initial_texts.at(IDC_MAINLNG), "10");
    EXPECT_EQ(shown.initial_texts.at(IDC_SUBLNG), "5");
    EXPECT_EQ(shown.initial_checks.at(IDC_AXAUTO), BST_UNCHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_MAINCHK), BST_CHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_MAININ), BST_CHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_MAINOUT), BST_UNCHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_SUBCHK), BST_UNCHECKED);
    EXPECT_EQ(shown.initial_checks.at(IDC_SUBIN), BST_CHECKED);
    EXPECT_TRUE(Exchange_Unchanged());
}

TEST(AxisTickDialog, EachInvalidInputIsRefusedWithItsMessage) {
    struct Row {
        const char* what;
        std::function<void(MemoryDialog&)> edit;
        const char* message;  // nullptr: accepted
    } rows[] = {
        {"min text", [](MemoryDialog& d) { d.Type(IDC_AXMIN, "abc"); }, "最小値の値が無効です"},
        {"min nan", [](MemoryDialog& d) { d.Type(IDC_AXMIN, "nan"); }, "最小値の値が無効です"},
        {"max inf", [](MemoryDialog& d) { d.Type(IDC_AXMAX, "1e400"); }, "最大値の値が無効です"},
        {"max = min", [](MemoryDialog& d) { d.Type(IDC_AXMAX, "0.5"); }, "最大値の値が無効です"},
        {"max < min", [](MemoryDialog& d) { d.Type(IDC_AXMAX, "-1"); }, "最大値の値が無効です"},
        {"step 0", [](MemoryDialog& d) { d.Type(IDC_AXDIV, "0"); }, "目盛間隔の値が無効です"},
        {"step < 0", [](MemoryDialog& d) { d.Type(IDC_AXDIV, "-2"); }, "目盛間隔の値が無効です"},
        {"step text", [](MemoryDialog& d) { d.Type(IDC_AXDIV, "2x"); }, "目盛間隔の値が無効です"},
        {"1001 steps",
         [](MemoryDialog& d) {
             d.Type(IDC_AXMIN, "0");
             d.Type(IDC_AXMAX, "1001");
             d.Type(IDC_AXDIV, "1");
         },
         "目盛間隔の値が無効です"},
        {"1000 steps",
         [](MemoryDialog& d) {
             d.Type(IDC_AXMIN, "0");
             d.Type(IDC_AXMAX, "1000");
             d.Type(IDC_AXDIV, "1");
         },
         nullptr},
        {"automatic, step beyond range",
         [](MemoryDialog& d) {
             d.Click(IDC_AXAUTO);
             d.Type(IDC_AXDIV, "20");
         },
         "目盛間隔の値が無効です"},
        {"manual, step beyond range", [](MemoryDialog& d) { d.Type(IDC_AXDIV, "20"); }, nullptr},
        {"main length 0", [](MemoryDialog& d) { d.Type(IDC_MAINLNG, "0"); },
         "主軸長さの値が無効です"},
        {"main length 101", [](MemoryDialog& d) { d.Type(IDC_MAINLNG, "101"); },
         "主軸長さの値が無効です"},
        {"main width text", [](MemoryDialog& d) { d.Type(IDC_MAINWID, "x"); },
         "主軸幅の値が無効です"},
        {"main width 0", [](MemoryDialog& d) { d.Type(IDC_MAINWID, "0"); }, "主軸幅の値が無効です"},
        {"hidden main not read",
         [](MemoryDialog& d) {
             d.Click(IDC_MAINCHK);
             d.Type(IDC_MAINLNG, "0");
         },
         nullptr},
        {"sub length -3", [](MemoryDialog& d) { d.Type(IDC_SUBLNG, "-3"); },
         "副軸長さの値が無効です"},
        {"sub width 200", [](MemoryDialog& d) { d.Type(IDC_SUBWID, "200"); },
         "副軸幅の値が無効です"},
        {"sub width 100", [](MemoryDialog& d) { d.Type(IDC_SUBWID, "100"); }, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScriptedDialogRunner runner;
        RecordingMessageSink sink;
        Set_Exchange();
        runner.Then([&](MemoryDialog& d) {
            r.edit(d);
            d.Click(IDOK);
        });
        const INT_PTR result = Run_Dialog();
        if (r.message) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(change_flag_tick, 0);
            ASSERT_EQ(sink.boxes.size(), 1u);
            EXPECT_EQ(sink.boxes[0].caption, "InputError");
            EXPECT_EQ(sink.boxes[0].text, r.message);
            EXPECT_TRUE(Exchange_Unchanged());
        } else {
            EXPECT_EQ(result, 1);
            EXPECT_EQ(change_flag_tick, 1);
            EXPECT_TRUE(sink.boxes.empty());
        }
    }
}

TEST(AxisTickDialog, OkTakesEveryControl) {
    ScriptedDialogRunner runner;
    RecordingMessageSink sink;
    Set_Exchange();
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_AXMIN, "-1");
        d.Type(IDC_AXMAX, "2");
        d.Type(IDC_AXDIV, "0.5");
        d.Click(IDC_AXAUTO);
        d.Click(IDC_MAINOUT);
        d.Type(IDC_MAINLNG, "7");
        d.Type(IDC_MAINWID, "2");
        d.Click(IDC_SUBCHK);
        d.Click(IDC_SUBOUT);
        d.Type(IDC_SUBLNG, "4");
        d.Type(IDC_SUBWID, "3");
        d.Click(IDOK);
    });
    EXPECT_EQ(Run_Dialog(), 1);
    EXPECT_EQ(axtick_minval, -1.0);
    EXPECT_EQ(axtick_maxval, 2.0);
    EXPECT_EQ(axtick_divval, 0.5);
    EXPECT_EQ(axcalc_flag, 1);
    EXPECT_EQ(rdstate_in_m, 0);
    EXPECT_EQ(tickm_lngth, 7);
    EXPECT_EQ(tickm_width, 2);
    EXPECT_EQ(chkstate_sub, 1);
    EXPECT_EQ(rdstate_in_s, 0);
    EXPECT_EQ(ticks_lngth, 4);
    EXPECT_EQ(ticks_width, 3);
}

// Plot area 100 ... 600 x 100 ... 400 pixels.
std::unique_ptr<AxisTick> Make_Tick(HWND window, double min, double max, double div) {
    tagRECT plot;
    SetRect(&plot, 1500, 1500, 9000, 6000);
    const tagRECT rect = AxisTick::FirstAxisTick(&plot, 1, window);
    return std::make_unique<AxisTick>(window, 1, min, max, div, &rect, 0, 0, 100, 0);
}

TEST(AxisTickDialog, OutcomeOfShowSetDlg) {
    HeadlessWindow window(700, 500);
    ScriptedDialogRunner runner;
    RecordingMessageSink sink;
    // An automatic axis whose values three digits cannot show exactly.
    auto tick = Make_Tick(&window, 0.0, 10.5, 1.5);
    tick->SetATValues(0.0, 1.0 / 3.0, 1.0 / 30.0);

    // OK without changes, twice: the values stay exactly, only appearance.
    runner.Then([](MemoryDialog& d) { d.Click(IDOK); });
    runner.Then([](MemoryDialog& d) { d.Click(IDOK); });
    EXPECT_EQ(tick->ShowSetDlg(nullptr), 3);
    EXPECT_EQ(tick->ShowSetDlg(nullptr), 3);
    EXPECT_EQ(tick->PutMaxValue(), 1.0 / 3.0);
    EXPECT_EQ(tick->PutDivValue(), 1.0 / 30.0);

    // Only a direction changed: never 1.
    runner.Then([](MemoryDialog& d) {
        d.Click(IDC_SUBIN);
        d.Click(IDOK);
    });
    EXPECT_EQ(tick->ShowSetDlg(nullptr), 3);
    runner.Then([](MemoryDialog& d) {
        d.Click(IDC_MAINOUT);
        d.Click(IDOK);
    });
    EXPECT_EQ(tick->ShowSetDlg(nullptr), 2);
    EXPECT_EQ(tick->PutMainTick().line_drct, 0);

    // A new range is tidied in automatic mode.
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_AXMIN, "0");
        d.Type(IDC_AXMAX, "10");
        d.Type(IDC_AXDIV, "1");
        d.Click(IDOK);
    });
    EXPECT_EQ(tick->ShowSetDlg(nullptr), 1);
    EXPECT_DOUBLE_EQ(tick->PutMaxValue(), 10.5);
    EXPECT_DOUBLE_EQ(tick->PutDivValue(), 1.5);

    // Cancel, the close box and refused input change nothing.
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_AXMAX, "99");
        d.Click(IDCANCEL);
    });
    runner.Then([](MemoryDialog& d) { d.Close(); });
    runner.Then([](MemoryDialog& d) {
        d.Type(IDC_AXMAX, "99");
        d.Type(IDC_AXDIV, "0");
        d.Click(IDOK);
    });
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tick->ShowSetDlg(nullptr), 0);
    EXPECT_DOUBLE_EQ(tick->PutMaxValue(), 10.5);
    EXPECT_EQ(sink.boxes.size(), 1u);
}

// Runs the real dialog and lets the "user" act on it once it is on screen.
INT_PTR Run_Qt(const std::function<void(QDialog*)>& user) {
    QtDialogRunner runner;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        user(shown);
    });
    return runner.RunModal(AxSetDlg_Template(), nullptr, ATickDlgProc, 0);
}

TEST(AxisTickDialogQt, OkAndCancel) {
    Set_Exchange();
    INT_PTR result = Run_Qt([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString("数値軸の設定"));
        auto* max = dialog->findChild<QLineEdit*>("item5220");
        ASSERT_NE(max, nullptr);
        EXPECT_EQ(max->text(), QString("10.000"));
        auto* inward = dialog->findChild<QRadioButton*>("item5300");
        ASSERT_NE(inward, nullptr);
        EXPECT_TRUE(inward->isChecked());
        if (const char* shot = std::getenv("PLOTARI_DIALOG_SHOTS")) {
            dialog->grab().save(QString(shot) + "/axsetdlg.png");
        }
        max->selectAll();
        QTest::keyClicks(max, "20");
        QTest::mouseClick(dialog->findChild<QRadioButton*>("item5290"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("item1"), Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(axtick_maxval, 20.0);
    EXPECT_EQ(rdstate_in_m, 0);

    Set_Exchange();
    result = Run_Qt([](QDialog* dialog) {
        auto* max = dialog->findChild<QLineEdit*>("item5220");
        ASSERT_NE(max, nullptr);
        max->selectAll();
        QTest::keyClicks(max, "30");
        QTest::mouseClick(dialog->findChild<QPushButton*>("item2"), Qt::LeftButton);
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Exchange_Unchanged());
}

}  // namespace

namespace {

INT_PTR Run_Style_Qt(const std::function<void(QDialog*)>& user) {
    QtDialogRunner runner;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        user(shown);
    });
    return runner.RunModal(NumStyDlg_Template(), nullptr, NumStyDlgProc, 0);
}

TEST(NumStyleDialogQt, OkAndCancel) {
    g_choose_style.style_number = 0;
    g_choose_style.digit_number = 3;
    INT_PTR result = Run_Style_Qt([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QString("数値の表示桁数と形式"));
        auto* list = dialog->findChild<QListWidget*>("item5140");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), QString("通常表現"));
        EXPECT_EQ(list->item(1)->text(), QString("指数型表現"));
        EXPECT_EQ(list->item(2)->text(), QString("実数型表現"));
        EXPECT_EQ(list->currentRow(), 0);
        auto* digits = dialog->findChild<QLineEdit*>("item5110");
        ASSERT_NE(digits, nullptr);
        EXPECT_EQ(digits->text(), QString("3"));
        if (const char* shot = std::getenv("PLOTARI_DIALOG_SHOTS")) {
            dialog->grab().save(QString(shot) + "/numstydlg.png");
        }
        list->setCurrentRow(2);
        digits->selectAll();
        QTest::keyClicks(digits, "1");
        QTest::mouseClick(dialog->findChild<QPushButton*>("item1"), Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(g_choose_style.style_number, 2);
    EXPECT_EQ(g_choose_style.digit_number, 1);

    result = Run_Style_Qt([](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>("item5140");
        ASSERT_NE(list, nullptr);
        list->setCurrentRow(1);
        QTest::mouseClick(dialog->findChild<QPushButton*>("item2"), Qt::LeftButton);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_choose_style.style_number, 2);
}

}  // namespace

namespace {

// The digits text reads as a decimal number truncated toward zero; only a count outside
// 0 ... 16 leaves the style as it was.
TEST(NumStyleDialog, DigitsTextReadsAsATruncatedDecimal) {
    const struct {
        const char* typed;
        int digits_after;  // 5: unchanged
    } rows[] = {{"2.7", 2}, {"3 ", 3},   {" 4", 4}, {"16", 16}, {"0", 0},  {"-0.5", 0},
                {"abc", 0}, {"1e1", 10}, {"7x", 7}, {"17", 5},  {"-1", 5}, {"1e10", 5}};
    for (const auto& row : rows) {
        CHOOSESTYLE style;
        style.style_number = 0;
        style.digit_number = 5;
        ScriptedDialogRunner runner;
        runner.Then([&](MemoryDialog& d) {
            d.Type(IDC_NUMDIGIT, row.typed);
            d.Select(IDC_NUMSTYLE, 1);
            d.Click(IDOK);
        });
        const bool taken = row.digits_after != 5 || std::string(row.typed) == "5";
        EXPECT_EQ(Choose_Style(&style, nullptr, nullptr), taken ? 1 : 0) << row.typed;
        EXPECT_EQ(style.digit_number, row.digits_after) << row.typed;
        EXPECT_EQ(style.style_number, taken ? 1 : 0) << row.typed;
    }
}

}  // namespace
