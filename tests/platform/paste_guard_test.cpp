#include "paste_guard.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <memory>

namespace {

// What an owner that went away leaves on the clipboard: data without any format.
void EmptyClipboard() { QGuiApplication::clipboard()->setMimeData(new QMimeData); }

struct Box {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    std::function<QString(QWidget*)> text;
};

const Box kBoxes[] = {
    {"plain", [] { return std::unique_ptr<QWidget>(new QPlainTextEdit(QStringLiteral("abc"))); },
     [](QWidget* w) { return static_cast<QPlainTextEdit*>(w)->toPlainText(); }},
    {"rich", [] { return std::unique_ptr<QWidget>(new QTextEdit(QStringLiteral("abc"))); },
     [](QWidget* w) { return static_cast<QTextEdit*>(w)->toPlainText(); }},
    {"line", [] { return std::unique_ptr<QWidget>(new QLineEdit(QStringLiteral("abc"))); },
     [](QWidget* w) { return static_cast<QLineEdit*>(w)->text(); }},
};

struct PasteKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};
const PasteKey kPasteKeys[] = {{Qt::Key_V, Qt::ControlModifier},
                               {Qt::Key_Insert, Qt::ShiftModifier}};

class PasteGuardTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::InstallPasteGuard(); }
};

TEST_F(PasteGuardTest, PasteKeysDoNothingWithoutText) {
    for (const Box& box : kBoxes) {
        for (const PasteKey& k : kPasteKeys) {
            EmptyClipboard();
            auto w = box.make();
            w->show();
            QTest::keyClick(w.get(), k.key, k.modifiers);
            EXPECT_EQ(box.text(w.get()), QStringLiteral("abc")) << box.name << " " << k.key;
        }
    }
}

TEST_F(PasteGuardTest, PasteKeysPasteText) {
    for (const Box& box : kBoxes) {
        for (const PasteKey& k : kPasteKeys) {
            QGuiApplication::clipboard()->setText(QStringLiteral("xy"));
            auto w = box.make();
            w->show();
            QTest::keyClick(w.get(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClick(w.get(), k.key, k.modifiers);
            EXPECT_EQ(box.text(w.get()), QStringLiteral("abcxy")) << box.name << " " << k.key;
        }
    }
}

TEST_F(PasteGuardTest, ReadOnlyBoxesAndOtherKeysPassUntouched) {
    EmptyClipboard();
    QPlainTextEdit box(QStringLiteral("abc"));
    box.show();
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_D);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("abcd"));
}

TEST_F(PasteGuardTest, WhichMenuItemsPaste) {
    QMenu menu;
    struct {
        const char* text;
        const char* objectName;
        QKeySequence shortcut;
        bool paste;
    } const cases[] = {
        {"貼り付け(&P)", "Paste1", {}, true},
        {"&Paste\tCtrl+V", "edit-paste", {}, true},
        {"入れる", "", QKeySequence(QKeySequence::Paste), true},
        {"入れる", "", QKeySequence(Qt::SHIFT | Qt::Key_Insert), true},
        {"ｺﾋﾟｰ(&C)", "Copy1", QKeySequence(QKeySequence::Copy), false},
        {"年間予定へｺﾋﾟｰ(&N)", "mnuNenCopy", {}, false},
        {"", "", {}, false},
    };
    for (const auto& c : cases) {
        QAction a(QString::fromUtf8(c.text));
        a.setObjectName(QString::fromLatin1(c.objectName));
        a.setShortcut(c.shortcut);
        EXPECT_EQ(platform::IsPasteAction(&a), c.paste) << c.text;
    }
    QAction separator;
    separator.setSeparator(true);
    EXPECT_FALSE(platform::IsPasteAction(&separator));
    EXPECT_FALSE(platform::IsPasteAction(nullptr));
}

TEST_F(PasteGuardTest, MenusShowPasteItemsDisabledWithoutText) {
    QMenu menu;
    QAction* paste = menu.addAction(QString::fromUtf8("貼り付け(&P)"));
    QAction* copy = menu.addAction(QString::fromUtf8("ｺﾋﾟｰ(&C)"));
    QAction* ownersPaste = menu.addAction(QStringLiteral("Paste"));
    ownersPaste->setShortcut(QKeySequence::Paste);
    ownersPaste->setEnabled(false);  // disabled by its window for its own reason

    EmptyClipboard();
    menu.show();
    EXPECT_FALSE(paste->isEnabled());
    EXPECT_TRUE(copy->isEnabled());
    menu.hide();

    QGuiApplication::clipboard()->setText(QStringLiteral("t"));
    menu.show();
    EXPECT_TRUE(paste->isEnabled());
    EXPECT_FALSE(ownersPaste->isEnabled());
    menu.hide();
}

TEST_F(PasteGuardTest, PasteShortcutOfAMenuItemDoesNothingWithoutText) {
    QAction paste(QStringLiteral("Paste"));
    paste.setShortcut(QKeySequence::Paste);
    int triggered = 0;
    QObject::connect(&paste, &QAction::triggered, [&] { ++triggered; });

    EmptyClipboard();
    QShortcutEvent withoutText(paste.shortcut(), 0);
    QCoreApplication::sendEvent(&paste, &withoutText);
    EXPECT_EQ(triggered, 0);

    QGuiApplication::clipboard()->setText(QStringLiteral("t"));
    QShortcutEvent withText(paste.shortcut(), 0);
    QCoreApplication::sendEvent(&paste, &withText);
    EXPECT_EQ(triggered, 1);
}

}  // namespace
