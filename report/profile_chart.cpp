#include "report/profile_chart.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QObject>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace {

// A round step for about `ticks` divisions of `span`: 1, 2 or 5 times a power of ten.
double niceStep(double span, int ticks) {
    const double raw = span / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * magnitude) return m * magnitude;
    return 10 * magnitude;
}

QString tickText(double v) {
    return QString::fromStdString(zano::formatDouble(zano::roundTo(v, 6)));
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

QString scaleText(const ProfileChartData& data) {
    return QObject::tr("Scale factor %1")
        .arg(QString::fromStdString(zano::formatDouble(zano::roundTo(data.profile.scale, 4))));
}

QString intLegendText(const ProfileChartData& data) {
    return QObject::tr("Internal: %1").arg(data.intFluid);
}

QString estLegendText(const ProfileChartData& data) {
    return QObject::tr("External: %1").arg(data.estFluid);
}

}  // namespace

ProfileChartLayout profileChartLayout(const QFontMetricsF& fm, const QRectF& area,
                                      const ProfileChartData& data) {
    ProfileChartLayout c;
    const auto& points = data.profile.points;
    if (points.size() < 2) return c;

    c.tMin = points.front().intT;
    c.tMax = c.tMin;
    for (const auto& pt : points) {
        c.tMin = std::min({c.tMin, pt.intT, pt.estT});
        c.tMax = std::max({c.tMax, pt.intT, pt.estT});
    }
    if (c.tMax - c.tMin < 1e-6) c.tMax = c.tMin + 1;
    c.tStep = niceStep(c.tMax - c.tMin, 6);
    c.tMin = std::floor(c.tMin / c.tStep) * c.tStep;
    c.tMax = std::ceil(c.tMax / c.tStep) * c.tStep;
    c.length = points.back().x;
    c.xStep = niceStep(c.length, 6);

    const double h = fm.height();
    const double left = area.left() + fm.horizontalAdvance("0000,00") + 3 * h;
    const auto placeCurves = [&](double top) {
        c.plot = QRectF(QPointF(left, top), QPointF(area.right() - 2 * h, area.bottom() - 3 * h));
        c.intCurve.clear();
        c.estCurve.clear();
        for (const auto& pt : points) {
            c.intCurve << QPointF(c.xAt(pt.x), c.yAt(pt.intT));
            c.estCurve << QPointF(c.xAt(pt.x), c.yAt(pt.estT));
        }
    };
    placeCurves(area.top() + 2 * h);

    // The legend and the scale factor go where no curve passes (with room for the curves'
    // pen): a corner of the plot, else the middle of its top or bottom edge; the curves of an
    // exchanger run from side to side, so such places are mostly free. Failing that, both
    // stand in a band above the plot.
    const QSizeF legendSize(std::max(fm.horizontalAdvance(intLegendText(data)),
                                     fm.horizontalAdvance(estLegendText(data))) +
                                3 * h,
                            2.6 * h);
    const QSizeF labelSize(fm.horizontalAdvance(scaleText(data)) + h / 2, 1.2 * h);
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
    const auto isFree = [&](const QRectF& r) {
        const QRectF withPen = r.adjusted(-2, -2, 2, 2);
        return c.plot.contains(r) && !crosses(c.intCurve, withPen) && !crosses(c.estCurve, withPen);
    };
    const Spot legendSpots[] = {{Right, true}, {Left, true},   {Right, false},
                                {Left, false}, {Centre, true}, {Centre, false}};
    const Spot labelSpots[] = {{Left, false}, {Right, false},  {Left, true},
                               {Right, true}, {Centre, false}, {Centre, true}};
    bool placed = false;
    for (const Spot legendSpot : legendSpots) {
        c.legend = at(legendSize, legendSpot);
        if (!isFree(c.legend)) continue;
        for (const Spot labelSpot : labelSpots) {
            c.scaleLabel = at(labelSize, labelSpot);
            if (isFree(c.scaleLabel) && !c.scaleLabel.intersects(c.legend)) {
                placed = true;
                break;
            }
        }
        if (placed) break;
    }
    if (!placed) {
        placeCurves(area.top() + h + legendSize.height());
        c.legend = QRectF(QPointF(c.plot.right() - legendSize.width(),
                                  c.plot.top() - h / 2 - legendSize.height()),
                          legendSize);
        c.scaleLabel = QRectF(
            QPointF(c.plot.left(), c.legend.center().y() - labelSize.height() / 2), labelSize);
    }
    return c;
}

namespace {

// The grid, the frame, the ticks' labels and the axes' titles.
void drawAxes(QPainter& p, const QFontMetricsF& fm, const QRectF& area,
              const ProfileChartLayout& c) {
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
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tickText(t));
    }
    for (double x = 0; x <= c.length + c.xStep / 1e6; x += c.xStep) {
        const QRectF label(c.xAt(x) - 50, plot.bottom() + fm.height() / 4, 100, fm.height());
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tickText(x));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.4 * fm.height(), plot.width(), fm.height()),
               Qt::AlignHCenter, QObject::tr("Position from the internal fluid's inlet, x [m]"));
    p.save();
    p.translate(area.left() + fm.height() * 0.2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), fm.height()), Qt::AlignHCenter,
               QObject::tr("Temperature [°C]"));
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

}  // namespace

void drawProfileChart(QPainter& p, const QRectF& area, const ProfileChartData& data) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    // Measured on the device drawn on: a printer's resolution is not the screen's.
    const QFontMetricsF fm(p.font(), p.device());
    const ProfileChartLayout c = profileChartLayout(fm, area, data);
    if (c.intCurve.isEmpty()) {
        p.drawText(area, Qt::AlignCenter, QObject::tr("No profile: calculate a case first."));
        p.restore();
        return;
    }
    drawAxes(p, fm, area, c);
    drawHairpinMarks(p, c, data.hairpinLeg);

    // The two curves.
    const QColor intColour(200, 40, 30), estColour(30, 80, 200);
    p.setPen(QPen(intColour, 2));
    p.drawPolyline(c.intCurve);
    p.setPen(QPen(estColour, 2));
    p.drawPolyline(c.estCurve);

    // Legend and the scale factor, where the layout found room for them.
    p.setPen(QPen(Qt::gray, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(c.legend);
    p.setBrush(Qt::NoBrush);
    auto legendLine = [&](int row, const QColor& colour, const QString& text) {
        const double y = c.legend.top() + (0.8 + 1.1 * row) * fm.height();
        p.setPen(QPen(colour, 2));
        p.drawLine(QPointF(c.legend.left() + fm.height() / 3, y),
                   QPointF(c.legend.left() + 1.7 * fm.height(), y));
        p.setPen(Qt::black);
        p.drawText(QPointF(c.legend.left() + 2.2 * fm.height(), y + fm.ascent() / 2 - 1), text);
    };
    legendLine(0, intColour, intLegendText(data));
    legendLine(1, estColour, estLegendText(data));
    p.setPen(Qt::black);
    p.drawText(c.scaleLabel, Qt::AlignHCenter | Qt::AlignVCenter, scaleText(data));
    p.restore();
}
