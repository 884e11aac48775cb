#include "report/profile_chart.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QObject>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "solver/hand_check.h"

double niceChartStep(double span, int ticks) {
    const double raw = span / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * magnitude) return m * magnitude;
    return 10 * magnitude;
}

namespace {

QString tickText(double v, const zano::Units& u) {
    return QString::fromStdString(zano::formatDouble(zano::roundTo(v, 6), u.decimal));
}

// A position along the exchanger in the chart's unit.
double shownX(const ProfileChartData& data, double m) {
    return zano::toShown(zano::Quantity::Length, m, data.units.system);
}

// An axis title with its unit in the chart's system: "x [m]" -> "x [ft]".
QString withUnit(const QString& title, zano::Quantity q, const zano::Units& u) {
    return QString::fromStdString(zano::unitCaption(title.toStdString(), q, u.system));
}

// True when a segment of the polyline passes through the rectangle.
bool crosses(const QPolygonF& curve, const QRectF& r) {
    const QLineF edges[] = {{r.topLeft(), r.topRight()},
                            {r.topRight(), r.bottomRight()},
                            {r.bottomRight(), r.bottomLeft()},
                            {r.bottomLeft(), r.topLeft()}};
    for (qsizetype i = 1; i < curve.size(); ++i) {
        const QLineF segment(curve[i - 1], curve[i]);
        if (r.contains(segment.p1()) || r.contains(segment.p2())) return true;
        for (const QLineF& edge : edges)
            if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection) return true;
    }
    return false;
}

// As built with a stream in branches (drawn in place of the profile).
bool isBuilt(const ProfileChartData& data) {
    return !data.built.curves.empty();
}

QString scaleText(const ProfileChartData& data) {
    if (isBuilt(data))
        return data.built.banks > 0
                   ? QObject::tr("One of %1 identical banks, as built").arg(data.built.banks)
                   : QObject::tr("The hairpins as built");
    return QObject::tr("Scale factor %1")
        .arg(QString::fromStdString(
            zano::formatDouble(zano::roundTo(data.profile.scale, 4), data.units.decimal)));
}

// ", in series" or ", in 2 branches" after a stream's fluid, as built with one stream in
// branches.
QString pathText(const ProfileChartData& data, bool internal) {
    const zano::BuiltProfile& b = data.built;
    if (!isBuilt(data) || b.banks > 0) return {};
    if (b.curves.front().internal == internal) return QObject::tr(", in series");
    return QObject::tr(", in %1 branches").arg(b.curves.size() - 1);
}

QString intLegendText(const ProfileChartData& data) {
    return QObject::tr("Internal: %1").arg(data.intFluid) + pathText(data, true);
}

QString estLegendText(const ProfileChartData& data) {
    return QObject::tr("External: %1").arg(data.estFluid) + pathText(data, false);
}

QString branchText(std::size_t j) {
    return QObject::tr("branch %1").arg(j + 1);
}

QString xTitle(const ProfileChartData& data) {
    return withUnit(isBuilt(data) && !data.built.fromInternalInlet
                        ? QObject::tr("Position from the external fluid's inlet, x [m]")
                        : QObject::tr("Position from the internal fluid's inlet, x [m]"),
                    zano::Quantity::Length, data.units);
}

// The chart's curves in the units of its axes (metres and degrees Celsius in SI): the
// profile's two, or the hairpins' as built.
std::vector<zano::BuiltCurve> chartCurves(const ProfileChartData& data) {
    std::vector<zano::BuiltCurve> curves{{true, 0, {}}, {false, 0, {}}};
    if (isBuilt(data)) {
        curves = data.built.curves;
    } else {
        for (const zano::ProfilePoint& pt : data.profile.points) {
            curves[0].points.push_back({pt.x, pt.intT});
            curves[1].points.push_back({pt.x, pt.estT});
        }
    }
    if (data.units.system == zano::UnitSystem::SI) return curves;
    for (zano::BuiltCurve& curve : curves)
        for (zano::BuiltCurve::Point& pt : curve.points)
            pt = {shownX(data, pt.x),
                  zano::toShown(zano::Quantity::Temperature, pt.t, data.units.system)};
    return curves;
}

