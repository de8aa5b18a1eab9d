// Modal message boxes. The code calls MessageBoxA as it would on the desktop; what shows
// the box is the installed MessageSink: a Qt message box in the window program, a line on
// standard error in the command-line program, a recording double in tests.
#pragma once

#include <string>

#include "platform/win_types.h"

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_TYPEMASK = 0xf;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows one box and returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int Show(HWND owner, const std::string& text, const std::string& caption,
                     UINT style) = 0;
};

// The answer pressing Enter gives: OK for an OK box, No for a Yes/No question,
// Cancel where there is one besides OK.
int Default_Answer(UINT style);
// A message box as one line of text: "CAPTION: TEXT", a line break inside TEXT written as
// the two characters \n, ended by a line break.
std::string Message_Line(const std::string& caption, const std::string& text);

// Writes "CAPTION: TEXT" on standard error (a line break in TEXT as the two characters
// "\n") and answers as pressing Enter would. The sink used until another is installed.
class StderrMessageSink : public MessageSink {
public:
    int Show(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
    int shown_count = 0;
};

// Installs a sink (not owned) and returns the previous one; nullptr restores the default.
MessageSink* Set_MessageSink(MessageSink* sink);
MessageSink* Current_MessageSink();

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT style);
