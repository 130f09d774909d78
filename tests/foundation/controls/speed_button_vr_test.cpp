#include "speed_button_vr.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <memory>

#include "color.h"

using namespace foundation;

namespace {

constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kRed = 0x0000FF;

QColor Face() { return platform::ToQColor(platform::SystemColor(15)); }
QColor Highlight() { return platform::ToQColor(platform::SystemColor(20)); }

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class SpeedButtonVR : public ::testing::Test {
  protected:
    void SetUp() override {
        parent = std::make_unique<QWidget>();
        parent->resize(100, 100);
        button = new TSpeedButtonVR(parent.get());
        button->setGeometry(0, 0, 25, 17);
    }
    QImage Render() { return button->grab().toImage(); }
    int CountColour(const QImage& img, const QColor& c) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == c;
        return n;
    }

    std::unique_ptr<QWidget> parent;
    TSpeedButtonVR* button = nullptr;
};

TEST_F(SpeedButtonVR, DefaultsAreClearWhiteNoRingBlackRing) {
    EXPECT_EQ(button->BkBrushStyle(), Qt::NoBrush);
    EXPECT_EQ(button->BkColor(), 0xFFFFFFu);
    EXPECT_FALSE(button->WakuVisible());
    EXPECT_EQ(button->WakuColor(), 0u);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

TEST_F(SpeedButtonVR, DefaultFaceFillsInnerArea) {
    const QImage img = Render();
    ASSERT_EQ(img.size(), QSize(25, 17));
    for (int y = 2; y < 15; ++y)
        for (int x = 2; x < 23; ++x) ASSERT_EQ(img.pixelColor(x, y), Face()) << x << "," << y;
}

TEST_F(SpeedButtonVR, SolidYellowUpAndDown) {
    button->SetBkBrushStyle(Qt::SolidPattern);
    button->SetBkColor(kYellow);
    QImage img = Render();
    const QColor yellow(255, 255, 0);
    // Up: inner rectangle 2..22 x 2..14, no dots.
    EXPECT_EQ(img.pixelColor(2, 2), yellow);
    EXPECT_EQ(img.pixelColor(22, 14), yellow);
    EXPECT_NE(img.pixelColor(22, 15), yellow);
    EXPECT_NE(img.pixelColor(1, 2), yellow);
    EXPECT_NE(img.pixelColor(23, 2), yellow);

    button->SetDown(true);
    EXPECT_TRUE(button->Down());
    img = Render();
    struct Case {
        int x, y;
        QColor colour;
    } cases[] = {
        {2, 2, Highlight()},   {3, 2, yellow},        {2, 3, yellow},   {3, 3, Highlight()},
        {22, 14, Highlight()}, {21, 14, yellow},      {22, 15, yellow},  // inner reaches h-1 now
        {23, 16, Highlight()}, {23, 15, Highlight()},  // dots reach column w-2, row h-1
    };
    for (const auto& c : cases) EXPECT_EQ(img.pixelColor(c.x, c.y), c.colour) << c.x << "," << c.y;

    button->SetDown(false);
    EXPECT_FALSE(button->Down());
    EXPECT_EQ(Render().pixelColor(2, 2), yellow);
}

TEST_F(SpeedButtonVR, HatchDrawsColourLinesOnWhite) {
    button->SetBkBrushStyle(Qt::HorPattern);
    button->SetBkColor(kRed);
    const QImage img = Render();
    const int red = CountColour(img, QColor(255, 0, 0));
    const int white = CountColour(img, QColor(255, 255, 255));
    EXPECT_GT(red, 0);
    EXPECT_GT(white, red);
    // Horizontal hatch: a row inside is either all red or all white across the inner width.
    for (int y = 2; y < 15; ++y) {
        const QColor first = img.pixelColor(2, y);
        for (int x = 3; x < 23; ++x) ASSERT_EQ(img.pixelColor(x, y), first) << x << "," << y;
    }
}

TEST_F(SpeedButtonVR, RingShownOnlyWhenVisible) {
    const QColor ring(255, 0, 0);
    button->SetWakuColor(kRed);
    EXPECT_EQ(CountColour(Render(), ring), 0);

    button->SetWakuVisible(true);
    const QImage img = Render();
    EXPECT_GT(CountColour(img, ring), 20);
    // Bounded by left 2, top 1, right 23 and bottom 16 (exclusive).
    bool top = false, bottom = false, left = false, right = false;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y) != ring) continue;
            EXPECT_GE(x, 2);
            EXPECT_LE(x, 22);
            EXPECT_GE(y, 1);
            EXPECT_LE(y, 15);
            top |= y == 1;
            bottom |= y == 15;
            left |= x == 2;
            right |= x == 22;
        }
    }
    EXPECT_TRUE(top && bottom && left && right);
    // The centre stays clear.
    EXPECT_EQ(img.pixelColor(12, 8), Face());
}

