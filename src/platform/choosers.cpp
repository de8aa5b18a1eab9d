#include "platform/choosers.h"

#include <cstring>

namespace {

class CancelChoosers : public Choosers {
public:
    int OpenFileName(OPENFILENAMEA*) override { return 0; }
    int SaveFileName(OPENFILENAMEA*) override { return 0; }
    int ChooseFont(tagCHOOSEFONTA*) override { return 0; }
    int ChooseColor(tagCHOOSECOLORA*) override { return 0; }
};

CancelChoosers cancel_choosers;
Choosers* current_choosers = &cancel_choosers;

}  // namespace

Choosers* Set_Choosers(Choosers* choosers) {
    Choosers* previous = current_choosers;
    current_choosers = choosers ? choosers : &cancel_choosers;
    return previous;
}

int GetOpenFileNameA(OPENFILENAMEA* ofn) { return current_choosers->OpenFileName(ofn); }
int GetSaveFileNameA(OPENFILENAMEA* ofn) { return current_choosers->SaveFileName(ofn); }
int ChooseFontA(tagCHOOSEFONTA* cf) { return current_choosers->ChooseFont(cf); }
int ChooseColorA(tagCHOOSECOLORA* cc) { return current_choosers->ChooseColor(cc); }

void Copy_ToBuffer(char* buffer, size_t size, const char* text) {
    if (!buffer || size == 0) return;
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n >= size) n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = '\0';
}
