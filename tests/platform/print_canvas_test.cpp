#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "fonts.h"
#include "painter_print_canvas.h"
#include "temp_folder.h"

using namespace platform;

namespace {

// 254 dots per inch: 10 dots per millimetre.
constexpr int kDpi = 254;
const QSize kA4(2100, 2970);

bool Dark(const QImage& page, int x, int y) { return qGray(page.pixel(x, y)) < 128; }

QString PdfInfo(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(PrintCanvasTest, DocumentsThatCannotStart) {
    TempFolder tmp;
    struct Case {
        const char* name;
        std::function<std::unique_ptr<PainterPrintCanvas>(QPrinter&)> make;
    } cases[] = {
        {"image without resolution",
         [](QPrinter&) { return std::make_unique<PainterPrintCanvas>(kA4, 0); }},
        {"image without size",
         [](QPrinter&) { return std::make_unique<PainterPrintCanvas>(QSize(0, 0), kDpi); }},
        {"pdf in a missing folder",
         [&](QPrinter& printer) {
             printer.setOutputFormat(QPrinter::PdfFormat);
             printer.setOutputFileName(QString::fromStdString(tmp.Path()) + "/missing/out.pdf");
             return std::make_unique<PainterPrintCanvas>(&printer);
         }},
    };
    for (const Case& c : cases) {
        QPrinter printer;
        auto canvas = c.make(printer);
        EXPECT_FALSE(canvas->BeginDoc()) << c.name;
        EXPECT_FALSE(canvas->NewPage()) << c.name;
        EXPECT_FALSE(canvas->EndDoc()) << c.name;
    }
}

TEST(PrintCanvasTest, ImagePagesAtAKnownResolution) {
    PainterPrintCanvas canvas(kA4, kDpi);
    ASSERT_TRUE(canvas.BeginDoc());
    EXPECT_EQ(canvas.PageWidth(), 2100);
    EXPECT_EQ(canvas.PageHeight(), 2970);
    EXPECT_EQ(canvas.DotsPerInch(), 254);
    static_cast<PrintCanvas&>(canvas).SetPen(4);
    canvas.Line(200, 300, 1000, 300);  // 20 mm to 100 mm at 30 mm
    ASSERT_TRUE(canvas.NewPage());
    static_cast<PrintCanvas&>(canvas).SetPen(1);
    canvas.Line(500, 100, 500, 200);
    ASSERT_TRUE(canvas.EndDoc());
    ASSERT_EQ(canvas.Pages().size(), 2u);
    const QImage& first = canvas.Pages()[0];
    EXPECT_TRUE(Dark(first, 200, 300));
    EXPECT_TRUE(Dark(first, 999, 301));
    EXPECT_FALSE(Dark(first, 600, 305));
    EXPECT_FALSE(Dark(first, 500, 150));
    EXPECT_TRUE(Dark(canvas.Pages()[1], 500, 150));
    EXPECT_FALSE(Dark(canvas.Pages()[1], 600, 300));
}

TEST(PrintCanvasTest, TextMeasures) {
    platform::InstallFontSubstitutes();
    PainterPrintCanvas canvas(kA4, kDpi);
    ASSERT_TRUE(canvas.BeginDoc());
    canvas.SetFont({QStringLiteral("ＭＳ Ｐゴシック"), 9});
    const QRect band(200, 0, 1000, 1);
    const int line = canvas.MeasureText(band, "予定", kTextSingleLine).height();
    // 9 points at 10 dots per mm are about 32 dots; the face's line a little more.
    EXPECT_GE(line, 30);
    EXPECT_LE(line, 45);
    struct Case {
        const char* name;
        QString text;
        unsigned flags;
        int lines;
    } cases[] = {
        {"empty text is one line", "", kTextWordBreak, 1},
        {"CR LF breaks lines", "一\r\n二\r\n三", kTextWordBreak, 3},
        {"single line ignores breaks", "一\r\n二", kTextSingleLine, 1},
        {"a line wider than the band wraps", QString(100, QChar(0x4E00)), kTextWordBreak, 4},
        {"a word wider than the band breaks", QString(300, 'x'), kTextWordBreak, 0},
    };
    for (const Case& c : cases) {
        const QSize size = canvas.MeasureText(band, c.text, c.flags);
        if (c.lines > 0)
            EXPECT_EQ(size.height(), c.lines * line) << c.name;
        else
            EXPECT_GT(size.height(), line) << c.name;
        EXPECT_LE(size.width(), c.flags & kTextSingleLine ? 100000 : band.width()) << c.name;
    }
    canvas.EndDoc();
}

TEST(PrintCanvasTest, TextIsCutAtItsRectangleUnlessAskedNotTo) {
    platform::InstallFontSubstitutes();
    PainterPrintCanvas canvas(kA4, kDpi);
    ASSERT_TRUE(canvas.BeginDoc());
    canvas.SetFont({QStringLiteral("ＭＳ Ｐゴシック"), 20});
    static_cast<PrintCanvas&>(canvas).DrawText(QRect(100, 100, 300, 20), "■■■■■■■■■■■■",
                                               kTextSingleLine);
    static_cast<PrintCanvas&>(canvas).DrawText(QRect(100, 500, 50, 20), "■■■■■■■■■■■■",
                                               kTextSingleLine | kTextNoClip);
    canvas.EndDoc();
    const QImage& page = canvas.Pages()[0];
    bool below = false, right = false, inside = false;
    for (int y = 100; y < 200; ++y)
        for (int x = 100; x < 800; ++x) {
            if (!Dark(page, x, y)) continue;
            if (y >= 120) below = true;
            if (x >= 400) right = true;
            if (y < 120 && x < 400) inside = true;
        }
    EXPECT_TRUE(inside);
    EXPECT_FALSE(below);
    EXPECT_FALSE(right);
    bool past = false;
    for (int y = 500; y < 600; ++y)
        for (int x = 200; x < 800; ++x) past = past || Dark(page, x, y);
    EXPECT_TRUE(past);
}

TEST(PrintCanvasTest, BackgroundOnlyBehindTheText) {
    platform::InstallFontSubstitutes();
    PainterPrintCanvas canvas(kA4, kDpi);
    ASSERT_TRUE(canvas.BeginDoc());
    canvas.SetFont({QStringLiteral("ＭＳ Ｐゴシック"), 11});
    static_cast<PrintCanvas&>(canvas).DrawText(QRect(200, 200, 1500, 100), "8/1(日)",
                                               kTextWordBreak, QColor(Qt::yellow));
    canvas.EndDoc();
    const QImage& page = canvas.Pages()[0];
    EXPECT_EQ(QColor(page.pixel(201, 202)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(page.pixel(1600, 202)), QColor(Qt::white));
    EXPECT_EQ(QColor(page.pixel(201, 290)), QColor(Qt::white));
}

TEST(PrintCanvasTest, ImagesAreCombinedWithThePaperByAnd) {
    PainterPrintCanvas canvas(kA4, kDpi);
    ASSERT_TRUE(canvas.BeginDoc());
    static_cast<PrintCanvas&>(canvas).SetPen(20);
    canvas.Line(0, 110, 400, 110);
    QImage icon(2, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(255, 0, 0, 255));
    icon.setPixel(1, 0, qRgba(0, 0, 0, 0));
    canvas.StretchImage(QRect(100, 100, 200, 100), icon);
    canvas.EndDoc();
    const QImage& page = canvas.Pages()[0];
    EXPECT_EQ(QColor(page.pixel(150, 150)), QColor(Qt::red));    // red on paper
    EXPECT_EQ(QColor(page.pixel(150, 110)), QColor(Qt::black));  // red AND black
    EXPECT_EQ(QColor(page.pixel(250, 150)), QColor(Qt::white));  // transparent: paper
    EXPECT_EQ(QColor(page.pixel(250, 110)), QColor(Qt::black));
}

TEST(PrintCanvasTest, PdfPagesAtTheChosenResolution) {
    TempFolder tmp;
    const QString pdf = QString::fromStdString(tmp.Path()) + "/pages.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    PainterPrintCanvas canvas(&printer);
    ASSERT_TRUE(canvas.BeginDoc());
    EXPECT_EQ(canvas.DotsPerInch(), 600);
    EXPECT_NEAR(canvas.PageWidth(), 4960, 2);  // 210 mm
    ASSERT_TRUE(canvas.NewPage());
    ASSERT_TRUE(canvas.NewPage());
    ASSERT_TRUE(canvas.EndDoc());
    const QString info = PdfInfo(pdf);
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
}
