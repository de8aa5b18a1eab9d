#include "platform/scripted_choosers.h"

#include "platform/window.h"

namespace {

// The dialog window handed to a chooser hook records the caption it receives.
using CaptionWindow = CaptionOnlyWindow;

}  // namespace

ScriptedChoosers::ScriptedChoosers() { previous_ = Set_Choosers(this); }
ScriptedChoosers::~ScriptedChoosers() { Set_Choosers(previous_); }

void ScriptedChoosers::RunHook(HookProc hook) {
    if (!hook) return;
    CaptionWindow dialog;
    hook(&dialog, WM_INITDIALOG, 0, 0);
    captions.push_back(dialog.caption);
}

int ScriptedChoosers::FileName(OPENFILENAMEA* ofn) {
    file_requests.push_back(*ofn);
    initial_file = ofn->lpstrFile ? ofn->lpstrFile : "";
    if (!confirm || file_path.empty()) return 0;
    Copy_ToBuffer(ofn->lpstrFile, ofn->nMaxFile, file_path.c_str());
    const size_t slash = file_path.find_last_of('/');
    const std::string title = slash == std::string::npos ? file_path : file_path.substr(slash + 1);
    Copy_ToBuffer(ofn->lpstrFileTitle, ofn->nMaxFileTitle, title.c_str());
    ofn->nFilterIndex = static_cast<DWORD>(filter_index);
    if (ofn->lpChoices != nullptr) ofn->nChoice = choice;
    return 1;
}

int ScriptedChoosers::OpenFileName(OPENFILENAMEA* ofn) { return FileName(ofn); }
int ScriptedChoosers::SaveFileName(OPENFILENAMEA* ofn) { return FileName(ofn); }

int ScriptedChoosers::ChooseFont(tagCHOOSEFONTA* cf) {
    font_requests.push_back(*cf);
    RunHook(cf->lpfnHook);
    if (!confirm) return 0;
    if (font_given && cf->lpLogFont) *cf->lpLogFont = font;
    cf->rgbColors = color;
    return 1;
}

int ScriptedChoosers::ChooseColor(tagCHOOSECOLORA* cc) {
    color_requests.push_back(*cc);
    RunHook(cc->lpfnHook);
    if (!confirm) return 0;
    cc->rgbResult = color;
    return 1;
}
