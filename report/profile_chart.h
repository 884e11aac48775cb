#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "formats/units.h"
#include "solver/temperature_profile.h"

class QFontMetricsF;
class QPainter;

// The steps of the temperature profile that the profile window and the report draw.
inline constexpr int kChartProfileSteps = 200;

// What the chart shows: the profile and the names of the two fluids.
struct ProfileChartData {
    zano::TemperatureProfile profile;
    QString intFluid;
    QString estFluid;
    // The leg of the hairpins, m, where the case has them: a thin line marks the end of each
    // hairpin, every two legs along x. 0: none.
    double hairpinLeg = 0;
    // The hairpins as built, drawn in place of the profile when they have curves (a stream in
    // parallel branches).
    zano::BuiltProfile built = {};
    // Where the cold stream first runs hotter than the hot one along the curves drawn, m: a
    // temperature cross, marked with a line and its name. None: no cross.
    std::optional<double> crossAt = {};
    // The units the axes are drawn in; the figures above stay SI.
    zano::Units units = {};
};

// A round step for about `ticks` divisions of `span`: 1, 2 or 5 times a power of ten.
double niceChartStep(double span, int ticks);

// The chart of a calculation: its profile, its fluids, and with hairpins the marks of their
// ends and, for a stream in branches, the hairpins as built.
ProfileChartData profileChartData(const zano::TemperatureProfile& profile,
                                  const zano::ResultsData& r,
                                  const std::optional<zano::Hairpins>& hairpins,
                                  const zano::Units& units = {});

// The caption the report prints above the chart.
QString profileChartCaption(const ProfileChartData& data);

// Where the chart's parts stand in its area; empty curves when there is no profile to draw.
struct ProfileChartLayout {
    QRectF plot;                           // the frame of the axes
    QPolygonF intCurve, estCurve;          // the curves as drawn (as built: through every hairpin)
    std::vector<QPolygonF> branchCurves;   // as built: each branch's, in order
    std::vector<QRectF> branchLabels;      // "branch 1", ... beside them; empty where no room
    QRectF legend;                         // the fluids' names beside their lines' colours
    QRectF scaleLabel;                     // "Scale factor ..."
    double tMin = 0, tMax = 1, tStep = 1;  // temperature axis, degC (degF in US units)
    double length = 1, xStep = 1;          // position axis, m (ft in US units)

    double xAt(double x) const { return plot.left() + x / length * plot.width(); }
    double yAt(double t) const {
        return plot.bottom() - (t - tMin) / (tMax - tMin) * plot.height();
    }
};

ProfileChartLayout profileChartLayout(const QFontMetricsF& fm, const QRectF& area,
                                      const ProfileChartData& data);

// Draws the two temperature curves along the exchanger with axes, units, a legend and the
// scale factor, into `area` in the painter's coordinates, with the painter's font (the window,
// the PNG and SVG files and the printed report alike).
void drawProfileChart(QPainter& p, const QRectF& area, const ProfileChartData& data);
