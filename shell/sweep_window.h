#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "properties/data_folder.h"
#include "records/case_sweep.h"
#include "report/sweep_chart.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;

// The chart alone, redrawn at any size.
class SweepChartView : public QWidget {
    Q_OBJECT
  public:
    explicit SweepChartView(QWidget* parent = nullptr);
    void setData(const SweepChartData& data);
    const SweepChartData& data() const { return data_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SweepChartData data_;
};

// Case > Sweep…: the case as the main window holds it, calculated over a range of one input,
// one result plotted against it with the case's own point marked; the rows exported as CSV.
// The points are calculated off the user-interface thread, with progress and Cancel.
class SweepWindow : public QWidget {
    Q_OBJECT
  public:
    // `currentCase`: the main window's case, read again at each sweep.
    SweepWindow(std::function<zano::CaseData()> currentCase, const zano::DataFolder& data,
                QWidget* parent = nullptr);
    ~SweepWindow() override;  // a sweep under way is stopped first

    // The inputs the current case leaves given (its modes make the others outputs), the one
    // chosen kept where it still is one.
    void takeCase();
    // Starts the sweep the form describes; false, said in a message, where it describes none.
    bool startSweep();
    void cancelSweep();
    bool running() const { return job_ != nullptr; }

    const std::vector<zano::SweepPoint>& points() const { return points_; }
    const SweepChartData& chartData() const;
    // The rows as zano-calc --sweep prints them; empty before a sweep.
    std::string csv() const;

  signals:
    void sweepFinished();

  private:
    struct Job;
    void buildForm();
    void layOut(QPushButton* close);
    void inputChosen();
    void finish(const std::shared_ptr<Job>& job);
    void showChart();
    void exportRows();
    std::optional<zano::SweepRange> formRange();

    std::function<zano::CaseData()> currentCase_;
    zano::DataFolder data_;
    std::vector<zano::SweepInput> inputs_;
    QComboBox* input_;
    QLineEdit* from_;
    QLineEdit* to_;
    QSpinBox* steps_;
    QComboBox* result_;
    QPushButton* run_;
    QPushButton* export_;
    QProgressBar* progress_;
    QLabel* status_;
    SweepChartView* chart_;
    std::shared_ptr<Job> job_;  // the sweep under way
    QThread* thread_ = nullptr;
    std::optional<zano::SweepRange> range_;  // of the points shown
    std::vector<zano::SweepPoint> points_;
    std::optional<zano::CaseRun> current_;  // the case as it stood, calculated
    std::optional<double> currentValue_;    // its value of the input
};
