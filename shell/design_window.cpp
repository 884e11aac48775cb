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
#include <QVBoxLayout>
#include <limits>
#include <system_error>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "shell/key_filter.h"
#include "shell/screen_fit.h"
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
    box->setMaximumWidth(box->fontMetrics().averageCharWidth() * (list ? 24 : 9));
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
    readCase();
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
    const QStringList units{"kPa", "m/s", "m/s", "%"};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(rows[row]), row + 1, 0);
        grid->addWidget(new QLabel(units[row]), row + 1, 3);
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
    od->addWidget(new QLabel("mm"));
    form->addRow(tr("Inner pipe's outside diameter"), od);
    form->addRow(tr("Annulus gap at least, mm"), gap_ = numberBox(group, "Gap"));
    form->addRow(tr("Outer bore at most, × inner OD"), ratio_ = numberBox(group, "BoreRatio"));
    form->addRow(tr("Leg lengths, m"), legs_ = numberBox(group, "Legs", true));
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
    const auto stream = [](const QString& side, const std::string& fluid, const std::string& in,
                           const std::string& out, const std::string& flow) {
        return side + ' ' + fromText(fluid) + ", " + fromText(in) + QString::fromUtf8(" → ") +
               (out.empty() ? QStringLiteral("…") : fromText(out)) + " °C, " +
               (flow.empty() ? QStringLiteral("…") : fromText(flow)) + " kg/s";
    };
    processText_->setText(
        tr("The process, from the main window's case as it stood when read: duty %1 kW; %2; %3. "
           "Each candidate is calculated with this duty given.")
            .arg(fromText(p.q))
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
    for (int s : {0, 1}) {
        dp_[s]->setText(numberText(l.allowedDp[s]));
        vLow_[s]->setText(numberText(l.velocity[s].low));
        vHigh_[s]->setText(numberText(l.velocity[s].high));
    }
    minOver_->setText(numberText(l.minOverSurface));
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
    odLow_->setText(numberText(roundTo(ch.innerOd.low, 3)));
    odHigh_->setText(numberText(roundTo(ch.innerOd.high, 3)));
    gap_->setText(numberText(ch.minGap));
    ratio_->setText(numberText(ch.maxBoreRatio));
    legs_->setText(listText(ch.legs));
    branches_->setText(listText({ch.branches.begin(), ch.branches.end()}));
    asGiven_->setChecked(ch.asGiven);
    swapped_->setChecked(ch.swapped);
    rank_->setCurrentIndex(0);
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
