#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

// What the sweep chart shows: one result of the case against the swept input.
struct SweepChartData {
    QString xTitle;  // the input with its unit
    QString yTitle;  // the result with its unit
    // The calculated points in the input's order, a run of neighbours a polyline: a value where
    // the case failed breaks the line rather than bridging it.
    std::vector<QPolygonF> runs;
    double from = 0, to = 0;         // the sweep's range, the x axis's whatever was left out
    std::optional<QPointF> current;  // the case as it stands, where it calculates
    QString note;                    // what was left out, and why; empty when nothing was
    char decimal = ',';              // the ticks' decimal separator
};

// The points against round steps on both axes, the current case marked and the note above the
// plot, into `area` with the painter's font (the window and its files alike).
void drawSweepChart(QPainter& p, const QRectF& area, const SweepChartData& data);
