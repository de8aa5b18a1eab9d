#include "document/move_obj.h"

#include "platform/gdi.h"

int g_timer = 0;

int OutClient_MousePos(tagPOINT point, const tagRECT& rect) {
    return point.x < 0 || point.x > rect.right || point.y < 0 || point.y > rect.bottom ? 1 : 0;
}

int Catch_MousePosOnWin(HWND hwnd, LPARAM lParam) {
    if (hwnd == nullptr) return -2;
    const tagRECT rect = hwnd->ClientRect();
    tagPOINT point;
    point.x = Mouse_X(lParam);
    point.y = Mouse_Y(lParam);
    if (OutClient_MousePos(point, rect)) return -2;
    if (point.y < EDGE_BAND) return 1;
    if (point.y > rect.bottom - EDGE_BAND) return 2;
    if (point.x < EDGE_BAND) return 3;
    if (point.x > rect.right - EDGE_BAND) return 4;
    return -1;
}

int Start_Timer(HWND hwnd) {
    if (g_timer != 0 || hwnd == nullptr) return 0;
    hwnd->SetTimer(AUTOSCROLL_TIMER, AUTOSCROLL_PERIOD);
    g_timer = 1;
    return 1;
}

int End_Timer(HWND hwnd) {
    if (g_timer != 1) return 0;
    if (hwnd != nullptr) hwnd->KillTimer(AUTOSCROLL_TIMER);
    g_timer = 0;
    return 1;
}

int Change_CursorState(HWND hwnd, int part) {
    int cursor = 0;
    switch (part) {
        case 0:
        case 1: cursor = IDC_SIZENWSE; break;
        case 2:
        case 3: cursor = IDC_SIZENESW; break;
        case 4:
        case 5: cursor = IDC_SIZEWE; break;
        case 6:
        case 7: cursor = IDC_SIZENS; break;
        default: return 0;
    }
    if (hwnd != nullptr) hwnd->SetCursorShape(cursor);
    return 1;
}
