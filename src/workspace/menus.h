#pragma once
// The main window's menu tree and toolbar as data: one row per menu, item and
// separator, in the order they appear. The window builds its menu bar, its
// toolbar (which shares the menu items' actions) and its document-state
// switching from these tables.
#include "workspace/actions.h"

#include <QString>

#include <span>

namespace workspace {

enum MenuFlag : unsigned {
    MenuSeparator = 1u << 0,
    MenuDisabled = 1u << 1,     // disabled when the window is created
    MenuHidden = 1u << 2,       // hidden when the window is created
    MenuCheckable = 1u << 3,
    MenuChecked = 1u << 4,      // checked when the window is created
    MenuDocument = 1u << 5,     // enabled only while a document is open
    MenuDocumentMenu = 1u << 6, // a menu shown only while a document is open
    MenuBarItem = 1u << 7,      // an item of the menu bar itself, without submenu
    MenuCharSelect = 1u << 8,   // one of the three exclusive picker-mode items
};

struct MenuEntry
{
    int level;            // 0 the menu bar, 1 a menu's item, 2 a submenu's item
    const char *name;     // objectName of the action (or of the separator)
    const char *caption;  // as shown, "&" marking the access key; empty for separators
    const char *shortcut; // QKeySequence portable text, or empty
    unsigned flags;
    ActionSlot slot;      // the member of Actions the row fills; nullptr for separators
};

// Rows in menu order. A row followed by rows one level deeper is a submenu.
std::span<const MenuEntry> menuTable();

struct ToolButtonEntry
{
    const char *key;     // tool tip and the name the click is told apart by; empty for a separator
    ActionSlot action;   // the menu action the button shares; nullptr for a separator
    const char *icon;    // freedesktop icon name
};

// Toolbar buttons from left to right.
std::span<const ToolButtonEntry> toolbarTable();

// The permanent text of the status bar.
QString defaultStatusText();

} // namespace workspace
