#include "platform/scripted_dialogs.h"

#include "platform/cp932.h"

MemoryDialog::MemoryDialog(const DialogTemplate& dialog, DLGPROC proc)
    : template_(dialog), proc_(proc) {
    for (const DialogControl& control : dialog.controls) {
        if (control.id == IDC_STATIC) continue;
        State& state = states_[control.id];
        if (control.kind == ControlKind::Static || control.kind == ControlKind::PushButton ||
            control.kind == ControlKind::DefPushButton || control.kind == ControlKind::CheckBox ||
            control.kind == ControlKind::RadioButton || control.kind == ControlKind::GroupBox) {
            state.text = control.text;
        }
    }
}

MemoryDialog::State& MemoryDialog::At(int id) { return states_[id]; }

const MemoryDialog::State* MemoryDialog::Find(int id) const {
    auto found = states_.find(id);
    return found == states_.end() ? nullptr : &found->second;
}

std::string MemoryDialog::GetDlgItemText(int id) const {
    const State* state = Find(id);
    return state ? state->text : std::string();
}

void MemoryDialog::SetDlgItemText(int id, const std::string& text) {
    std::string stored = text;
    if (const DialogControl* control = template_.Find(id)) {
        if (control->max_length > 0 && stored.size() > static_cast<size_t>(control->max_length)) {
            stored.resize(static_cast<size_t>(control->max_length));
        }
    }
    At(id).text = stored;
}

UINT MemoryDialog::IsDlgButtonChecked(int id) const {
    const State* state = Find(id);
    return state ? state->check : BST_UNCHECKED;
}

void MemoryDialog::CheckDlgButton(int id, UINT state) { At(id).check = state; }

void MemoryDialog::CheckRadioButton(int first_id, int last_id, int check_id) {
    for (int id = first_id; id <= last_id; ++id) {
        if (Find(id)) At(id).check = id == check_id ? BST_CHECKED : BST_UNCHECKED;
    }
}

void MemoryDialog::EnableDlgItem(int id, bool enable) { At(id).enabled = enable; }

bool MemoryDialog::IsDlgItemEnabled(int id) const {
    const State* state = Find(id);
    return state ? state->enabled : false;
}

void MemoryDialog::EndDialog(INT_PTR value) {
    ended = true;
    result = value;
}

int MemoryDialog::ListBox_AddString(int id, const std::string& text) {
    State& state = At(id);
    state.entries.push_back(text);
    return static_cast<int>(state.entries.size()) - 1;
}

int MemoryDialog::ListBox_InsertString(int id, int index, const std::string& text) {
    State& state = At(id);
    int count = static_cast<int>(state.entries.size());
    if (index < 0 || index > count) index = count;
    state.entries.insert(state.entries.begin() + index, text);
    if (state.selection >= index) ++state.selection;
    return index;
}

int MemoryDialog::ListBox_DeleteString(int id, int index) {
    State& state = At(id);
    int count = static_cast<int>(state.entries.size());
    if (index < 0 || index >= count) return LB_ERR;
    state.entries.erase(state.entries.begin() + index);
    if (state.selection == index) {
        state.selection = LB_ERR;
    } else if (state.selection > index) {
        --state.selection;
    }
    return count - 1;
}

void MemoryDialog::ListBox_ResetContent(int id) {
    State& state = At(id);
    state.entries.clear();
    state.selection = LB_ERR;
}

int MemoryDialog::ListBox_GetCount(int id) const {
    const State* state = Find(id);
    return state ? static_cast<int>(state->entries.size()) : 0;
}

int MemoryDialog::ListBox_GetCurSel(int id) const {
    const State* state = Find(id);
    return state ? state->selection : LB_ERR;
}

int MemoryDialog::ListBox_SetCurSel(int id, int index) {
    State& state = At(id);
    if (index < 0 || index >= static_cast<int>(state.entries.size())) {
        state.selection = LB_ERR;
        return index == -1 ? 0 : LB_ERR;
    }
    state.selection = index;
    return index;
}

