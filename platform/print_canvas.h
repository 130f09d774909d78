// A page canvas for printing: the program lays out every print in dots of the device and draws
// through this interface, onto a printer, a PDF file or images.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

namespace platform {

// How a text is placed in its rectangle.
enum TextFlags : unsigned {
    kTextLeft = 0,
    kTextCenter = 1,
    kTextRight = 2,
    kTextSingleLine = 4,  // one line, line breaks shown as blanks
    kTextWordBreak = 8,   // broken at words (or anywhere when a word is wider than the rectangle)
    kTextNoClip = 16,     // drawn past the rectangle instead of cut at it
};

struct CanvasFont {
    QString family;
    int pointSize = 9;
    bool bold = false;
    bool italic = false;
};

class PrintCanvas {
  public:
    virtual ~PrintCanvas() = default;

    // False when the document cannot start (no printer, a file that cannot be written, a
    // device without a resolution); nothing is drawn then.
    virtual bool BeginDoc() = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDoc() = 0;

    // The printable area of a page, in dots, and the horizontal resolution.
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual int DotsPerInch() const = 0;

    virtual void SetPen(int width, const QColor& color = Qt::black) = 0;
    virtual void SetFont(const CanvasFont& font) = 0;
    virtual void SetTextColor(const QColor& color) = 0;

    // Height (and widest line) of a text laid out in the width of rect, as DrawText would.
    virtual QSize MeasureText(const QRect& rect, const QString& text, unsigned flags) = 0;
    // Lines start at rect's top; background fills behind the text's lines only.
    virtual void DrawText(const QRect& rect, const QString& text, unsigned flags,
                          std::optional<QColor> background = std::nullopt) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Stretched into rect and combined with the paper by AND (white parts leave it as it is).
    virtual void StretchImage(const QRect& rect, const QImage& image) = 0;
};

}  // namespace platform
