#include "settings_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "color.h"
#include "cp932.h"
#include "fake_desktop.h"
#include "fake_folder_picker.h"
#include "fake_messages.h"
#include "folders.h"
#include "globals.h"
#include "paths.h"
#include "program_icon.h"
#include "program_test.h"
#include "speed_button_vr.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

class SettingsDialogTest : public ProgramTest {
  protected:
    SettingsDialogTest() {
        AppDir = dir_.Path();
        BaseDir = dir_.Path();
        QDir(QString::fromStdString(dir_.Path())).mkpath(QStringLiteral("dat"));
        QDir(QString::fromStdString(dir_.Path())).mkpath(QStringLiteral("memo"));
        Settings.dat_Path = dir_.File("dat");
        Settings.memo_path = dir_.File("memo");
        Settings.ni_dir = dir_.Path();
        Settings.name = Sj("山田");
        oldConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (QString::fromStdString(dir_.Path()) + "/config").toUtf8());
    }
    ~SettingsDialogTest() override { qputenv("XDG_CONFIG_HOME", oldConfig_); }

    // The dialog as it stands after its first showing.
    std::unique_ptr<TfrSet> Open() {
        auto d = std::make_unique<TfrSet>();
        d->FormActivate();
        return d;
    }

    TempFolder dir_;
    FakeMessages messages_;
    FakeDialogs dialogs_;
    QByteArray oldConfig_;
};

TEST_F(SettingsDialogTest, PagesAndCaptions) {
    auto d = Open();
    EXPECT_EQ(d->windowTitle(), U("環境設定"));
    EXPECT_EQ(d->size(), QSize(600, 417));
    const char* const pages[] = {"ﾃﾞｰﾀ格納場所", "表示",       "自動案内", "orselの顔",
                                 "日記",         "メモの外観", "その他",   "ｼｮｰﾄｶｯﾄ"};
    ASSERT_EQ(d->PageControl1->count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(d->PageControl1->tabText(i), U(pages[i]));
    EXPECT_EQ(d->PageControl1->currentIndex(), 0);
    const std::pair<QAbstractButton*, const char*> buttons[] = {
        {d->Button3, "Ｏ．Ｋ"},          {d->Button5, "ｷｬﾝｾﾙ"},      {d->bt_help, "ヘルプ"},
        {d->ch_cal, "ｶﾚﾝﾀﾞｰ非表示"},     {d->ch_kai, "会話なし"},    {d->BitBtn1, "背景色変更"},
        {d->bt_mojiColor, "文字色変更"}, {d->btWeCol[7], "祝日"},    {d->bt_StupSet, "登録する"},
        {d->bt_DtopUnSet, "解除する"},   {d->btMemoFontHen, "ﾌｫﾝﾄ"}, {d->Button1, ">>"},
    };
    for (const auto& [b, caption] : buttons) EXPECT_EQ(b->text(), U(caption)) << caption;
    EXPECT_EQ(d->Label1->text(), U("orselに作業環境を教えてください。"));
    EXPECT_EQ(d->cb_tm1->count(), 13);
    EXPECT_EQ(d->cb_tm1->itemText(12), QStringLiteral("60"));
    EXPECT_EQ(d->yoAruDsp->itemText(2), U("太字＋打消し"));
}

TEST_F(SettingsDialogTest, FillShowsStoredValuesAndOutOfRangeListsPickTheFirstItem) {
    Settings.TM_TT = 15000;
    Settings.yoAruDsp = 3;
    Settings.StYoubiNo = 7;
    Settings.shirase = 10;
    Settings.HOTKEY = 'Q';
    Settings.oto = 1;
    auto d = Open();
    EXPECT_EQ(d->tx_name->text(), U("山田"));
    EXPECT_EQ(d->cb_tm1->currentText(), QStringLiteral("15"));
    EXPECT_EQ(d->yoAruDsp->currentIndex(), 0);
    EXPECT_EQ(d->cbStYoubi->currentIndex(), 0);
    EXPECT_EQ(d->tx_oshi->text(), QStringLiteral("10"));
    EXPECT_EQ(d->tx_hot_key->text(), QStringLiteral("Q"));
    EXPECT_TRUE(d->ch_kai->isChecked());
    ASSERT_TRUE(d->Button3Click());
    EXPECT_EQ(Settings.yoAruDsp, 0);
    EXPECT_EQ(Settings.StYoubiNo, 0);
    EXPECT_EQ(Settings.TM_TT, 15000);
}

TEST_F(SettingsDialogTest, OkStoresEveryControl) {
    Settings.YoubiTitleCol[3] = platform::SystemColor(8);  // kept exactly
    auto d = Open();
    d->tx_name->clear();
    d->tx_ni_prg->setText(QString(300, QLatin1Char('p')));
    d->tx_ico->setText(QStringLiteral("/no/such.ico"));
    dir_.Write("face.bmp", "BM");
    d->tx_bmp->setText(QString::fromStdString(dir_.File("face.bmp")));
    d->cb_tm1->setCurrentIndex(12);
    d->tx_oshi->setText(QStringLiteral("300"));
    d->tx_todo->setText(QStringLiteral("-3"));
    d->cbStYoubi->setCurrentIndex(1);
    d->ch_zen->setChecked(true);
    d->ch_kai->setChecked(false);
    ASSERT_TRUE(d->Button3Click());
    EXPECT_EQ(Settings.name, Sj("？"));
    EXPECT_EQ(Settings.ni_prg, std::string(255, 'p'));
    EXPECT_EQ(Settings.ico_path, "");
    EXPECT_EQ(Settings.bmp_path, dir_.File("face.bmp"));
    EXPECT_EQ(Settings.TM_TT, 60000);
    EXPECT_EQ(Settings.shirase, 15);
    EXPECT_EQ(Settings.todozan, 3);
    EXPECT_EQ(Settings.StYoubiNo, 1);
    EXPECT_EQ(Settings.zen, 1);
    EXPECT_EQ(Settings.oto, 0);
    EXPECT_EQ(Settings.YoubiTitleCol[3], platform::SystemColor(8));
    EXPECT_EQ(Settings.YoubiTitleCol[0], 0x0000FFu);
    EXPECT_TRUE(messages_.shown.empty());
    d->done(QDialog::Accepted);
    EXPECT_EQ(Settings.todozan, 3);  // a successful O.K is never undone
}

TEST_F(SettingsDialogTest, InvalidNumberChangesNothing) {
    const INIT before = Settings;
    auto d = Open();
    d->tx_name->setText(U("鈴木"));
    d->tx_oshi->setText(QStringLiteral("5"));
    d->tx_todo->setText(QStringLiteral("abc"));
    EXPECT_FALSE(d->Button3Click());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, U("'abc' は正しい整数値ではありません。"));
    EXPECT_EQ(Settings.name, before.name);
    EXPECT_EQ(Settings.shirase, before.shirase);
    EXPECT_EQ(d->tx_name->text(), U("鈴木"));  // the user's edits stay to be corrected
}

