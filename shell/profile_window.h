#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include "solver/temperature_profile.h"

class QFontMetricsF;
class QPainter;

// What the chart shows: the profile and the names of the two fluids.
struct ProfileChartData {
    zano::TemperatureProfile profile;
    QString intFluid;
    QString estFluid;
};

// Where the chart's parts stand in its area; empty curves when there is no profile to draw.
struct ProfileChartLayout {
    QRectF plot;                           // the frame of the axes
    QPolygonF intCurve, estCurve;          // the curves as drawn
    QRectF legend;                         // the fluids' names beside their lines' colours
    QRectF scaleLabel;                     // "Scale factor ..."
    double tMin = 0, tMax = 1, tStep = 1;  // temperature axis, degC
    double length = 1, xStep = 1;          // position axis, m

    double xAt(double x) const { return plot.left() + x / length * plot.width(); }
    double yAt(double t) const {
        return plot.bottom() - (t - tMin) / (tMax - tMin) * plot.height();
    }
};

ProfileChartLayout profileChartLayout(const QFontMetricsF& fm, const QRectF& area,
                                      const ProfileChartData& data);

// Draws the two temperature curves along the exchanger with axes, units, a legend and the
// scale factor, into `area` (used for the screen, PNG and SVG alike).
void drawProfileChart(QPainter& p, const QRectF& area, const ProfileChartData& data);

// The chart alone, redrawn at any size.
class ProfileChart : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileChart(QWidget* parent = nullptr);
    void setData(const ProfileChartData& data);
    const ProfileChartData& data() const { return data_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ProfileChartData data_;
};

// The "Profile" window: the chart of the last calculation, saved as PNG or SVG.
class ProfileWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileWindow(QWidget* parent = nullptr);
    void setData(const ProfileChartData& data);
    bool hasProfile() const { return !chart_->data().profile.points.empty(); }

    // The chart as a file holds it; empty when it cannot be drawn.
    QByteArray png(QSize size = QSize(1200, 800)) const;
    QByteArray svg(QSize size = QSize(1200, 800)) const;
    // Writes the chart; false when the file cannot be written.
    bool savePng(const QString& file, QSize size = QSize(1200, 800)) const;
    bool saveSvg(const QString& file, QSize size = QSize(1200, 800)) const;

  private:
    void saveAs(const QString& filter);
    // Empty when the file is written, else the cause.
    static QString save(const QString& file, const QByteArray& bytes);
    static QString failedText(const QString& file);
    ProfileChart* chart_;
};
