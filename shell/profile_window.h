#pragma once

#include <QString>
#include <QWidget>

#include "report/profile_chart.h"

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
