#include "shell/design_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <limits>
#include <system_error>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "shell/key_filter.h"
#include "shell/screen_fit.h"
#include "shell/unit_boxes.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "shell/window_keys.h"

namespace zano {
namespace {

QString fromText(const std::string& s) {
    return QString::fromStdString(s);
}

QString numberText(double v) {
    return fromText(formatDouble(v));
}

QLineEdit* numberBox(QWidget* parent, const QString& name, bool list = false) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    // A list takes its numbers apart by semicolons or blanks, the comma being the decimal's.
    if (!list) box->installEventFilter(new NumericKeyFilter(false, box));
    // Wide enough for a figure in US units at 7 digits (0.9842520 ft/s).
    box->setMaximumWidth(box->fontMetrics().averageCharWidth() * (list ? 30 : 12));
    return box;
}

QListWidget* checkList(QWidget* parent, const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMaximumHeight(list->fontMetrics().height() * 5 + 8);
    return list;
}

// The list's entries, each checked when `checked` names it (every one when `checked` is empty
// and `allWhenEmpty`).
void fillCheckList(QListWidget* list, const std::vector<std::string>& entries,
                   const std::vector<std::string>& checked, bool allWhenEmpty) {
    list->clear();
    for (const std::string& e : entries) {
        auto* item = new QListWidgetItem(fromText(e), list);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        const bool on = (allWhenEmpty && checked.empty()) ||
                        std::find(checked.begin(), checked.end(), e) != checked.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

// "1,5; 3; 4,5"
QString listText(const std::vector<double>& values) {
    QStringList parts;
    for (double v : values) parts << numberText(v);
    return parts.join(QStringLiteral("; "));
}

}  // namespace

DesignWindow::DesignWindow(std::function<CaseData()> currentCase, const DataFolder& data,
                           std::function<void(const CaseData&)> pick, QWidget* parent)
    : QWidget(parent), currentCase_(std::move(currentCase)), data_(data), pick_(std::move(pick)) {
    setObjectName("DesignWindow");
    setWindowTitle(tr("Design"));
    processText_ = new QLabel(this);
    processText_->setObjectName("Process");
    processText_->setWordWrap(true);
    auto* form = new QWidget;
    auto* formLayout = new QVBoxLayout(form);
    formLayout->addWidget(buildLimits());
    formLayout->addWidget(buildChoices());
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // On a narrow screen the two share the width, the form scrolling, rather than the list
    // giving way to it.
    scroll->setMinimumWidth(fontMetrics().averageCharWidth() * 24);
    auto* split = new QSplitter(this);
    split->addWidget(scroll);
    split->addWidget(buildResults());
    split->setChildrenCollapsible(false);
    split->setStretchFactor(1, 1);
    const int formWidth = form->sizeHint().width() + 20;
    split->setSizes({formWidth, formWidth * 2});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(processText_);
    layout->addWidget(split, 1);
    units_ = currentUnits();
    showUnitCaptions();
    readCase();
    connect(&UnitChoice::instance(), &UnitChoice::changed, this, &DesignWindow::unitsChanged);
    fitResizableToScreen(this, QSize(1280, 700));
    hideOnEscape(this);
}

DesignWindow::~DesignWindow() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

QWidget* DesignWindow::buildLimits() {
    auto* group = new QGroupBox(tr("Limits"));
    group->setObjectName("Limits");
    auto* grid = new QGridLayout(group);
    const QStringList rows{tr("Allowable pressure drop"), tr("Velocity at least"),
                           tr("Velocity at most"), tr("Over-surface at least")};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(rows[row]), row + 1, 0);
        auto* unit = new QLabel(row < 3 ? QString() : QStringLiteral("%"));
        if (row < 3) limitUnits_[row] = unit;
        grid->addWidget(unit, row + 1, 3);
    }
    for (int s : {0, 1}) {
        const QString side = s == 0 ? "Int" : "Est";
        auto* head = new QLabel(s == 0 ? tr("Internal") : tr("External"));
        head->setObjectName("Limits" + side);
        grid->addWidget(head, 0, s + 1);
        grid->addWidget(dp_[s] = numberBox(group, side + "Dp"), 1, s + 1);
        grid->addWidget(vLow_[s] = numberBox(group, side + "VelocityMin"), 2, s + 1);
        grid->addWidget(vHigh_[s] = numberBox(group, side + "VelocityMax"), 3, s + 1);
    }
    grid->addWidget(minOver_ = numberBox(group, "MinOverSurface"), 4, 1);
    return group;
}

