#include "platform/dialog.h"

#include <cstring>

HINSTANCE win_Inst = nullptr;

namespace {
class CancellingRunner : public DialogRunner {
public:
    INT_PTR RunModal(const DialogTemplate&, HWND, DLGPROC, LPARAM) override { return IDCANCEL; }
    std::unique_ptr<DialogControls> CreateModeless(const DialogTemplate&, HWND, DLGPROC,
                                                   LPARAM) override {
        return nullptr;
    }
};
CancellingRunner cancelling_runner;
DialogRunner* current_runner = &cancelling_runner;
}  // namespace

const DialogControl* DialogTemplate::Find(int id) const {
    for (const DialogControl& control : controls) {
        if (control.id == id && id != IDC_STATIC) return &control;
    }
    return nullptr;
}

namespace {

std::string Without_AccessKey(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" is a literal "&"
        plain += text[i];
    }
    return plain;
}

// Dialog units of slack: labels are placed a little off their controls.
constexpr int kSlack = 2;

bool Overlap(int a, int a_size, int b, int b_size) { return a < b + b_size && b < a + a_size; }

}  // namespace

std::string DialogTemplate::Accessible_Name(const DialogControl& control) const {
    if (!control.text.empty()) return Without_AccessKey(control.text);
    const DialogControl* label = nullptr;
    int nearest = 0;
    for (const DialogControl& other : controls) {
        if (other.kind != ControlKind::Static || other.text.empty()) continue;
        int gap = 0;
        if (other.x + other.cx <= control.x + kSlack &&
            Overlap(other.y, other.cy, control.y, control.cy)) {
            gap = control.x - (other.x + other.cx);  // left of it, on its row
        } else if (other.y + other.cy <= control.y + kSlack &&
                   Overlap(other.x, other.cx, control.x, control.cx)) {
            gap = control.y - (other.y + other.cy);  // above it, in its column
        } else {
            continue;
        }
        if (label == nullptr || gap < nearest) {
            label = &other;
            nearest = gap;
        }
    }
    if (label != nullptr) return Without_AccessKey(label->text);
    for (const DialogControl& other : controls) {
        if (other.kind == ControlKind::GroupBox && !other.text.empty() &&
            Overlap(other.x, other.cx, control.x, control.cx) &&
            Overlap(other.y, other.cy, control.y, control.cy)) {
            return Without_AccessKey(other.text);
        }
    }
    return caption;
}

UINT DialogControls::GetDlgItemTextA(int id, char* buffer, int size) const {
    if (buffer == nullptr || size < 1) return 0;
    std::string text = GetDlgItemText(id);
    size_t count =
        text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<UINT>(count);
}

DialogRunner* Set_DialogRunner(DialogRunner* runner) {
    DialogRunner* previous = current_runner;
    current_runner = runner ? runner : &cancelling_runner;
    return previous;
}

INT_PTR DialogBoxParamA(HINSTANCE, const DialogTemplate& dialog, HWND owner, DLGPROC proc,
                        LPARAM init_param) {
    return current_runner->RunModal(dialog, owner, proc, init_param);
}

std::unique_ptr<DialogControls> CreateDialogParamA(HINSTANCE, const DialogTemplate& dialog,
                                                   HWND owner, DLGPROC proc, LPARAM init_param) {
    return current_runner->CreateModeless(dialog, owner, proc, init_param);
}

void Refuse_EditValue(DialogControls* hdlg, int edit_id, const char* text, const char* caption) {
    MessageBoxA(hdlg->Handle(), text, caption, MB_OK);
    hdlg->SetFocusItem(edit_id);
    hdlg->Edit_SetSel(edit_id, 0, static_cast<int>(hdlg->GetDlgItemText(edit_id).size()));
}
