#include "shell/commands.h"

#include <unistd.h>

#include <climits>
#include <map>
#include <sys/stat.h>

#include "document/graph_on_win.h"
#include "platform/message_box.h"
#include "shell/picture_export.h"
#include "shell/printing.h"

namespace {

MenuEntry Item(int id, const char* text) { return Menu_Item(id, text); }
MenuEntry Separator() { return Menu_Separator(); }
MenuEntry Submenu(const char* text, std::vector<MenuEntry> items) {
    return Menu_Submenu(text, std::move(items));
}

std::map<int, CommandAction>& Commands() {
    static std::map<int, CommandAction> commands;
    return commands;
}

SaveGraphAction& Save_Action() {
    static SaveGraphAction action;
    return action;
}

// Commands this window runs itself.
bool Built_In(int id) {
    switch (id) {
        case 100: case 110: case 120: case 130: case 135: case 150: case 320:
        case 1000: case 1050: case 1100: case 1150: case 1200: case 1250: case 1300:
        case 1310: case 1315: case 1320: case 1330: case 1400: case 1450:
        case 160: case 170: case 500: case 1460: case 1470: case 1600: case 1650: return true;
        default: return false;
    }
}

}  // namespace

const int OBJECT_MENU_ITEMS[14] = {1000, 1050, 1100, 1150, 1200, 1250, 1300,
                                   1310, 1315, 1320, 1330, 1400, 1450, 1460};

const MenuResource& Title_Menu_Resource() {
    static const MenuResource menu{
        "TITLEMENU",
        {
            Submenu("ファイル(&F)",
                    {Item(100, "開く(&O) Ctrl+O"), Item(110, "保存(&S) Ctrl+S"),
                     Item(120, "名前をつけて保存(&A)"), Separator(), Item(130, "図を保存"),
                     Item(135, "グラフデータ出力"), Separator(), Item(140, "印刷設定"),
                     Item(150, "印刷(&P) Ctrl+P"), Separator(), Item(170, "終了(&X) Alt+F4")}),
            Submenu("編集(&E)", {Item(300, "やり直し(&Z)"), Separator(),
                                 Item(310, "カット(&T) Ctrl+X"), Item(320, "コピー(&C) Ctrl+C"),
                                 Item(330, "貼りつけ(&P) Ctrl+V")}),
            Submenu("表示(&V)", {Item(160, "倍率変更"), Item(500, "数式入力")}),
            Submenu("グラフ操作(&G)",
                    {Submenu("タイトルフレーム操作(&T)", {Item(1000, "フォント情報を変更(&F)"),
                                                         Item(1050, "文字内容の変更(&T)")}),
                     Submenu("数値軸操作(&A)", {Item(1100, "軸線属性を変更(&E)"),
                                                Item(1150, "グリッド線表示切替")}),
                     Submenu("数値フレーム操作(&N)",
                             {Item(1200, "フォントを変更(&F)"),
                              Item(1250, "表示桁数・スタイルを変更(&T)")}),
                     Submenu("線操作ボックス", {Item(1300, "線操作ボックス表示/非表示切り替え")}),
                     Submenu("線の操作(&L)",
                             {Item(1310, "線の色を変更"), Item(1315, "マーカーの色を変更"),
                              Item(1320, "線の幅(太さ)を変更"), Item(1330, "線を消去")}),
                     Submenu("線の名前操作(&M)", {Item(1400, "フォント情報を変更(&F)"),
                                                  Item(1450, "文字内容の変更(&T)")}),
                     Separator(), Item(1460, "グラフのサイズ変更"),
                     Item(1470, "マーカー初期値設定")}),
            Submenu("ヘルプ(&H)",
                    {Item(1600, "説明書を見る(&H)"), Item(1650, "このソフトについて(&A)")}),
        }};
    return menu;
}

const Accelerator* Graph_Accelerators(int* count) {
    static const Accelerator table[] = {{'O', 100}, {'S', 110}, {'C', 320}, {'P', 150}};
    *count = 4;
    return table;
}

void DisEnable_AllOnObject(MenuHandle* menu) {
    for (int id : OBJECT_MENU_ITEMS) menu->EnableMenuItem(id, false);
}

void DisEnaSwitch_GraphMenuItem(int kind, MenuHandle* menu) {
    DisEnable_AllOnObject(menu);
    switch (kind) {
        case 1: menu->EnableMenuItem(1000, true); menu->EnableMenuItem(1050, true); break;
        case 2: menu->EnableMenuItem(1200, true); menu->EnableMenuItem(1250, true); break;
        case 3: menu->EnableMenuItem(1100, true); break;
        case 5: menu->EnableMenuItem(1300, true); break;
        case 6:
            for (int id : {1310, 1315, 1320, 1330}) menu->EnableMenuItem(id, true);
            break;
        case 7: menu->EnableMenuItem(1400, true); menu->EnableMenuItem(1450, true); break;
        default: break;
    }
}

