// Dialogs with numbered controls. A dialog is described by a template (its caption, size
// and controls with their ids, as a resource file would) and driven by a dialog procedure
// that sees the controls only through DialogControls. The installed DialogRunner shows it:
// a QDialog built from the template in the programs, a scripted in-memory dialog in tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/choosers.h"
#include "platform/message_box.h"
#include "platform/win_types.h"

using INT_PTR = intptr_t;
using HINSTANCE = void*;

constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_COMMAND = 0x0111;

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
constexpr unsigned CS_GROUP = 0x1;      // first radio button of a group
constexpr unsigned CS_READONLY = 0x2;   // edit box the user cannot type in
constexpr unsigned CS_NUMBER = 0x4;     // edit box for digits only
constexpr unsigned CS_RIGHT = 0x8;      // right-aligned label

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

    // Reads an edit box into a fixed buffer as GetDlgItemTextA does (always terminated).
    UINT GetDlgItemTextA(int id, char* buffer, int size) const;
    void SetDlgItemTextA(int id, const char* text) { SetDlgItemText(id, text ? text : ""); }
};

using DLGPROC = INT_PTR (*)(DialogControls* hDlg, UINT message, WPARAM wParam, LPARAM lParam);

class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows the dialog modally: sends WM_INITDIALOG with init_param, then the user's
    // commands, and returns the value given to EndDialog.
    virtual INT_PTR RunModal(const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                             LPARAM init_param) = 0;
};

// Installs a runner (not owned) and returns the previous one; nullptr restores the default,
// which shows nothing and answers every dialog as cancelled (IDCANCEL).
DialogRunner* Set_DialogRunner(DialogRunner* runner);

INT_PTR DialogBoxParamA(HINSTANCE instance, const DialogTemplate& dialog, HWND owner,
                        DLGPROC proc, LPARAM init_param);
