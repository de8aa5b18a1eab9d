// Dialogs with numbered controls. A dialog is described by a template (its caption, size
// and controls with their ids, as a resource file would) and driven by a dialog procedure
// that sees the controls only through DialogControls. The installed DialogRunner shows it:
// a QDialog built from the template in the programs, a scripted in-memory dialog in tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/choosers.h"
#include "platform/message_box.h"
#include "platform/win_types.h"

using INT_PTR = intptr_t;
using HINSTANCE = void*;

// The program instance handed to dialogs (unused here, kept for the calls' shape).
extern HINSTANCE win_Inst;

constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_COMMAND = 0x0111;

// WM_NOTIFY: lParam points at the header (and, for list-view label edits, at the
// NMLVDISPINFO that begins with it).
struct NMHDR {
    int idFrom = 0;
    UINT code = 0;
};
constexpr UINT LVN_BEGINLABELEDITA = static_cast<UINT>(-105);
constexpr UINT LVN_ENDLABELEDITA = static_cast<UINT>(-106);
struct NMLVDISPINFO {
    NMHDR hdr;
    int item = 0;
    int subitem = 0;
    const char* pszText = nullptr;  // the edited text; null when the edit was cancelled
};

enum class ColumnAlign { Left, Center, Right };

// Notification codes carried in the high word of WM_COMMAND's wParam.
constexpr WORD BN_CLICKED = 0;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD EN_CHANGE = 0x0300;

constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

constexpr int LB_ERR = -1;

inline WORD LOWORD(WPARAM value) { return static_cast<WORD>(value & 0xffff); }
inline WORD HIWORD(WPARAM value) { return static_cast<WORD>((value >> 16) & 0xffff); }
inline WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

enum class ControlKind {
    Static,
    Edit,
    CheckBox,
    RadioButton,
    GroupBox,
    PushButton,
    DefPushButton,
    ListBox,
    ListView,
};

// Control styles the templates use.
constexpr unsigned CS_GROUP = 0x1;       // first radio button of a group
constexpr unsigned CS_READONLY = 0x2;    // edit box the user cannot type in
constexpr unsigned CS_NUMBER = 0x4;      // edit box for digits only
constexpr unsigned CS_RIGHT = 0x8;       // right-aligned label
constexpr unsigned CS_MULTILINE = 0x10;  // edit box of several lines, Enter makes a new line
constexpr unsigned CS_NOTABSTOP = 0x20;  // not reached with the Tab key
// Edit box of free text (a title, a name): full-width characters stay as typed. In every
// other edit box (formulas, ranges, values) they are read, and shown, as ASCII.
constexpr unsigned CS_FREETEXT = 0x40;

// Extended styles of a list view.
constexpr unsigned LVS_EX_GRIDLINES = 0x1;
constexpr unsigned LVS_EX_HEADERDRAGDROP = 0x10;
constexpr unsigned LVS_EX_FULLROWSELECT = 0x20;

constexpr int IDC_STATIC = -1;

struct DialogControl {
    ControlKind kind = ControlKind::Static;
    int id = IDC_STATIC;
    std::string text;
    // Position and size in dialog units (a quarter of the average character width,
    // an eighth of the character height).
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    unsigned style = 0;
    int max_length = 0;  // edit boxes: most characters accepted, 0 for no limit
};

struct DialogTemplate {
    std::string name;  // the resource name, e.g. "AXSETDLG"
    std::string caption;
    int cx = 0;
    int cy = 0;
    std::vector<DialogControl> controls;

    const DialogControl* Find(int id) const;
    // The name a screen reader says for a control: its own text (without the "&" of its
    // access key), else the label a sighted user reads for it (the nearest static text to
    // its left on its row or above it in its column), else its group box's text, else the
    // dialog's caption.
    std::string Accessible_Name(const DialogControl& control) const;
};

