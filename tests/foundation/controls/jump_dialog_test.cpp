#include "jump_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "cp932.h"
#include "fake_clock.h"
#include "fonts.h"
#include "globals.h"
#include "printer_scale.h"

using namespace foundation;

namespace {

class JumpDialog : public ::testing::Test {
  protected:
    void SetUp() override { clock.Set(2004, 7, 15, 10, 0); }

    // Runs the dialog modally and lets `act` close it once the event loop runs.
    int RunWith(TfrJp& dialog, std::function<void()> act) {
        QTimer::singleShot(0, &dialog, act);
        return dialog.exec();
    }

    FakeClock clock;
};

QStringList Items(const QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
    return r;
}

TEST_F(JumpDialog, CombosFollowTodayFromTheClock) {
    TfrJp dialog;
    QStringList years;
    for (int y = 1994; y <= 2014; ++y) years << QString::number(y);
    EXPECT_EQ(Items(dialog.cb_yy), years);
    EXPECT_EQ(dialog.cb_yy->currentText(), QStringLiteral("2004"));
    QStringList months;
    for (int m = 1; m <= 12; ++m) months << QString::number(m);
    EXPECT_EQ(Items(dialog.cb_mm), months);
    EXPECT_EQ(dialog.cb_mm->currentText(), QStringLiteral("7"));
    EXPECT_TRUE(dialog.cb_yy->isEditable());
    EXPECT_TRUE(dialog.cb_mm->isEditable());
}

// It opens on today's year and month (whatever month is on show elsewhere), as the selected
// items: the open list and the arrow keys go on from there.
TEST_F(JumpDialog, OpensOnTodayNotOnTheShownMonth) {
    struct {
        int year, month;
        const char* yearText;
        const char* monthText;
        const char* firstYear;
        const char* lastYear;
    } const cases[] = {
        {2004, 7, "2004", "7", "1994", "2014"},
        {2026, 12, "2026", "12", "2016", "2036"},
        {2027, 1, "2027", "1", "2017", "2037"},
    };
    for (const auto& c : cases) {
        clock.Set(c.year, c.month, 28, 23, 59);
        CurYear = 1999;  // the month on show elsewhere
        CurMonth = 3;
        TfrJp dialog;
        EXPECT_EQ(dialog.cb_yy->currentText(), QString::fromLatin1(c.yearText));
        EXPECT_EQ(dialog.cb_mm->currentText(), QString::fromLatin1(c.monthText));
        EXPECT_EQ(dialog.cb_yy->currentIndex(), 10) << c.yearText;  // the middle of 21 years
        EXPECT_EQ(dialog.cb_mm->currentIndex(), c.month - 1);
        EXPECT_EQ(dialog.cb_yy->itemText(0), QString::fromLatin1(c.firstYear));
        EXPECT_EQ(dialog.cb_yy->itemText(20), QString::fromLatin1(c.lastYear));
        dialog.show();
        dialog.cb_yy->setFocus();
        QTest::keyClick(dialog.cb_yy, Qt::Key_Down);
        EXPECT_EQ(dialog.cb_yy->currentText(), QString::number(c.year + 1));
        dialog.hide();
    }
}

TEST_F(JumpDialog, CaptionsFontAndGeometry) {
    TfrJp dialog;
    EXPECT_EQ(dialog.windowTitle(), U("ｼﾞｬﾝﾌﾟ年月日の指定"));
    EXPECT_EQ(dialog.size(), QSize(194, 68));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.font().family(), U("ＭＳ Ｐゴシック"));
    EXPECT_EQ(dialog.font().pointSize(), 9);

