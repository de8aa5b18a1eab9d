// Dialogs as QDialogs built from their templates: each control becomes a widget at its
// place, user actions reach the dialog procedure as WM_COMMAND notifications, Enter presses
// the default button, Escape and the close box cancel.
#pragma once

#include <QDialog>
#include <QPoint>

#include <map>
#include <memory>
#include <optional>

#include "platform/dialog.h"
#include "platform/qt/widget_window.h"

class QButtonGroup;

class QtDialog : public QDialog, public DialogControls {
    Q_OBJECT
public:
    QtDialog(const DialogTemplate& dialog, DLGPROC proc, QWidget* parent);
    ~QtDialog() override;

    HWND Handle() override { return &handle_; }
    const DialogTemplate& Template() const override { return template_; }
    std::string GetDlgItemText(int id) const override;
    void SetDlgItemText(int id, const std::string& text) override;
    UINT IsDlgButtonChecked(int id) const override;
    void CheckDlgButton(int id, UINT state) override;
    void CheckRadioButton(int first_id, int last_id, int check_id) override;
    void EnableDlgItem(int id, bool enable) override;
    bool IsDlgItemEnabled(int id) const override;
    void SetFocusItem(int id) override;
    void EndDialog(INT_PTR result) override;
    int ListBox_AddString(int id, const std::string& text) override;
    int ListBox_InsertString(int id, int index, const std::string& text) override;
    int ListBox_DeleteString(int id, int index) override;
    void ListBox_ResetContent(int id) override;
    int ListBox_GetCount(int id) const override;
    int ListBox_GetCurSel(int id) const override;
    int ListBox_SetCurSel(int id, int index) override;
    std::string ListBox_GetText(int id, int index) const override;
    void Edit_GetSel(int id, int* start, int* end) const override;
    void Edit_SetSel(int id, int start, int end) override;
    void Edit_ReplaceSel(int id, const std::string& text) override;
    void ListView_InsertColumn(int id, int column, const std::string& title, int width,
                               ColumnAlign align) override;
    void ListView_AddExtendedStyle(int id, unsigned ex_style) override;
    void ListView_DeleteAllItems(int id) override;
    int ListView_InsertItem(int id, int row, const std::string& text) override;
    void ListView_SetItemText(int id, int row, int column, const std::string& text) override;
    std::string ListView_GetItemText(int id, int row, int column) const override;
    int ListView_GetItemCount(int id) const override;
    void ShowDialog(bool show) override;
    bool IsDialogVisible() const override { return isVisible(); }

    // A list-view label edit finished (null text: cancelled).
    void Label_Edited(int id, int row, const char* text);

    INT_PTR Send(UINT message, WPARAM wparam, LPARAM lparam);
    QWidget* Item(int id) const;
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    // Dialog units to pixels.
    static int Unit_X(int units) { return units * 7 / 4; }
    static int Unit_Y(int units) { return units * 15 / 8; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Build();
    void Command(int id, WORD notification);

    const DialogTemplate& template_;
    DLGPROC proc_;
    WidgetWindow handle_;
    std::map<int, QWidget*> items_;
    bool ended_ = false;
    bool quiet_ = false;  // changes made by the procedure itself send no notification
    bool closing_ = false;
    INT_PTR result_ = IDCANCEL;
    std::optional<QPoint> hidden_at_;  // where a hidden modeless dialog was
};

class QtDialogRunner : public DialogRunner {
public:
    INT_PTR RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                     LPARAM init_param) override;
    std::unique_ptr<DialogControls> CreateModeless(const DialogTemplate& dialog, HWND owner,
                                                   DLGPROC proc, LPARAM init_param) override;
};