// What a dialog procedure sees of its dialog.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    // The dialog as the owner of message boxes and nested dialogs.
    virtual HWND Handle() = 0;
    virtual const DialogTemplate& Template() const = 0;

    virtual std::string GetDlgItemText(int id) const = 0;
    virtual void SetDlgItemText(int id, const std::string& text) = 0;
    virtual UINT IsDlgButtonChecked(int id) const = 0;
    virtual void CheckDlgButton(int id, UINT state) = 0;
    // Checks check_id and unchecks the other radio buttons with ids first_id ... last_id.
    virtual void CheckRadioButton(int first_id, int last_id, int check_id) = 0;
    virtual void EnableDlgItem(int id, bool enable) = 0;
    virtual bool IsDlgItemEnabled(int id) const = 0;
    virtual void SetFocusItem(int id) = 0;
    virtual void EndDialog(INT_PTR result) = 0;

    // List boxes (unsorted).
    virtual int ListBox_AddString(int id, const std::string& text) = 0;
    virtual int ListBox_InsertString(int id, int index, const std::string& text) = 0;
    virtual int ListBox_DeleteString(int id, int index) = 0;
    virtual void ListBox_ResetContent(int id) = 0;
    virtual int ListBox_GetCount(int id) const = 0;
    virtual int ListBox_GetCurSel(int id) const = 0;
    virtual int ListBox_SetCurSel(int id, int index) = 0;
    virtual std::string ListBox_GetText(int id, int index) const = 0;

    // Edit boxes: the selection (caret when empty) in characters, and typing over it.
    virtual void Edit_GetSel(int id, int* start, int* end) const = 0;
    virtual void Edit_SetSel(int id, int start, int end) = 0;
    // Replaces the selection with text as one undoable edit; the caret ends after it.
    virtual void Edit_ReplaceSel(int id, const std::string& text) = 0;

    // List views in report view: rows of columns; only column 0 can be edited in place, and
    // an edit reaches the procedure as WM_NOTIFY LVN_ENDLABELEDITA (the text is not stored
    // unless the procedure stores it).
    virtual void ListView_InsertColumn(int id, int column, const std::string& title, int width,
                                       ColumnAlign align) = 0;
    // Adds extended styles (LVS_EX_…) to the ones the list view has.
    virtual void ListView_AddExtendedStyle(int id, unsigned ex_style) = 0;
    virtual void ListView_DeleteAllItems(int id) = 0;
    virtual int ListView_InsertItem(int id, int row, const std::string& text) = 0;
    virtual void ListView_SetItemText(int id, int row, int column, const std::string& text) = 0;
    virtual std::string ListView_GetItemText(int id, int row, int column) const = 0;
    virtual int ListView_GetItemCount(int id) const = 0;

    // Modeless dialogs: shown or hidden; a modal one is shown while it runs.
    virtual void ShowDialog(bool show) = 0;
    virtual bool IsDialogVisible() const = 0;

    // Reads an edit box into a fixed buffer as GetDlgItemTextA does (always terminated).
    UINT GetDlgItemTextA(int id, char* buffer, int size) const;
    void SetDlgItemTextA(int id, const char* text) { SetDlgItemText(id, text ? text : ""); }
};

// Refuses the value typed into an edit box: a message box says why, then the box gets the
// focus with its whole text selected, so the user types over it; the dialog stays open.
void Refuse_EditValue(DialogControls* hdlg, int edit_id, const char* text, const char* caption);

using DLGPROC = INT_PTR (*)(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows the dialog modally: sends WM_INITDIALOG with init_param, then the user's
    // commands, and returns the value given to EndDialog.
    virtual INT_PTR RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                             LPARAM init_param) = 0;
    // Makes a modeless dialog, hidden, after sending WM_INITDIALOG. The caller owns it.
    virtual std::unique_ptr<DialogControls> CreateModeless(const DialogTemplate& dialog, HWND owner,
                                                           DLGPROC proc, LPARAM init_param) = 0;
};

// Installs a runner (not owned) and returns the previous one; nullptr restores the default,
// which shows nothing and answers every dialog as cancelled (IDCANCEL).
DialogRunner* Set_DialogRunner(DialogRunner* runner);

INT_PTR DialogBoxParamA(HINSTANCE instance, const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                        LPARAM init_param);
std::unique_ptr<DialogControls> CreateDialogParamA(HINSTANCE instance, const DialogTemplate& dialog,
                                                   HWND owner, DLGPROC proc, LPARAM init_param);