    struct Case {
        QWidget* widget;
        const char* name;
        QRect geometry;
    } cases[] = {
        {dialog.cb_yy, "cb_yy", {0, 8, 57, 20}},
        {dialog.cb_mm, "cb_mm", {80, 8, 41, 20}},
        {dialog.Bevel1, "Bevel1", {0, 32, 193, 2}},
        {dialog.Button1, "Button1", {0, 40, 65, 25}},
        {dialog.Button2, "Button2", {128, 40, 65, 25}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.widget->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(dialog.findChild<QWidget*>(QString::fromLatin1(c.name)), c.widget) << c.name;
        EXPECT_EQ(c.widget->geometry(), c.geometry) << c.name;
    }

    struct LabelCase {
        QLabel* label;
        const char* name;
        const char* text;
        QPoint place;
    } labels[] = {
        // 2 pixels right of their boxes (0 + 57, 80 + 41), clear of the boxes' frames.
        {dialog.Label1, "Label1", "年", {59, 16}},
        {dialog.Label2, "Label2", "月へｼﾞｬﾝﾌﾟ", {123, 16}},
    };
    for (const auto& l : labels) {
        EXPECT_EQ(l.label->objectName(), QString::fromLatin1(l.name));
        EXPECT_EQ(l.label->text(), U(l.text)) << l.name;
        EXPECT_EQ(l.label->pos(), l.place) << l.name;
        EXPECT_TRUE(l.label->font().bold()) << l.name;
        EXPECT_EQ(l.label->font().pointSize(), 10) << l.name;
        EXPECT_EQ(l.label->palette().color(QPalette::WindowText), QColor(Qt::black)) << l.name;
    }
    // Nothing overlaps along the row, and the last label stays inside the window.
    EXPECT_LT(dialog.cb_yy->geometry().right(), dialog.Label1->x());
    EXPECT_LT(dialog.Label1->geometry().right(), dialog.cb_mm->x());
    EXPECT_LT(dialog.cb_mm->geometry().right(), dialog.Label2->x());
    EXPECT_LE(dialog.Label2->geometry().right(), dialog.width() - 1);
    EXPECT_EQ(dialog.Button1->text(), QStringLiteral("O.K"));
    EXPECT_EQ(dialog.Button2->text(), U("ｷｬﾝｾﾙ"));
}

TEST_F(JumpDialog, YearOnlyLayout) {
    TfrJp dialog;
    dialog.SetYearOnly();
    EXPECT_EQ(dialog.windowTitle(), U("休日設定する年"));
    EXPECT_TRUE(dialog.cb_mm->isHidden());
    EXPECT_TRUE(dialog.Label2->isHidden());
    EXPECT_FALSE(dialog.cb_yy->isHidden());
    EXPECT_EQ(dialog.cb_yy->geometry(), QRect(68, 8, 57, 20));  // (194 - 57) / 2, truncated
    EXPECT_EQ(dialog.Label1->pos(), QPoint(127, 16));
}

TEST_F(JumpDialog, GlobalFormVariableFollowsTheDialog) {
    EXPECT_EQ(frJp, nullptr);
    {
        TfrJp dialog;
        EXPECT_EQ(frJp, &dialog);
    }
    EXPECT_EQ(frJp, nullptr);
}

TEST_F(JumpDialog, EveryWayOutGivesItsResult) {
    struct Case {
        const char* name;
        std::function<void(TfrJp&)> act;
        int result;
    } cases[] = {
        {"O.K", [](TfrJp& d) { d.Button1->click(); }, 1},
        {"Cancel", [](TfrJp& d) { d.Button2->click(); }, 2},
        {"Esc",
         [](TfrJp& d) {
             QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&d, &esc);
         },
         2},
        {"close", [](TfrJp& d) { d.close(); }, 2},
        {"reject", [](TfrJp& d) { d.reject(); }, 2},
    };
    for (const auto& c : cases) {
        TfrJp dialog;
        auto act = c.act;
        EXPECT_EQ(RunWith(dialog, [&dialog, act] { act(dialog); }), c.result) << c.name;
        EXPECT_EQ(dialog.result(), c.result) << c.name;
    }
}

