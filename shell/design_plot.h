#pragma once

#include <QWidget>
#include <vector>

namespace zano {

// One calculated candidate of a search, as the plot places it.
struct DesignPoint {
    double dpRatio = 0;  // the larger of its pressure drops over its allowance
    double surface = 0;  // m^2 as built
    bool feasible = false;
    std::size_t number = 0;  // in the list; 0 for a failure beyond it
    bool picked = false;     // the row chosen in the table
};

// The field of a design search: each candidate's surface against the larger of its pressure-drop
// ratios, on a logarithmic scale about 1 (the allowance), the candidates that meet every limit
// filled, the others hollow, so that the engineer sees how much surface each step of pressure
// drop saves and where the allowance cuts the field.
class DesignPlot : public QWidget {
    Q_OBJECT
  public:
    explicit DesignPlot(QWidget* parent = nullptr);
    void setPoints(std::vector<DesignPoint> points);
    const std::vector<DesignPoint>& points() const { return points_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<DesignPoint> points_;
};

}  // namespace zano
