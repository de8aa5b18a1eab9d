// The program's command table and what is made from it (see the header).
#include "shell/commands.h"

#include "shell/close_question.h"
#include "shell/manual.h"

#include "document/axis_ranges.h"
#include "document/graph_on_win.h"
#include "frames/trans_unit.h"
#include "platform/message_box.h"
#include "shell/picture_export.h"
#include "shell/printing.h"

namespace {

// --- handlers -----------------------------------------------------------------------------

int Open(const CommandCall& c) {
    if (c.graph != nullptr) {
        c.graph->OpenFileToGraph(*c.shifth, *c.shiftv);
        if (c.host != nullptr) c.host->InvalidateAll();
    }
    return 1;
}

// 新規作成: the empty paper of the start, after the save question; the formulas stay.
int NewDocument(const CommandCall& c) {
    if (c.graph == nullptr || !May_Discard(c.graph, c.owner)) return 0;
    c.graph->DeleteAllObject();
    if (c.host != nullptr) c.host->InvalidateAll();
    return 1;
}

int OpenRecent(const CommandCall& c) {
    if (c.host != nullptr) c.host->OpenRecent(c.id - kCmdRecent1);
    return 1;
}

int Save(const CommandCall& c) {
    if (c.graph != nullptr) c.graph->SaveGraphToFile();
    return 1;
}

int SaveAs(const CommandCall& c) {
    if (c.graph != nullptr) c.graph->SaveGraphToNewFile();
    return 1;
}

int SavePicture(const CommandCall& c) {
    LONG width = 0, height = 0;
    Paper_PixelSize(c.paper_window, &width, &height);
    if (SaveGraph_ToImageFile2(c.owner, width, height, c.graph) == -2) {
        MessageBoxA(c.owner, "保存するイメージがありません", "No save image", MB_OK);
    }
    return 1;
}

int ExportData(const CommandCall& c) {
    if (c.graph != nullptr && c.graph->graph_view) WriteGraphdata_ToFile(c.owner, c.graph);
    return 1;
}

int Print(const CommandCall& c) {
    if (c.graph != nullptr) GrpOnWin_To_Printer(c.owner, win_Inst, c.graph);
    return 1;
}

int Zoom(const CommandCall& c) {
    if (c.graph == nullptr) {
        MessageBoxA(c.owner, "用紙が設定されていません", "no paper set", MB_OK);
        return 0;
    }
    g_dlgstate = 0;
    DialogBoxParamA(win_Inst, Zoom_Dialog_Template(), c.owner, ZoomDlgProc, 0);
    if (g_dlgstate == 1) {
        Change_Zoom(c.host, g_new_zoom, c.graph, c.paper, c.shifth, c.shiftv);
        g_zoom_main = g_zoom;
    }
    return 1;
}

// The zoom that fits the sheet (or its width) into the paper window, or 100 %, through the
// zoom dialog's route. The whole sheet is shown from its top left corner.
int FitZoom(const CommandCall& c) {
    if (c.graph == nullptr || c.host == nullptr) return 0;
    const auto apply = [&c](LONG zoom) {
        if (zoom == g_zoom) return false;
        Change_Zoom(c.host, zoom, c.graph, c.paper, c.shifth, c.shiftv);
        g_zoom_main = g_zoom;
        c.host->SettleLayout();
        return true;
    };
    if (c.id == kCmdZoomActualSize) {
        apply(100);
        return 1;
    }
    const bool whole = c.id == kCmdZoomWholeSheet;
    const LONG width100 = Twip_ToPixel(c.paper->win_width, c.paper_window, 100, 1);
    const LONG height100 = Twip_ToPixel(c.paper->win_height, c.paper_window, 100, 2);
    if (whole) c.paper->ver_si.nPos = 0;
    c.paper->hori_si.nPos = 0;
    const auto fit = [&] {
        const tagRECT client = c.host->ClientRect();
        return Fit_Zoom(client.right - client.left, client.bottom - client.top, width100, height100,
                        whole);
    };
    // A new zoom shows or hides the scroll bars, and with them the room the paper has: fit
    // again until it holds, and end on a zoom that fits the window as it then is.
    for (int round = 0; round < 4 && apply(fit()); ++round) {
    }
    const tagRECT client = c.host->ClientRect();
    if (c.paper->zoom_width_size > client.right - client.left ||
        (whole && c.paper->zoom_height_size > client.bottom - client.top)) {
        apply(fit());
    }
    return 1;
}

int Exit(const CommandCall& c) {
    if (c.host != nullptr) c.host->CloseWindow();
    return 1;
}

int Copy(const CommandCall& c) {
    LONG width = 0, height = 0;
    Paper_PixelSize(c.paper_window, &width, &height);
    TransGraph_ToClipBord(c.owner, width, height, c.graph);
    return 1;
}

int FormulaInput(const CommandCall& c) {
    if (c.host != nullptr) c.host->ShowInputDialog();
    return 1;
}

// The graph menu's and pop-up menus' editing commands on the selected element.
int EditElement(const CommandCall& c) {
    GraphOnWin* graph = c.graph;
    if (graph == nullptr) return 1;
    const LONG h = *c.shifth, v = *c.shiftv;
    switch (c.id) {
        case kCmdTitleFont: graph->ChangeTitleFont(h, v); break;
        case kCmdTitleText: graph->ChangeTitleCont(win_Inst, h, v); break;
        case kCmdAxisTicks: graph->ChangeAxisTick(win_Inst, h, v); break;
        case kCmdGrid: graph->SetGridFlag(); break;
        case kCmdNumbersFont: graph->ChngAxFrameFont(h, v); break;
        case kCmdNumberStyle: graph->ChngAxFrameNumStyle(h, v); break;
        case kCmdLegend: graph->GlfSwitchDsp(); break;
        case kCmdLineColor: graph->DateChangeColor(); break;
        case kCmdMarkerColor: graph->DateChangeMarkColor(); break;
        case kCmdLineProp: graph->DateChangeProp(); break;
        case kCmdDeleteLine:
            if (Check_ObjSave(graph, c.owner, nullptr) != IDCANCEL) graph->LineDelete(h, v);
            break;
        case kCmdSeriesFont: graph->DateChangeFont(h, v); break;
        case kCmdSeriesText: graph->DateChangeCont(win_Inst, h, v); break;
        default: break;
    }
    if (c.host != nullptr) c.host->InvalidateAll();
    return 1;
}

int GraphSize(const CommandCall& c) {
    if (Change_GraphSize(c.owner, c.graph, *c.shifth, *c.shiftv) && c.host != nullptr) {
        c.host->InvalidateAll();
    }
    return 1;
}

int FitAxes(const CommandCall& c) {
    if (Fit_AxesToData(c.graph, *c.shifth, *c.shiftv) && c.host != nullptr) {
        c.host->InvalidateAll();
    }
    return 1;
}

int MarkerDefaults(const CommandCall& c) {
    DialogBoxParamA(win_Inst, Marker_Dialog_Template(), c.owner, MkrInitProc, 0);
    return 1;
}

int Manual(const CommandCall& c) {
    Open_HelpFile(c.host);
    return 1;
}

int About(const CommandCall& c) {
    MessageBoxA(c.owner, About_Text().c_str(), "About this software", MB_OK);
    return 1;
}

// Kinds of the selected element (GetSelObjectKind), as bits.
constexpr int Kind(int kind) { return 1 << kind; }

using R = CommandRule;

}  // namespace