TEST_F(JumpDialog, TypedTextStaysAsTypedAndIsNoListItem) {
    TfrJp dialog;
    const int result = RunWith(dialog, [&dialog] {
        dialog.cb_yy->setEditText(QStringLiteral("1980"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog.cb_yy->lineEdit(), &enter);
        dialog.Button1->click();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.cb_yy->currentText(), QStringLiteral("1980"));
    EXPECT_EQ(dialog.cb_yy->count(), 21);
}

TEST_F(JumpDialog, PlaceAtOwnersTopLeft) {
    QWidget owner;
    owner.move(130, 90);
    TfrJp dialog;
    dialog.PlaceAt(&owner);
    EXPECT_EQ(dialog.pos(), owner.frameGeometry().topLeft());
    dialog.PlaceAt(nullptr);  // no owner: stays
    EXPECT_EQ(dialog.pos(), owner.frameGeometry().topLeft());
}

TEST(ParseJumpTarget, AcceptsOnlyYearsAndMonthsInRange) {
    struct Case {
        const char* year;
        const char* month;
        bool ok;
        int y, m;
    } cases[] = {
        {"1980", "5", true, 1980, 5},     {"2004", "12", true, 2004, 12},
        {"1", "1", true, 1, 1},           {"9999", "12", true, 9999, 12},
        {" 2005 ", " 5 ", true, 2005, 5}, {"0", "5", false, 0, 0},
        {"10000", "1", false, 0, 0},      {"2004", "13", false, 0, 0},
        {"2004", "0", false, 0, 0},       {"2004", "-1", false, 0, 0},
        {"abc", "5", false, 0, 0},        {"2004", "", false, 0, 0},
        {"", "5", false, 0, 0},           {"20 04", "5", false, 0, 0},
        {"2004x", "5", false, 0, 0},      {"99999999999999999999", "5", false, 0, 0},
    };
    for (const auto& c : cases) {
        int y = -7, m = -7;
        EXPECT_EQ(ParseJumpTarget(std::string(c.year), std::string(c.month), y, m), c.ok)
            << c.year << "/" << c.month;
        EXPECT_EQ(y, c.ok ? c.y : -7) << c.year;
        EXPECT_EQ(m, c.ok ? c.m : -7) << c.month;
        int qy = -7, qm = -7;
        EXPECT_EQ(
            ParseJumpTarget(QString::fromLatin1(c.year), QString::fromLatin1(c.month), qy, qm),
            c.ok)
            << c.year << "/" << c.month;
        EXPECT_EQ(qy, y);
        EXPECT_EQ(qm, m);
    }
    int y = 0, m = 0;
    EXPECT_FALSE(ParseJumpTarget(U("２００４"), U("5"), y, m));  // full-width digits
}

TEST(DotsPerMm, IsDotsPerInchOver25point4InSinglePrecision) {
    EXPECT_EQ(DotsPerMm(600), 23.622047f);
    EXPECT_EQ(DotsPerMm(600), static_cast<float>(600 / 25.4));
    EXPECT_EQ(DotsPerMm(254), 10.0f);
    QImage image(10, 10, QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);  // 300 dpi (logicalDpiX rounds)
    EXPECT_EQ(DotsPerMm(&image), DotsPerMm(image.logicalDpiX()));
    EXPECT_EQ(DotsPerMm(&image), DotsPerMm(300));
    EXPECT_EQ(DotsPerMm(static_cast<const QPaintDevice*>(nullptr)), 0.0f);
}

TEST(Fonts, WindowsNamesMapToInstalledFamiliesOnce) {
    platform::InstallFontSubstitutes();
    platform::InstallFontSubstitutes();
    struct Case {
        const char* name;
        const char* first;
    } cases[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"Times New Roman", "Liberation Serif"},
    };
    for (const auto& c : cases) {
        const QStringList subs = QFont::substitutes(U(c.name));
        ASSERT_FALSE(subs.isEmpty()) << c.name;
        EXPECT_EQ(subs.first().compare(U(c.first), Qt::CaseInsensitive), 0) << c.name;
        EXPECT_EQ(subs.count(subs.first()), 1) << c.name;
        // Asked for directly, the family the name is drawn in.
        EXPECT_EQ(platform::InstalledFamily(U(c.name)), U(c.first)) << c.name;
        EXPECT_EQ(QFontInfo(QFont(platform::InstalledFamily(U(c.name)), 12)).family(),
                  QFontInfo(QFont(U(c.name), 12)).family())
            << c.name;
    }
    EXPECT_EQ(platform::InstalledFamily(QStringLiteral("Arial")), QStringLiteral("Arial"));
    // The IPA fonts are part of the installation, so the Windows names reach them.
    EXPECT_EQ(QFontInfo(QFont(U("ＭＳ Ｐゴシック"), 9)).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(QFont(U("ＭＳ 明朝"), 12)).family(), QStringLiteral("IPAMincho"));
}

}  // namespace
