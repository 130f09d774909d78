#include "translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTranslator>

#include "cp932.h"

namespace {

class QtJapanese : public ::testing::Test {
  protected:
    void TearDown() override {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

// The catalogue is looked for where Qt keeps it; the package that holds it is installed by
// scripts/install-deps.sh.
TEST_F(QtJapanese, TheCatalogueIsFoundWhereQtKeepsIt) {
    EXPECT_TRUE(QDir(platform::QtTranslationsFolder()).exists(QStringLiteral("qtbase_ja.qm")));
    ASSERT_TRUE(platform::InstallQtJapanese());
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "Select Color"), U("色を選択"));
    // A text the catalogue lacks (the file dialog's type column).
    EXPECT_EQ(
        QCoreApplication::translate("QAbstractFileIconProvider", "Folder", "All other platforms"),
        U("ﾌｫﾙﾀﾞ"));
}

TEST_F(QtJapanese, WithoutTheCatalogueQtKeepsItsOwnTexts) {
    QTemporaryDir empty;
    EXPECT_FALSE(platform::InstallQtJapanese(empty.path()));
    EXPECT_EQ(QCoreApplication::translate("QColorDialog", "Select Color"), U("Select Color"));
    EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), U("Folder"));
}

}  // namespace
