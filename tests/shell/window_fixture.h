// The real main window with its input dialog, as the program builds them, for the tests that
// drive it with the mouse, the keyboard and the menus.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/recording_message_sink.h"
#include "shell/main_window.h"

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        g_mathlist.Clear();
        g_selLB_item = -1;
        previous_ = Set_DialogRunner(&runner_);
        window_ = std::make_unique<MainWindow>();
        window_->SetPopUpsShown(false);
        ASSERT_TRUE(window_->Start(nullptr));  // as the program starts

        QCoreApplication::processEvents();
    }
    void TearDown() override {
        window_->Stop();
        window_.reset();
        Set_DialogRunner(previous_);
        g_mathlist.Clear();
        g_selLB_item = -1;
    }
    QDialog* InputDialog() { return dynamic_cast<QDialog*>(Input_Dialog()); }
    template <class W>
    W* Item(int id) {
        return InputDialog()->findChild<W*>(QString("item%1").arg(id));
    }
    // Types a formula into the input dialog, registers and draws it.
    void Draw(const char* formula) {
        window_->Command(500);
        auto* box = Item<QPlainTextEdit>(IDC_FORMULA_BOX);
        ASSERT_NE(box, nullptr);
        box->clear();
        QTest::keyClicks(box, formula);
        QTest::mouseClick(Item<QPushButton>(IDC_REGISTER_BUTTON), Qt::LeftButton);
        QTest::mouseClick(Item<QPushButton>(IDC_OK_BUTTON), Qt::LeftButton);
        QCoreApplication::processEvents();
        window_->Paper()->Paint();
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* paper = window_->Paper();
        QMouseEvent event(type, QPointF(at), paper->mapToGlobal(QPointF(at)), button, buttons,
                          modifiers);
        QApplication::sendEvent(paper, &event);
    }
    void Hover(QPoint at) { Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton); }
    void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, at, b, b);
    }
    void MoveHeld(QPoint at, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, m);
    }
    void Release(QPoint at) { Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton); }
    static QPoint Center(const MoveFrame& frame) {
        const tagRECT r = frame.PutFrmRect();
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    GraphOnWin& Graph() { return *window_->Graph(); }
    void Key(int key) { QTest::keyClick(window_->Paper(), Qt::Key(key)); }

    QtDialogRunner runner_;
    DialogRunner* previous_ = nullptr;
    std::unique_ptr<MainWindow> window_;
    RecordingMessageSink boxes_;
};
