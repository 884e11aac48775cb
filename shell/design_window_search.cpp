// The Design window's search: the boxes read and checked, the search run on a thread of its own
// while the window stays responsive, its progress posted back to the window's thread.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <system_error>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "shell/design_window.h"
#include "shell/unit_boxes.h"
#include "shell/user_prompts.h"

namespace zano {
namespace {

std::vector<std::string> checkedOf(const QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out.push_back(list->item(i)->text().toStdString());
    return out;
}

// "0 to 100000 kPa": a range in SI written in units `u`.
QString rangeText(Quantity q, double least, double most, const Units& u) {
    const std::string_view unit = unitText(q, u.system);
    return QString::fromStdString(shownGeneral(q, least, u) + " to " + shownGeneral(q, most, u) +
                                  (unit.empty() ? "" : " " + std::string(unit)));
}

// The box's number, typed in units `u`, as SI when it lies in [least, most] (SI); otherwise the
// user is told, taken to the box, and nothing.
std::optional<double> boxNumber(QLineEdit* box, Quantity q, double least, double most,
                                const QString& what, const Units& u) {
    const auto v = parseDouble(caseTextIn(box, q, u).trimmed().toStdString());
    if (v && *v >= least && *v <= most) return v;
    warn(box->window(),
         QObject::tr("The %1 must be a number from %2.").arg(what, rangeText(q, least, most, u)));
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return std::nullopt;
}

// The numbers of a list box typed in units `u`, as SI, each in [least, most] (whole where
// `whole`), at least one.
std::optional<std::vector<double>> boxList(QLineEdit* box, Quantity q, double least, double most,
                                           bool whole, const QString& what, const Units& u) {
    std::vector<double> out;
    for (const QString& part :
         caseListIn(box, q, u).split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts)) {
        const auto v = parseDouble(part.toStdString());
        if (!v || *v < least || *v > most || (whole && *v != std::floor(*v))) {
            out.clear();
            break;
        }
        out.push_back(*v);
    }
    if (!out.empty()) return out;
    warn(box->window(),
         QObject::tr("The %1 must be one or more %2 from %3, parted by semicolons.")
             .arg(what, whole ? QObject::tr("whole numbers") : QObject::tr("numbers"),
                  rangeText(q, least, most, u)));
    box->setFocus(Qt::OtherFocusReason);
    return std::nullopt;
}

}  // namespace

bool DesignWindow::readLimits(DesignLimits& l) {
    using Q = Quantity;
    const Units u = units_;
    for (int s : {0, 1}) {
        const QString side = s == 0 ? tr("internal") : tr("external");
        const auto dp = boxNumber(dp_[s], Q::PressureDrop, 0, kMaxAllowedDrop,
                                  side + tr(" allowable pressure drop"), u);
        if (!dp) return false;
        const auto low = boxNumber(vLow_[s], Q::Velocity, 0, 1000, side + tr(" least velocity"), u);
        if (!low) return false;
        const auto high =
            boxNumber(vHigh_[s], Q::Velocity, *low, 1000, side + tr(" greatest velocity"), u);
        if (!high) return false;
        l.allowedDp[s] = *dp, l.velocity[s] = {*low, *high};
    }
    const auto over = boxNumber(minOver_, Q::Percent, -100, 1000, tr("least over-surface"), u);
    if (over) l.minOverSurface = *over;
    return over.has_value();
}

bool DesignWindow::readChoices(DesignChoices& ch) {
    using Q = Quantity;
    const Units u = units_;
    ch.standards = checkedOf(standards_);
    ch.schedules = checkedOf(schedules_);
    if (ch.standards.empty() || ch.schedules.empty()) {
        warn(this, tr("Check at least one pipe standard and one schedule to search."));
        return false;
    }
    if (ch.schedules.size() == static_cast<std::size_t>(schedules_->count()))
        ch.schedules.clear();  // every one, and the tubes made in one wall a size
    const auto low = boxNumber(odLow_, Q::Size, 0, 10000, tr("least inner outside diameter"), u);
    const auto high =
        low ? boxNumber(odHigh_, Q::Size, *low, 10000, tr("greatest inner outside diameter"), u)
            : std::nullopt;
    const auto gap = high ? boxNumber(gap_, Q::Size, 0, 1000, tr("annulus gap"), u) : std::nullopt;
    const auto ratio =
        gap ? boxNumber(ratio_, Q::Number, 0, 100, tr("bore ratio"), u) : std::nullopt;
    const auto legs = ratio ? boxList(legs_, Q::Length, kMinHairpinLength, kMaxHairpinLength, false,
                                      tr("leg lengths"), u)
                            : std::nullopt;
    const auto branches =
        legs ? boxList(branches_, Q::Count, 2, 64, true, tr("branches"), u) : std::nullopt;
    if (!branches) return false;
    ch.innerOd = {*low, *high}, ch.minGap = *gap, ch.maxBoreRatio = *ratio, ch.legs = *legs;
    ch.branches.assign(branches->begin(), branches->end());
    ch.asGiven = asGiven_->isChecked(), ch.swapped = swapped_->isChecked();
    if (ch.asGiven || ch.swapped) return true;
    warn(this, tr("Check at least one allocation of the fluids."));
    return false;
}

