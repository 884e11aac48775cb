#pragma once

#include <QString>
#include <QWidget>

#include "solver/temperature_profile.h"

class QPainter;
class QRectF;

// What the chart shows: the profile and the names of the two fluids.
struct ProfileChartData {
    zano::TemperatureProfile profile;
    QString intFluid;
    QString estFluid;
};

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