const std::vector<CommandRow>& Command_Table() {
    static const std::vector<CommandRow> table = {
        // ファイル(&F)
        {kCmdNew, "新規作成(&N)", 'N', true, false, R::Always, 0, NewDocument},
        {kCmdOpen, "開く(&O) Ctrl+O", 'O', false, false, R::Always, 0, Open},
        // The window names each item after its document when the menu opens.
        {CommandId(kCmdRecent1 + 0), "&1", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 1), "&2", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 2), "&3", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 3), "&4", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 4), "&5", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 5), "&6", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 6), "&7", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 7), "&8", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 8), "&9", 0, false, false, R::Always, 0, OpenRecent},
        {CommandId(kCmdRecent1 + 9), "1&0", 0, false, false, R::Always, 0, OpenRecent},
        {kCmdSave, "保存(&S) Ctrl+S", 'S', false, false, R::Printable, 0, Save},
        {kCmdSaveAs, "名前をつけて保存(&A)", 0, false, false, R::Printable, 0, SaveAs},
        {kCmdSavePicture, "図を保存", 0, false, false, R::Printable, 0, SavePicture},
        {kCmdExportData, "グラフデータ出力", 0, false, false, R::Printable, 0, ExportData},
        {kCmdPrintSetup, "印刷設定", 0, false, false, R::NotBuilt, 0, nullptr},
        {kCmdPrint, "印刷(&P) Ctrl+P", 'P', false, false, R::Printable, 0, Print},
        {kCmdExit, "終了(&X) Alt+F4", 0, false, false, R::Always, 0, Exit},
        // 編集(&E): やり直し is the document's history, run by DocumentCommands.
        {kCmdUndo, "やり直し(&Z)", 'Z', true, false, R::Undoable, 0, nullptr},
        {kCmdCut, "カット(&T) Ctrl+X", 0, false, false, R::NotBuilt, 0, nullptr},
        {kCmdCopy, "コピー(&C) Ctrl+C", 'C', false, false, R::Printable, 0, Copy},
        {kCmdPaste, "貼りつけ(&P) Ctrl+V", 0, false, false, R::NotBuilt, 0, nullptr},
        // 表示(&V): 数式入力 is where every graph begins, so it has a key of its own.
        {kCmdZoom, "倍率変更", 0, false, false, R::Always, 0, Zoom},
        {kCmdFormulaInput, "数式入力", 'I', true, false, R::Always, 0, FormulaInput},
        {kCmdZoomWholeSheet, "用紙全体を表示", 0, false, false, R::Always, 0, FitZoom},
        {kCmdZoomSheetWidth, "用紙の幅に合わせる", 0, false, false, R::Always, 0, FitZoom},
        {kCmdZoomActualSize, "100%で表示", '0', true, false, R::Always, 0, FitZoom},
        // グラフ操作(&G) and the element pop-up menus.
        {kCmdTitleFont, "フォント情報を変更(&F)", 0, false, false, R::Selection, Kind(1),
         EditElement},
        {kCmdTitleText, "文字内容の変更(&T)", 0, false, false, R::Selection, Kind(1), EditElement},
        {kCmdAxisTicks, "軸線属性を変更(&E)", 0, false, false, R::Selection, Kind(3), EditElement},
        {kCmdGrid, "グリッド線表示切替", 0, false, true, R::TickSelected, 0, EditElement},
        {kCmdNumbersFont, "フォントを変更(&F)", 0, false, false, R::Selection, Kind(2),
         EditElement},
        {kCmdNumberStyle, "表示桁数・スタイルを変更(&T)", 0, false, false, R::Selection, Kind(2),
         EditElement},
        {kCmdLegend, "線操作ボックス表示/非表示切り替え", 0, false, false, R::LegendOrHidden,
         Kind(5), EditElement},
        {kCmdLineColor, "線の色を変更", 0, false, false, R::Selection, Kind(6), EditElement},
        {kCmdMarkerColor, "マーカーの色を変更", 0, false, false, R::Selection, Kind(6),
         EditElement},
        {kCmdLineProp, "線の幅(太さ)を変更", 0, false, false, R::Selection, Kind(6), EditElement},
        {kCmdDeleteLine, "線を消去", 0, false, false, R::Selection, Kind(6), EditElement},
        {kCmdSeriesFont, "フォント情報を変更(&F)", 0, false, false, R::Selection, Kind(7),
         EditElement},
        {kCmdSeriesText, "文字内容の変更(&T)", 0, false, false, R::Selection, Kind(7), EditElement},
        {kCmdGraphSize, "グラフのサイズ変更", 0, false, false, R::GraphShown, 0, GraphSize},
        {kCmdFitAxesToData, "軸の範囲をデータに合わせる", 0, false, false, R::GraphShown, 0,
         FitAxes},
        {kCmdMarkerDefaults, "マーカー初期値設定", 0, false, false, R::Always, 0, MarkerDefaults},
        // ヘルプ(&H)
        {kCmdManual, "説明書を見る(&H)", 0, false, false, R::Always, 0, Manual},
        {kCmdAbout, "このソフトについて(&A)", 0, false, false, R::Always, 0, About},
    };
    return table;
}