std::string MemoryDialog::ListBox_GetText(int id, int index) const {
    const State* state = Find(id);
    if (!state || index < 0 || index >= static_cast<int>(state->entries.size())) return {};
    return state->entries[static_cast<size_t>(index)];
}

INT_PTR MemoryDialog::Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return proc_(this, message, wparam, lparam);
}

void MemoryDialog::Type(int id, const std::string& text) {
    // Typed as the window's boxes take it: full width folded except in free text.
    const DialogControl* control = Template().Find(id);
    const bool free_text = control != nullptr && (control->style & CS_FREETEXT) != 0;
    SetDlgItemText(id, free_text ? text : Fold_FullWidth(text));
    State& state = At(id);
    state.sel_start = state.sel_end = static_cast<int>(state.text.size());
    Command(id, EN_CHANGE);
}

void MemoryDialog::Edit_GetSel(int id, int* start, int* end) const {
    const State* state = Find(id);
    *start = state ? state->sel_start : 0;
    *end = state ? state->sel_end : 0;
}

void MemoryDialog::Edit_SetSel(int id, int start, int end) {
    State& state = At(id);
    const int length = static_cast<int>(state.text.size());
    auto clamp = [length](int value) { return value < 0 ? 0 : (value > length ? length : value); };
    state.sel_start = clamp(start);
    state.sel_end = clamp(end);
}

void MemoryDialog::Edit_ReplaceSel(int id, const std::string& text) {
    State& state = At(id);
    int start = state.sel_start < state.sel_end ? state.sel_start : state.sel_end;
    int end = state.sel_start < state.sel_end ? state.sel_end : state.sel_start;
    const int length = static_cast<int>(state.text.size());
    if (start > length) start = length;
    if (end > length) end = length;
    state.text = state.text.substr(0, static_cast<size_t>(start)) + text +
                 state.text.substr(static_cast<size_t>(end));
    state.sel_start = state.sel_end = start + static_cast<int>(text.size());
}

void MemoryDialog::ListView_AddExtendedStyle(int id, unsigned ex_style) {
    At(id).ex_style |= ex_style;
}

unsigned MemoryDialog::ListView_ExtendedStyle(int id) const {
    const State* state = Find(id);
    return state != nullptr ? state->ex_style : 0;
}

void MemoryDialog::ListView_InsertColumn(int id, int column, const std::string& title, int,
                                         ColumnAlign) {
    State& state = At(id);
    if (column < 0 || column > static_cast<int>(state.columns.size())) {
        column = static_cast<int>(state.columns.size());
    }
    state.columns.insert(state.columns.begin() + column, title);
}

std::vector<std::string> MemoryDialog::ListView_Columns(int id) const {
    const State* state = Find(id);
    return state ? state->columns : std::vector<std::string>();
}

void MemoryDialog::ListView_DeleteAllItems(int id) { At(id).rows.clear(); }

int MemoryDialog::ListView_InsertItem(int id, int row, const std::string& text) {
    State& state = At(id);
    const int count = static_cast<int>(state.rows.size());
    if (row < 0 || row > count) row = count;
    state.rows.insert(state.rows.begin() + row, std::vector<std::string>{text});
    return row;
}

void MemoryDialog::ListView_SetItemText(int id, int row, int column, const std::string& text) {
    State& state = At(id);
    if (row < 0 || row >= static_cast<int>(state.rows.size()) || column < 0) return;
    std::vector<std::string>& cells = state.rows[static_cast<size_t>(row)];
    if (static_cast<int>(cells.size()) <= column) cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = text;
}

std::string MemoryDialog::ListView_GetItemText(int id, int row, int column) const {
    const State* state = Find(id);
    if (!state || row < 0 || row >= static_cast<int>(state->rows.size()) || column < 0) return {};
    const std::vector<std::string>& cells = state->rows[static_cast<size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)]
                                                   : std::string();
}

int MemoryDialog::ListView_GetItemCount(int id) const {
    const State* state = Find(id);
    return state ? static_cast<int>(state->rows.size()) : 0;
}