void DisEnaSwitch_EditMenuItem(int flag, MenuHandle* menu) {
    menu->EnableMenuItem(320, flag != 0);
}

void DisEnaSwitch_FileMenuItem(int flag, MenuHandle* menu) {
    for (int id : {110, 120, 130, 135, 150}) menu->EnableMenuItem(id, flag != 0);
}

int SetGridMenu(GraphOnWin* graph, MenuHandle* menu) {
    if (graph == nullptr || !graph->graph_view || graph->selectobject == nullptr ||
        graph->selectobject->ObjectType() != 3) {
        return 0;
    }
    const int axis = graph->selectobject->ObjectNumb() & 3;
    menu->CheckMenuItem(1150, graph->graph_view->GridFlag(axis) != 0);
    return 1;
}

void Update_MenuState(GraphOnWin* graph, MenuHandle* menu) {
    const int kind = graph != nullptr ? graph->GetSelObjectKind() : -1;
    DisEnaSwitch_GraphMenuItem(kind, menu);
    if (graph != nullptr) {
        if (graph->glist_frame && graph->glist_frame->PutShowFlag() == 0) {
            menu->EnableMenuItem(1300, true);
        }
        if (graph->graph_view) {
            menu->EnableMenuItem(1460, true);
            if (SetGridMenu(graph, menu)) menu->EnableMenuItem(1150, true);
        }
    }
    const int printable = CanPrint(graph);
    DisEnaSwitch_EditMenuItem(printable, menu);
    DisEnaSwitch_FileMenuItem(printable, menu);
    // Commands without an action in this build.
    for (const MenuEntry& top : Title_Menu_Resource().menus) {
        std::vector<const MenuEntry*> stack{&top};
        while (!stack.empty()) {
            const MenuEntry* entry = stack.back();
            stack.pop_back();
            for (const MenuEntry& item : entry->items) stack.push_back(&item);
            if (entry->id != 0 && !Command_Available(entry->id)) {
                menu->EnableMenuItem(entry->id, false);
            }
        }
    }
}

void Register_Command(int id, CommandAction action) { Commands()[id] = std::move(action); }

bool Command_Available(int id) {
    return Built_In(id) || Commands().count(id) != 0;
}

SaveGraphAction Set_SaveGraphAction(SaveGraphAction action) {
    SaveGraphAction previous = std::move(Save_Action());
    Save_Action() = std::move(action);
    return previous;
}

int Check_ObjSave(GraphOnWin* graph, HWND owner, int* saved) {
    if (saved != nullptr) *saved = 0;
    if (graph == nullptr || graph->RsinfoFlag() != 1) return 0;
    const int answer = MessageBoxA(owner, "現在のデータを保存しますか?", "Do you save data?",
                                   MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        const int result = Save_Action() ? Save_Action()() : graph->SaveGraphToFile();
        if (saved != nullptr) *saved = result == 1 ? 1 : 0;
    }
    return answer;
}

bool Confirm_Close(GraphOnWin* graph, HWND owner) {
    if (MessageBoxA(owner, "終了していいですか？", "Closed message", MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
        return false;
    }
    int saved = 0;
    // A graph the user wanted saved but that was not saved is not thrown away.
    if (Check_ObjSave(graph, owner, &saved) == IDYES && saved != 1) return false;
    return true;
}

std::string Help_FilePath() {
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr) return std::string();
    return std::string(buffer) + "/使用説明/PlotariVer.html";
}

void Show_HelpOpenFailure(HWND owner) {
    MessageBoxA(owner, "説明ファイルのオープンに失敗しました。\n手動で開いてください。",
                "Fail open file", MB_OK);
}

