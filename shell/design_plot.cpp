#include "shell/design_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "base/number_text.h"
#include "shell/unit_choice.h"

namespace zano {
namespace {

// The ratio's decades shown: a tenth of the allowance to ten times it at least, wider where the
// field is; ratios of 0 (no flow through a pipe) sit on the left edge.
struct Scale {
    double lowDecade = -1, highDecade = 1;  // log10 of the ratio
    double surfaceTop = 1;                  // in the units shown
};

// A surface in the units shown.
double shownSurface(double si, UnitSystem s) {
    return toShown(Quantity::Area, si, s);
}

Scale scaleOf(const std::vector<DesignPoint>& points, UnitSystem system) {
    Scale s;
    for (const DesignPoint& p : points) {
        if (p.dpRatio > 0 && std::isfinite(p.dpRatio)) {
            s.lowDecade = std::min(s.lowDecade, std::floor(std::log10(p.dpRatio)));
            s.highDecade = std::max(s.highDecade, std::ceil(std::log10(p.dpRatio)));
        }
        if (std::isfinite(p.surface))
            s.surfaceTop = std::max(s.surfaceTop, shownSurface(p.surface, system));
    }
    s.lowDecade = std::max(s.lowDecade, -4.0), s.highDecade = std::min(s.highDecade, 4.0);
    // A round top: 1, 2 or 5 times a power of ten.
    const double decade = std::pow(10, std::floor(std::log10(s.surfaceTop)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= s.surfaceTop) return s.surfaceTop = step * decade, s;
    return s;
}

QString numberText(double v) {
    return QString::fromStdString(formatDouble(roundTo(v, 4), currentUnits().decimal));
}

// The axes, their ticks and captions, and the allowance's line at a ratio of 1.
void drawAxes(QPainter& p, const QRectF& area, const Scale& s) {
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(area);
    const QFontMetricsF fm(p.font());
    const double decades = s.highDecade - s.lowDecade;
    for (double d = s.lowDecade; d <= s.highDecade; ++d) {
        const double x = area.left() + area.width() * (d - s.lowDecade) / decades;
        p.setPen(QPen(d == 0 ? QColor(200, 0, 0) : QColor(220, 220, 220), d == 0 ? 1.5 : 1));
        p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        p.setPen(Qt::black);
        const QString t = numberText(std::pow(10, d));
        p.drawText(QPointF(x - fm.horizontalAdvance(t) / 2, area.bottom() + fm.height()), t);
    }
    for (int i = 0; i <= 5; ++i) {
        const double y = area.bottom() - area.height() * i / 5;
        const QString t = numberText(s.surfaceTop * i / 5);
        p.drawText(QPointF(area.left() - fm.horizontalAdvance(t) - 6, y + fm.ascent() / 2), t);
    }
    p.drawText(
        QRectF(area.left(), area.bottom() + fm.height() * 1.3, area.width(), fm.height() * 1.2),
        Qt::AlignCenter, QStringLiteral("larger pressure drop / its allowance (1: at the limit)"));
    const QString unit = QString::fromUtf8(unitText(Quantity::Area, currentUnits().system));
    p.drawText(QPointF(area.left(), area.top() - fm.height() * 0.4),
               QStringLiteral("surface as built, ") + QString(unit).replace("^2", "²"));
}

}  // namespace

DesignPlot::DesignPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 220);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void DesignPlot::setPoints(std::vector<DesignPoint> points) {
    points_ = std::move(points);
    update();
}

void DesignPlot::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const QRectF area = QRectF(rect()).adjusted(fm.horizontalAdvance("00000,0") + 10,
                                                fm.height() * 1.6, -fm.height(), -fm.height() * 3);
    if (points_.empty()) {
        p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No candidate calculated yet."));
        return;
    }
    const UnitSystem system = currentUnits().system;
    const Scale s = scaleOf(points_, system);
    drawAxes(p, area, s);
    const double r = std::max(3.0, fm.height() / 4);
    // The failed first, so that the feasible stand on top; the picked last, ringed.
    for (int pass : {0, 1, 2})
        for (const DesignPoint& d : points_) {
            if ((pass == 2) != d.picked || (pass < 2 && (pass == 1) != d.feasible)) continue;
            const double decade = d.dpRatio > 0 ? std::log10(d.dpRatio) : s.lowDecade;
            const double fx = (std::clamp(decade, s.lowDecade, s.highDecade) - s.lowDecade) /
                              (s.highDecade - s.lowDecade);
            const QPointF at(
                area.left() + area.width() * fx,
                area.bottom() - area.height() * shownSurface(d.surface, system) / s.surfaceTop);
            p.setPen(QPen(d.picked     ? Qt::black
                          : d.feasible ? QColor(0, 110, 0)
                                       : Qt::gray,
                          d.picked ? 2 : 1));
            p.setBrush(d.feasible ? QBrush(QColor(0, 160, 0)) : Qt::NoBrush);
            p.drawEllipse(at, d.picked ? r * 1.8 : r, d.picked ? r * 1.8 : r);
        }
}

}  // namespace zano
