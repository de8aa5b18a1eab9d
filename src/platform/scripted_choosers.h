// Test double for the choosers: records every request and answers from fixed values.
#pragma once

#include <string>
#include <vector>

#include "platform/choosers.h"

class ScriptedChoosers : public Choosers {
public:
    // Installs itself for its lifetime and restores the previous choosers afterwards.
    ScriptedChoosers();
    ~ScriptedChoosers() override;
    ScriptedChoosers(const ScriptedChoosers&) = delete;
    ScriptedChoosers& operator=(const ScriptedChoosers&) = delete;

    int OpenFileName(OPENFILENAMEA* ofn) override;
    int SaveFileName(OPENFILENAMEA* ofn) override;
    int ChooseFont(tagCHOOSEFONTA* cf) override;
    int ChooseColor(tagCHOOSECOLORA* cc) override;

    // Answers; an empty path or a cleared flag cancels.
    std::string file_path;
    int filter_index = 1;
    int choice = 0;  // the item chosen when the dialog offers a choice beside the name
    bool confirm = true;
    tagLOGFONTA font{};
    bool font_given = false;
    COLORREF color = 0;

    // What the requests carried.
    std::vector<OPENFILENAMEA> file_requests;
    std::string initial_file;  // lpstrFile at the last file request
    std::vector<tagCHOOSEFONTA> font_requests;
    std::vector<tagCHOOSECOLORA> color_requests;
    // Captions the hooks set when the dialogs opened.
    std::vector<std::string> captions;

private:
    int FileName(OPENFILENAMEA* ofn);
    void RunHook(HookProc hook);
    Choosers* previous_ = nullptr;
};
