#include "shell/MenuItems.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

QAction* AddMenuItem(QMenu* Menu, const char* Name, const char* Caption, QKeySequence Shortcut,
                     int HelpContext) {
    QAction* item = Menu->addAction(QLatin1String(Caption));
    item->setObjectName(QLatin1String(Name));
    item->setShortcut(Shortcut);
    if (HelpContext) item->setProperty("helpContext", HelpContext);
    return item;
}

QAction* AddMenuSeparator(QMenu* Menu, const char* Name) {
    QAction* line = Menu->addSeparator();
    line->setObjectName(QLatin1String(Name));
    return line;
}

int MenuItemHelpContext(const QAction* Item) {
    return Item ? Item->property("helpContext").toInt() : 0;
}
