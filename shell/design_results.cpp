// The Design window's list: the feasible candidates ranked, the nearest failures with the limits
// they broke, the plot of the field, the pick and the export.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/faults.h"
#include "base/number_text.h"
#include "report/export_file.h"
#include "shell/design_window.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "solver/design_list.h"

namespace zano {
namespace {

const QString kCsvFilter = QStringLiteral("CSV file (*.csv)");

// A cell that sorts by its figure, not by its text, where it has one.
class FigureItem : public QTableWidgetItem {
  public:
    FigureItem(const QString& text, std::optional<double> key) : QTableWidgetItem(text) {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (key) setData(Qt::UserRole, *key);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.isValid() && b.isValid()) return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid()) return a.isValid();  // blanks last
        return QTableWidgetItem::operator<(other);
    }
};

// The columns' headings, each figure's unit under it in the system chosen.
QStringList columnHeads(UnitSystem s) {
    using Q = Quantity;
    const auto under = [s](const char* caption, Q q) {
        return QString::fromUtf8(caption) + '\n' +
               QString::fromUtf8(unitText(q, s)).replace("^2", QStringLiteral("²"));
    };
    return {"#",
            "Inner pipe",
            "Annulus pipe",
            "In the inner pipe",
            "Arrangement",
            under("Leg", Q::Length),
            "Hairpins",
            under("Surface", Q::Area),
            "Over-surface\n%",
            under("Δp inner / allowed", Q::PressureDrop),
            under("Δp annulus / allowed", Q::PressureDrop),
            under("v inner", Q::Velocity),
            under("v annulus", Q::Velocity),
            under("U", Q::Coefficient)};
}

// One candidate's cells in units `u`: the figures sort by their SI value, a pressure drop by its
// ratio to its allowance.
std::vector<FigureItem*> rowItems(std::size_t n, const Judged& j, const Units& u) {
    using Q = Quantity;
    const Candidate& k = j.candidate;
    const CandidateFigures& f = j.figures;
    const auto text = [](const std::string& s) {
        return new FigureItem(QString::fromStdString(s), {});
    };
    const auto figure = [&u](Q q, double si, int decimals) {
        return QString::fromStdString(shownRounded(q, si, decimals, u));
    };
    std::vector<FigureItem*> row{new FigureItem(QString::number(n), double(n)),
                                 text(k.inner),
                                 text(k.outer),
                                 text(k.c.intfluid + (k.swapped ? ", swapped" : "")),
                                 text(arrangementText(k)),
                                 new FigureItem(figure(Q::Length, k.leg, 3), k.leg)};
    if (!f.calculated) return row;
    row.push_back(new FigureItem(QString::number(f.hairpins), f.hairpins));
    row.push_back(new FigureItem(figure(Q::Area, f.surface, 2), f.surface));
    row.push_back(f.overSurface
                      ? new FigureItem(figure(Q::Percent, *f.overSurface, 1), *f.overSurface)
                      : new FigureItem("-", {}));
    for (int pipe : {0, 1})
        row.push_back(new FigureItem(figure(Q::PressureDrop, f.dp[pipe], 1) + " / " +
                                         figure(Q::PressureDrop, f.allowedDp[pipe], 2),
                                     f.dp[pipe] / f.allowedDp[pipe]));
    for (int pipe : {0, 1})
        row.push_back(new FigureItem(figure(Q::Velocity, f.velocity[pipe], 2), f.velocity[pipe]));
    row.push_back(new FigureItem(figure(Q::Coefficient, f.U, 0), f.U));
    return row;
}

// What a failed candidate tells: the limits it broke, or why it could not be calculated.
QString failureText(const CandidateFigures& f, const Units& u) {
    QStringList broke;
    for (const BrokenLimit& b : f.broken) broke << QString::fromStdString(brokenText(b, u));
    return f.calculated ? broke.join("; ") : QString::fromStdString("failed: " + f.message);
}

void fillTable(QTableWidget* table, const std::vector<Judged>& list, std::size_t first, bool failed,
               const Units& u) {
    table->setSortingEnabled(false);
    table->clearContents();
    QStringList heads = columnHeads(u.system);
    if (failed) heads.insert(1, "Limits broken");
    table->setHorizontalHeaderLabels(heads);
    table->setRowCount(static_cast<int>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::vector<FigureItem*> row = rowItems(first + i + 1, list[i], u);
        // What binds, beside the rank, where the eye starts.
        if (failed) {
            row.insert(row.begin() + 1, new FigureItem(failureText(list[i].figures, u), {}));
            row[1]->setToolTip(row[1]->text());
        }
        for (std::size_t c = 0; c < row.size(); ++c)
            table->setItem(static_cast<int>(i), static_cast<int>(c), row[c]);
    }
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);  // the rank
    table->resizeColumnsToContents();
    // The limits broken as wide as the table allows beside the figures; whole in the tip.
    const int most = table->fontMetrics().averageCharWidth() * 48;
    if (failed && table->columnWidth(1) > most) table->setColumnWidth(1, most);
}

QTableWidget* makeTable(const QString& name, bool failed) {
    auto* table = new QTableWidget;
    table->setObjectName(name);
    QStringList heads = columnHeads(currentUnits().system);
    if (failed) heads.insert(1, "Limits broken");
    table->setColumnCount(static_cast<int>(heads.size()));
    table->setHorizontalHeaderLabels(heads);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    return table;
}

}  // namespace

