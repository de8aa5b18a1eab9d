// Test double for dialogs: an in-memory dialog holding each control's text, check state and
// list entries, driven by a script of user actions, one script per dialog shown.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/window.h"

class MemoryDialog : public DialogControls {
public:
    MemoryDialog(const DialogTemplate& dialog, DLGPROC proc);

    HWND Handle() override { return &window_; }
    const DialogTemplate& Template() const override { return template_; }
    std::string GetDlgItemText(int id) const override;
    void SetDlgItemText(int id, const std::string& text) override;
    UINT IsDlgButtonChecked(int id) const override;
    void CheckDlgButton(int id, UINT state) override;
    void CheckRadioButton(int first_id, int last_id, int check_id) override;
    void EnableDlgItem(int id, bool enable) override;
    bool IsDlgItemEnabled(int id) const override;
    void SetFocusItem(int id) override { focus = id; }
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
    unsigned ListView_ExtendedStyle(int id) const;
    int ListView_InsertItem(int id, int row, const std::string& text) override;
    void ListView_SetItemText(int id, int row, int column, const std::string& text) override;
    std::string ListView_GetItemText(int id, int row, int column) const override;
    int ListView_GetItemCount(int id) const override;
    void ShowDialog(bool show) override { visible = show; }
    bool IsDialogVisible() const override { return visible; }

    // The column titles of a list view.
    std::vector<std::string> ListView_Columns(int id) const;

    // What a user does: type over an edit box, click a button, check box or radio button
    // (its group is unchecked first), pick a list entry, press Escape or the close box.
    void Type(int id, const std::string& text);
    void Click(int id);
    void Select(int id, int index);
    // Edits column 0 of a list-view row in place and confirms (or cancels with null).
    void EditLabel(int id, int row, const char* text);
    void Command(int id, WORD notification);
    void Close();

    INT_PTR Send(UINT message, WPARAM wparam, LPARAM lparam);

    bool ended = false;
    INT_PTR result = 0;
    int focus = 0;
    bool visible = false;

private:
    struct State {
        std::string text;
        UINT check = BST_UNCHECKED;
        bool enabled = true;
        std::vector<std::string> entries;
        int selection = LB_ERR;
        int sel_start = 0;
        int sel_end = 0;
        std::vector<std::string> columns;
        std::vector<std::vector<std::string>> rows;
        unsigned ex_style = 0;
    };
    State& At(int id);
    const State* Find(int id) const;
    void Uncheck_Group(int id);

    const DialogTemplate& template_;
    DLGPROC proc_;
    std::map<int, State> states_;
    CaptionOnlyWindow window_;
};

class ScriptedDialogRunner : public DialogRunner {
public:
    using Script = std::function<void(MemoryDialog&)>;

    // Installs itself for its lifetime.
    ScriptedDialogRunner();
    ~ScriptedDialogRunner() override;
    ScriptedDialogRunner(const ScriptedDialogRunner&) = delete;
    ScriptedDialogRunner& operator=(const ScriptedDialogRunner&) = delete;

    // Scripts used in order, one per dialog shown; a dialog without a script is cancelled.
    void Then(Script script) { scripts_.push_back(std::move(script)); }
    // Drops the scripts no dialog has used.
    void Clear() { scripts_.clear(); }

    INT_PTR RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                     LPARAM init_param) override;
    std::unique_ptr<DialogControls> CreateModeless(const DialogTemplate& dialog, HWND owner,
                                                   DLGPROC proc, LPARAM init_param) override;

    struct Shown {
        std::string name;
        std::string caption;
        // Each edit box's text and each button's check state right after initialisation.
        std::map<int, std::string> initial_texts;
        std::map<int, UINT> initial_checks;
        INT_PTR result = 0;
    };
    std::vector<Shown> shown;

private:
    std::deque<Script> scripts_;
    DialogRunner* previous_ = nullptr;
};