// Round steps on both axes, the temperatures' holding every curve.
void setRanges(ProfileChartLayout& c, const std::vector<zano::BuiltCurve>& curves, double length) {
    c.tMin = c.tMax = curves.front().points.front().t;
    for (const zano::BuiltCurve& curve : curves)
        for (const zano::BuiltCurve::Point& pt : curve.points) {
            c.tMin = std::min(c.tMin, pt.t);
            c.tMax = std::max(c.tMax, pt.t);
        }
    if (c.tMax - c.tMin < 1e-6) c.tMax = c.tMin + 1;
    c.tStep = niceChartStep(c.tMax - c.tMin, 6);
    c.tMin = std::floor(c.tMin / c.tStep) * c.tStep;
    c.tMax = std::ceil(c.tMax / c.tStep) * c.tStep;
    c.length = length;
    c.xStep = niceChartStep(c.length, 6);
}

void placeCurves(ProfileChartLayout& c, const std::vector<zano::BuiltCurve>& curves,
                 const QRectF& plot) {
    c.plot = plot;
    c.intCurve.clear();
    c.estCurve.clear();
    c.branchCurves.clear();
    for (const zano::BuiltCurve& curve : curves) {
        QPolygonF line;
        for (const zano::BuiltCurve::Point& pt : curve.points)
            line << QPointF(c.xAt(pt.x), c.yAt(pt.t));
        if (curve.branch > 0)
            c.branchCurves.push_back(line);
        else
            (curve.internal ? c.intCurve : c.estCurve) = line;
    }
}

// Inside the plot, where no curve passes (with room for the curves' pen).
bool isFree(const ProfileChartLayout& c, const QRectF& r) {
    const QRectF withPen = r.adjusted(-2, -2, 2, 2);
    if (!c.plot.contains(r) || crosses(c.intCurve, withPen) || crosses(c.estCurve, withPen))
        return false;
    return std::none_of(c.branchCurves.begin(), c.branchCurves.end(),
                        [&](const QPolygonF& curve) { return crosses(curve, withPen); });
}

// The legend and the scale factor where no curve passes: a corner of the plot, else the middle
// of its top or bottom edge; the curves of an exchanger run from side to side, so such places
// are mostly free. False when none is.
bool placeInPlot(ProfileChartLayout& c, const QSizeF& legendSize, const QSizeF& labelSize,
                 double h) {
    enum Across { Left, Centre, Right };
    struct Spot {
        Across across;
        bool top;
    };
    const auto at = [&](const QSizeF& size, Spot spot) {
        const double inset = h / 2;
        const double x = spot.across == Left    ? c.plot.left() + inset
                         : spot.across == Right ? c.plot.right() - inset - size.width()
                                                : c.plot.center().x() - size.width() / 2;
        return QRectF(
            QPointF(x, spot.top ? c.plot.top() + inset : c.plot.bottom() - inset - size.height()),
            size);
    };
    const Spot legendSpots[] = {{Right, true}, {Left, true},   {Right, false},
                                {Left, false}, {Centre, true}, {Centre, false}};
    const Spot labelSpots[] = {{Left, false}, {Right, false},  {Left, true},
                               {Right, true}, {Centre, false}, {Centre, true}};
    for (const Spot legendSpot : legendSpots) {
        c.legend = at(legendSize, legendSpot);
        if (!isFree(c, c.legend)) continue;
        for (const Spot labelSpot : labelSpots) {
            c.scaleLabel = at(labelSize, labelSpot);
            if (isFree(c, c.scaleLabel) && !c.scaleLabel.intersects(c.legend)) return true;
        }
    }
    return false;
}

