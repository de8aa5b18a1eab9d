// File, font and colour choosers. The code fills the records as it would for the desktop's
// common dialogs and calls the free functions; the installed Choosers object shows them
// (Qt dialogs in the program, scripted answers in tests).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win_types.h"

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using UINT_PTR = uintptr_t;
using HookProc = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

constexpr UINT WM_INITDIALOG = 0x0110;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x2;
constexpr DWORD OFN_HIDEREADONLY = 0x4;
constexpr int MAX_PATH = 260;

// Sixty bytes exactly: five 32-bit integers, eight bytes, a 32-byte face name. The document
// file stores it field by field in this order.
struct tagLOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    // UTF-8 in memory: room for every face the file's 32 bytes can hold (31 CP932 bytes, up
    // to 93 in UTF-8). The file's 60-byte form is written by LogFont_ToBytes.
    char lfFaceName[96] = {};
};
using LOGFONTA = tagLOGFONTA;
// The longest face name the document file keeps, in CP932 bytes (without the NUL).
constexpr size_t FACE_NAME_CP932_BYTES = 31;

struct OPENFILENAMEA {
    DWORD lStructSize = 0;
    HWND hwndOwner = nullptr;
    // Pairs of description and pattern, each NUL-terminated, ended by an empty string.
    const char* lpstrFilter = nullptr;
    DWORD nFilterIndex = 0;     // 1-based index of the chosen pair
    char* lpstrFile = nullptr;  // in: initial name, out: full path
    DWORD nMaxFile = 0;
    char* lpstrFileTitle = nullptr;  // out: file name without folder
    DWORD nMaxFileTitle = 0;
    const char* lpstrTitle = nullptr;
    DWORD Flags = 0;
    const char* lpstrDefExt = nullptr;
    // A choice offered beside the file name (a list box in the window's dialog), or none:
    // its label, its items ended by a null pointer, and the item chosen (in: the one shown
    // first; out: the one chosen).
    const char* lpstrChoiceLabel = nullptr;
    const char* const* lpChoices = nullptr;
    int nChoice = 0;
};

struct tagCHOOSEFONTA {
    DWORD lStructSize = 0;
    HWND hwndOwner = nullptr;
    tagLOGFONTA* lpLogFont = nullptr;
    int iPointSize = 0;
    DWORD Flags = 0;
    COLORREF rgbColors = 0;  // text colour, chosen together with the font
    HookProc lpfnHook = nullptr;
    WORD nFontType = 0;
};

struct tagCHOOSECOLORA {
    DWORD lStructSize = 0;
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;  // 16 custom colours
    DWORD Flags = 0;
    HookProc lpfnHook = nullptr;
};

class Choosers {
public:
    virtual ~Choosers() = default;
    // Each returns non-zero when the user confirmed, 0 when cancelled.
    virtual int OpenFileName(OPENFILENAMEA* ofn) = 0;
    virtual int SaveFileName(OPENFILENAMEA* ofn) = 0;
    virtual int ChooseFont(tagCHOOSEFONTA* cf) = 0;
    virtual int ChooseColor(tagCHOOSECOLORA* cc) = 0;
};

// Installs choosers (not owned), returns the previous ones; nullptr restores the default,
// which cancels every request.
Choosers* Set_Choosers(Choosers* choosers);

int GetOpenFileNameA(OPENFILENAMEA* ofn);
int GetSaveFileNameA(OPENFILENAMEA* ofn);
int ChooseFontA(tagCHOOSEFONTA* cf);
int ChooseColorA(tagCHOOSECOLORA* cc);

// Copies a text into a fixed buffer, always NUL-terminated, cut at the buffer size.
void Copy_ToBuffer(char* buffer, size_t size, const char* text);
