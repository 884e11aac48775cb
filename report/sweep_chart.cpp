#include "report/sweep_chart.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QObject>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "report/profile_chart.h"

namespace {

// One axis: its round ends and step.
struct Axis {
    double min = 0, max = 1, step = 1;
};

Axis axisOver(double lo, double hi) {
    // A flat result still gets an axis: a band around it.
    if (hi - lo <= 1e-9 * std::max(std::fabs(lo), std::fabs(hi))) {
        const double pad = lo == 0 ? 1 : std::fabs(lo) * 0.01;
        lo -= pad, hi += pad;
    }
    Axis a;
    a.step = niceChartStep(hi - lo, 6);
    a.min = std::floor(lo / a.step) * a.step;
    a.max = std::ceil(hi / a.step) * a.step;
    return a;
}

QString tickText(double v, double step, char decimal) {
    // As many decimals as the step needs, and no remainder of the sums.
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step))) + 1, 0, 12);
    return QString::fromStdString(zano::formatDouble(zano::roundTo(v, decimals), decimal));
}

struct Frame {
    QRectF plot;
    Axis x, y;
    QPointF at(QPointF v) const {
        return {plot.left() + (v.x() - x.min) / (x.max - x.min) * plot.width(),
                plot.bottom() - (v.y() - y.min) / (y.max - y.min) * plot.height()};
    }
};

Frame frameOf(const QFontMetricsF& fm, const QRectF& area, const SweepChartData& data) {
    double x0 = std::min(data.from, data.to), x1 = std::max(data.from, data.to);
    double y0 = INFINITY, y1 = -INFINITY;
    const auto take = [&](QPointF v) {
        x0 = std::min(x0, v.x()), x1 = std::max(x1, v.x());
        y0 = std::min(y0, v.y()), y1 = std::max(y1, v.y());
    };
    for (const QPolygonF& run : data.runs)
        for (const QPointF& v : run) take(v);
    if (data.current) take(*data.current);
    Frame f{{}, axisOver(x0, x1), axisOver(y0, y1)};
    const double h = fm.height();
    double widest = 0;
    for (double v = f.y.min; v <= f.y.max + f.y.step / 2; v += f.y.step)
        widest = std::max(widest, fm.horizontalAdvance(tickText(v, f.y.step, data.decimal)));
    const double top = area.top() + (data.note.isEmpty() ? 1.5 : 2.8) * h;
    f.plot = QRectF(QPointF(area.left() + widest + 2.5 * h, top),
                    QPointF(area.right() - 1.5 * h, area.bottom() - 3 * h));
    return f;
}

void drawAxes(QPainter& p, const QFontMetricsF& fm, const Frame& f, const SweepChartData& data) {
    const double h = fm.height();
    for (double v = f.y.min; v <= f.y.max + f.y.step / 2; v += f.y.step) {
        const double y = f.at({f.x.min, v}).y();
        p.setPen(QPen(QColor(225, 225, 225), 0));
        p.drawLine(QPointF(f.plot.left(), y), QPointF(f.plot.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(f.plot.left() - 30 * h, y - h / 2, 29.5 * h, h),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v, f.y.step, data.decimal));
    }
    for (double v = f.x.min; v <= f.x.max + f.x.step / 2; v += f.x.step) {
        const double x = f.at({v, f.y.min}).x();
        p.setPen(QPen(QColor(225, 225, 225), 0));
        p.drawLine(QPointF(x, f.plot.top()), QPointF(x, f.plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 5 * h, f.plot.bottom() + h / 4, 10 * h, h), Qt::AlignHCenter,
                   tickText(v, f.x.step, data.decimal));
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(f.plot);
    p.drawText(QRectF(f.plot.left(), f.plot.bottom() + 1.4 * h, f.plot.width(), h),
               Qt::AlignHCenter, data.xTitle);
    // The result's name above its axis, where it reads without turning the head.
    p.drawText(QRectF(f.plot.left(), f.plot.top() - 1.3 * h, f.plot.width(), h),
               Qt::AlignLeft | Qt::AlignBottom, data.yTitle);
}

const QColor kLineColour(30, 80, 200), kCurrentColour(200, 40, 30);

// True when a segment of the line passes through the rectangle.
bool crosses(const QPolygonF& line, const QRectF& r) {
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QLineF segment(line[i - 1], line[i]);
        if (r.contains(segment.p1()) || r.contains(segment.p2())) return true;
        for (const QLineF& edge :
             {QLineF(r.topLeft(), r.bottomRight()), QLineF(r.topRight(), r.bottomLeft())})
            if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection) return true;
    }
    return false;
}

// The case's own point, a ring with its name beside it where no line passes, if such a place is.
void drawCurrent(QPainter& p, const QFontMetricsF& fm, const Frame& f, const SweepChartData& data) {
    const QPointF at = f.at(*data.current);
    p.setPen(QPen(kCurrentColour, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, 6, 6);
    const QString label = QObject::tr("This case");
    const QSizeF size(fm.horizontalAdvance(label), fm.height());
    QRectF place;
    for (const QPointF corner :
         {QPointF(9, -9 - size.height()), QPointF(9, 9),
          QPointF(-9 - size.width(), -9 - size.height()), QPointF(-9 - size.width(), 9)}) {
        const QRectF r(at + corner, size);
        const bool free =
            std::none_of(data.runs.begin(), data.runs.end(), [&](const QPolygonF& run) {
                QPolygonF line;
                for (const QPointF& v : run) line << f.at(v);
                return crosses(line, r);
            });
        if (f.plot.contains(r) && (place.isEmpty() || free)) place = r;
        if (f.plot.contains(r) && free) break;
    }
    if (!place.isEmpty()) p.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, label);
}

void drawPoints(QPainter& p, const QFontMetricsF& fm, const Frame& f, const SweepChartData& data) {
    std::size_t count = 0;
    for (const QPolygonF& run : data.runs) count += run.size();
    // Each point's dot while they stand apart; past that the line alone.
    const bool dots = count > 0 && f.plot.width() / count > 6;
    p.setPen(QPen(kLineColour, 2));
    p.setBrush(kLineColour);
    for (const QPolygonF& run : data.runs) {
        QPolygonF line;
        for (const QPointF& v : run) line << f.at(v);
        p.drawPolyline(line);
        if (dots)
            for (const QPointF& at : line) p.drawEllipse(at, 2.5, 2.5);
    }
    if (data.current) drawCurrent(p, fm, f, data);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

void drawSweepChart(QPainter& p, const QRectF& area, const SweepChartData& data) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetricsF fm(p.font(), p.device());
    const bool empty = std::all_of(data.runs.begin(), data.runs.end(),
                                   [](const QPolygonF& r) { return r.isEmpty(); });
    if (empty && !data.current) {
        p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap,
                   data.note.isEmpty() ? QObject::tr("No sweep: choose an input and press Sweep.")
                                       : data.note);
        p.restore();
        return;
    }
    const Frame f = frameOf(fm, area, data);
    drawAxes(p, fm, f, data);
    drawPoints(p, fm, f, data);
    if (!data.note.isEmpty()) {
        p.setPen(kCurrentColour);
        p.drawText(QRectF(area.left() + fm.height(), area.top() + fm.height() * 0.2,
                          area.width() - 2 * fm.height(), fm.height()),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(data.note, Qt::ElideRight, area.width() - 2 * fm.height()));
    }
    p.restore();
}
