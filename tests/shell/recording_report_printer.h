#pragma once

// A printer that only records what the report would print, each line with its position and
// size, on an A4 page without margins; told to, it fails at one line as a printer error would.
// A chart is recorded as a line that names its size and its number of points, 0 points high.
#include <functional>
#include <vector>

#include "report/report_page.h"

struct RecordingReportPrinter : ReportPrinter {
    struct Line {
        QString text;
        double xCm, yCm;  // start and top on the printable area
        double points;
        bool italic;
    };
    // Line height in cm per point of font size; a 10-point line is 10 times this high. Every
    // character is half a point wide per point of size, as a proportional face averages.
    static constexpr double kLineHeightPerPoint = 1.2 * 2.54 / 72;
    static constexpr double kCharWidthPerPoint = 0.5 * 2.54 / 72;

    std::vector<Line> lines;
    int failAt = 0;  // the printed line (from 1) that fails; 0: none
    // How it fails: as a printer does, unless a test gives another fault.
    std::function<void()> fail = [] { throw ReportPrintError("printer failure"); };
    bool ended = false, aborted = false, italic = false;
    double scaleLeft = 0, x = 0, y = 0, points = 10;

    QSizeF areaCm() const override { return {21, 29.7}; }
    void setScaleLeft(double cm) override { scaleLeft = cm; }
    void setCurrentX(double cm) override { x = cm; }
    void setCurrentY(double cm) override { y = cm; }
    double currentY() const override { return y; }
    void setFontSize(double size) override { points = size; }
    void setItalic(bool on) override { italic = on; }
    double textWidthCm(const QString& text) const override {
        return static_cast<double>(text.size()) * points * kCharWidthPerPoint;
    }
    double lineHeightCm() const override { return points * kLineHeightPerPoint; }
    void printLine(const QString& text) override {
        if (static_cast<int>(lines.size()) + 1 == failAt) fail();
        lines.push_back({text, x - scaleLeft, y, points, italic});
        y += lineHeightCm();
        x = 0;
    }
    void drawChart(const ProfileChartData& chart, double widthCm, double heightCm) override {
        lines.push_back({QString::asprintf("chart %.3f x %.3f cm of %d points", widthCm, heightCm,
                                           static_cast<int>(chart.profile.points.size())),
                         x - scaleLeft, y, 0, false});
        y += heightCm;
        x = 0;
    }
    void endDocument() override { ended = true; }
    // The page, a line each: left edge and top in cm, size, text; then how the job ended.
    QString page() const {
        QString out;
        for (const auto& l : lines)
            out += QString::asprintf("%g cm, %.3f cm, %g pt%s: ", l.xCm, l.yCm, l.points,
                                     l.italic ? " italic" : "") +
                   l.text + '\n';
        return out + (ended ? "ended\n" : "") + (aborted ? "aborted\n" : "");
    }
    void abortDocument() override { aborted = true; }
};