QWidget* DesignWindow::buildResults() {
    auto* area = new QWidget;
    tabs_ = new QTabWidget(area);
    tabs_->setObjectName("Tabs");
    feasible_ = makeTable("Feasible", false);
    failed_ = makeTable("Failed", true);
    lastTable_ = feasible_;
    plot_ = new DesignPlot;
    plot_->setObjectName("Plot");
    tabs_->addTab(feasible_, tr("&Meet every limit"));
    tabs_->addTab(failed_, tr("Nearest &failed"));
    tabs_->addTab(plot_, tr("P&lot"));
    connectTables();
    const auto button = [area](const QString& name, const QString& text) {
        auto* b = new QPushButton(text, area);
        b->setObjectName(name);
        return b;
    };
    searchButton_ = button("Search", tr("&Search"));
    cancelButton_ = button("Cancel", tr("Cancel"));
    auto* read = button("ReadCase", tr("&Read the case again"));
    pickButton_ = button("Pick", tr("&Pick into the case"));
    exportButton_ = button("ExportCsv", tr("&Export CSV…"));
    auto* close = button("Close", tr("Close"));
    searchButton_->setDefault(true);
    connect(searchButton_, &QPushButton::clicked, this, &DesignWindow::startSearch);
    connect(cancelButton_, &QPushButton::clicked, this, &DesignWindow::cancelSearch);
    connect(read, &QPushButton::clicked, this, &DesignWindow::readCase);
    connect(pickButton_, &QPushButton::clicked, this, &DesignWindow::pickCurrent);
    connect(exportButton_, &QPushButton::clicked, this, &DesignWindow::exportCsv);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    progress_ = new QProgressBar(area);
    progress_->setObjectName("Progress");
    line_ = new QLabel(area);
    line_->setObjectName("SearchLine");
    line_->setWordWrap(true);
    auto* run = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(searchButton_), static_cast<QWidget*>(cancelButton_),
                       static_cast<QWidget*>(progress_)})
        run->addWidget(w, w == progress_);
    auto* after = new QHBoxLayout;
    for (QPushButton* b : {read, pickButton_, exportButton_}) after->addWidget(b);
    after->addStretch();
    after->addWidget(close);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(run);
    layout->addWidget(line_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(after);
    return area;
}

void DesignWindow::connectTables() {
    for (QTableWidget* t : {feasible_, failed_}) {
        connect(t, &QTableWidget::cellDoubleClicked, this, [this] { pickCurrent(); });
        connect(t, &QTableWidget::currentCellChanged, this, [this] { fillPlot(); });
    }
    // The plot rings the candidate of the table last shown, which Pick takes.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (auto* t = qobject_cast<QTableWidget*>(tabs_->currentWidget())) lastTable_ = t;
        fillPlot();
    });
}

void DesignWindow::fillTables() {
    fillTable(feasible_, search_.feasible, 0, false, units_);
    fillTable(failed_, search_.nearest, search_.feasible.size(), true, units_);
    tabs_->setTabText(0, tr("&Meet every limit (%1)").arg(search_.feasible.size()));
    tabs_->setTabText(1, tr("Nearest &failed (%1)").arg(search_.nearest.size()));
    for (QTableWidget* t : {feasible_, failed_})
        if (t->rowCount() > 0) t->selectRow(0);
    tabs_->setCurrentIndex(search_.feasible.empty() && !search_.nearest.empty() ? 1 : 0);
    lastTable_ = tabs_->currentIndex() == 1 ? failed_ : feasible_;
}

// The list's number of the candidate in the table's current row; 0 for none.
static std::size_t currentNumber(const QTableWidget* table) {
    const int row = table->currentRow();
    const QTableWidgetItem* item = row < 0 ? nullptr : table->item(row, 0);
    return item ? item->data(Qt::UserRole).toULongLong() : 0;
}

void DesignWindow::fillPlot() {
    std::vector<DesignPoint> points = field_;
    const std::size_t n = currentNumber(lastTable_);
    for (DesignPoint& p : points) p.picked = n && p.number == n;
    plot_->setPoints(std::move(points));
}

void DesignWindow::pickCurrent() {
    const std::size_t n = currentNumber(lastTable_);
    const Judged* j = listedCandidate(search_, n);
    if (!j || searching()) return;
    pick_(j->candidate.c);
    line_->setText(
        tr("Candidate %1 written into the main window's case: calculate it there.").arg(n));
}

void DesignWindow::exportCsv() {
    QString file;
    try {
        const SaveAnswer a = askSaveFileName(this, tr("Export the design list"), {kCsvFilter}, {});
        if (a.name.isEmpty()) return;  // Cancel
        file = withFilterSuffix(a.name, kCsvFilter);
        const QString why =
            writeExportFile(file, QByteArray::fromStdString(designCsv(search_, units_)));
        if (!why.isEmpty()) warn(this, tr("The list could not be written to %1.").arg(file), why);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, tr("The list could not be written to %1.").arg(file),
             QString::fromStdString(faultText()));
    }
}

}  // namespace zano
