#include "key_guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

namespace {

// Counts the releases a text box sees, as the day window acts on them.
class Box : public QPlainTextEdit {
  public:
    int releases = 0;

  protected:
    void keyReleaseEvent(QKeyEvent* e) override {
        if (!e->isAutoRepeat()) ++releases;
        QPlainTextEdit::keyReleaseEvent(e);
    }
};

void Send(QWidget* to, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers m, const char* text,
          bool repeat = false) {
    QKeyEvent e(type, key, m, QString::fromLatin1(text), repeat);
    QApplication::sendEvent(to, &e);
}

class KeyGuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::InstallKeyGuard();
        box = std::make_unique<Box>();
        box->show();
        dialog = std::make_unique<QDialog>();
        auto* bar = new QMenuBar(dialog.get());
        bar->addAction(QStringLiteral("&Close"), dialog.get(), &QDialog::accept);
        edit = new QLineEdit(dialog.get());
        dialog->show();
        edit->setFocus();
    }
    std::unique_ptr<Box> box;
    std::unique_ptr<QDialog> dialog;
    QLineEdit* edit = nullptr;
};

// The rest of a key that closed a window: its repeats and its release.
TEST_F(KeyGuardTest, TheRestOfAClosingKeyReachesNoOtherWindow) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        const char* typed;  // by a press of the key in the box itself
    } keys[] = {{Qt::Key_Escape, Qt::NoModifier, "\x1b", ""},
                {Qt::Key_Return, Qt::NoModifier, "\r", "\n"},
                {Qt::Key_C, Qt::AltModifier, "c", "c"}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        dialog->show();
        edit->setFocus();
        box->clear();
        box->releases = 0;
        Send(edit, QEvent::KeyPress, k.key, k.modifiers, k.text);
        dialog->hide();
        for (int i = 0; i < 3; ++i) {
            Send(box.get(), QEvent::KeyRelease, k.key, k.modifiers, k.text, true);
            Send(box.get(), QEvent::KeyPress, k.key, k.modifiers, k.text, true);
        }
        Send(box.get(), QEvent::KeyRelease, k.key, k.modifiers, k.text);
        EXPECT_EQ(box->toPlainText(), QString());
        EXPECT_EQ(box->releases, 0);
        // The next press of the same key is the box's own.
        Send(box.get(), QEvent::KeyPress, k.key, Qt::NoModifier, k.text);
        Send(box.get(), QEvent::KeyRelease, k.key, Qt::NoModifier, k.text);
        EXPECT_EQ(box->releases, 1);
        EXPECT_EQ(box->toPlainText(), QString::fromLatin1(k.typed));
    }
}

// A popup of a window (a completion list) sees the release of a key pressed in the window.
TEST_F(KeyGuardTest, APopupOfTheWindowOfThePressGetsTheRest) {
    Box popup;
    popup.setWindowFlags(Qt::Popup);
    popup.show();
    Send(edit, QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    Send(&popup, QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(popup.releases, 1);
    popup.hide();
}

TEST_F(KeyGuardTest, AltWithACharacterTypesNothing) {
    box->setFocus();
    QTest::keyClick(box.get(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(box.get(), Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClicks(box.get(), QStringLiteral("eF"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("eF"));
}

}  // namespace
