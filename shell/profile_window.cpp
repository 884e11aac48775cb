#include "shell/profile_window.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/faults.h"
#include "base/number_text.h"
#include "shell/export_file.h"
#include "shell/screen_fit.h"
#include "shell/user_prompts.h"

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

}  // namespace

void drawProfileChart(QPainter& p, const QRectF& area, const ProfileChartData& data) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const auto& points = data.profile.points;
    const QFontMetricsF fm(p.font());
    if (points.size() < 2) {
        p.drawText(area, Qt::AlignCenter, QObject::tr("No profile: calculate a case first."));
        p.restore();
        return;
    }

    double tMin = points.front().intT, tMax = tMin;
    for (const auto& pt : points) {
        tMin = std::min({tMin, pt.intT, pt.estT});
        tMax = std::max({tMax, pt.intT, pt.estT});
    }
    if (tMax - tMin < 1e-6) tMax = tMin + 1;
    const double tStep = niceStep(tMax - tMin, 6);
    tMin = std::floor(tMin / tStep) * tStep;
    tMax = std::ceil(tMax / tStep) * tStep;
    const double length = points.back().x;
    const double xStep = niceStep(length, 6);

    const double left = area.left() + fm.horizontalAdvance("0000,00") + 3 * fm.height();
    const double bottom = area.bottom() - 3 * fm.height();
    const QRectF plot(QPointF(left, area.top() + 2 * fm.height()),
                      QPointF(area.right() - 2 * fm.height(), bottom));
    auto X = [&](double x) { return plot.left() + x / length * plot.width(); };
    auto Y = [&](double t) { return plot.bottom() - (t - tMin) / (tMax - tMin) * plot.height(); };

    // Grid and ticks.
    p.setPen(QPen(QColor(225, 225, 225), 0));
    for (double t = tMin; t <= tMax + tStep / 2; t += tStep)
        p.drawLine(QPointF(plot.left(), Y(t)), QPointF(plot.right(), Y(t)));
    for (double x = 0; x <= length + xStep / 1e6; x += xStep)
        p.drawLine(QPointF(X(x), plot.top()), QPointF(X(x), plot.bottom()));
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot);
    for (double t = tMin; t <= tMax + tStep / 2; t += tStep) {
        const QRectF label(area.left(), Y(t) - fm.height() / 2,
                           left - area.left() - fm.height() / 2, fm.height());
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, tickText(t));
    }
    for (double x = 0; x <= length + xStep / 1e6; x += xStep) {
        const QRectF label(X(x) - 50, plot.bottom() + fm.height() / 4, 100, fm.height());
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, tickText(x));
    }
    // Axis titles with units.
    p.drawText(QRectF(plot.left(), bottom + 1.4 * fm.height(), plot.width(), fm.height()),
               Qt::AlignHCenter, QObject::tr("Position from the internal fluid's inlet, x [m]"));
    p.save();
    p.translate(area.left() + fm.height() * 0.2, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), fm.height()), Qt::AlignHCenter,
               QObject::tr("Temperature [°C]"));
    p.restore();

    // The two curves.
    const QColor intColour(200, 40, 30), estColour(30, 80, 200);
    auto curve = [&](auto temperature, const QColor& colour) {
        QPainterPath path(QPointF(X(points.front().x), Y(temperature(points.front()))));
        for (const auto& pt : points) path.lineTo(X(pt.x), Y(temperature(pt)));
        p.setPen(QPen(colour, 2));
        p.drawPath(path);
    };
    curve([](const zano::ProfilePoint& pt) { return pt.intT; }, intColour);
    curve([](const zano::ProfilePoint& pt) { return pt.estT; }, estColour);

    // Legend (top right) and the scale factor (bottom left), inside the plot.
    const QString intLabel = QObject::tr("Internal: %1").arg(data.intFluid);
    const QString estLabel = QObject::tr("External: %1").arg(data.estFluid);
    const double legendWidth =
        std::max(fm.horizontalAdvance(intLabel), fm.horizontalAdvance(estLabel)) + 3 * fm.height();
    const QRectF legend(plot.right() - legendWidth - fm.height() / 2, plot.top() + fm.height() / 2,
                        legendWidth, 2.6 * fm.height());
    p.setPen(QPen(Qt::gray, 0));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(legend);
    p.setBrush(Qt::NoBrush);
    auto legendLine = [&](int row, const QColor& colour, const QString& text) {
        const double y = legend.top() + (0.8 + 1.1 * row) * fm.height();
        p.setPen(QPen(colour, 2));
        p.drawLine(QPointF(legend.left() + fm.height() / 3, y),
                   QPointF(legend.left() + 1.7 * fm.height(), y));
        p.setPen(Qt::black);
        p.drawText(QPointF(legend.left() + 2.2 * fm.height(), y + fm.ascent() / 2 - 1), text);
    };
    legendLine(0, intColour, intLabel);
    legendLine(1, estColour, estLabel);
    p.setPen(Qt::black);
    p.drawText(
        QPointF(plot.left() + fm.height() / 2, plot.bottom() - fm.height() / 2),
        QObject::tr("Scale factor %1")
            .arg(QString::fromStdString(zano::formatDouble(zano::roundTo(data.profile.scale, 4)))));
    p.restore();
}

