// The choosers of the programs: Qt file dialogs, a font chooser that also chooses the text
// colour, and the colour dialog with the caller's sixteen custom colours. Hooks receive the
// chooser's window at initialisation (they set its caption).
#pragma once

#include <QMap>
#include <QString>

#include "platform/choosers.h"

class QtChoosers : public Choosers {
public:
    int OpenFileName(OPENFILENAMEA* ofn) override;
    int SaveFileName(OPENFILENAMEA* ofn) override;
    int ChooseFont(tagCHOOSEFONTA* cf) override;
    int ChooseColor(tagCHOOSECOLORA* cc) override;
};

// The folder each file dialog (by its caption) last showed: it starts there next time. A
// dialog without one starts in the folder the last file dialog ended in. The window program
// keeps them between runs.
QMap<QString, QString> Dialog_Folders();
void Set_DialogFolders(const QMap<QString, QString>& folders);
