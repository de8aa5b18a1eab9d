#include "shell/progress_feedback.h"

#include <QApplication>
#include <QProgressDialog>

ProgressFeedback::ProgressFeedback(QWidget* owner, int delay_ms)
    : owner_(owner), delay_ms_(delay_ms) {}

ProgressFeedback::~ProgressFeedback() { Finish(); }

void ProgressFeedback::Finish() {
    dialog_.reset();
    if (busy_cursor_) QApplication::restoreOverrideCursor();
    busy_cursor_ = false;
    started_.invalidate();
}

bool ProgressFeedback::operator()(double done) {
    return Report(done, "グラフを描いています…", "描画中");
}

bool ProgressFeedback::FileWork(double done, bool writing) {
    return writing ? Report(done, "ファイルに書いています…", "保存中")
                   : Report(done, "ファイルを読んでいます…", "読み込み中");
}

bool ProgressFeedback::Report(double done, const char* label, const char* title) {
    if (done <= 0.0) {
        Finish();
        started_.start();
        return true;
    }
    if (done >= 1.0) {
        Finish();
        return true;
    }
    if (!started_.isValid() || started_.elapsed() < delay_ms_) return true;
    if (!dialog_) {
        busy_cursor_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        dialog_ = std::make_unique<QProgressDialog>(QString::fromUtf8(label),
                                                    QString::fromUtf8("中止"), 0, 1000, owner_);
        dialog_->setWindowTitle(QString::fromUtf8(title));
        // Nothing else may be touched while the document is being worked on.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
        last_events_.invalidate();
    }
    // The windows repaint and 中止 is heard, a few dozen times a second.
    if (!last_events_.isValid() || last_events_.elapsed() >= 30) {
        dialog_->setValue(static_cast<int>(done * 1000.0));
        QCoreApplication::processEvents();
        last_events_.start();
    }
    return !dialog_->wasCanceled();
}
