#include "cli/cli_session.h"

#include <algorithm>
#include <iterator>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <map>
#include <memory>
#include <ostream>

#include "axes/axis_tick_dialog.h"
#include "axes/num_style_dialog.h"
#include "cli/paper_mouse.h"
#include "document/graph_on_win.h"
#include "elements/line_prop.h"
#include "elements/title_on_win.h"
#include "frames/trans_unit.h"
#include "input/formula_dialog.h"
#include "input/registration.h"
#include "kinds/math_form.h"
#include "kinds/samplers.h"
#include "platform/cp932.h"
#include "platform/message_box.h"
#include "platform/qt/image_window.h"
#include "platform/scripted_choosers.h"
#include "platform/scripted_dialogs.h"
#include "shell/commands.h"
#include "shell/document_commands.h"
#include "shell/paper_dialogs.h"
#include "shell/picture_export.h"
#include "shell/printing.h"

namespace {

const std::map<std::string, int> kForms = {
    {"explicit", IDC_FORM_EXPLICIT},
    {"param", IDC_FORM_PARAM},
    {"implicit", IDC_FORM_IMPLICIT},
    {"polar", IDC_FORM_POLAR},
};

// The action lists are laid out as tables.
// clang-format off
// The actions that drive the dialogs, the menus and the elements.
const char* const kDialogActions[] = {
    "--form", "--type", "--register", "--ok", "--plot", "--select", "--delete", "--set", "--var",
    "--dep", "--divisions", "--zoom", "--size", "--marker-interval", "--open", "--save", "--csv",
    "--bmp", "--jpg", "--png", "--svg", "--print-pdf", "--select-element", "--drag", "--text",
    "--font", "--ticks", "--grid", "--number-style", "--legend", "--line-color", "--marker-color",
    "--line", "--delete-line", "--undo", "--dpi"};
// The actions that take an argument.
const char* const kWithArgument[] = {
    "--form", "--type", "--plot", "--select", "--set", "--var", "--dep", "--divisions", "--zoom",
    "--size", "--marker-interval", "--open", "--save", "--csv", "--bmp", "--jpg", "--png", "--svg",
    "--print-pdf", "--select-element", "--drag", "--text", "--font", "--ticks", "--number-style",
    "--line-color", "--marker-color", "--line", "--dpi"};
// clang-format on

// The keys of --ticks: the axis dialog's boxes.
struct TickKey {
    const char* key;
    int id;
    enum Kind { Text, Check, Direction } kind;
};
const TickKey kTickKeys[] = {
    {"min", IDC_AXMIN, TickKey::Text},           {"max", IDC_AXMAX, TickKey::Text},
    {"step", IDC_AXDIV, TickKey::Text},          {"auto", IDC_AXAUTO, TickKey::Check},
    {"main", IDC_MAINCHK, TickKey::Check},       {"main-dir", IDC_MAINOUT, TickKey::Direction},
    {"main-length", IDC_MAINLNG, TickKey::Text}, {"main-width", IDC_MAINWID, TickKey::Text},
    {"sub", IDC_SUBCHK, TickKey::Check},         {"sub-dir", IDC_SUBOUT, TickKey::Direction},
    {"sub-length", IDC_SUBLNG, TickKey::Text},   {"sub-width", IDC_SUBWID, TickKey::Text},
};
const char* const kLineKeys[] = {"style", "width", "radius", "interval", "marker"};

bool Is_One_Of(const std::string& name, const char* const* list, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (name == list[i]) return true;
    }
    return false;
}

bool Parse_Int(const std::string& text, long* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    *value = parsed;
    return true;
}

bool Parse_Double(const std::string& text, double* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(parsed)) return false;
    *value = parsed;
    return true;
}