const CommandRow* Find_Command(int id) {
    for (const CommandRow& row : Command_Table()) {
        if (row.id == id) return &row;
    }
    return nullptr;
}

namespace {

MenuEntry Item(CommandId id) { return Menu_Item(id, Find_Command(id)->text); }

// True for the items that act on the selected element or the graph (grayed together).
bool On_Object(const CommandRow& row) {
    switch (row.rule) {
        case R::Selection:
        case R::LegendOrHidden:
        case R::GraphShown:
        case R::TickSelected: return true;
        default: return false;
    }
}

// The file menu's printable commands (the edit menu's is コピー).
bool In_FileMenu(const CommandRow& row) { return row.id < kCmdUndo; }

}  // namespace

const MenuResource& Obj_Menu_Resource() {
    static const MenuResource menu{
        "OBJMENU",
        {
            Menu_Submenu("タイトルフレーム操作(&T)", {Item(kCmdTitleFont), Item(kCmdTitleText)}),
            Menu_Submenu("数値軸操作(&A)", {Item(kCmdAxisTicks), Item(kCmdGrid)}),
            Menu_Submenu("数値フレーム操作(&N)", {Item(kCmdNumbersFont), Item(kCmdNumberStyle)}),
            Menu_Submenu("線操作ボックス", {Item(kCmdLegend)}),
            Menu_Submenu("線の操作(&L)", {Item(kCmdLineColor), Item(kCmdMarkerColor),
                                          Item(kCmdLineProp), Item(kCmdDeleteLine)}),
            Menu_Submenu("線の名前操作(&M)", {Item(kCmdSeriesFont), Item(kCmdSeriesText)}),
        }};
    // Known by its name to the pop-up menus once it exists.
    static const bool registered = (Register_MenuResource(&menu), true);
    (void)registered;
    return menu;
}

