// The registry of menu resources, the pop-up menu handler and the menu table builders.
#include "platform/menu.h"

#include <map>
#include <utility>

namespace {

std::map<std::string, const MenuResource*>& Menus() {
    static std::map<std::string, const MenuResource*> menus;
    return menus;
}

PopUpMenuHandler& Handler() {
    static PopUpMenuHandler handler;
    return handler;
}

}  // namespace

MenuEntry Menu_Item(int id, const char* text) {
    MenuEntry entry;
    entry.id = id;
    entry.text = text;
    return entry;
}

MenuEntry Menu_Separator() { return MenuEntry(); }

MenuEntry Menu_Submenu(const char* text, std::vector<MenuEntry> items) {
    MenuEntry entry;
    entry.text = text;
    entry.items = std::move(items);
    return entry;
}

void Register_MenuResource(const MenuResource* menu) {
    if (menu != nullptr) Menus()[menu->name] = menu;
}

const MenuResource* Load_MenuResource(const std::string& name) {
    const auto it = Menus().find(name);
    return it == Menus().end() ? nullptr : it->second;
}

PopUpMenuHandler Set_PopUpMenuHandler(PopUpMenuHandler handler) {
    PopUpMenuHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

int Show_PopUpMenu(HWND hwnd, LONG x, LONG y, int index, const char* menu_name, HWND owner) {
    const MenuResource* menu = Load_MenuResource(menu_name ? menu_name : "");
    if (menu == nullptr || index < 0 || index >= static_cast<int>(menu->menus.size())) return 0;
    tagPOINT point;
    point.x = x;
    point.y = y;
    if (Handler()) Handler()(hwnd, point, menu->menus[static_cast<size_t>(index)], owner);
    return 0;
}
