// The manual and the about text of the help menu: where the manual is found and how it opens.
#pragma once

#include <string>

#include "platform/window.h"

class PaperHost;

// The manual "使用説明/PlotariVer.html" under the current directory.
std::string Help_FilePath();
// The installed manual (share/plotari beside the program's bin folder, or the copy beside a
// built program); empty when there is none. 説明書を見る falls back to it when the current
// directory has no manual.
std::string Installed_HelpFilePath();
int Open_HelpFile(PaperHost* host);
// The message of a manual that could not be opened (also when the desktop's opener fails
// after it started).
void Show_HelpOpenFailure(HWND owner);
// The text of "このソフトについて".
std::string About_Text();