TEST_F(SettingsDialogTest, EmptyScheduleFolderStoresNothingAndRefills) {
    auto d = Open();
    d->tx_name->clear();
    d->tx_path->clear();
    d->tx_oshi->setText(QStringLiteral("7"));
    EXPECT_FALSE(d->Button3Click());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, U("予定データの格納場所を ") +
                                           QString::fromStdString(dir_.File("dat")) +
                                           U(" に設定しました。"));
    EXPECT_EQ(Settings.name, Sj("山田"));
    EXPECT_EQ(Settings.shirase, 0);
    EXPECT_EQ(d->tx_name->text(), U("山田"));
    EXPECT_EQ(d->tx_path->text(), QString::fromStdString(dir_.File("dat")));
    EXPECT_EQ(d->tx_oshi->text(), QStringLiteral("0"));
}

TEST_F(SettingsDialogTest, MissingFolderKeepsDialogOpenAndTheValuesOfThatOk) {
    auto d = Open();
    d->tx_memo->setText(QString::fromStdString(dir_.File("gone")));
    d->tx_name->setText(U("鈴木"));
    d->tx_todo->setText(QStringLiteral("256"));
    EXPECT_FALSE(d->Button3Click());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(U("ﾒﾓを格納するﾌｫﾙﾀﾞ[")));
    // While it stays open the values of that O.K are in the settings...
    EXPECT_EQ(Settings.memo_path, dir_.File("gone"));
    EXPECT_EQ(Settings.todozan, 255);
    EXPECT_EQ(d->tx_name->text(), U("鈴木"));
    // ...and they stay there when the user cancels then (the start-up checks the folders again).
    d->done(QDialog::Rejected);
    EXPECT_EQ(Settings.memo_path, dir_.File("gone"));
    EXPECT_EQ(Settings.name, Sj("鈴木"));
    EXPECT_EQ(Settings.todozan, 255);
}