// The height of the polyline at the abscissa nearest `x`.
double heightNear(const QPolygonF& curve, double x) {
    const auto nearest = std::min_element(curve.begin(), curve.end(), [&](QPointF a, QPointF b) {
        return std::fabs(a.x() - x) < std::fabs(b.x() - x);
    });
    return nearest == curve.end() ? 0 : nearest->y();
}

// Each branch's name beside the middle of its curve, first on the side away from the stream in
// series, clear of every curve, the legend, the scale factor and the names before it. All or
// none: some branches named and others not would read as different things.
void placeBranchLabels(ProfileChartLayout& c, const QFontMetricsF& fm) {
    const QPolygonF& series = c.intCurve.isEmpty() ? c.estCurve : c.intCurve;
    const double h = fm.height();
    c.branchLabels.assign(c.branchCurves.size(), QRectF());
    const auto isClear = [&](const QRectF& r) {
        const QRectF spaced = r.adjusted(-h / 2, 0, h / 2, 0);
        return isFree(c, r) && !r.intersects(c.legend) && !r.intersects(c.scaleLabel) &&
               std::none_of(c.branchLabels.begin(), c.branchLabels.end(),
                            [&](const QRectF& other) { return spaced.intersects(other); });
    };
    for (std::size_t j = 0; j < c.branchCurves.size(); ++j) {
        const QPolygonF& curve = c.branchCurves[j];
        const QPointF mid = curve[curve.size() / 2];
        const QSizeF size(fm.horizontalAdvance(branchText(j)) + h / 2, 1.2 * h);
        const double below = heightNear(series, mid.x()) < mid.y() ? 1 : -1;
        for (const double side : {below, -below})
            for (const double gap : {0.3 * h, 1.2 * h, 2.2 * h}) {
                const double y = side > 0 ? mid.y() + gap : mid.y() - gap - size.height();
                const QRectF r(QPointF(mid.x() - size.width() / 2, y), size);
                if (c.branchLabels[j].isEmpty() && isClear(r)) c.branchLabels[j] = r;
            }
        if (c.branchLabels[j].isEmpty()) {
            c.branchLabels.assign(c.branchCurves.size(), QRectF());
            return;
        }
    }
}

}  // namespace

ProfileChartData profileChartData(const zano::TemperatureProfile& profile,
                                  const zano::ResultsData& r,
                                  const std::optional<zano::Hairpins>& hairpins,
                                  const zano::Units& units) {
    ProfileChartData d{profile, QString::fromStdString(r.intfluid),
                       QString::fromStdString(r.estfluid),
                       hairpins ? zano::hairpinLegOf(*hairpins) : 0};
    d.units = units;
    if (hairpins) d.built = zano::builtProfile(*hairpins, r.controequi);
    const bool intHot = r.intTin > r.estTin;
    d.crossAt = isBuilt(d) ? zano::temperatureCross(d.built, intHot)
                           : zano::temperatureCross(d.profile, intHot);
    return d;
}

QString profileChartCaption(const ProfileChartData& data) {
    if (!isBuilt(data)) return QObject::tr("Temperature profile");
    if (data.built.banks > 0)
        return QObject::tr("Temperature profile of one of the %1 identical banks, as built")
            .arg(data.built.banks);
    return QObject::tr("Temperature profile of the hairpins as built");
}