ProfileChart::ProfileChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 320);
}

void ProfileChart::setData(const ProfileChartData& data) {
    data_ = data;
    update();
}

void ProfileChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawProfileChart(p, rect(), data_);
}

ProfileWindow::ProfileWindow(QWidget* parent) : QWidget(parent), chart_(new ProfileChart(this)) {
    setObjectName("ProfileWindow");
    setWindowTitle(tr("Profile"));
    auto* png = new QPushButton(tr("Save PNG..."), this);
    auto* svg = new QPushButton(tr("Save SVG..."), this);
    auto* close = new QPushButton(tr("Close"), this);
    png->setObjectName("SavePng");
    svg->setObjectName("SaveSvg");
    close->setObjectName("Close");
    connect(png, &QPushButton::clicked, this, [this] { saveAs("PNG image (*.png)"); });
    connect(svg, &QPushButton::clicked, this, [this] { saveAs("SVG drawing (*.svg)"); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(png);
    buttons->addWidget(svg);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_, 1);
    layout->addLayout(buttons);
    zano::fitResizableToScreen(this, QSize(760, 520));
}

void ProfileWindow::setData(const ProfileChartData& data) {
    chart_->setData(data);
}

QByteArray ProfileWindow::png(QSize size) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawProfileChart(p, QRectF(QPointF(0, 0), QSizeF(size)), chart_->data());
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray ProfileWindow::svg(QSize size) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("ZANO temperature profile");
    QPainter p;
    if (!p.begin(&svg)) return {};
    drawProfileChart(p, QRectF(QPointF(0, 0), QSizeF(size)), chart_->data());
    return p.end() ? bytes : QByteArray();
}

QString ProfileWindow::save(const QString& file, const QByteArray& bytes) {
    // Drawn whole before the file is touched, then put in place like every save.
    return bytes.isEmpty() ? tr("The chart could not be drawn.")
                           : zano::writeExportFile(file, bytes);
}

bool ProfileWindow::savePng(const QString& file, QSize size) const {
    return save(file, png(size)).isEmpty();
}

bool ProfileWindow::saveSvg(const QString& file, QSize size) const {
    return save(file, svg(size)).isEmpty();
}

void ProfileWindow::saveAs(const QString& filter) {
    QString file;
    try {
        const zano::SaveAnswer a =
            zano::askSaveFileName(this, tr("Save the profile"), {filter}, {});
        if (a.name.isEmpty()) return;  // Cancel
        file = zano::withFilterSuffix(a.name, filter);
        const bool isPng = zano::filterSuffix(filter) == QLatin1String("png");
        const QString why = save(file, isPng ? png() : svg());
        if (!why.isEmpty()) zano::warn(this, failedText(file), why);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        zano::warn(this, failedText(file), QString::fromStdString(zano::faultText()));
    }
}

QString ProfileWindow::failedText(const QString& file) {
    return tr("The profile could not be written to %1.").arg(file);
}