TEST_F(SpeedButtonVR, RingColourChangeRepaintsOnlyWhileRingShown) {
    parent->show();
    PaintCounter counter;
    button->installEventFilter(&counter);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    ASSERT_GE(counter.paints, 1);  // the button is really on screen
    counter.paints = 0;

    button->SetWakuColor(kRed);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    button->SetWakuVisible(true);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);

    counter.paints = 0;
    button->SetWakuColor(0x00FF00);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_GT(CountColour(Render(), QColor(0, 255, 0)), 0);
}

TEST_F(SpeedButtonVR, CaptionCentredInInnerRectangle) {
    QFont f = button->font();
    f.setPixelSize(12);
    f.setStyleStrategy(QFont::NoAntialias);
    button->setFont(f);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(p);
    button->setGeometry(0, 0, 60, 24);
    button->setText(QStringLiteral("I"));
    const QImage img = Render();
    int minX = 1000, maxX = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == QColor(Qt::black)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    ASSERT_GE(maxX, 0) << "caption not drawn";
    // Inner rectangle 2..57: its centre is at 30.
    EXPECT_NEAR((minX + maxX) / 2.0, 29.5, 2.0);
}

TEST_F(SpeedButtonVR, DisabledCaptionIsEmbossed) {
    QFont f = button->font();
    f.setPixelSize(14);
    f.setStyleStrategy(QFont::NoAntialias);
    button->setFont(f);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, Qt::black);
    button->setPalette(p);
    button->setGeometry(0, 0, 60, 24);
    button->setText(QStringLiteral("MM"));
    button->setEnabled(false);
    const QImage img = Render();
    const QColor shadow = platform::ToQColor(platform::SystemColor(16));
    int shadows = 0, highlights = 0, black = 0;
    for (int y = 2; y < 22; ++y) {
        for (int x = 2; x < 58; ++x) {
            const QColor c = img.pixelColor(x, y);
            shadows += c == shadow;
            highlights += c == Highlight();
            black += c == QColor(Qt::black);
        }
    }
    EXPECT_GT(shadows, 10);
    EXPECT_GT(highlights, 0);
    EXPECT_EQ(black, 0);
}

TEST_F(SpeedButtonVR, TinyButtonsGetNoDotsAndDoNotCrash) {
    button->SetBkBrushStyle(Qt::SolidPattern);
    button->SetBkColor(kYellow);
    button->SetWakuVisible(true);
    button->setText(QStringLiteral("1"));
    button->SetDown(true);
    const QSize sizes[] = {{25, 2}, {25, 3}, {1, 1}, {3, 3}, {4, 4}};
    for (const QSize& s : sizes) {
        button->resize(s);
        const QImage img = Render();
        EXPECT_EQ(img.size(), s);
    }
    // Height 2, down: h - a = 1, so no row of dots; the bevel keeps its colours.
    button->SetWakuVisible(false);
    button->resize(25, 2);
    const QImage img = Render();
    EXPECT_EQ(img.pixelColor(4, 1), Highlight());  // bottom bevel of a down button
    EXPECT_NE(img.pixelColor(4, 0), Highlight());
}

TEST_F(SpeedButtonVR, NothingIsPaintedWithoutParent) {
    TSpeedButtonVR lone;
    lone.resize(25, 17);
    QImage img(25, 17, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    lone.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(img.pixelColor(10, 8).alpha(), 0);
}

}  // namespace