ProfileChartLayout profileChartLayout(const QFontMetricsF& fm, const QRectF& area,
                                      const ProfileChartData& data) {
    ProfileChartLayout c;
    if (!isBuilt(data) && data.profile.points.size() < 2) return c;
    const std::vector<zano::BuiltCurve> curves = chartCurves(data);
    setRanges(c, curves,
              shownX(data, isBuilt(data) ? data.built.length : data.profile.points.back().x));
    const double h = fm.height();
    const double left = area.left() + fm.horizontalAdvance("0000,00") + 3 * h;
    const auto plotBelow = [&](double top) {
        return QRectF(QPointF(left, top), QPointF(area.right() - 2 * h, area.bottom() - 3 * h));
    };
    placeCurves(c, curves, plotBelow(area.top() + 2 * h));
    const QSizeF legendSize(std::max(fm.horizontalAdvance(intLegendText(data)),
                                     fm.horizontalAdvance(estLegendText(data))) +
                                3 * h,
                            2.6 * h);
    const QSizeF labelSize(fm.horizontalAdvance(scaleText(data)) + h / 2, 1.2 * h);
    // Failing a place in the plot, both stand in a band above it.
    if (!placeInPlot(c, legendSize, labelSize, h)) {
        placeCurves(c, curves, plotBelow(area.top() + h + legendSize.height()));
        c.legend = QRectF(QPointF(c.plot.right() - legendSize.width(),
                                  c.plot.top() - h / 2 - legendSize.height()),
                          legendSize);
        c.scaleLabel = QRectF(
            QPointF(c.plot.left(), c.legend.center().y() - labelSize.height() / 2), labelSize);
    }
    placeBranchLabels(c, fm);
    return c;
}

namespace {

// The grid, the frame, the ticks' labels and the axes' titles.
void drawAxes(QPainter& p, const QFontMetricsF& fm, const QRectF& area, const ProfileChartLayout& c,
              const QString& xTitle, const zano::Units& u) {
    const QRectF& plot = c.plot;
    p.setPen(QPen(QColor(225, 225, 225), 0));
    for (double t = c.tMin; t <= c.tMax + c.tStep / 2; t += c.tStep)
        p.drawLine(QPointF(plot.left(), c.yAt(t)), QPointF(plot.right(), c.yAt(t)));
    for (double x = 0; x <= c.length + c.xStep / 1e6; x += c.xStep)
        p.drawLine(QPointF(c.xAt(x), plot.top()), QPointF(c.xAt(x), plot.bottom()));
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot);
    for (double t = c.tMin; t <= c.tMax + c.tStep / 2; t += c.tStep) {
        const QRectF label(area.left(), c.yAt(t) - fm.height() / 2,
                           plot.left() - area.left() - fm.height() / 2, fm.height());
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tickText(t, u));
    }
    for (double x = 0; x <= c.length + c.xStep / 1e6; x += c.xStep) {
        const QRectF label(c.xAt(x) - 50, plot.bottom() + fm.height() / 4, 100, fm.height());
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tickText(x, u));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.4 * fm.height(), plot.width(), fm.height()),
               Qt::AlignHCenter, xTitle);
    p.save();
    p.translate(area.left() + fm.height() * 0.2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), fm.height()), Qt::AlignHCenter,
               withUnit(QObject::tr("Temperature [°C]"), zano::Quantity::Temperature, u));
    p.restore();
}

// A hairpin's end every two legs inside the plot, as a thin dashed line; none where they would
// stand closer than a few pixels and grey the plot over.
constexpr int kMaxHairpinMarks = 200;
void drawHairpinMarks(QPainter& p, const ProfileChartLayout& c, double leg) {
    const double pitch = 2 * leg;
    if (!(pitch > 0) || c.length / pitch > kMaxHairpinMarks || c.xAt(pitch) - c.xAt(0) < 4) return;
    p.setPen(QPen(QColor(120, 120, 120), 0, Qt::DashLine));
    for (double x = pitch; x < c.length * (1 - 1e-9); x += pitch)
        p.drawLine(QPointF(c.xAt(x), c.plot.top()), QPointF(c.xAt(x), c.plot.bottom()));
}

const QColor kIntColour(200, 40, 30), kEstColour(30, 80, 200), kCrossColour(230, 120, 0);

