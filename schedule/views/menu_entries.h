// Menu items that call a member of the window that owns them.
#pragma once

#include <QAction>
#include <QString>
#include <QWidget>
#include <initializer_list>

namespace schedule {

template <class Owner>
struct MenuEntry {
    const char* name;     // object name, as tests and the menus' logic look items up
    const char* caption;  // UTF-8
    void (Owner::*handler)();
};

// Appends one action per entry to a menu or a menu bar.
template <class Owner>
void AddMenuEntries(QWidget* menu, Owner* owner, std::initializer_list<MenuEntry<Owner>> entries) {
    for (const MenuEntry<Owner>& e : entries) {
        auto* action = new QAction(QString::fromUtf8(e.caption), menu);
        action->setObjectName(QString::fromLatin1(e.name));
        menu->addAction(action);
        const auto handler = e.handler;
        QObject::connect(action, &QAction::triggered, owner,
                         [owner, handler] { (owner->*handler)(); });
    }
}

}  // namespace schedule
