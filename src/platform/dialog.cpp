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