TEST_F(SettingsDialogTest, PickerClosingRefillsThenThePickedFolderGoesIn) {
    FakeFolderPicker picker;
    picker.answers = {dir_.Path()};  // then cancelled
    auto d = Open();
    d->tx_name->setText(U("未確定"));
    d->Button6Click();
    EXPECT_EQ(picker.starts, std::vector<std::string>{dir_.File("memo")});
    EXPECT_EQ(d->tx_memo->text(), QString::fromStdString(dir_.Path()));
    EXPECT_EQ(d->tx_name->text(), U("山田"));
    d->tx_path->setText(QStringLiteral("/typed"));
    d->Button1Click();  // cancelled: refilled all the same
    EXPECT_EQ(d->tx_path->text(), QString::fromStdString(dir_.File("dat")));
}

TEST_F(SettingsDialogTest, HotKeyBoxTakesOnlyHalfWidthLetters) {
    Settings.HOTKEY = 'J';
    auto d = Open();
    d->tx_name->setText(U("未確定"));
    QTest::keyClick(d->tx_hot_key, Qt::Key_K);
    EXPECT_EQ(d->tx_hot_key->text(), QStringLiteral("K"));
    EXPECT_TRUE(messages_.shown.empty());
    const struct {
        Qt::Key key;
        char text;
    } rejected[] = {{Qt::Key_1, '1'}, {Qt::Key_Backspace, '\b'}, {Qt::Key_Space, ' '}};
    for (const auto& r : rejected) {
        messages_.shown.clear();
        d->tx_hot_key->setText(QStringLiteral("K"));
        QTest::keyClick(d->tx_hot_key, r.key);
        ASSERT_EQ(messages_.shown.size(), 1u) << r.text;
        EXPECT_EQ(messages_.shown[0].text, U("ﾎｯﾄｷｰに指定できるのは、半角のA～Zです。"));
        EXPECT_EQ(messages_.shown[0].kind, platform::MsgKind::Information);
        EXPECT_EQ(d->tx_hot_key->text(), QStringLiteral("J"));
        EXPECT_EQ(d->tx_name->text(), U("山田"));
    }
    QTest::keyClick(d->tx_hot_key, Qt::Key_Q);
    ASSERT_TRUE(d->Button3Click());
    EXPECT_EQ(Settings.HOTKEY, 'Q');
    // An emptied box keeps the letter in use.
    auto again = Open();
    again->tx_hot_key->clear();
    ASSERT_TRUE(again->Button3Click());
    EXPECT_EQ(Settings.HOTKEY, 'Q');
}

TEST_F(SettingsDialogTest, ColourButtonsByTag) {
    auto d = Open();
    dialogs_.colors = {QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), std::nullopt,
                       QColor(10, 11, 12)};
    d->bt_mojiColorClick(d->bt_mojiColor);  // tag 0: user holiday colour
    d->bt_mojiColorClick(d->BitBtn1);       // tag 1: mark background
    d->bt_mojiColorClick(d->btWeCol[6]);    // Saturday
    d->bt_mojiColorClick(d->btWeCol[7]);    // cancelled: holiday colour stays
    d->btMemoColHenClick();
    ASSERT_TRUE(d->Button3Click());
    EXPECT_EQ(Settings.uhori_color, 0x030201u);
    EXPECT_EQ(Settings.MAKUCOL, 0x060504u);
    EXPECT_EQ(Settings.YoubiTitleCol[6], 0x090807u);
    EXPECT_EQ(Settings.HolidayMojiCol, 0x0000FFu);
    EXPECT_EQ(Settings.memo_color, 0x0C0B0Au);
}

