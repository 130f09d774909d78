// Reads a printed PDF back: its page count and its pages as images (poppler's tools).
#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <vector>

namespace pdf_pages {

inline QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Copies the file to the folder named by KOLVANE_KEEP_PRINTS, to look at the pages.
inline void Keep(const QString& pdf, const QString& name) {
    const QString folder = qEnvironmentVariable("KOLVANE_KEEP_PRINTS");
    if (folder.isEmpty()) return;
    QFile::remove(folder + "/" + name);
    QFile::copy(pdf, folder + "/" + name);
}

// Number of pages, -1 when the file is no PDF.
inline int PageCount(const QString& pdf) {
    const QRegularExpressionMatch m =
        QRegularExpression("Pages:\\s+(\\d+)").match(Run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Names of the fonts the file embeds.
inline QString Fonts(const QString& pdf) { return Run("pdffonts", {pdf}); }

// Page n (from 1) at 254 dots per inch (10 dots per mm), without smoothing, in grey.
inline QImage Page(const QString& pdf, int n) {
    const QString prefix = pdf + "-page";
    Run("pdftoppm", {"-r", "254", "-aa", "no", "-aaVector", "no", "-gray", "-png", "-singlefile",
                     "-f", QString::number(n), "-l", QString::number(n), pdf, prefix});
    return QImage(prefix + ".png");
}

// Any ink in the box from (x1, y1) to (x2, y2) mm.
inline bool InkIn(const QImage& page, double x1, double y1, double x2, double y2) {
    for (int y = static_cast<int>(y1 * 10); y <= static_cast<int>(y2 * 10); ++y)
        for (int x = static_cast<int>(x1 * 10); x <= static_cast<int>(x2 * 10); ++x)
            if (x >= 0 && y >= 0 && x < page.width() && y < page.height() &&
                qGray(page.pixel(x, y)) < 160)
                return true;
    return false;
}

// Ink within 0.2 mm of (x, y) mm (a hairline lands on either neighbouring dot).
inline bool InkAt(const QImage& page, double xmm, double ymm) {
    return InkIn(page, xmm - 0.2, ymm - 0.2, xmm + 0.2, ymm + 0.2);
}

}  // namespace pdf_pages