bool Is_Colour(const std::string& text) {
    return text.size() == 6 &&
           text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

// RRGGBB as the platform's colour value (red in the lowest byte).
COLORREF Colour_Of(const std::string& text) {
    const unsigned long rgb = std::strtoul(text.c_str(), nullptr, 16);
    return static_cast<COLORREF>(((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16));
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        parts.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

bool Check_Argument(const CliAction& action, std::string* reason) {
    const std::string& a = action.argument;
    if (action.name == "--form" && !kForms.count(a)) {
        *reason = "--form takes explicit, param, implicit or polar";
        return false;
    }
    if (action.name == "--plot") {
        size_t colon = a.find(':');
        if (colon == std::string::npos || !kForms.count(a.substr(0, colon))) {
            *reason = "--plot takes FORM:TEXT with FORM explicit, param, implicit or polar";
            return false;
        }
    }
    long number = 0;
    if (action.name == "--select" && !Parse_Int(a, &number)) {
        *reason = "--select takes an entry number";
        return false;
    }
    if (action.name == "--set" && (a.find('=') == std::string::npos || a[0] == '=')) {
        *reason = "--set takes NAME=VALUE";
        return false;
    }
    if ((action.name == "--var" || action.name == "--dep") && Split(a, ',').size() != 3) {
        *reason = action.name + " takes NAME,MIN,MAX";
        return false;
    }
    if ((action.name == "--zoom" || action.name == "--marker-interval") && !Parse_Int(a, &number)) {
        *reason = action.name + " takes a whole number";
        return false;
    }
    if ((action.name == "--open" || action.name == "--save" || action.name == "--csv" ||
         action.name == "--bmp" || action.name == "--jpg" || action.name == "--png" ||
         action.name == "--svg" || action.name == "--print-pdf") &&
        a.empty()) {
        *reason = action.name + " takes a file name";
        return false;
    }
    if (action.name == "--dpi" &&
        (!Parse_Int(a, &number) ||
         std::find(std::begin(kPictureResolutions), std::end(kPictureResolutions), number) ==
             std::end(kPictureResolutions))) {
        *reason = "--dpi takes 96, 150, 300 or 600";
        return false;
    }
    if (action.name == "--size") {
        std::vector<std::string> edges = Split(a, ',');
        bool ok = edges.size() == 4;
        for (const std::string& edge : edges) ok = ok && Parse_Int(edge, &number);
        if (!ok) {
            *reason = "--size takes L,T,R,B in millimetres";
            return false;
        }
    }
    if (action.name == "--select-element" && !PaperMouse::IsElementName(a)) {
        *reason =
            "--select-element takes title, axis-title:N, numbers:N, ticks:N, plot, "
            "legend, legend-line:N, legend-name:N or none";
        return false;
    }
    if (action.name == "--drag") {
        const size_t at = a.rfind('@');
        double dx = 0.0, dy = 0.0;
        const std::vector<std::string> d =
            Split(at == std::string::npos ? std::string() : a.substr(at + 1), ',');
        if (at == std::string::npos || !PaperMouse::IsElementName(a.substr(0, at)) ||
            d.size() != 2 || !Parse_Double(d[0], &dx) || !Parse_Double(d[1], &dy)) {
            *reason = "--drag takes WHAT@DX,DY (millimetres)";
            return false;
        }
    }
    if (action.name == "--font") {
        const std::vector<std::string> f = Split(a, ',');
        long points = 0;
        bool ok = f.size() >= 2 && !f[0].empty() && Parse_Int(f[1], &points) && points > 0 &&
                  points <= 512;
        for (size_t i = 2; ok && i < f.size(); ++i) {
            ok = f[i] == "bold" || f[i] == "italic" || Is_Colour(f[i]);
        }
        if (!ok) {
            *reason = "--font takes FACE,POINTS[,bold][,italic][,RRGGBB] (1 to 512 points)";
            return false;
        }
    }
    if ((action.name == "--line-color" || action.name == "--marker-color") && !Is_Colour(a)) {
        *reason = action.name + " takes RRGGBB";
        return false;
    }
    if (action.name == "--ticks" || action.name == "--line") {
        for (const std::string& pair : Split(a, ',')) {
            const size_t eq = pair.find('=');
            const std::string key = pair.substr(0, eq);
            bool known = false;
            if (action.name == "--ticks") {
                for (const TickKey& k : kTickKeys) known = known || key == k.key;
            } else {
                for (const char* k : kLineKeys) known = known || key == k;
            }
            if (eq == std::string::npos || !known) {
                *reason = action.name + " takes KEY=VALUE,...; unknown: " + pair;
                return false;
            }
        }
    }
    if (action.name == "--number-style") {
        const std::vector<std::string> n = Split(a, ',');
        long digits = 0;
        if (n.size() != 2 || (n[0] != "normal" && n[0] != "exp" && n[0] != "real") ||
            !Parse_Int(n[1], &digits)) {
            *reason = "--number-style takes normal|exp|real,DIGITS";
            return false;
        }
    }
    if (action.name == "--divisions") {
        std::vector<std::string> counts = Split(a, ',');
        bool ok = counts.size() == 1 || counts.size() == 2;
        for (const std::string& count : counts) ok = ok && Parse_Int(count, &number);
        if (!ok) {
            *reason = "--divisions takes N or N,M";
            return false;
        }
    }
    return true;
}

// Message boxes: "CAPTION: TEXT" on standard error, answered as Enter would.
class CliSink : public MessageSink {
public:
    explicit CliSink(std::ostream& err) : err_(err) {}
    int Show(HWND, const std::string& text, const std::string& caption, UINT style) override {
        err_ << Message_Line(caption, text);
        ++shown;
        return Default_Answer(style);
    }
    int shown = 0;

private:
    std::ostream& err_;
};

// The dialog of the session: what the program writes into the formula box (a result) is
// printed; what the user types there is not.
class CliDialog : public MemoryDialog {
public:
    CliDialog(const DialogTemplate& dialog, std::ostream& out)
        : MemoryDialog(dialog, InFrmDlgProc), out_(out) {}
    void SetDlgItemText(int id, const std::string& text) override {
        MemoryDialog::SetDlgItemText(id, text);
        if (id == IDC_FORMULA_BOX && !typing) out_ << text << "\n";
    }
    bool typing = false;

private:
    std::ostream& out_;
};

// The window side of the menu commands: a paper without a screen. Scrolling and repainting
// have nothing to show; message boxes go to standard error.
class CliPaperHost : public PaperHost {
public:
    explicit CliPaperHost(HWND paper) : paper_(paper) {}
    tagRECT ClientRect() const override { return paper_->ClientRect(); }
    void SetScrollInfo(int, const SCROLLINFO&, bool) override {}
    void ScrollWindow(LONG, LONG) override {}
    void InvalidateAll() override {}
    HWND PaperHandle() override { return paper_; }
    void CloseWindow() override {}
    void ShowInputDialog() override {}
    bool OpenDocument(const std::string&) override { return false; }
    HWND OwnerHandle() override { return nullptr; }

private:
    HWND paper_;
};

// The font and colour choosers as --font, --line-color and --marker-color answer them: what
// is not given keeps what the chooser shows.
class CliChoosers : public ScriptedChoosers {
public:
    int ChooseFont(tagCHOOSEFONTA* cf) override {
        color = font_colour_given ? font_colour : cf->rgbColors;
        font_given = false;
        if (!ScriptedChoosers::ChooseFont(cf)) return 0;
        if (cf->lpLogFont != nullptr && !face.empty()) {
            tagLOGFONTA* font = cf->lpLogFont;
            // The chooser keeps as much of a face name as the file can, whole characters.
            const std::string kept = Cut_ToCp932Bytes(face, FACE_NAME_CP932_BYTES);
            std::memset(font->lfFaceName, 0, sizeof font->lfFaceName);
            std::memcpy(font->lfFaceName, kept.data(),
                        std::min(kept.size(), sizeof font->lfFaceName - 1));
            font->lfHeight = -static_cast<LONG>(std::lround(points * 96 / 72.0));
            font->lfWidth = 0;
            font->lfWeight = bold ? 700 : 400;
            font->lfItalic = italic ? 1 : 0;
        }
        return 1;
    }
    int ChooseColor(tagCHOOSECOLORA* cc) override {
        color = colour_given ? colour : cc->rgbResult;
        return ScriptedChoosers::ChooseColor(cc);
    }
    std::string face;
    long points = 12;
    bool bold = false;
    bool italic = false;
    bool font_colour_given = false;
    COLORREF font_colour = 0;
    bool colour_given = false;
    COLORREF colour = 0;
};

// The A4 landscape paper, in hundredths of a millimetre.
constexpr LONG kPaperWidthDmm = 29700;
constexpr LONG kPaperHeightDmm = 21000;

// The enabled state of the menu items, as the window's menus would show it.
class MenuState : public MenuHandle {
public:
    void EnableMenuItem(int id, bool enable) override { enabled[id] = enable; }
    void CheckMenuItem(int, bool) override {}
    std::map<int, bool> enabled;
};

bool Is_Editing(const std::string& name) {
    static const char* const kEditing[] = {
        "--select-element", "--drag",         "--text",   "--font",       "--ticks",
        "--grid",           "--number-style", "--legend", "--line-color", "--marker-color",
        "--line",           "--delete-line",  "--undo"};
    return Is_One_Of(name, kEditing, std::size(kEditing));
}

class Session {
public:
    Session(std::ostream& out, std::ostream& err)
        : err_(err),
          sink_(err),
          dialog_(Input_Dialog_Template(), out),
          paper_(Twip_ToPixel(Dmm_ToTwip(kPaperWidthDmm), nullptr, 100, 1),
                 Twip_ToPixel(Dmm_ToTwip(kPaperHeightDmm), nullptr, 100, 0)),
          document_(&paper_, 0, 0, Dmm_ToTwip(kPaperWidthDmm), Dmm_ToTwip(kPaperHeightDmm), nullptr,
                    0, 0, 100, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) {
        previous_sink_ = Set_MessageSink(&sink_);
        // A session starts with an empty registry, as the dialog's empty list does.
        g_mathlist.Clear();
        g_selLB_item = -1;
        g_object_array = &document_;
        PAPER_WIDTH = kPaperWidthDmm;
        PAPER_HEIGHT = kPaperHeightDmm;
        g_zoom = 100;
        g_zoom_main = 100;
        g_shifth = 0;
        g_shiftv = 0;
        paper_state_.win_width = Dmm_ToTwip(kPaperWidthDmm);
        paper_state_.win_height = Dmm_ToTwip(kPaperHeightDmm);
        document_.ObjSizeInPixel(&paper_state_.zoom_width_size, &paper_state_.zoom_height_size);
        Set_GraphReceiver(
            [this](GraphRequest& request) { return commands_.Receive(&document_, request); });
        dialog_.Send(WM_INITDIALOG, 0, 0);
        dialog_.ShowDialog(true);
        g_mhDlg = dialog_.Handle();
    }
    ~Session() {
        g_mathlist.Clear();
        g_selLB_item = -1;
        Set_GraphReceiver(nullptr);
        g_object_array = nullptr;
        Set_MessageSink(previous_sink_);
        g_mhDlg = nullptr;
    }

    GraphOnWin& Document() { return document_; }
    DocumentCommands& Commands() { return commands_; }

    void Run(const CliAction& action) {
        const std::string& a = action.argument;
        if (Is_Editing(action.name)) {
            Run_Editing(action);
        } else if (action.name == "--form") {
            dialog_.Click(kForms.at(a));
        } else if (action.name == "--type") {
            Type(IDC_FORMULA_BOX, a);
        } else if (action.name == "--register") {
            dialog_.Click(IDC_REGISTER_BUTTON);
        } else if (action.name == "--ok") {
            dialog_.Click(IDC_OK_BUTTON);
        } else if (action.name == "--plot") {
            size_t colon = a.find(':');
            dialog_.Click(kForms.at(a.substr(0, colon)));
            Type(IDC_FORMULA_BOX, a.substr(colon + 1));
            dialog_.Click(IDC_REGISTER_BUTTON);
            dialog_.Click(IDC_OK_BUTTON);
        } else if (action.name == "--select") {
            long index = 0;
            Parse_Int(a, &index);
            if (index < 0 || index >= dialog_.ListBox_GetCount(IDC_LIST_BOX)) {
                Refuse("no list entry " + a);
                return;
            }
            dialog_.Select(IDC_LIST_BOX, static_cast<int>(index));
        } else if (action.name == "--delete") {
            dialog_.Click(IDC_DELETE_BUTTON);
        } else if (action.name == "--set") {
            Set_Value(a.substr(0, a.find('=')), a.substr(a.find('=') + 1));
        } else if (action.name == "--var" || action.name == "--dep") {
            std::vector<std::string> fields = Split(a, ',');
            const bool free = action.name == "--var";
            Type(free ? IDC_VAR_NAME : IDC_DPND_NAME, fields[0]);
            Type(free ? IDC_VAR_MIN : IDC_DPND_MIN, fields[1]);
            Type(free ? IDC_VAR_MAX : IDC_DPND_MAX, fields[2]);
        } else if (action.name == "--zoom") {
            runner_.Then([a](MemoryDialog& d) {
                d.Type(IDC_ZOOM_EDIT, a);
                d.Click(IDOK);
            });
            Menu(kCmdZoom);
        } else if (action.name == "--size") {
            if (!document_.graph_view) {
                Refuse("no graph for --size");
                return;
            }
            std::vector<std::string> edges = Split(a, ',');
            runner_.Then([edges](MemoryDialog& d) {
                const int ids[4] = {IDC_SIZE_LEFT, IDC_SIZE_TOP, IDC_SIZE_RIGHT, IDC_SIZE_BOTTOM};
                for (int i = 0; i < 4; ++i) d.Type(ids[i], edges[static_cast<size_t>(i)]);
                for (int id : {IDC_SIZE_HADJUST, IDC_SIZE_VADJUST}) {
                    if (d.IsDlgButtonChecked(id) == BST_CHECKED) d.Click(id);
                }
                d.Click(IDOK);
            });
            Menu(kCmdGraphSize);
        } else if (action.name == "--marker-interval") {
            runner_.Then([a](MemoryDialog& d) {
                d.Type(IDC_MARKER_EDIT, a);
                d.Click(IDOK);
            });
            Menu(kCmdMarkerDefaults);
        } else if (action.name == "--open" || action.name == "--save" || action.name == "--csv") {
            // The file dialog answers with the file; a question before it gets No.
            choosers_.file_path = a;
            choosers_.filter_index = 1;
            Menu(action.name == "--open"   ? kCmdOpen
                 : action.name == "--save" ? kCmdSaveAs
                                           : kCmdExportData);
            choosers_.file_path.clear();
        } else if (action.name == "--bmp" || action.name == "--jpg" || action.name == "--png") {
            // 図を保存 with the file and the filter of its kind.
            choosers_.file_path = a;
            choosers_.filter_index = action.name == "--bmp" ? 1 : action.name == "--jpg" ? 2 : 3;
            Menu(kCmdSavePicture);
            choosers_.file_path.clear();
            choosers_.filter_index = 1;
        } else if (action.name == "--dpi") {
            // The resolution chosen in 図を保存 for every picture of the run.
            long dpi = kScreenDpi;
            Parse_Int(a, &dpi);
            const auto* found =
                std::find(std::begin(kPictureResolutions), std::end(kPictureResolutions), dpi);
            choosers_.choice = static_cast<int>(found - std::begin(kPictureResolutions));
        } else if (action.name == "--svg") {
            if (!Print_ToSvg(&document_, a)) ++refused_;
        } else if (action.name == "--print-pdf") {
            // 印刷 of one copy on a PDF printer set to A4 landscape.
            if (!Print_ToPdf(&document_, a)) ++refused_;
        } else if (action.name == "--divisions") {
            if (g_selLB_item < 0 || g_selLB_item >= g_mathlist.PutElementNum()) {
                Refuse("no current formula for --divisions");
                return;
            }
            std::vector<std::string> counts = Split(a, ',');
            runner_.Then([counts](MemoryDialog& d) {
                d.Type(IDC_DIVISIONS_FREE, counts[0]);
                if (counts.size() > 1) d.Type(IDC_DIVISIONS_DPND, counts[1]);
                d.Click(IDOK);
            });
            dialog_.Click(IDC_DIVISIONS_BUTTON);
        }
    }

    int Reported() const { return sink_.shown + refused_; }

private:
    void Menu(int command) {
        commands_.Command(&document_, command);
        // A script for a dialog that did not come is not kept for the next one.
        runner_.Clear();
    }

    // An editing command of the menus, when the menus offer it now.
    void Edit(int command, const char* what) {
        MenuState menus;
        Update_MenuState(&document_, &menus, commands_.History().CanUndo());
        if (!menus.enabled[command]) {
            Refuse(std::string(what) + " is not available now (select its element first)");
            runner_.Clear();
            return;
        }
        Menu(command);
    }

    void Run_Editing(const CliAction& action) {
        const std::string& a = action.argument;
        const int kind = document_.GetSelObjectKind();
        if (action.name == "--select-element") {
            const std::string why = mouse_.Click(a);
            if (!why.empty()) Refuse(why);
        } else if (action.name == "--drag") {
            const size_t at = a.rfind('@');
            const std::vector<std::string> d = Split(a.substr(at + 1), ',');
            double dx = 0.0, dy = 0.0;
            Parse_Double(d[0], &dx);
            Parse_Double(d[1], &dy);
            const std::string why = mouse_.Drag(a.substr(0, at), dx, dy);
            if (!why.empty()) Refuse(why);
        } else if (action.name == "--text") {
            runner_.Then([a](MemoryDialog& d) {
                d.Type(IDC_TITLE_TEXT, a);
                d.Click(IDOK);
            });
            Edit(kind == 7 ? kCmdSeriesText : kCmdTitleText, "--text");
        } else if (action.name == "--font") {
            const std::vector<std::string> f = Split(a, ',');
            choosers_.face = f[0];
            Parse_Int(f[1], &choosers_.points);
            choosers_.bold = choosers_.italic = choosers_.font_colour_given = false;
            for (size_t i = 2; i < f.size(); ++i) {
                if (f[i] == "bold") {
                    choosers_.bold = true;
                } else if (f[i] == "italic") {
                    choosers_.italic = true;
                } else {
                    choosers_.font_colour_given = true;
                    choosers_.font_colour = Colour_Of(f[i]);
                }
            }
            Edit(kind == 2   ? kCmdNumbersFont
                 : kind == 7 ? kCmdSeriesFont
                             : kCmdTitleFont,
                 "--font");
            choosers_.face.clear();
        } else if (action.name == "--ticks") {
            const std::vector<std::string> pairs = Split(a, ',');
            runner_.Then([pairs](MemoryDialog& d) {
                for (const std::string& pair : pairs) {
                    const std::string key = pair.substr(0, pair.find('='));
                    const std::string value = pair.substr(pair.find('=') + 1);
                    for (const TickKey& k : kTickKeys) {
                        if (key != k.key) continue;
                        if (k.kind == TickKey::Text) {
                            d.Type(k.id, value);
                        } else if (k.kind == TickKey::Check) {
                            const bool on = value != "0";
                            if ((d.IsDlgButtonChecked(k.id) == BST_CHECKED) != on) d.Click(k.id);
                        } else {
                            // The inward radio button follows the outward one.
                            d.Click(value == "in" ? k.id + 10 : k.id);
                        }
                    }
                }
                d.Click(IDOK);
            });
            Edit(kCmdAxisTicks, "--ticks");
        } else if (action.name == "--grid") {
            Edit(kCmdGrid, "--grid");
        } else if (action.name == "--number-style") {
            const std::vector<std::string> n = Split(a, ',');
            const int style = n[0] == "normal" ? 0 : n[0] == "exp" ? 1 : 2;
            const std::string& digits = n[1];
            runner_.Then([style, digits](MemoryDialog& d) {
                d.Select(IDC_NUMSTYLE, style);
                d.Type(IDC_NUMDIGIT, digits);
                d.Click(IDOK);
            });
            Edit(kCmdNumberStyle, "--number-style");
        } else if (action.name == "--legend") {
            Edit(kCmdLegend, "--legend");
        } else if (action.name == "--line-color" || action.name == "--marker-color") {
            choosers_.colour_given = true;
            choosers_.colour = Colour_Of(a);
            Edit(action.name == "--line-color" ? kCmdLineColor : kCmdMarkerColor,
                 action.name.c_str());
            choosers_.colour_given = false;
        } else if (action.name == "--line") {
            const std::vector<std::string> pairs = Split(a, ',');
            runner_.Then([pairs](MemoryDialog& d) {
                for (const std::string& pair : pairs) {
                    const std::string key = pair.substr(0, pair.find('='));
                    const std::string value = pair.substr(pair.find('=') + 1);
                    if (key == "width") d.Type(IDC_LINE_WIDTH, value);
                    if (key == "radius") d.Type(IDC_MARKER_SIZE, value);
                    if (key == "interval") d.Type(IDC_MARKER_INTERVAL, value);
                    if (key == "style") {
                        d.Click(value == "dot"       ? IDC_STYLE_DOT
                                : value == "dashdot" ? IDC_STYLE_DASHDOT
                                                     : IDC_STYLE_SOLID);
                    }
                    if (key == "marker") {
                        const bool line = value != "markers";
                        const bool marker = value != "line";
                        if ((d.IsDlgButtonChecked(IDC_SELECT_LINE) == BST_CHECKED) != line) {
                            d.Click(IDC_SELECT_LINE);
                        }
                        if ((d.IsDlgButtonChecked(IDC_SELECT_MARKER) == BST_CHECKED) != marker) {
                            d.Click(IDC_SELECT_MARKER);
                        }
                    }
                }
                d.Click(IDOK);
            });
            Edit(kCmdLineProp, "--line");
        } else if (action.name == "--delete-line") {
            Edit(kCmdDeleteLine, "--delete-line");
        } else if (action.name == "--undo") {
            Edit(kCmdUndo, "--undo");
        }
    }

    void Type(int id, const std::string& text) {
        dialog_.typing = true;
        dialog_.Type(id, text);
        dialog_.typing = false;
    }

    void Refuse(const std::string& reason) {
        err_ << "plotari-cli: " << reason << "\n";
        ++refused_;
    }

    void Set_Value(const std::string& name, const std::string& value) {
        for (int row = 0; row < dialog_.ListView_GetItemCount(IDC_VAR_LIST); ++row) {
            if (dialog_.ListView_GetItemText(IDC_VAR_LIST, row, 1) == name) {
                dialog_.EditLabel(IDC_VAR_LIST, row, value.c_str());
                return;
            }
        }
        Refuse("the variable list shows no " + name);
    }

    std::ostream& err_;
    CliSink sink_;
    ScriptedDialogRunner runner_;
    CliChoosers choosers_;
    CliDialog dialog_;
    // The paper without a screen; unlike the test host it keeps no log of its updates, so a
    // long session does not grow.
    ImageWindow paper_;
    GraphOnWin document_;
    CliPaperHost host_{&paper_};
    PaperState paper_state_;
    DocumentCommands commands_{&host_, &paper_state_};
    PaperMouse mouse_{document_, &paper_, paper_state_, commands_};
    MessageSink* previous_sink_ = nullptr;
    int refused_ = 0;
};

}  // namespace

bool Parse_CliActions(const std::vector<std::string>& args, std::vector<CliAction>* actions,
                      std::string* reason) {
    actions->clear();
    if (args.empty()) {
        *reason = "no action given";
        return false;
    }
    for (size_t i = 0; i < args.size(); ++i) {
        CliAction action;
        action.name = args[i];
        if (!Is_One_Of(action.name, kDialogActions, std::size(kDialogActions))) {
            *reason = "unknown action " + action.name;
            return false;
        }
        if (Is_One_Of(action.name, kWithArgument, std::size(kWithArgument))) {
            if (i + 1 >= args.size()) {
                *reason = action.name + " needs an argument";
                return false;
            }
            action.argument = args[++i];
            if (!Check_Argument(action, reason)) return false;
        }
        actions->push_back(action);
    }
    // --dpi is the resolution of every picture of the run, wherever it stands ("--png FILE
    // --dpi 300"): it goes first.
    std::stable_partition(actions->begin(), actions->end(),
                          [](const CliAction& action) { return action.name == "--dpi"; });
    return true;
}

std::string Cli_Usage() {
    return "usage: plotari-cli ACTION...\n"
           "  --form explicit|param|implicit|polar   choose the formula form\n"
           "  --type TEXT                 the formula box's text becomes TEXT\n"
           "  --register                  press 登録\n"
           "  --ok                        press OK: draw or evaluate the current formula\n"
           "  --plot FORM:TEXT            --form FORM --type TEXT --register --ok\n"
           "  --select N                  click list entry N (0 is the first)\n"
           "  --delete                    press 消去\n"
           "  --set NAME=VALUE            type VALUE over the value of variable NAME\n"
           "  --var NAME,MIN,MAX          type into the free-variable boxes\n"
           "  --dep NAME,MIN,MAX          type into the dependent-variable boxes\n"
           "  --divisions N[,M]           set the division counts of the current formula\n"
           "  --zoom N                    倍率変更 with N percent\n"
           "  --size L,T,R,B              グラフのサイズ変更 with the plot area's edges in mm\n"
           "  --marker-interval N         マーカー初期値設定 with N\n"
           "  --open FILE                 開く, choosing FILE (a save question is answered No)\n"
           "  --save FILE                 名前をつけて保存, choosing FILE\n"
           "  --csv FILE                  グラフデータ出力, choosing FILE\n"
           "  --bmp FILE, --jpg FILE, --png FILE   図を保存 as BMP, JPEG or PNG\n"
           "  --dpi N                     the resolution of those pictures: 96 (the screen's,\n"
           "                              the default), 150, 300 or 600 dots per inch\n"
           "  --svg FILE                  the paper as an SVG picture, drawn as printing draws it\n"
           "  --print-pdf FILE            印刷 of one copy on a PDF printer (A4 landscape)\n"
           "Editing (the element pop-up menus, on the element last selected):\n"
           "  --select-element WHAT       click WHAT: title, axis-title:N, numbers:N, ticks:N\n"
           "                              (N 0 left, 1 bottom, 2 right, 3 top), plot, legend,\n"
           "                              legend-line:N, legend-name:N (N the series), none\n"
           "  --drag WHAT@DX,DY           press on WHAT, move DX, DY mm on the paper, release\n"
           "  --text TEXT                 文字内容の変更 of the selected title or series name\n"
           "  --font FACE,POINTS[,bold][,italic][,RRGGBB]   the selected element's font\n"
           "  --ticks KEY=VALUE,...       軸線属性を変更; keys min, max, step, auto (0/1), main "
           "(0/1),\n"
           "                              main-dir (out/in), main-length, main-width, sub (0/1),\n"
           "                              sub-dir, sub-length, sub-width\n"
           "  --grid                      グリッド線表示切替 of the selected tick frame\n"
           "  --number-style normal|exp|real,DIGITS   表示桁数・スタイルを変更\n"
           "  --legend                    線操作ボックス表示/非表示切り替え\n"
           "  --line-color RRGGBB, --marker-color RRGGBB   the selected series' colours\n"
           "  --line KEY=VALUE,...        線の幅(太さ)を変更; keys style (solid, dot, dashdot),\n"
           "                              width, radius, interval, marker (line, both, markers)\n"
           "  --delete-line               線を消去 of the selected series (the save question: No)\n"
           "  --undo                      やり直し\n";
}

struct CliSession::Impl : Session {
    Impl(std::ostream& out, std::ostream& err) : Session(out, err) {}
};

CliSession::CliSession(std::ostream& out, std::ostream& err)
    : impl_(std::make_unique<Impl>(out, err)) {}
CliSession::~CliSession() = default;
void CliSession::Run(const CliAction& action) { impl_->Run(action); }
GraphOnWin& CliSession::Document() { return impl_->Document(); }
DocumentCommands& CliSession::Commands() { return impl_->Commands(); }
int CliSession::Reported() const { return impl_->Reported(); }

int Run_CliActions(const std::vector<CliAction>& actions, std::ostream& out, std::ostream& err,
                   const std::function<void(GraphOnWin&)>& inspect) {
    Session session(out, err);
    for (const CliAction& action : actions) session.Run(action);
    if (inspect) inspect(session.Document());
    out.flush();
    return session.Reported() > 0 ? 1 : 0;
}
