// A speed button whose face this program paints: background colour or hatch, a dotted look
// while down, an optional ring around the caption, and the caption centred on one line.
#pragma once

#include <QAbstractButton>
#include <cstdint>

namespace foundation {

class TSpeedButtonVR : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(Qt::BrushStyle BkBrushStyle READ BkBrushStyle WRITE SetBkBrushStyle)
    Q_PROPERTY(uint BkColor READ BkColor WRITE SetBkColor)
    Q_PROPERTY(bool WakuVisible READ WakuVisible WRITE SetWakuVisible)
    Q_PROPERTY(uint WakuColor READ WakuColor WRITE SetWakuColor)

  public:
    explicit TSpeedButtonVR(QWidget* parent = nullptr);

    // Qt::NoBrush is the "clear" style: the inner area shows the button face colour.
    Qt::BrushStyle BkBrushStyle() const { return bkBrushStyle_; }
    // Stored colour values: red in the low byte, 0xFF0000nn for system colours.
    uint32_t BkColor() const { return bkColor_; }
    bool WakuVisible() const { return wakuVisible_; }
    uint32_t WakuColor() const { return wakuColor_; }

    void SetBkBrushStyle(Qt::BrushStyle style);
    void SetBkColor(uint32_t color);
    void SetWakuVisible(bool visible);
    // Repaints only while the ring is shown.
    void SetWakuColor(uint32_t color);

    // Down = pressed by the mouse or held down (checked).
    bool Down() const { return isDown() || isChecked(); }
    // Holds the button down or lets it up; a button held down becomes checkable.
    void SetDown(bool down);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Paint();

    Qt::BrushStyle bkBrushStyle_ = Qt::NoBrush;
    uint32_t bkColor_ = 0xFFFFFF;
    bool wakuVisible_ = false;
    uint32_t wakuColor_ = 0;
};

}  // namespace foundation