bool DesignWindow::readRequest(DesignRequest& r) {
    r.criterion = static_cast<Criterion>(rank_->currentIndex());
    return readLimits(r.limits) && readChoices(r.choices);
}

void DesignWindow::startSearch() {
    DesignRequest r;
    if (searching() || !process_ || !readRequest(r)) return;
    cancel_ = false, shownPercent_ = -1;
    progress_->setRange(0, 0);
    progress_->setValue(0);
    line_->setText(tr("Searching…"));
    // Read here: the main window's folder is this thread's; the copy is the search's alone.
    const DataFolder data = data_.pinned();
    try {
        worker_ = std::thread([this, process = *process_, data, r] {
            auto found = std::make_shared<DesignSearch>();
            QString fault;
            SearchControl control;
            control.failedShown = std::numeric_limits<std::size_t>::max();  // all, for the plot
            control.cancel = &cancel_;
            control.progress = [this](std::size_t done, std::size_t total) {
                postProgress(done, total);
            };
            try {
                *found = searchDesigns(process, data, r.limits, r.choices, r.criterion, control);
            } catch (const CalcError& e) {
                fault = QString::fromStdString(std::string(e.what()) + ": " + e.detail());
            } catch (...) {
                fault = QString::fromStdString(faultText());
            }
            QMetaObject::invokeMethod(
                this, [this, found, fault] { searchFinished(found, fault); }, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {
        line_->setText(tr("The search could not start: no thread to be had."));
        return;
    }
    showRunning(true);
}

void DesignWindow::cancelSearch() {
    cancel_ = true;
    if (searching()) line_->setText(tr("Cancelling…"));
}

// Called on the search's threads: each percent posted once to the window's.
void DesignWindow::postProgress(std::size_t done, std::size_t total) {
    const int percent = total ? static_cast<int>(done * 100 / total) : 100;
    int shown = shownPercent_.load();
    do {
        if (percent <= shown) return;
    } while (!shownPercent_.compare_exchange_weak(shown, percent));
    QMetaObject::invokeMethod(
        this,
        [this, done, total] {
            progress_->setRange(0, static_cast<int>(total));
            progress_->setValue(std::max(progress_->value(), static_cast<int>(done)));
            if (!cancel_)
                line_->setText(tr("Calculated %1 of %2 candidates…").arg(done).arg(total));
        },
        Qt::QueuedConnection);
}

void DesignWindow::searchFinished(std::shared_ptr<DesignSearch> found, const QString& fault) {
    if (worker_.joinable()) worker_.join();
    if (!fault.isEmpty()) {
        showRunning(false);
        line_->setText(tr("The search ended in a fault: %1").arg(fault));
        emit searchEnded();
        return;
    }
    search_ = std::move(*found);
    // The list keeps the nearest failures as zano-calc lists them; the plot shows them all.
    const std::size_t listed =
        search_.feasible.size() + std::min(search_.nearest.size(), SearchControl{}.failedShown);
    field_.clear();
    std::size_t n = 0;
    for (const auto* list : {&search_.feasible, &search_.nearest})
        for (const Judged& j : *list)
            if (++n, j.figures.calculated)
                field_.push_back({j.figures.dpRatio, j.figures.surface, j.figures.feasible(),
                                  n <= listed ? n : 0});
    search_.nearest.resize(listed - search_.feasible.size());
    progress_->setRange(0, std::max<int>(1, static_cast<int>(search_.total)));
    progress_->setValue(static_cast<int>(search_.done));
    line_->setText((search_.cancelled
                        ? tr("Cancelled after %1 of %2 candidates: the list holds those "
                             "calculated. ")
                              .arg(search_.done)
                              .arg(search_.total)
                        : tr("%1 candidates calculated. ").arg(search_.total)) +
                   tr("%1 meet every limit.").arg(search_.feasible.size()));
    fillTables();
    fillPlot();
    showRunning(false);
    emit searchEnded();
}

}  // namespace zano