// A temperature cross: a line across the plot where it starts, named at its top, right of the
// line where the name fits there and left of it otherwise.
void drawCross(QPainter& p, const QFontMetricsF& fm, const ProfileChartLayout& c, double x) {
    const double at = c.xAt(std::clamp(x, 0.0, c.length));
    p.setPen(QPen(kCrossColour, 1.5));
    p.drawLine(QPointF(at, c.plot.top()), QPointF(at, c.plot.bottom()));
    const QString name = QObject::tr("Temperature cross");
    const double width = fm.horizontalAdvance(name) + fm.height() / 2;
    const bool right = at + width <= c.plot.right();
    const QRectF label(right ? at + fm.height() / 4 : at - width, c.plot.top() + fm.height() / 4,
                       width, fm.height());
    p.fillRect(label, QColor(255, 255, 255, 230));
    p.drawText(label, (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, name);
}

// Next to each other, branches alternate full and dashed lines, with dashes short enough to show
// in the legend's stretch of line.
QPen branchPen(const QColor& colour, std::size_t j) {
    QPen pen(colour, 2);
    if (j % 2 == 1) pen.setDashPattern({3, 2});
    return pen;
}

// The curves; as built, the branches in the colour of their stream with their names.
void drawCurves(QPainter& p, const ProfileChartLayout& c) {
    p.setPen(QPen(kIntColour, 2));
    p.drawPolyline(c.intCurve);
    p.setPen(QPen(kEstColour, 2));
    p.drawPolyline(c.estCurve);
    const QColor branchColour = c.intCurve.isEmpty() ? kIntColour : kEstColour;
    for (std::size_t j = 0; j < c.branchCurves.size(); ++j) {
        p.setPen(branchPen(branchColour, j));
        p.drawPolyline(c.branchCurves[j]);
        p.setPen(branchColour);
        if (!c.branchLabels[j].isEmpty())
            p.drawText(c.branchLabels[j], Qt::AlignCenter, branchText(j));
    }
}

// A row of the legend: a stretch of the stream's line (full then dashed for branches) and its
// text.
void legendLine(QPainter& p, const QFontMetricsF& fm, const QRectF& legend, int row,
                const QColor& colour, bool branches, const QString& text) {
    const double y = legend.top() + (0.8 + 1.1 * row) * fm.height();
    const QPointF from(legend.left() + fm.height() / 3, y),
        to(legend.left() + 1.7 * fm.height(), y);
    const QPointF middle = (from + to) / 2;
    p.setPen(QPen(colour, 2));
    p.drawLine(from, branches ? middle : to);
    if (branches) {
        p.setPen(branchPen(colour, 1));
        p.drawLine(middle, to);
    }
    p.setPen(Qt::black);
    p.drawText(QPointF(legend.left() + 2.2 * fm.height(), y + fm.ascent() / 2 - 1), text);
}

void drawLegend(QPainter& p, const QFontMetricsF& fm, const ProfileChartLayout& c,
                const ProfileChartData& data) {
    p.setPen(QPen(Qt::gray, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(c.legend);
    p.setBrush(Qt::NoBrush);
    const bool branches = !c.branchCurves.empty();
    legendLine(p, fm, c.legend, 0, kIntColour, branches && c.intCurve.isEmpty(),
               intLegendText(data));
    legendLine(p, fm, c.legend, 1, kEstColour, branches && c.estCurve.isEmpty(),
               estLegendText(data));
}

}  // namespace

void drawProfileChart(QPainter& p, const QRectF& area, const ProfileChartData& data) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    // Measured on the device drawn on: a printer's resolution is not the screen's.
    const QFontMetricsF fm(p.font(), p.device());
    const ProfileChartLayout c = profileChartLayout(fm, area, data);
    if (c.intCurve.isEmpty() && c.estCurve.isEmpty()) {
        p.drawText(area, Qt::AlignCenter, QObject::tr("No profile: calculate a case first."));
        p.restore();
        return;
    }
    drawAxes(p, fm, area, c, xTitle(data), data.units);
    drawHairpinMarks(p, c, shownX(data, data.hairpinLeg));
    drawCurves(p, c);
    if (data.crossAt) drawCross(p, fm, c, shownX(data, *data.crossAt));
    // Legend and the scale factor, where the layout found room for them.
    drawLegend(p, fm, c, data);
    p.setPen(Qt::black);
    p.drawText(c.scaleLabel, Qt::AlignHCenter | Qt::AlignVCenter, scaleText(data));
    p.restore();
}
