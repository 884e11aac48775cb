#include "shell/sweep_window.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>
#include <cmath>

#include "base/faults.h"
#include "base/number_text.h"
#include "formats/result_schema.h"
#include "formats/results_display.h"
#include "formats/sweep_export.h"
#include "report/export_file.h"
#include "shell/screen_fit.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "shell/window_keys.h"
#include "solver/case_run.h"
#include "solver/case_sweep.h"

using namespace zano;

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString inputTitle(const SweepInput& input) {
    return qs(inputHeading(input, currentUnits().system));
}

// A range around the case's own value that an engineer would look at first.
std::pair<double, double> defaultRange(const SweepInput& input, std::optional<double> v) {
    switch (input.quantity) {
        case Quantity::Temperature:
            return {v.value_or(20) - 10, v.value_or(20) + 10};
        case Quantity::Count:
            return {std::max(1.0, v.value_or(1) - 4), std::max(1.0, v.value_or(1) - 4) + 10};
        case Quantity::Fouling:
            return {0, v && *v > 0 ? 2 * *v : 0.0005};
        default:
            return v && *v > 0 ? std::pair{*v / 2, *v * 3 / 2} : std::pair{0.0, 1.0};
    }
}

// The result rows a chart can show: the numbers of the results window, each pipe's apart.
struct ResultChoice {
    const SchemaRow* row;
    Pipe pipe;
};
std::vector<ResultChoice> resultChoices() {
    std::vector<ResultChoice> choices;
    for (const SchemaRow& row : kResultSchema) {
        if (row.group == Group::Films || row.quantity == Quantity::Text ||
            row.quantity == Quantity::Name)
            continue;
        choices.push_back({&row, Pipe::Internal});
        if (row.part == Part::EachPipe) choices.push_back({&row, Pipe::External});
    }
    return choices;
}

std::optional<double> numberOf(const Figure& f) {
    if (const auto* v = std::get_if<float>(&f)) return *v;
    if (const auto* v = std::get_if<double>(&f)) return *v;
    if (const auto* v = std::get_if<int>(&f)) return *v;
    return std::nullopt;
}

}  // namespace

SweepChartView::SweepChartView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 150);
}

void SweepChartView::setData(const SweepChartData& data) {
    data_ = data;
    update();
}

void SweepChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    drawSweepChart(p, rect(), data_);
}

struct SweepWindow::Job {
    CaseData c;
    SweepRange range;
    DataFolder data;
    std::atomic<bool> cancel{false};
    std::vector<SweepPoint> points;
    std::optional<CaseRun> current;
    QElapsedTimer clock;
};

SweepWindow::SweepWindow(std::function<CaseData()> currentCase, const DataFolder& data,
                         QWidget* parent)
    : QWidget(parent, Qt::Window), currentCase_(std::move(currentCase)), data_(data) {
    setObjectName("SweepWindow");
    setWindowTitle(tr("Sweep"));
    buildForm();
    zano::fitResizableToScreen(this, QSize(820, 560));
    zano::hideOnEscape(this);  // as "Close"
    // The form, the chart and the export in the units the user reads: the range offered again
    // in them, the results' names with their units.
    connect(&UnitChoice::instance(), &UnitChoice::changed, this, [this] {
        const auto choices = resultChoices();
        for (std::size_t i = 0; i < choices.size(); ++i)
            result_->setItemText(int(i),
                                 qs(heading(*choices[i].row, choices[i].pipe, currentUnits())));
        inputChosen();
        showChart();
    });
}

SweepWindow::~SweepWindow() {
    if (thread_) {
        job_->cancel = true;
        thread_->wait();
    }
}

