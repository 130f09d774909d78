#include "image_editor.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QProcess>
#include <QTest>
#include <memory>

#include "fake_image_editor.h"
#include "temp_folder.h"

namespace {

TEST(ImageEditorCommand, ChosenEditorFirst) {
    qputenv("KOLVANE_IMAGE_EDITOR", "paint --new-window \"my file\"");
    EXPECT_EQ(platform::ImageEditorCommand("/m/a b.bmp"),
              (QStringList{"paint", "--new-window", "my file", "/m/a b.bmp"}));
    qputenv("KOLVANE_IMAGE_EDITOR", "  ");
    const QStringList fallback = platform::ImageEditorCommand("/m/a.bmp");
    if (!fallback.isEmpty()) {
        EXPECT_EQ(fallback.back(), "/m/a.bmp");
    }
    qunsetenv("KOLVANE_IMAGE_EDITOR");
}

TEST(EditImage, TheCallerHearsOnlyWhileItExists) {
    FakeImageEditor editor;
    int heard = 0;
    auto owner = std::make_unique<QObject>();
    ASSERT_TRUE(platform::EditImage("/m/a.bmp", owner.get(), [&] { ++heard; }));
    ASSERT_TRUE(platform::EditImage("/m/b.bmp", owner.get(), [&] { ++heard; }));
    ASSERT_TRUE(platform::EditImage("/m/c.bmp", nullptr, [&] { ++heard; }));
    editor.End(0);
    EXPECT_EQ(heard, 1);
    owner.reset();
    editor.End(1);
    EXPECT_EQ(heard, 1);
    editor.End(2);
    EXPECT_EQ(heard, 2);
    editor.result = false;
    EXPECT_FALSE(platform::EditImage("/m/d.bmp", nullptr, [&] { ++heard; }));
    EXPECT_EQ(editor.edited.size(), 4u);
}

TEST(EditImage, RealProcessEndIsReported) {
    qputenv("KOLVANE_IMAGE_EDITOR", "true");
    bool ended = false;
    ASSERT_TRUE(platform::EditImage("/nonexistent.bmp", nullptr, [&] { ended = true; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return ended; }, 10000));
    qputenv("KOLVANE_IMAGE_EDITOR", "/no/such/editor");
    EXPECT_FALSE(platform::EditImage("/x.bmp", nullptr, [] {}));
    qunsetenv("KOLVANE_IMAGE_EDITOR");
}

TEST(EditImage, AnEditorStillOpenOutlivesTheProgram) {
    TempFolder folder;
    ASSERT_TRUE(folder.Write("editor", "#!/bin/sh\nsleep 1\ntouch \"$1.saved\"\n"));
    const QString editor = platform::DiskPath(folder.Path()) + "/editor";
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("KOLVANE_IMAGE_EDITOR", editor.toLocal8Bit());
    const QString picture = platform::DiskPath(folder.Path()) + "/a.bmp";
    ASSERT_TRUE(platform::EditImage(picture, nullptr, [] {}));
    qunsetenv("KOLVANE_IMAGE_EDITOR");
    // What the application's end does to the processes it owns: a destroyed QProcess kills its
    // program, and the user's unsaved picture with it.
    qDeleteAll(QCoreApplication::instance()->findChildren<QProcess*>());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(picture + ".saved"); }, 10000));
}

}  // namespace
