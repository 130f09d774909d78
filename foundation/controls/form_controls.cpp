#include "form_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

namespace foundation {

QComboBox* MakeCombo(QWidget* parent, const char* name, const QRect& geometry) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setGeometry(geometry);
    return c;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    if (name) l->setObjectName(QString::fromLatin1(name));
    l->adjustSize();
    l->move(left, top);
    return l;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, int left, int top) {
    return MakeLabel(parent, nullptr, caption, left, top);
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, int left, int top) {
    auto* c = new QCheckBox(QString::fromUtf8(caption), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->adjustSize();
    c->move(left, top);
    return c;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(geometry);
    return e;
}

QVBoxLayout* MakeMenuBarLayout(QWidget* window, QMenuBar*& menuBar) {
    menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    return layout;
}

}  // namespace foundation
