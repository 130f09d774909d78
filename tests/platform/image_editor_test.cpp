#include "image_editor.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTest>
#include <memory>

#include "fake_image_editor.h"

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

}  // namespace