namespace {
bool Is_File(const std::string& path) {
    struct stat info;
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
}  // namespace

std::string Installed_HelpFilePath() {
    char exe[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (length <= 0) return std::string();
    exe[length] = '\0';
    std::string dir(exe);
    dir.erase(dir.find_last_of('/') == std::string::npos ? 0 : dir.find_last_of('/'));
    // Installed: bin/plotari beside share/plotari; built: the copy beside the program.
    for (const std::string& candidate : {dir + "/../share/plotari/使用説明/PlotariVer.html",
                                         dir + "/使用説明/PlotariVer.html"}) {
        if (!Is_File(candidate)) continue;
        // Without the "bin/.." the browser shows.
        char resolved[PATH_MAX];
        return realpath(candidate.c_str(), resolved) ? std::string(resolved) : candidate;
    }
    return std::string();
}

int Open_HelpFile(PaperHost* host) {
    HWND owner = host != nullptr ? host->OwnerHandle() : nullptr;
    std::string path = Help_FilePath();
    // Started from elsewhere than the program's folder: the installed manual.
    if (!Is_File(path)) {
        const std::string installed = Installed_HelpFilePath();
        if (!installed.empty()) path = installed;
    }
    if (path.empty()) {
        MessageBoxA(owner, "カレントディレクトリの取得に失敗\n手動で説明ファイルを開いてください",
                    "Fail get directory", MB_OK);
        return 0;
    }
    const bool exists = Is_File(path);
    if (!exists || host == nullptr || !host->OpenDocument(path)) Show_HelpOpenFailure(owner);
    return 1;
}

std::string About_Text() {
    return "Plotari\n Version2.2\nLinux 版 (Qt 6 Widgets)\n作成: Plotari for Linux 開発チーム";
}

namespace {

// The graph menu's and pop-up menus' editing commands.
void Edit_Command(GraphOnWin* graph, int command, HWND owner, LONG h_shift, LONG v_shift) {
    switch (command) {
        case 1000: graph->ChangeTitleFont(h_shift, v_shift); break;
        case 1050: graph->ChangeTitleCont(win_Inst, h_shift, v_shift); break;
        case 1100: graph->ChangeAxisTick(win_Inst, h_shift, v_shift); break;
        case 1150: graph->SetGridFlag(); break;
        case 1200: graph->ChngAxFrameFont(h_shift, v_shift); break;
        case 1250: graph->ChngAxFrameNumStyle(h_shift, v_shift); break;
        case 1300: graph->GlfSwitchDsp(); break;
        case 1310: graph->DateChangeColor(); break;
        case 1315: graph->DateChangeMarkColor(); break;
        case 1320: graph->DateChangeProp(); break;
        case 1330:
            Check_ObjSave(graph, owner, nullptr);
            graph->LineDelete(h_shift, v_shift);
            break;
        case 1400: graph->DateChangeFont(h_shift, v_shift); break;
        case 1450: graph->DateChangeCont(win_Inst, h_shift, v_shift); break;
        default: break;
    }
}

}  // namespace

int Handle_Of_Menu(PaperHost* host, int command, GraphOnWin* graph, PaperState* paper,
                   LONG* shifth, LONG* shiftv) {
    HWND owner = host != nullptr ? host->OwnerHandle() : nullptr;
    HWND paper_window = host != nullptr ? host->PaperHandle() : nullptr;
    switch (command) {
        case 100:
            if (graph != nullptr) {
                graph->OpenFileToGraph(*shifth, *shiftv);
                if (host != nullptr) host->InvalidateAll();
            }
            return 1;
        case 110:
            if (graph != nullptr) graph->SaveGraphToFile();
            return 1;
        case 120:
            if (graph != nullptr) graph->SaveGraphToNewFile();
            return 1;
        case 130: {
            LONG width = 0, height = 0;
            Paper_PixelSize(paper_window, &width, &height);
            if (SaveGraph_ToImageFile2(owner, width, height, graph) == -2) {
                MessageBoxA(owner, "保存するイメージがありません", "No save image", MB_OK);
            }
            return 1;
        }
        case 135:
            if (graph != nullptr && graph->graph_view) WriteGraphdata_ToFile(owner, graph);
            return 1;
        case 320: {
            LONG width = 0, height = 0;
            Paper_PixelSize(paper_window, &width, &height);
            TransGraph_ToClipBord(owner, width, height, graph);
            return 1;
        }
        case 150:
            if (graph != nullptr) GrpOnWin_To_Printer(owner, win_Inst, graph);
            return 1;
        case 160:
            if (graph == nullptr) {
                MessageBoxA(owner, "用紙が設定されていません", "no paper set", MB_OK);
                return 0;
            }
            g_dlgstate = 0;
            DialogBoxParamA(win_Inst, Zoom_Dialog_Template(), owner, ZoomDlgProc, 0);
            if (g_dlgstate == 1) {
                Change_Zoom(host, g_new_zoom, graph, paper, shifth, shiftv);
                g_zoom_main = g_zoom;
            }
            return 1;
        case 170:
            if (host != nullptr) host->CloseWindow();
            return 1;
        case 500:
            if (host != nullptr) host->ShowInputDialog();
            return 1;
        case 1000: case 1050: case 1100: case 1150: case 1200: case 1250: case 1300:
        case 1310: case 1315: case 1320: case 1330: case 1400: case 1450:
            if (graph != nullptr) {
                Edit_Command(graph, command, owner, *shifth, *shiftv);
                if (host != nullptr) host->InvalidateAll();
            }
            return 1;
        case 1460:
            if (Change_GraphSize(owner, graph, *shifth, *shiftv) && host != nullptr) {
                host->InvalidateAll();
            }
            return 1;
        case 1470:
            DialogBoxParamA(win_Inst, Marker_Dialog_Template(), owner, MkrInitProc, 0);
            return 1;
        case 1600:
            Open_HelpFile(host);
            return 1;
        case 1650:
            MessageBoxA(owner, About_Text().c_str(), "About this software", MB_OK);
            return 1;
        default: {
            const auto it = Commands().find(command);
            if (it != Commands().end() && it->second) it->second(host);
            return 1;
        }
    }
}