namespace {
MenuEntry Recent_Menu() {
    std::vector<MenuEntry> items;
    for (int id = kCmdRecent1; id <= kCmdRecentLast; ++id) items.push_back(Item(CommandId(id)));
    return Menu_Submenu("最近使ったファイル(&R)", std::move(items));
}
}  // namespace

const MenuResource& Title_Menu_Resource() {
    static const MenuResource menu = [] {
        std::vector<MenuEntry> graph_menu = Obj_Menu_Resource().menus;
        graph_menu.push_back(Menu_Separator());
        graph_menu.push_back(Item(kCmdGraphSize));
        graph_menu.push_back(Item(kCmdMarkerDefaults));
        graph_menu.push_back(Item(kCmdFitAxesToData));
        return MenuResource{
            "TITLEMENU",
            {
                Menu_Submenu("ファイル(&F)",
                             {Item(kCmdNew), Item(kCmdOpen), Recent_Menu(), Item(kCmdSave),
                              Item(kCmdSaveAs), Menu_Separator(), Item(kCmdSavePicture),
                              Item(kCmdExportData), Menu_Separator(), Item(kCmdPrintSetup),
                              Item(kCmdPrint), Menu_Separator(), Item(kCmdExit)}),
                Menu_Submenu("編集(&E)", {Item(kCmdUndo), Menu_Separator(), Item(kCmdCut),
                                          Item(kCmdCopy), Item(kCmdPaste)}),
                Menu_Submenu("表示(&V)",
                             {Item(kCmdZoom), Item(kCmdZoomWholeSheet), Item(kCmdZoomSheetWidth),
                              Item(kCmdZoomActualSize), Menu_Separator(), Item(kCmdFormulaInput)}),
                Menu_Submenu("グラフ操作(&G)", std::move(graph_menu)),
                Menu_Submenu("ヘルプ(&H)", {Item(kCmdManual), Item(kCmdAbout)}),
            }};
    }();
    return menu;
}