TEST_F(SettingsDialogTest, MemoFontFromTheFontDialog) {
    auto d = Open();
    // Another family than the one the stored name is drawn in, whichever fonts the machine
    // prefers.
    const QString drawn = QFontInfo(d->memo_pv->font()).family();
    QString other;
    for (const QString& family : QFontDatabase::families()) {
        if (family != drawn && QFontInfo(QFont(family)).family() == family) {
            other = family;
            break;
        }
    }
    ASSERT_FALSE(other.isEmpty()) << "only " << drawn.toStdString() << " is installed";
    QFont chosen(other, 14);
    chosen.setItalic(true);
    dialogs_.fonts = {chosen};
    d->btMemoFontHenClick();
    ASSERT_TRUE(d->Button3Click());
    EXPECT_EQ(Settings.MemoFont.Name, platform::ToCp932(other));
    EXPECT_EQ(Settings.MemoFont.Size, 14);
    EXPECT_TRUE(Settings.MemoFont.Italic);
    EXPECT_FALSE(Settings.MemoFont.Bold);
    EXPECT_EQ(Settings.MemoFont.Color, INIT::DefaultMemoFont().Color);

    // Only the size changed: the family the dialog answers with stands for the stored name.
    Settings.MemoFont = INIT::DefaultMemoFont();
    auto again = Open();
    QFont bigger(QFontInfo(again->memo_pv->font()).family(), 16);
    dialogs_.fonts = {bigger};
    again->btMemoFontHenClick();
    // The colour has a button of its own beside the font button.
    dialogs_.colors = {QColor(1, 2, 3)};
    again->btMemoFontColClick();
    EXPECT_EQ(again->memo_pv->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    ASSERT_TRUE(again->Button3Click());
    EXPECT_EQ(Settings.MemoFont.Name, Sj("ＭＳ Ｐゴシック"));
    EXPECT_EQ(Settings.MemoFont.Size, 16);
    EXPECT_EQ(Settings.MemoFont.Color, 0x030201u);
}

TEST_F(SettingsDialogTest, FilePickers) {
    auto d = Open();
    dialogs_.files = {QStringLiteral("/x/face.ico"), QStringLiteral(""), std::nullopt,
                      QStringLiteral("/x/t.txt")};
    d->Button2Click();
    d->Button8Click();  // an empty name is not taken
    d->Button8Click();  // cancelled
    d->Button9Click();
    EXPECT_EQ(d->tx_ico->text(), QStringLiteral("/x/face.ico"));
    EXPECT_EQ(d->tx_ni_prg->text(), QStringLiteral("notepad.exe"));
    EXPECT_EQ(d->tx_ni_tmp->text(), QStringLiteral("/x/t.txt"));
    ASSERT_GE(dialogs_.asked.size(), 4u);
    EXPECT_TRUE(dialogs_.asked[0].startsWith(U("顔アイコンの指定|")));
    EXPECT_TRUE(dialogs_.asked[1].startsWith(U("日記を編集するプログラムの指定|")));
    EXPECT_TRUE(dialogs_.asked[3].startsWith(U("日記のﾃﾝﾌﾟﾚｰﾄにするﾌｧｲﾙの指定|")));
}

TEST_F(SettingsDialogTest, ShortcutsAreRegisteredRemovedAndFailuresReported) {
    auto d = Open();
    const QString entry = QString::fromStdString(dir_.Path()) + "/config/autostart/Kolvane.desktop";
    const struct {
        int tag;
        const char* message;
        bool exists;
    } steps[] = {
        {1, "ｽﾀｰﾄｱｯﾌﾟに登録しました。", true},
        {2, "ｽﾀｰﾄｱｯﾌﾟから登録解除しました。", false},
        {2, "ｽﾀｰﾄｱｯﾌﾟから登録解除しました。", false},
    };
    for (const auto& s : steps) {
        messages_.shown.clear();
        d->bt_StupSetClick(s.tag);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, U(s.message));
        EXPECT_EQ(QFileInfo::exists(entry), s.exists);
    }
    d->bt_StupSetClick(1);
    QFile f(entry);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Name=Kolvane32\n")));
    // The program's folder, not the folder of shipped files (AppDir), which differs once installed.
    const QString programs = platform::ExecutableDirOnDisk();
    EXPECT_TRUE(
        text.contains(QStringLiteral("Exec=\"") + programs + QStringLiteral("/Kolvane\"\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("Path=") + programs + "\n"));
    // Run from the build folder: the icon file the build put beside the program.
    const QString icon = platform::OwnIconEntry();
    EXPECT_TRUE(QFileInfo(icon).isAbsolute() && QFileInfo::exists(icon)) << icon.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Icon=") + icon + "\n"));
    f.close();

    // The autostart folder cannot be made: an error, never the success message.
    QFile::remove(entry);
    QDir(QString::fromStdString(dir_.Path()) + "/config").removeRecursively();
    QFile blocker(QString::fromStdString(dir_.Path()) + "/config");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    messages_.shown.clear();
    d->bt_StupSetClick(1);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].kind, platform::MsgKind::Error);
    EXPECT_TRUE(messages_.shown[0].text.startsWith(QStringLiteral("Error in Save")));
}

}  // namespace