void SweepWindow::buildForm() {
    input_ = new QComboBox(this);
    input_->setObjectName("SweepInput");
    from_ = new QLineEdit(this);
    from_->setObjectName("SweepFrom");
    to_ = new QLineEdit(this);
    to_->setObjectName("SweepTo");
    steps_ = new QSpinBox(this);
    steps_->setObjectName("SweepSteps");
    steps_->setRange(1, kMaxSweepSteps);
    steps_->setValue(10);
    result_ = new QComboBox(this);
    result_->setObjectName("SweepResult");
    for (const ResultChoice& r : resultChoices())
        result_->addItem(qs(heading(*r.row, r.pipe, currentUnits())));
    run_ = new QPushButton(tr("&Sweep"), this);
    run_->setObjectName("SweepRun");
    export_ = new QPushButton(tr("&Export CSV..."), this);
    export_->setObjectName("SweepExport");
    export_->setEnabled(false);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("Close");
    progress_ = new QProgressBar(this);
    progress_->setVisible(false);
    status_ = new QLabel(this);
    status_->setObjectName("SweepStatus");
    chart_ = new SweepChartView(this);
    layOut(close);
    connect(input_, &QComboBox::activated, this, [this] { inputChosen(); });
    connect(result_, &QComboBox::currentIndexChanged, this, [this] { showChart(); });
    connect(run_, &QPushButton::clicked, this,
            [this] { running() ? cancelSweep() : (void)startSweep(); });
    // Return in a box sweeps, as the default button of a dialog would.
    for (QLineEdit* box : {from_, to_})
        connect(box, &QLineEdit::returnPressed, this, [this] { running() || startSweep(); });
    connect(export_, &QPushButton::clicked, this, &SweepWindow::exportRows);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
}

