// The print canvas painted with Qt. It belongs to the print module (print_back_end.h), with Qt's
// print support; tests link it to draw on images and PDF files.
#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <vector>

#include "print_canvas.h"

class QPrinter;

namespace platform {

// Paints with Qt onto a printer (a real one, or a PDF file) or onto images in memory.
class PainterPrintCanvas final : public PrintCanvas {
  public:
    // The printer must outlive the canvas.
    explicit PainterPrintCanvas(QPrinter* printer);
    // Pages of pageDots at dotsPerInch, kept as images (white paper).
    PainterPrintCanvas(QSize pageDots, int dotsPerInch);
    ~PainterPrintCanvas() override;

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    int PageWidth() const override;
    int PageHeight() const override;
    int DotsPerInch() const override;
    void SetPen(int width, const QColor& color) override;
    void SetFont(const CanvasFont& font) override;
    void SetTextColor(const QColor& color) override;
    QSize MeasureText(const QRect& rect, const QString& text, unsigned flags) override;
    void DrawText(const QRect& rect, const QString& text, unsigned flags,
                  std::optional<QColor> background) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void StretchImage(const QRect& rect, const QImage& image) override;

    // The pages drawn on images.
    const std::vector<QImage>& Pages() const;

  private:
    struct State;
    std::unique_ptr<State> d;
};

}  // namespace platform
