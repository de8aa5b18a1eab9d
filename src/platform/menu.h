// Menus as resources describe them (commands with their ids, separators, submenus), the
// registry of named menu resources, and pop-up menus shown through the window system's
// handler.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

// A menu as a resource describes it: commands with their ids, separators and submenus.
struct MenuEntry {
    int id = 0;                    // command id (0 for a submenu or a separator)
    std::string text;              // empty for a separator
    std::vector<MenuEntry> items;  // the entries of a submenu
    bool IsSubmenu() const { return !items.empty(); }
    bool IsSeparator() const { return text.empty() && items.empty(); }
};
struct MenuResource {
    std::string name;
    std::vector<MenuEntry> menus;  // the top-level entries, each a submenu
};

// Builders for the menu tables.
MenuEntry Menu_Item(int id, const char* text);
MenuEntry Menu_Separator();
MenuEntry Menu_Submenu(const char* text, std::vector<MenuEntry> items);

// A menu resource by name ("OBJMENU", or one registered with Register_MenuResource), or null.
const MenuResource* Load_MenuResource(const std::string& name);
void Register_MenuResource(const MenuResource* menu);

// Shows a submenu as a pop-up at a point of the window's client area; its command goes to
// owner. The handler is the window system's; without one nothing is shown.
using PopUpMenuHandler =
    std::function<void(HWND hwnd, tagPOINT client_point, const MenuEntry& submenu, HWND owner)>;
PopUpMenuHandler Set_PopUpMenuHandler(PopUpMenuHandler handler);
// Submenu index of the named menu at (x, y) in hwnd's client area. Returns 0.
int Show_PopUpMenu(HWND hwnd, LONG x, LONG y, int index, const char* menu_name, HWND owner);
