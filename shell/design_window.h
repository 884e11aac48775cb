#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "formats/units.h"
#include "properties/data_folder.h"
#include "records/case_data.h"
#include "shell/design_plot.h"
#include "solver/design_search.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace zano {

// What the window's boxes ask of a search.
struct DesignRequest {
    DesignLimits limits;
    DesignChoices choices;
    Criterion criterion = Criterion::Surface;
};

// Case > Design…: the process of the main window's case, the limits and the choices with the
// defaults zano-calc --design takes, and the search run off the user-interface thread on the
// machine's cores, its progress shown and Cancel stopping it between candidates. The ranked
// list, the nearest failures with the limits they broke and the plot of the field follow it; a
// pick hands the candidate's case to the main window, which the window itself never changes.
class DesignWindow : public QWidget {
    Q_OBJECT
  public:
    // `currentCase` gives the main window's case as it stands, `pick` takes a picked candidate's
    // case; the tables are `data`'s, read on the user-interface thread before each search.
    DesignWindow(std::function<CaseData()> currentCase, const DataFolder& data,
                 std::function<void(const CaseData&)> pick, QWidget* parent = nullptr);
    // A search still running is cancelled and waited for.
    ~DesignWindow() override;

    // The main window's case read again: the process, and every box at its default.
    void readCase();
    void startSearch();
    void cancelSearch();
    bool searching() const { return worker_.joinable(); }
    // The last search's list, numbered as zano-calc numbers it.
    const DesignSearch& lastSearch() const { return search_; }
    // The candidate of the table's current row handed to the main window.
    void pickCurrent();

  signals:
    void searchEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildLimits();
    QWidget* buildChoices();
    QWidget* buildResults();
    void connectTables();
    void showDefaults();
    void showProcess();
    // The boxes, the process, the tables and the plot in the units the user now chose.
    void unitsChanged();
    void showUnitCaptions();
    // The boxes of one figure with their quantity.
    std::vector<std::pair<QLineEdit*, Quantity>> unitBoxes() const;
    bool readRequest(DesignRequest& r);
    bool readLimits(DesignLimits& l);
    bool readChoices(DesignChoices& ch);
    void showRunning(bool running);
    void postProgress(std::size_t done, std::size_t total);
    void searchFinished(std::shared_ptr<DesignSearch> found, const QString& fault);
    void fillTables();
    void fillPlot();
    void exportCsv();

    std::function<CaseData()> currentCase_;
    const DataFolder& data_;
    std::function<void(const CaseData&)> pick_;
    std::optional<CaseData> process_;  // none while the case cannot give a duty
    DesignSearch search_;
    std::vector<DesignPoint> field_;  // every candidate calculated, the failed beyond the list too
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<int> shownPercent_{-1};
    Units units_;  // those the boxes show their figures in

    QLabel* processText_ = nullptr;
    QLabel *limitUnits_[3]{}, *odUnit_ = nullptr;  // pressure drop, velocity twice; diameter
    QLineEdit *dp_[2]{}, *vLow_[2]{}, *vHigh_[2]{}, *minOver_ = nullptr;
    QListWidget *standards_ = nullptr, *schedules_ = nullptr;
    QLineEdit *odLow_ = nullptr, *odHigh_ = nullptr, *gap_ = nullptr, *ratio_ = nullptr;
    QLineEdit *legs_ = nullptr, *branches_ = nullptr;
    QCheckBox *asGiven_ = nullptr, *swapped_ = nullptr;
    QComboBox* rank_ = nullptr;
    QPushButton *searchButton_ = nullptr, *cancelButton_ = nullptr, *pickButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* line_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableWidget *feasible_ = nullptr, *failed_ = nullptr;
    QTableWidget* lastTable_ = nullptr;  // the table last shown, whose row Pick takes
    DesignPlot* plot_ = nullptr;
};

}  // namespace zano