QWidget* DesignWindow::buildChoices() {
    auto* group = new QGroupBox(tr("Choices searched"));
    group->setObjectName("Choices");
    auto* form = new QFormLayout(group);
    form->addRow(tr("Pipe standards"), standards_ = checkList(group, "Standards"));
    form->addRow(tr("Schedules"), schedules_ = checkList(group, "Schedules"));
    auto* od = new QHBoxLayout;
    od->addWidget(odLow_ = numberBox(group, "InnerOdMin"));
    od->addWidget(new QLabel(tr("to")));
    od->addWidget(odHigh_ = numberBox(group, "InnerOdMax"));
    od->addWidget(odUnit_ = new QLabel);
    form->addRow(tr("Inner pipe's outside diameter"), od);
    form->addRow(new QLabel(group), gap_ = numberBox(group, "Gap"));
    form->addRow(tr("Outer bore at most, × inner OD"), ratio_ = numberBox(group, "BoreRatio"));
    form->addRow(new QLabel(group), legs_ = numberBox(group, "Legs", true));
    form->addRow(tr("Branches"), branches_ = numberBox(group, "Branches", true));
    branches_->setToolTip(
        tr("Both streams in series, and for each number one stream or both in "
           "that many parallel branches"));
    asGiven_ = new QCheckBox(tr("Fluids on the case's sides"), group);
    asGiven_->setObjectName("AsGiven");
    swapped_ = new QCheckBox(tr("Fluids swapped"), group);
    swapped_->setObjectName("Swapped");
    form->addRow(tr("Allocations"), asGiven_);
    form->addRow(QString(), swapped_);
    rank_ = new QComboBox(group);
    rank_->setObjectName("Rank");
    rank_->addItems(
        {tr("Surface"), tr("Hairpins"), tr("Pressure drop ratio"), tr("Over-surface, most first")});
    form->addRow(tr("Rank by"), rank_);
    return group;
}

void DesignWindow::readCase() {
    if (searching()) return;
    try {
        process_ = designProcess(currentCase_(), data_);
    } catch (const CalcError& e) {
        process_.reset();
        processText_->setText(tr("The case gives no duty to design for: %1 %2")
                                  .arg(fromText(e.what()), fromText(e.detail())));
    } catch (...) {
        process_.reset();
        processText_->setText(
            tr("The case gives no duty to design for: %1").arg(fromText(faultText())));
    }
    if (process_) showProcess();
    showDefaults();
    showRunning(false);
}

// The duty and each stream as the case has them, on the case's sides.
void DesignWindow::showProcess() {
    const CaseData& p = *process_;
    const Units u = units_;
    const auto shown = [&u](Quantity q, const std::string& text) {
        return text.empty() ? QStringLiteral("…") : fromText(shownText(q, text, u));
    };
    const auto unit = [&u](Quantity q) { return QString::fromUtf8(unitText(q, u.system)); };
    const auto stream = [&](const QString& side, const std::string& fluid, const std::string& in,
                            const std::string& out, const std::string& flow) {
        return side + ' ' + fromText(fluid) + ", " + shown(Quantity::Temperature, in) +
               QString::fromUtf8(" → ") + shown(Quantity::Temperature, out) + ' ' +
               unit(Quantity::Temperature) + ", " + shown(Quantity::MassFlow, flow) + ' ' +
               unit(Quantity::MassFlow);
    };
    processText_->setText(
        tr("The process, from the main window's case as it stood when read: duty %1; %2; %3. "
           "Each candidate is calculated with this duty given.")
            .arg(shownWithUnit(Quantity::Capacity, p.q, u))
            .arg(stream(tr("internal"), p.intfluid, p.intTin, p.intTout, p.intPort))
            .arg(stream(tr("external"), p.estfluid, p.estTin, p.estTout, p.estPort)));
    for (int s : {0, 1})
        findChild<QLabel*>(s == 0 ? "LimitsInt" : "LimitsEst")
            ->setText((s == 0 ? tr("Internal: ") : tr("External: ")) +
                      fromText(s == 0 ? p.intfluid : p.estfluid));
}