void MemoryDialog::EditLabel(int id, int row, const char* text) {
    NMLVDISPINFO info;
    info.hdr.idFrom = id;
    info.hdr.code = LVN_BEGINLABELEDITA;
    info.item = row;
    Send(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
    info.hdr.code = LVN_ENDLABELEDITA;
    // A value typed into the list is read as the window's editor reads it.
    const std::string typed = text != nullptr ? Fold_FullWidth(text) : std::string();
    info.pszText = text != nullptr ? typed.c_str() : nullptr;
    Send(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
}

void MemoryDialog::Uncheck_Group(int id) {
    // Radio buttons group from a control with CS_GROUP up to the next one.
    const auto& controls = template_.controls;
    size_t at = 0;
    while (at < controls.size() && controls[at].id != id) ++at;
    if (at == controls.size()) return;
    size_t first = at;
    while (first > 0 && !(controls[first].style & CS_GROUP) &&
           controls[first - 1].kind == ControlKind::RadioButton) {
        --first;
    }
    for (size_t i = first; i < controls.size() && controls[i].kind == ControlKind::RadioButton;
         ++i) {
        if (i != first && (controls[i].style & CS_GROUP)) break;
        At(controls[i].id).check = BST_UNCHECKED;
    }
}

void MemoryDialog::Click(int id) {
    const DialogControl* control = template_.Find(id);
    if (control != nullptr) {
        if (control->kind == ControlKind::CheckBox) {
            State& state = At(id);
            state.check = state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        } else if (control->kind == ControlKind::RadioButton) {
            Uncheck_Group(id);
            At(id).check = BST_CHECKED;
        }
    }
    Command(id, BN_CLICKED);
}

void MemoryDialog::Select(int id, int index) {
    ListBox_SetCurSel(id, index);
    Command(id, LBN_SELCHANGE);
}

void MemoryDialog::Command(int id, WORD notification) {
    Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), notification), 0);
}

void MemoryDialog::Close() {
    // An unhandled close box cancels, as Escape does.
    if (!Send(WM_CLOSE, 0, 0) && !ended) Command(IDCANCEL, BN_CLICKED);
}

ScriptedDialogRunner::ScriptedDialogRunner() : previous_(Set_DialogRunner(this)) {}

ScriptedDialogRunner::~ScriptedDialogRunner() { Set_DialogRunner(previous_); }

std::unique_ptr<DialogControls> ScriptedDialogRunner::CreateModeless(const DialogTemplate& dialog,
                                                                     HWND, DLGPROC proc,
                                                                     LPARAM init_param) {
    auto memory = std::make_unique<MemoryDialog>(dialog, proc);
    memory->Send(WM_INITDIALOG, 0, init_param);
    return memory;
}

INT_PTR ScriptedDialogRunner::RunModal(const DialogTemplate& dialog, HWND, DLGPROC proc,
                                       LPARAM init_param) {
    MemoryDialog memory(dialog, proc);
    memory.visible = true;
    memory.Send(WM_INITDIALOG, 0, init_param);
    Shown record;
    record.name = dialog.name;
    record.caption = dialog.caption;
    for (const DialogControl& control : dialog.controls) {
        if (control.id == IDC_STATIC) continue;
        if (control.kind == ControlKind::Edit) {
            record.initial_texts[control.id] = memory.GetDlgItemText(control.id);
        } else if (control.kind == ControlKind::CheckBox ||
                   control.kind == ControlKind::RadioButton) {
            record.initial_checks[control.id] = memory.IsDlgButtonChecked(control.id);
        }
    }
    if (!scripts_.empty() && !memory.ended) {
        Script script = std::move(scripts_.front());
        scripts_.pop_front();
        script(memory);
    }
    if (!memory.ended) memory.Close();
    if (!memory.ended) memory.EndDialog(IDCANCEL);
    record.result = memory.result;
    shown.push_back(record);
    return memory.result;
}
