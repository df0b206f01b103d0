#pragma once
// Menu items as every menu of the program makes them: a named action with its caption,
// shortcut and help context (read by F1 over an open menu).

#include <QKeySequence>

class QAction;
class QMenu;

QAction* AddMenuItem(QMenu* Menu, const char* Name, const char* Caption, QKeySequence Shortcut = {},
                     int HelpContext = 0);
QAction* AddMenuSeparator(QMenu* Menu, const char* Name = "");
// The help context of an item, 0 for none.
int MenuItemHelpContext(const QAction* Item);