const Accelerator* Graph_Accelerators(int* count) {
    static const std::vector<Accelerator> table = [] {
        std::vector<Accelerator> keys;
        for (const CommandRow& row : Command_Table()) {
            if (row.ctrl_key != 0 && !row.key_on_item) keys.push_back({row.ctrl_key, row.id});
        }
        return keys;
    }();
    *count = static_cast<int>(table.size());
    return table.data();
}

void DisEnable_AllOnObject(MenuHandle* menu) {
    for (const CommandRow& row : Command_Table()) {
        if (On_Object(row)) menu->EnableMenuItem(row.id, false);
    }
}

void DisEnaSwitch_GraphMenuItem(int kind, MenuHandle* menu) {
    DisEnable_AllOnObject(menu);
    if (kind < 0 || kind >= 31) return;
    for (const CommandRow& row : Command_Table()) {
        if ((row.kinds & Kind(kind)) != 0) menu->EnableMenuItem(row.id, true);
    }
}

void DisEnaSwitch_EditMenuItem(int flag, MenuHandle* menu) {
    for (const CommandRow& row : Command_Table()) {
        if (row.rule == R::Printable && !In_FileMenu(row)) menu->EnableMenuItem(row.id, flag != 0);
    }
}

void DisEnaSwitch_FileMenuItem(int flag, MenuHandle* menu) {
    for (const CommandRow& row : Command_Table()) {
        if (row.rule == R::Printable && In_FileMenu(row)) menu->EnableMenuItem(row.id, flag != 0);
    }
}

int SetGridMenu(GraphOnWin* graph, MenuHandle* menu) {
    if (graph == nullptr || !graph->graph_view || graph->selectobject == nullptr ||
        graph->selectobject->ObjectType() != 3) {
        return 0;
    }
    const int axis = graph->selectobject->ObjectNumb() & 3;
    menu->CheckMenuItem(kCmdGrid, graph->graph_view->GridFlag(axis) != 0);
    return 1;
}

void Update_MenuState(GraphOnWin* graph, MenuHandle* menu, bool can_undo) {
    const int kind = graph != nullptr ? graph->GetSelObjectKind() : -1;
    DisEnaSwitch_GraphMenuItem(kind, menu);
    if (graph != nullptr) {
        for (const CommandRow& row : Command_Table()) {
            const bool on = (row.rule == R::LegendOrHidden && graph->glist_frame &&
                             graph->glist_frame->PutShowFlag() == 0) ||
                            (row.rule == R::GraphShown && graph->graph_view);
            if (on) menu->EnableMenuItem(row.id, true);
        }
        if (graph->graph_view && SetGridMenu(graph, menu)) {
            for (const CommandRow& row : Command_Table()) {
                if (row.rule == R::TickSelected) menu->EnableMenuItem(row.id, true);
            }
        }
    }
    const int printable = CanPrint(graph);
    DisEnaSwitch_EditMenuItem(printable, menu);
    DisEnaSwitch_FileMenuItem(printable, menu);
    for (const CommandRow& row : Command_Table()) {
        if (row.rule == R::NotBuilt) menu->EnableMenuItem(row.id, false);
        if (row.rule == R::Undoable) menu->EnableMenuItem(row.id, can_undo);
    }
}

bool Command_Available(int id) {
    const CommandRow* row = Find_Command(id);
    return row != nullptr && row->rule != R::NotBuilt;
}

int Handle_Of_Menu(PaperHost* host, int command, GraphOnWin* graph, PaperState* paper, LONG* shifth,
                   LONG* shiftv) {
    const CommandRow* row = Find_Command(command);
    if (row == nullptr || row->handler == nullptr) return 1;
    const CommandCall call{host,
                           graph,
                           paper,
                           shifth,
                           shiftv,
                           command,
                           host != nullptr ? host->OwnerHandle() : nullptr,
                           host != nullptr ? host->PaperHandle() : nullptr};
    return row->handler(call);
}
