#include "painter_print_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// Lines of a text as the canvas places them: every line one font height below the last,
// shifted for its alignment inside the rectangle's width.
struct LaidOutText {
    std::unique_ptr<QTextLayout> layout;
    int lineHeight = 0;
    int height = 0;
    int widest = 0;
};

QString PrepareText(QString text, unsigned flags) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (flags & kTextSingleLine)
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    else
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

LaidOutText Layout(const QString& raw, const QFont& font, QPaintDevice* device, int width,
                   unsigned flags) {
    LaidOutText out;
    out.layout = std::make_unique<QTextLayout>(PrepareText(raw, flags), font, device);
    const bool wrap = (flags & kTextWordBreak) && !(flags & kTextSingleLine);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    out.layout->setTextOption(option);
    out.lineHeight = QFontMetrics(font, device).height();
    out.layout->beginLayout();
    int y = 0;
    for (;;) {
        QTextLine line = out.layout->createLine();
        if (!line.isValid()) break;
        line.setLineWidth(wrap ? std::max(width, 1) : 1000000);
        const int natural = static_cast<int>(std::ceil(line.naturalTextWidth()));
        int x = 0;
        if (flags & kTextRight)
            x = width - natural;
        else if (flags & kTextCenter)
            x = (width - natural) / 2;
        line.setPosition(QPointF(x, y));
        y += out.lineHeight;
        out.widest = std::max(out.widest, natural);
    }
    out.layout->endLayout();
    out.height = y;
    return out;
}

}  // namespace

struct PainterPrintCanvas::State {
    QPrinter* printer = nullptr;
    QSize imageSize;
    int imageDpi = 0;
    std::vector<QImage> pages;
    QPainter painter;
    QFont font;
    QPen pen{Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
    QColor textColor = Qt::black;

    QPaintDevice* Device() {
        if (printer) return printer;
        return pages.empty() ? nullptr : &pages.back();
    }

    void AddPage() {
        QImage page(imageSize, QImage::Format_RGB32);
        page.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(imageDpi / 0.0254));
        page.setDotsPerMeterX(dotsPerMeter);
        page.setDotsPerMeterY(dotsPerMeter);
        pages.push_back(page);
    }
};

PainterPrintCanvas::PainterPrintCanvas(QPrinter* printer) : d(std::make_unique<State>()) {
    d->printer = printer;
}

PainterPrintCanvas::PainterPrintCanvas(QSize pageDots, int dotsPerInch)
    : d(std::make_unique<State>()) {
    d->imageSize = pageDots;
    d->imageDpi = dotsPerInch;
}

PainterPrintCanvas::~PainterPrintCanvas() {
    if (d->painter.isActive()) d->painter.end();
}

bool PainterPrintCanvas::BeginDoc() {
    if (d->painter.isActive()) return false;
    if (d->printer) {
        if (d->printer->resolution() <= 0 || !d->printer->isValid()) return false;
        if (!d->painter.begin(d->printer)) return false;
    } else {
        if (d->imageDpi <= 0 || d->imageSize.isEmpty()) return false;
        d->pages.clear();
        d->AddPage();
        if (!d->painter.begin(&d->pages.back())) return false;
    }
    if (PageWidth() <= 0 || PageHeight() <= 0 || DotsPerInch() <= 0) {
        d->painter.end();
        if (d->printer) d->printer->abort();
        return false;
    }
    return true;
}

bool PainterPrintCanvas::NewPage() {
    if (!d->painter.isActive()) return false;
    if (d->printer) return d->printer->newPage();
    d->painter.end();
    d->AddPage();
    return d->painter.begin(&d->pages.back());
}

bool PainterPrintCanvas::EndDoc() {
    if (!d->painter.isActive()) return false;
    return d->painter.end();
}

int PainterPrintCanvas::PageWidth() const {
    if (d->printer) return d->printer->width();
    return d->imageSize.width();
}

int PainterPrintCanvas::PageHeight() const {
    if (d->printer) return d->printer->height();
    return d->imageSize.height();
}

int PainterPrintCanvas::DotsPerInch() const {
    if (d->printer) return d->printer->logicalDpiX();
    return d->imageDpi;
}

void PainterPrintCanvas::SetPen(int width, const QColor& color) {
    d->pen.setWidth(std::max(width, 1));
    d->pen.setColor(color);
}

void PainterPrintCanvas::SetFont(const CanvasFont& font) {
    QFont f(font.family);
    f.setPointSize(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    d->font = f;
}

void PainterPrintCanvas::SetTextColor(const QColor& color) { d->textColor = color; }

QSize PainterPrintCanvas::MeasureText(const QRect& rect, const QString& text, unsigned flags) {
    QPaintDevice* device = d->Device();
    if (!device) return {};
    const LaidOutText laid = Layout(text, d->font, device, rect.width(), flags);
    return {laid.widest, laid.height};
}

void PainterPrintCanvas::DrawText(const QRect& rect, const QString& text, unsigned flags,
                                  std::optional<QColor> background) {
    if (!d->painter.isActive()) return;
    QPainter& p = d->painter;
    const LaidOutText laid = Layout(text, d->font, d->Device(), rect.width(), flags);
    p.save();
    if (!(flags & kTextNoClip)) p.setClipRect(rect);
    if (background) {
        for (int i = 0; i < laid.layout->lineCount(); ++i) {
            const QTextLine line = laid.layout->lineAt(i);
            const QRectF cell(rect.left() + line.x(), rect.top() + line.y(),
                              std::ceil(line.naturalTextWidth()), laid.lineHeight);
            p.fillRect(cell, *background);
        }
    }
    p.setPen(d->textColor);
    laid.layout->draw(&p, rect.topLeft());
    p.restore();
}

void PainterPrintCanvas::Line(int x1, int y1, int x2, int y2) {
    if (!d->painter.isActive()) return;
    d->painter.setPen(d->pen);
    d->painter.drawLine(x1, y1, x2, y2);
}

void PainterPrintCanvas::StretchImage(const QRect& rect, const QImage& image) {
    if (!d->painter.isActive() || image.isNull() || rect.isEmpty()) return;
    // Transparent parts become paper, so that AND leaves the page as it is there.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter onWhite(&flat);
        onWhite.drawImage(0, 0, image);
    }
    QPainter& p = d->painter;
    p.save();
    if (!d->printer) p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(rect, flat);
    p.restore();
}

const std::vector<QImage>& PainterPrintCanvas::Pages() const { return d->pages; }

}  // namespace platform
