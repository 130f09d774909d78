// A print canvas that records what is drawn, with a fixed text measure: every line is
// pointSize x 10 dots high and every character pointSize x 5 dots wide.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

#include "print_canvas.h"

class RecordingCanvas : public platform::PrintCanvas {
  public:
    RecordingCanvas(int width, int height, int dpi) : width_(width), height_(height), dpi_(dpi) {}

    bool beginSucceeds = true;
    bool newPageSucceeds = true;
    std::vector<std::string> ops;
    int pages = 0;

    bool BeginDoc() override {
        ops.push_back("begin");
        if (beginSucceeds) pages = 1;
        return beginSucceeds;
    }
    bool NewPage() override {
        ops.push_back("page");
        if (newPageSucceeds) ++pages;
        return newPageSucceeds;
    }
    bool EndDoc() override {
        ops.push_back("end");
        return true;
    }
    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    int DotsPerInch() const override { return dpi_; }
    void SetPen(int width, const QColor& color) override {
        pen_ = width;
        penColor_ = color;
    }
    void SetFont(const platform::CanvasFont& font) override { font_ = font; }
    void SetTextColor(const QColor& color) override { textColor_ = color; }
    QSize MeasureText(const QRect& rect, const QString& text, unsigned flags) override {
        const QStringList lines = Lines(rect, text, flags);
        int widest = 0;
        for (const QString& l : lines) widest = std::max(widest, int(l.size()) * CharWidth());
        return {widest, int(lines.size()) * LineHeight()};
    }
    void DrawText(const QRect& rect, const QString& text, unsigned flags,
                  std::optional<QColor> background) override {
        std::string op = "text " + Box(rect) + " " + std::to_string(font_.pointSize) +
                         (font_.bold ? "b" : "") + (font_.italic ? "i" : "") + " " +
                         textColor_.name().toStdString() + " " + FlagText(flags) + " \"" +
                         text.toStdString() + "\"";
        if (background) op += " on " + background->name().toStdString();
        ops.push_back(op);
    }
    void Line(int x1, int y1, int x2, int y2) override {
        ops.push_back("line " + std::to_string(x1) + "," + std::to_string(y1) + "-" +
                      std::to_string(x2) + "," + std::to_string(y2) + " w" + std::to_string(pen_));
    }
    void StretchImage(const QRect& rect, const QImage&) override {
        ops.push_back("image " + Box(rect));
    }

    // Recorded operations that start with prefix.
    std::vector<std::string> Ops(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& op : ops)
            if (op.rfind(prefix, 0) == 0) out.push_back(op);
        return out;
    }
    int LineHeight() const { return font_.pointSize * 10; }
    int CharWidth() const { return font_.pointSize * 5; }

  private:
    static std::string Box(const QRect& r) {
        return std::to_string(r.left()) + "," + std::to_string(r.top()) + "," +
               std::to_string(r.left() + r.width()) + "," + std::to_string(r.top() + r.height());
    }
    static std::string FlagText(unsigned flags) {
        std::string s = (flags & platform::kTextRight)    ? "R"
                        : (flags & platform::kTextCenter) ? "C"
                                                          : "L";
        if (flags & platform::kTextSingleLine) s += "S";
        if (flags & platform::kTextWordBreak) s += "W";
        if (flags & platform::kTextNoClip) s += "N";
        return s;
    }
    QStringList Lines(const QRect& rect, const QString& text, unsigned flags) const {
        QString t = text;
        t.replace("\r\n", "\n");
        if (flags & platform::kTextSingleLine) return {t};
        QStringList out;
        const int perLine = std::max(1, rect.width() / CharWidth());
        for (const QString& para : t.split('\n')) {
            if (!(flags & platform::kTextWordBreak) || para.isEmpty()) {
                out << para;
                continue;
            }
            for (int i = 0; i < para.size(); i += perLine) out << para.mid(i, perLine);
        }
        return out;
    }

    int width_, height_, dpi_;
    int pen_ = 1;
    QColor penColor_ = Qt::black;
    QColor textColor_ = Qt::black;
    platform::CanvasFont font_;
};
