// Feedback on long work in the window (sampling, opening or saving a large document): after
// half a second a busy cursor and a progress dialog with 中止, which abandons the work (the
// document, and the file, stay as they were); the windows keep repainting while it runs.
// Installed as the samplers' and the document file's progress hooks.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

class ProgressFeedback {
public:
    explicit ProgressFeedback(QWidget* owner, int delay_ms = 500);
    ~ProgressFeedback();
    ProgressFeedback(const ProgressFeedback&) = delete;
    ProgressFeedback& operator=(const ProgressFeedback&) = delete;

    // The hook: 0 starts a sampling, 1 ends it; false once 中止 was pressed.
    bool operator()(double done);
    // The same for a document being read or written, with its own texts.
    bool FileWork(double done, bool writing);
    // The dialog while it is shown (null before the delay has passed).
    QProgressDialog* Dialog() const { return dialog_.get(); }

private:
    void Finish();
    bool Report(double done, const char* label, const char* title);

    QWidget* owner_;
    int delay_ms_;
    QElapsedTimer started_;
    QElapsedTimer last_events_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool busy_cursor_ = false;
};