// The form above the chart, the progress and the buttons below it.
void SweepWindow::layOut(QPushButton* close) {
    auto* form = new QGridLayout;
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    form->addWidget(label(tr("&Input:"), input_), 0, 0);
    form->addWidget(input_, 0, 1, 1, 5);
    form->addWidget(label(tr("&From:"), from_), 1, 0);
    form->addWidget(from_, 1, 1);
    form->addWidget(label(tr("&To:"), to_), 1, 2);
    form->addWidget(to_, 1, 3);
    form->addWidget(label(tr("Ste&ps:"), steps_), 1, 4);
    form->addWidget(steps_, 1, 5);
    form->addWidget(run_, 1, 6);
    form->addWidget(label(tr("&Result:"), result_), 2, 0);
    form->addWidget(result_, 2, 1, 1, 5);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(progress_);
    buttons->addWidget(export_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(chart_, 1);
    layout->addLayout(buttons);
}

void SweepWindow::takeCase() {
    const CaseData c = currentCase_();
    const QString chosen = input_->currentData().toString();
    input_->clear();
    inputs_.clear();
    for (const SweepInput& i : sweepInputs())
        if (!sweepInputRefusal(i, c)) {
            inputs_.push_back(i);
            input_->addItem(inputTitle(i), qs(i.name()));
        }
    const int at = input_->findData(chosen);
    if (at >= 0) {
        input_->setCurrentIndex(at);
        return;
    }
    // A first look: the result the case's modes seek, against its internal inlet temperature.
    input_->setCurrentIndex(std::max(0, input_->findData("intTin")));
    inputChosen();
    const char* sought = c.LGiven ? "capacity_kW" : "length_m";
    const auto choices = resultChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (std::string_view(choices[i].row->key) == sought) result_->setCurrentIndex(int(i));
}

void SweepWindow::inputChosen() {
    const int at = input_->currentIndex();
    if (at < 0) return;
    const SweepInput& input = inputs_[std::size_t(at)];
    const auto [from, to] = defaultRange(input, parseDouble(input.text(currentCase_())));
    const Units u = currentUnits();
    from_->setText(qs(shownGeneral(input.quantity, from, u)));
    to_->setText(qs(shownGeneral(input.quantity, to, u)));
    steps_->setValue(input.quantity == Quantity::Count ? int(std::lround(to - from)) : 10);
}

std::optional<SweepRange> SweepWindow::formRange() {
    const int at = input_->currentIndex();
    if (at < 0) {
        warn(this, tr("There is no input to sweep."));
        return std::nullopt;
    }
    // The form read as zano-calc reads --sweep, for the same checks and messages.
    const QString text = input_->currentData().toString() + "=" + from_->text() + ":" +
                         to_->text() + ":" + QString::number(steps_->value());
    auto range = parseSweep(text.toStdString());
    if (const auto* why = std::get_if<std::string>(&range)) {
        warn(this, tr("The sweep cannot be calculated."), asSentence(qs(*why)));
        return std::nullopt;
    }
    // Typed in the units the user reads; swept in the case's.
    SweepRange si = std::get<SweepRange>(range);
    si.from = toSi(si.input.quantity, si.from, currentUnits().system);
    si.to = toSi(si.input.quantity, si.to, currentUnits().system);
    return si;
}

bool SweepWindow::startSweep() {
    if (running()) return false;
    const std::optional<SweepRange> range = formRange();
    if (!range) return false;
    auto job = std::make_shared<Job>();
    job->c = currentCase_();
    if (const auto why = sweepInputRefusal(range->input, job->c)) {
        warn(this, tr("The sweep cannot be calculated."), asSentence(qs(*why)));
        return false;
    }
    job->range = *range;
    job->data = data_.pinned();  // one read of each table, shared by every point
    job_ = job;
    progress_->setRange(0, range->steps + 2);
    progress_->setValue(0);
    progress_->setVisible(true);
    run_->setText(tr("&Cancel"));
    status_->clear();
    job->clock.start();
    // The points and the case itself; progress is posted to this window, which drops it if it
    // has closed meanwhile.
    thread_ = QThread::create([this, job] {
        job->current = runCase(job->c, job->data, {});
        job->points = runSweep(job->c, job->range, job->data, [this, job](int done) {
            QMetaObject::invokeMethod(this, [this, done] { progress_->setValue(done + 1); });
            return !job->cancel;
        });
    });
    connect(thread_, &QThread::finished, this, [this, job] { finish(job); });
    thread_->start();
    return true;
}

void SweepWindow::cancelSweep() {
    if (job_) job_->cancel = true;
}

void SweepWindow::finish(const std::shared_ptr<Job>& job) {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    job_.reset();
    progress_->setVisible(false);
    run_->setText(tr("&Sweep"));
    range_ = job->range;
    points_ = std::move(job->points);
    current_ = std::move(job->current);
    currentValue_ = parseDouble(job->range.input.text(job->c));
    const qint64 ms = job->clock.elapsed();
    const int all = job->range.steps + 1;
    status_->setText(job->cancel && int(points_.size()) < all
                         ? tr("Cancelled after %1 of %2 values.").arg(points_.size()).arg(all)
                         : tr("%1 values in %2 ms.").arg(all).arg(ms));
    export_->setEnabled(!points_.empty());
    showChart();
    emit sweepFinished();
}

void SweepWindow::showChart() {
    SweepChartData d;
    const auto choices = resultChoices();
    const int r = result_->currentIndex();
    if (!range_ || r < 0) return chart_->setData(d);
    const ResultChoice choice = choices[std::size_t(r)];
    const Units u = currentUnits();
    d.xTitle = inputTitle(range_->input);
    d.yTitle = result_->currentText();
    d.decimal = u.decimal;
    const auto x = [&](double si) { return sweptShown(range_->input, si, u.system); };
    const auto xText = [&](double si) { return qs(formatDouble(x(si), u.decimal)); };
    d.from = x(range_->from), d.to = x(range_->to);
    const auto y = [&](const CaseRun& run) -> std::optional<double> {
        if (!run.ok()) return std::nullopt;
        const auto v = numberOf(choice.row->get(run, choice.pipe));
        return v ? std::optional(toShown(choice.row->quantity, *v, u.system)) : std::nullopt;
    };
    int left = 0;
    QString why;
    d.runs.emplace_back();
    for (const SweepPoint& p : points_) {
        if (const auto v = y(p.run)) {
            d.runs.back() << QPointF(x(p.value), *v);
            continue;
        }
        if (!d.runs.back().isEmpty()) d.runs.emplace_back();
        // The first cause, at its value: the others are mostly the same.
        if (left++ == 0)
            why = p.run.ok() ? tr("no figure at %1").arg(xText(p.value))
                             : tr("%1 at %2").arg(qs(runMessage(p.run)), xText(p.value));
    }
    if (left > 0)
        d.note = tr("%1 of %2 values left out: %3.").arg(left).arg(points_.size()).arg(why);
    if (current_ && currentValue_)
        if (const auto v = y(*current_)) d.current = QPointF(x(*currentValue_), *v);
    chart_->setToolTip(d.note);  // whole, where the chart's line cuts it short
    chart_->setData(d);
}

const SweepChartData& SweepWindow::chartData() const {
    return chart_->data();
}

std::string SweepWindow::csv() const {
    return range_ ? sweepCsv(*range_, points_, currentUnits()) : std::string();
}

void SweepWindow::exportRows() {
    const QString filter = "CSV file (*.csv)";
    QString file;
    try {
        const SaveAnswer a = askSaveFileName(this, tr("Export the sweep"), {filter}, {});
        if (a.name.isEmpty()) return;  // Cancel
        file = withFilterSuffix(a.name, filter);
        const QString why = writeExportFile(file, QByteArray::fromStdString(csv()));
        if (!why.isEmpty()) warn(this, tr("The sweep could not be written to %1.").arg(file), why);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, tr("The sweep could not be exported."), qs(faultText()));
    }
}