// Every box at the default that zano-calc --design takes for the case.
void DesignWindow::showDefaults() {
    const CaseData p = process_.value_or(CaseData{});
    const PipeCatalogue pipes = data_.pipeCatalogue();
    const DesignLimits l = defaultLimits(p);
    const DesignChoices ch = defaultChoices(p, pipes);
    const auto show = [this](QLineEdit* box, Quantity q, double si) {
        showInUnits(box, q, numberText(si), units_);
    };
    for (int s : {0, 1}) {
        show(dp_[s], Quantity::PressureDrop, l.allowedDp[s]);
        show(vLow_[s], Quantity::Velocity, l.velocity[s].low);
        show(vHigh_[s], Quantity::Velocity, l.velocity[s].high);
    }
    show(minOver_, Quantity::Percent, l.minOverSurface);
    std::vector<std::string> standards, schedules;
    for (const PipeSize& pipe : pipes) {
        if (std::find(standards.begin(), standards.end(), pipe.standard) == standards.end())
            standards.push_back(pipe.standard);
        const std::string s = scheduleOf(pipe.designation);
        if (!s.empty() && std::find(schedules.begin(), schedules.end(), s) == schedules.end())
            schedules.push_back(s);
    }
    fillCheckList(standards_, standards, ch.standards, false);
    fillCheckList(schedules_, schedules, ch.schedules, true);
    show(odLow_, Quantity::Size, roundTo(ch.innerOd.low, 3));
    show(odHigh_, Quantity::Size, roundTo(ch.innerOd.high, 3));
    show(gap_, Quantity::Size, ch.minGap);
    show(ratio_, Quantity::Number, ch.maxBoreRatio);
    showListInUnits(legs_, Quantity::Length, listText(ch.legs), units_);
    branches_->setText(listText({ch.branches.begin(), ch.branches.end()}));
    asGiven_->setChecked(ch.asGiven);
    swapped_->setChecked(ch.swapped);
    rank_->setCurrentIndex(0);
}

std::vector<std::pair<QLineEdit*, Quantity>> DesignWindow::unitBoxes() const {
    using Q = Quantity;
    return {{dp_[0], Q::PressureDrop}, {dp_[1], Q::PressureDrop}, {vLow_[0], Q::Velocity},
            {vLow_[1], Q::Velocity},   {vHigh_[0], Q::Velocity},  {vHigh_[1], Q::Velocity},
            {minOver_, Q::Percent},    {odLow_, Q::Size},         {odHigh_, Q::Size},
            {gap_, Q::Size},           {ratio_, Q::Number}};
}

// The units beside the boxes and in their captions.
void DesignWindow::showUnitCaptions() {
    const auto unit = [this](Quantity q) { return QString::fromUtf8(unitText(q, units_.system)); };
    limitUnits_[0]->setText(unit(Quantity::PressureDrop));
    limitUnits_[1]->setText(unit(Quantity::Velocity));
    limitUnits_[2]->setText(unit(Quantity::Velocity));
    odUnit_->setText(unit(Quantity::Size));
    auto* form = qobject_cast<QFormLayout*>(findChild<QWidget*>("Choices")->layout());
    if (auto* gap = qobject_cast<QLabel*>(form->labelForField(gap_)))
        gap->setText(tr("Annulus gap at least, %1").arg(unit(Quantity::Size)));
    if (auto* legs = qobject_cast<QLabel*>(form->labelForField(legs_)))
        legs->setText(tr("Leg lengths, %1").arg(unit(Quantity::Length)));
}

// Each box shows the value it held in the new units, changing none; the list and the plot are
// written again.
void DesignWindow::unitsChanged() {
    const Units to = currentUnits();
    for (const auto& [box, q] : unitBoxes()) reshowInUnits(box, q, units_, to);
    showListInUnits(legs_, Quantity::Length, caseListIn(legs_, Quantity::Length, units_), to);
    units_ = to;
    showUnitCaptions();
    if (process_) showProcess();
    if (searching()) return;  // the list is written in these units when the search ends
    const int tab = tabs_->currentIndex();
    const int rows[2] = {feasible_->currentRow(), failed_->currentRow()};
    fillTables();
    for (int t : {0, 1})
        if (rows[t] >= 0) (t ? failed_ : feasible_)->selectRow(rows[t]);
    tabs_->setCurrentIndex(tab);
    fillPlot();
}

void DesignWindow::showRunning(bool running) {
    for (auto* name : {"Limits", "Choices"}) findChild<QWidget*>(name)->setEnabled(!running);
    searchButton_->setEnabled(!running && process_.has_value());
    findChild<QPushButton*>("ReadCase")->setEnabled(!running);
    cancelButton_->setEnabled(running);
    const bool listed = !running && !(search_.feasible.empty() && search_.nearest.empty());
    pickButton_->setEnabled(listed);
    exportButton_->setEnabled(listed);
}

void DesignWindow::closeEvent(QCloseEvent* event) {
    // The search ends before the window does: its threads write into the window's list.
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
    event->accept();
}

}  // namespace zano
