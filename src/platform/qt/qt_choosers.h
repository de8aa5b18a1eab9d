// The choosers of the programs: Qt file dialogs, a font chooser that also chooses the text
// colour, and the colour dialog with the caller's sixteen custom colours. Hooks receive the
// chooser's window at initialisation (they set its caption).
#pragma once

#include "platform/choosers.h"

class QtChoosers : public Choosers {
public:
    int OpenFileName(OPENFILENAMEA* ofn) override;
    int SaveFileName(OPENFILENAMEA* ofn) override;
    int ChooseFont(tagCHOOSEFONTA* cf) override;
    int ChooseColor(tagCHOOSECOLORA* cc) override;
};
