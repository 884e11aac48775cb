#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <cstdlib>
#include <string_view>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "properties/fluid_names.h"
#include "properties/fluid_sides.h"
#include "properties/user_fluid.h"
#include "properties/wall_materials.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "shell/construction_dialog.h"
#include "shell/control_hints.h"
#include "shell/design_window.h"
#include "shell/help_viewer.h"
#include "shell/options_dialog.h"
#include "shell/recent_files.h"
#include "shell/results_window.h"
#include "shell/screen_fit.h"
#include "shell/status_line.h"
#include "shell/unit_boxes.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "shell/window_keys.h"
#include "solver/case_run.h"

namespace zano {
namespace {

QString fromPath(const std::filesystem::path& p) {
    return QDir::toNativeSeparators(QString::fromStdU16String(p.u16string()));
}

QString fromText(const std::string& s) {
    return QString::fromStdString(s);
}

const QString kCaption = QStringLiteral("ZANO - Concentric Tube Heat Exchanger");

// The construction settings that Case > Construction edits and no box of the main window or
// Options holds: kept with the case as the file or the dialog left them.
constexpr std::array<std::string CaseData::*, 8> kConstructionTexts{
    &CaseData::hairpins,  &CaseData::intBranches, &CaseData::estBranches,  &CaseData::bendRadius,
    &CaseData::intNozzle, &CaseData::estNozzle,   &CaseData::intAllowedDp, &CaseData::estAllowedDp};

}  // namespace

MainWindow::MainWindow(std::filesystem::path dataDir, std::filesystem::path userDir,
                       QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("Form1");
    state_.data.dataDir = std::move(dataDir);
    state_.data.userDir = std::move(userDir);
    buildControls();
    connectCaptions();
    buildMenus();
    buildStatusBar();  // before the layout, which sizes the window with it

    for (int n : {3, 4, 5, 6, 7, 8})
        connect(option(n), &QRadioButton::clicked, this, [this, n] { modeEffects(n); });
    connect(dutyBox_, &QCheckBox::clicked, this, [this](bool on) {
        if (on && option(5)->isChecked()) chooseOption(6);  // the length is found
        applyDutyMode();
    });
    connect(combo(1), &QComboBox::activated, this, [this] { fluidChosen(true); });
    connect(combo(2), &QComboBox::activated, this, [this] { fluidChosen(false); });
    connect(command1_, &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &MainWindow::Command2_Click);

    Form_Load();
    fillPipeLists();
    applyLayout();  // after the lists are filled: their longest entries must fit
    // Built in the case's units, as the layout is drawn; then in the user's.
    if (currentUnits() != units_) unitsChanged();
    connect(&UnitChoice::instance(), &UnitChoice::changed, this, &MainWindow::unitsChanged);
    for (int n : {1, 2}) showWholeFluidNames(combo(n));

    watchCaseEdits();
    // Enter in a box or a list calculates, as the dialog's default button would.
    for (QWidget* field : findChildren<QWidget*>()) {
        const bool box = qobject_cast<QLineEdit*>(field) &&
                         caseFieldOf(field->objectName().toStdString()) != nullptr;
        if (box || qobject_cast<QComboBox*>(field)) pressOnEnter(field, command1_);
    }
    readOnlyBoxesTakeClickFocus(this);
    applyControlHints(this);
    showModeLine();
    showOptionsLine();
    // A first window is empty: one line says where ready cases are.
    if (findChild<QAction*>("mnuFileOpenExample")->isEnabled())
        showStatus("To begin, type a case in or open a ready one: File > Open Example");
    setAcceptDrops(true);
    // The boxes take dropped text themselves; a case file dropped on one is still the window's.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->acceptDrops()) w->installEventFilter(this);
    setWindowModified(false);
}

MainWindow::~MainWindow() {
    delete options_.data();
    delete results_.data();
    delete help_.data();
    delete profile_.data();
    delete design_.data();
}

void MainWindow::Form_Load() {
    updateTitle();
    clearCaseBoxes();
    chooseOption(1);
    chooseOption(3);
    chooseOption(5);
    chooseOption(8);

    combo(3)->clear();
    const auto tableFailed = [this](const std::string& cause) {
        warn(this,
             "The wall material table \"" + fromPath(state_.data.dataDir / "condmat.dat") +
                 "\" cannot be loaded.",
             fromText(cause));
    };
    try {
        for (const auto& name : dbmateriale(state_)) combo(3)->addItem(fromText(name));
    } catch (const CalcError& e) {
        tableFailed(e.detail());
    } catch (...) {  // a fault outside the reader's checks: memory exhausted, say
        tableFailed(faultText());
    }
    clearCombo(combo(3));
    const QStringList fluids = offeredFluidNames();
    for (int n : {1, 2}) {
        combo(n)->clear();
        combo(n)->addItems(fluids);
        clearCombo(combo(n));
    }
    combo(4)->clear();
    combo(5)->clear();
}

// ---- The case as a document ----------------------------------------------------------------

QString MainWindow::caseName() const {
    return caseFile_.isEmpty() ? "Untitled" : QFileInfo(caseFile_).fileName();
}

void MainWindow::updateTitle() {
    setWindowTitle(caseName() + "[*] - " + kCaption);
}

void MainWindow::caseEdited() {
    if (switchingUnits_) return;  // the same values in other units
    setWindowModified(true);
    // The results shown were found for other inputs; the calculation's own write-back is not
    // an edit of the case.
    if (lastRun_ && !calculating_) {
        resultsOutOfDate_ = true;
        if (results_) results_->setOutOfDate(true);
    }
    showModeLine();  // an outcome shown no longer belongs to the case
    showOptionsLine();
}

void MainWindow::showOptionsLine() {
    // From the dialog where it exists; else as a discarded one left them, or as a new one
    // starts (fouling factors 0), without making the dialog.
    const auto value = [this](const CaseField& f) {
        if (options_) return options_->boxText(f.control);
        return optionTexts_.value(f.control, f.quantity == Quantity::Fouling ? "0" : "");
    };
    const auto shown = [&](const char* name) {
        const CaseField& f = *caseFieldNamed(name);
        return fromText(shownText(f.quantity, value(f).toStdString(), units_));
    };
    QString line = "Options: fouling factors " + shown("intSporc") + " and " + shown("estSporc") +
                   ' ' + fromText(std::string(unitText(Quantity::Fouling, units_.system)));
    if (const QString leg = shown("hairpinLength").trimmed(); !leg.isEmpty())
        line += QString::fromUtf8(" · hairpin length ") + leg + ' ' +
                fromText(std::string(unitText(Quantity::Length, units_.system)));
    if (!document_.hairpins.empty())
        line += QString::fromUtf8(" · hairpins ") + QString::fromStdString(document_.hairpins);
    for (const auto& [branches, stream] : {std::pair{&CaseData::intBranches, "internal"},
                                           std::pair{&CaseData::estBranches, "external"}})
        if (!(document_.*branches).empty())
            line += QString::fromUtf8(" · ") + stream + " stream in " +
                    QString::fromStdString(document_.*branches) + " branches";
    if (document_.propertiesPerHairpin) line += QString::fromUtf8(" · properties at each hairpin");
    const CorrelationSet set = options_ ? options_->correlations() : optionCorrelations_;
    if (set == CorrelationSet::Refined) line += QString::fromUtf8(" · refined correlations");
    if (set == CorrelationSet::Textbook) line += QString::fromUtf8(" · textbook correlations");
    optionsLine_->setText(line);
    optionsLine_->setToolTip(line);
}

void MainWindow::watchCaseEdits() {
    // Any change of a box, a list's text or an option, by typing, picking, a mode's effects or a
    // calculation's write-back; New, Open and Save clear the mark after their own changes.
    for (QLineEdit* box : text_)
        if (box) connect(box, &QLineEdit::textChanged, this, &MainWindow::caseEdited);
    for (QComboBox* list : combo_)
        if (list) connect(list, &QComboBox::editTextChanged, this, &MainWindow::caseEdited);
    for (QRadioButton* o : option_)
        if (o) connect(o, &QRadioButton::toggled, this, &MainWindow::caseEdited);
    connect(dutyBox_, &QCheckBox::toggled, this, &MainWindow::caseEdited);
}

void MainWindow::watchOptionsEdits() {
    // The case's boxes only: the user fluid's are saved by the dialog's own "Close".
    for (const CaseField& f : kCaseFields)
        if (auto* box = f.inOptions ? options_->findChild<QLineEdit*>(f.control) : nullptr)
            connect(box, &QLineEdit::textChanged, this, &MainWindow::caseEdited);
    // The correlation set belongs to the case as well.
    if (auto* set = options_->findChild<QComboBox*>("Correlations"))
        connect(set, &QComboBox::currentIndexChanged, this, &MainWindow::caseEdited);
}

bool MainWindow::maySaveChanges() {
    if (!isWindowModified()) return true;
    switch (askSaveChanges(this, caseName())) {
        case SaveChoice::Save:
            return saveCase(lastFileName_);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

void MainWindow::caseFileIs(const QString& name) {
    caseFile_ = name;
    lastFileName_ = name;
    addRecentFile(name);
    rebuildRecentMenu();
    setWindowModified(false);
    updateTitle();
}

void MainWindow::openFromCommandLine(const QString& argument) {
    const QUrl url(argument);
    const QString name = url.isLocalFile() ? url.toLocalFile() : argument;
    if (maySaveChanges()) openCaseNamed(QFileInfo(name).absoluteFilePath());
}

QString MainWindow::droppedCaseFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(".zan", Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

bool MainWindow::acceptCaseDrag(QDropEvent* event) {
    if (droppedCaseFile(event->mimeData()).isEmpty()) return false;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    acceptCaseDrag(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = droppedCaseFile(event->mimeData());
    if (file.isEmpty()) return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Opened once the drop is over: the question about unsaved changes must not hold the drag
    // source waiting.
    QMetaObject::invokeMethod(
        this,
        [this, file] {
            if (maySaveChanges()) openCaseNamed(file);
        },
        Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (acceptCaseDrag(static_cast<QDropEvent*>(event))) return true;
            break;
        case QEvent::Drop:
            if (droppedCaseFile(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) break;
            dropEvent(static_cast<QDropEvent*>(event));
            return true;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Modes ---------------------------------------------------------------------------------

void MainWindow::showModeLine() {
    CaseData modes;
    for (const CaseMode& m : kCaseModes) m.set(modes, option(controlNumber(m.option))->isChecked());
    modes.dutyFrom = dutyFromControls();
    // The note first: a narrow window cuts the line's end.
    showStatus(resultsOutOfDate_
                   ? QString::fromUtf8("Results out of date: calculate again · ") + modeLine(modes)
                   : modeLine(modes));
}

void MainWindow::showStatus(const QString& line) {
    statusLine_->setText(line);
    statusLine_->setToolTip(line);  // whole, where the window is too narrow for it
}

void MainWindow::chooseOption(int n) {
    option(n)->setChecked(true);
    modeEffects(n);
}

void MainWindow::modeEffects(int n) {
    switch (n) {
        case 3:  // internal outlet temperature given, internal mass flow found
            text(8)->clear();
            setInput(7, true);
            setInput(8, false);
            setInput(10, false);
            setInput(11, true);
            option(7)->setEnabled(false);  // both outlet temperatures are never given
            chooseOption(8);
            break;
        case 4:  // internal mass flow given
            text(7)->clear();
            setInput(7, false);
            setInput(8, true);
            option(7)->setEnabled(true);
            break;
        case 7:  // external outlet temperature given
            text(11)->clear();
            setInput(11, false);
            setInput(10, true);
            break;
        case 8:  // external mass flow given
            text(10)->clear();
            setInput(10, false);
            setInput(11, true);
            break;
        case 5:  // length given: the capacity is found, and neither box is emptied
            setInput(3, false);
            setInput(12, true);
            break;
        case 6:  // capacity given
            setInput(12, false);
            setInput(3, true);
            break;
        default:  // the configuration options only select
            return;
    }
    applyDutyMode();
}

DutyFrom MainWindow::outletGivenStream() const {
    if (option(3)->isChecked()) return DutyFrom::Internal;
    return option(7)->isChecked() ? DutyFrom::External : DutyFrom::None;
}

DutyFrom MainWindow::dutyFromControls() const {
    return dutyBox_->isChecked() ? outletGivenStream() : DutyFrom::None;
}

void MainWindow::applyDutyMode() {
    const DutyFrom from = outletGivenStream();
    dutyBox_->setEnabled(from != DutyFrom::None);
    if (from == DutyFrom::None || option(5)->isChecked()) dutyBox_->setChecked(false);
    const DutyFrom on = dutyFromControls();
    setInput(3, option(6)->isChecked() && on == DutyFrom::None);
    setInput(8, option(4)->isChecked() || on == DutyFrom::Internal);
    setInput(11, option(8)->isChecked() || on == DutyFrom::External);
}

void MainWindow::setInput(int textBox, bool input) {
    QLineEdit* box = text(textBox);
    box->setReadOnly(!input);
    // A box the calculation writes back stands on grey, its text in italics and a blue of its
    // own, beside the boxes the user types into.
    QPalette p = box->palette();
    p.setColor(QPalette::Base,
               input ? QColor(255, 255, 255) : QApplication::palette().color(QPalette::Button));
    p.setColor(QPalette::Text,
               input ? QApplication::palette(box).color(QPalette::Text) : QColor(0, 70, 140));
    box->setPalette(p);
    QFont font = box->font();
    font.setItalic(!input);
    box->setFont(font);
}

// ---- Lists ---------------------------------------------------------------------------------

void MainWindow::clearCombo(QComboBox* list) {
    list->setCurrentIndex(-1);
    list->clearEditText();
}

void MainWindow::fluidChosen(bool internal) {
    QComboBox* pressures = combo(internal ? 4 : 5);
    const std::string fluid = combo(internal ? 1 : 2)->currentText().toStdString();
    pressures->clear();
    const auto tableFailed = [&](const std::string& cause) {
        // A name that names no file (not offered, or a table in neither folder): the cause
        // quotes it.
        QString table;
        try {
            table =
                "\"" + fromPath(fluidFile(state_.data.dataDir, fluid, state_.data.userDir)) + "\" ";
        } catch (const CalcError&) {
        }
        warn(this, "The property table " + table + "cannot be loaded.", fromText(cause));
    };
    try {
        if (internal)
            dbpropint(state_, fluid);
        else
            dbpropest(state_, fluid);
    } catch (const CalcError& e) {
        tableFailed(e.detail());
        return;
    } catch (...) {  // a fault outside the reader's checks: memory exhausted, say
        tableFailed(faultText());
        return;
    }
    // One entry per run of equal pressures, in table order.
    const std::vector<float>& p = (internal ? state_.internal : state_.external).table.P;
    // Each entry keeps the table's own text, which the case stores when it is picked.
    for (std::size_t i = 0; i < p.size(); ++i)
        if (i == 0 || p[i] != p[i - 1]) {
            const std::string table = formatSingle(p[i]);
            pressures->addItem(fromText(shownText(Quantity::Pressure, table, units_)),
                               fromText(table));
        }
    showInUnits(pressures, Quantity::Pressure, "1", units_);
}

// ---- The case and the calculation -----------------------------------------------------------

QString MainWindow::controlText(const CaseField& f) {
    if (f.inOptions) return optionsDialog()->boxText(f.control);
    const auto* control = findChild<QWidget*>(f.control);
    if (f.quantity == Quantity::Pressure)
        return pressureCaseText(qobject_cast<const QComboBox*>(control));
    return caseTextIn(control, f.quantity, units_);
}

void MainWindow::setControlText(const CaseField& f, const QString& text) {
    if (f.inOptions) return optionsDialog()->setBoxText(f.control, text);
    // A list's text only: the pressure list is not rebuilt.
    showInUnits(findChild<QWidget*>(f.control), f.quantity, text, units_);
}

QString MainWindow::pressureCaseText(const QComboBox* list) const {
    const QString text = caseTextIn(list, Quantity::Pressure, units_);
    if (units_.asCase()) return text;
    const auto typed = parseDouble(list->currentText().toStdString());
    for (int i = 0; typed && i < list->count(); ++i)
        if (parseDouble(list->itemText(i).toStdString()) == typed)
            return list->itemData(i).toString();
    return text;
}

int MainWindow::controlNumber(const char* name) {
    const std::string_view n(name);
    return std::atoi(name + n.find_first_of("0123456789"));
}

void MainWindow::clearCaseBoxes() {
    for (const CaseField& f : kCaseFields)
        if (auto* box = f.inOptions ? nullptr : findChild<QLineEdit*>(f.control)) box->clear();
}

CaseData MainWindow::caseFromControls() {
    CaseData c;
    for (const CaseField& f : kCaseFields) c.*f.text = controlText(f).toStdString();
    for (const CaseMode& m : kCaseModes) m.set(c, findChild<QRadioButton*>(m.option)->isChecked());
    c.dutyFrom = dutyFromControls();
    c.correlations = optionsDialog()->correlations();
    for (const DocumentField& d : kDocumentFields) c.*d.text = document_.*d.text;
    for (std::string CaseData::*text : kConstructionTexts) c.*text = document_.*text;
    c.propertiesPerHairpin = document_.propertiesPerHairpin;  // Case > Construction edits it
    return c;
}

void MainWindow::Command1_Click() {
    try {
        calculateCase();
    } catch (...) {
        // A fault outside the calculation (memory exhausted while the results are shown, say)
        // ends it like one inside.
        command1_->setText("Calculate");
        forgetLastCalculation();
        showStatus(notCalculatedLine(msg::kInvalidData, fromText(calculationFaultDetail())));
        warn(this, msg::kInvalidData, fromText(calculationFaultDetail()));
    }
}

void MainWindow::calculateCase() {
    command1_->setText("...Wait...");
    // Paint the caption before the calculation holds the thread; typing waits until after.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // The outputs of the modes are found afresh: those a failed calculation does not reach are
    // left empty rather than showing the last case's values beside this one's inputs.
    const CaseRun run = runCase(caseFromControls(), state_.data, {kChartProfileSteps, true});
    calculating_ = true;
    for (const CaseField& f : kCaseFields) {
        if (!f.found.mode || f.inOptions) continue;
        const QString value = fromText(run.solved.*f.text);
        if (controlText(f) != value) setControlText(f, value);
    }
    calculating_ = false;
    command1_->setText("Calculate");

    if (run.ok()) {
        keepLastCalculation(run);
        ResultsWindow* w = resultsWindow();
        w->Risultati(*run.out.results);
        w->setExtras(extrasOf(run));
        w->raise();
        if (profile_) profile_->setData(lastProfile_);
        showStatus(calculatedLine(*run.out.results, run.notes, units_));
    } else {
        forgetLastCalculation();
        showStatus(notCalculatedLine(fromText(run.out.message), fromText(run.out.detail)));
        warn(this, fromText(run.out.message), fromText(run.out.detail));
        focusField(run.out.field);
    }
}

void MainWindow::forgetLastCalculation() {
    lastRun_.reset();
    resultsOutOfDate_ = false;
    lastProfile_ = {};
    if (results_) {
        results_->clear();
        results_->hide();
    }
    if (profile_) profile_->setData(lastProfile_);
}

bool MainWindow::resultsBelongToCase() {
    if (!lastRun_ || !resultsOutOfDate_) return true;
    if (!askYesNo(this,
                  "The results shown belong to other inputs: the case has changed since it was "
                  "calculated.",
                  "Calculate the case first?"))
        return false;
    Command1_Click();
    return lastRun_ && !resultsOutOfDate_;
}

void MainWindow::focusField(const std::string& name) {
    const CaseField* f = caseFieldNamed(name);
    if (!f) return;
    // A box of the Options dialog: the dialog is opened as its button opens it.
    if (f->inOptions) Command2_Click();
    QWidget* window = f->inOptions ? static_cast<QWidget*>(optionsDialog()) : this;
    if (auto* box = window->findChild<QWidget*>(f->control)) box->setFocus(Qt::OtherFocusReason);
}

// ---- Secondary windows ----------------------------------------------------------------------

OptionsDialog* MainWindow::optionsDialog() {
    if (!options_) {
        // The main window's own dialog, which stays above it.
        options_ = new OptionsDialog(
            state_.data.dataDir, state_.data.userDir,
            [this] {
                return std::pair{combo(1)->currentText(), combo(2)->currentText()};
            },
            this);
        applyControlHints(options_);
        options_->showUnits(units_);
        readOnlyBoxesTakeClickFocus(options_);
        // The fouling factors and the hairpin length belong to the case, not to the dialog:
        // discarding the dialog keeps them, and the next one shows them again.
        for (const CaseField& f : kCaseFields)
            if (f.inOptions && optionTexts_.contains(f.control))
                options_->setBoxText(f.control, optionTexts_.value(f.control));
        options_->setCorrelations(optionCorrelations_);
        watchOptionsEdits();
        connect(options_, &OptionsDialog::userFluidImported, this, [this] {
            for (bool internal : {true, false})
                if (combo(internal ? 1 : 2)->currentText() == QLatin1String(kUserFluidName))
                    fluidChosen(internal);
        });
        connect(options_, &OptionsDialog::ownTableSaved, this, &MainWindow::ownTableSaved);
        connect(options_, &OptionsDialog::discarding, this, [this] {
            for (const CaseField& f : kCaseFields)
                if (f.inOptions) optionTexts_.insert(f.control, options_->boxText(f.control));
            optionCorrelations_ = options_->correlations();
        });
    }
    return options_;
}

ResultsWindow* MainWindow::resultsWindow() {
    if (!results_) {
        results_ = new ResultsWindow();
        openBeside(results_, this);
        connect(results_, &ResultsWindow::profileRequested, this,
                &MainWindow::mnuViewProfile_Click);
        // Closed from its frame, the window was discarded, not the calculation: made again, it
        // holds the last results, so that Print and Export report print them, not blanks.
        if (lastRun_) {
            results_->fill(*lastRun_->out.results);
            results_->setExtras(extrasOf(*lastRun_));
            results_->setOutOfDate(resultsOutOfDate_);
        }
        results_->setCopyGuard([this] { return resultsBelongToCase(); });
    }
    return results_;
}

HelpViewer* MainWindow::helpViewer() const {
    return help_;
}

ProfileWindow* MainWindow::profileWindow() const {
    return profile_;
}

DesignWindow* MainWindow::designWindow() const {
    return design_;
}

// ---- The views beyond the results ------------------------------------------------------------

void MainWindow::keepLastCalculation(const CaseRun& run) {
    const ResultsData& r = *run.out.results;
    lastRun_ = run;
    resultsOutOfDate_ = false;
    // Streams that touch leave the profile window saying there is none; the status line says
    // why.
    lastProfile_ = profileChartData(run.profile.value_or(TemperatureProfile{}), r, run.hairpins);
}

void MainWindow::mnuViewProfile_Click() {
    if (!profile_) {
        profile_ = new ProfileWindow();
        // Its "Close" hides it; closing it from the frame discards it.
        profile_->setAttribute(Qt::WA_DeleteOnClose);
        openBeside(profile_, this);
        profile_->setData(lastProfile_);
    }
    profile_->show();
    profile_->raise();
    profile_->activateWindow();
}

void MainWindow::Command2_Click() {
    OptionsDialog* d = optionsDialog();
    d->prepare();
    d->show();
    d->raise();
    d->activateWindow();
}

void MainWindow::mnuCaseConstruction_Click() {
    CaseData c = caseFromControls();
    if (!editConstruction(this, c)) return;
    // The leg length stays the Options dialog's box, which the case file's line 23 keeps.
    const CaseField& leg = *caseFieldNamed("hairpinLength");
    if (controlText(leg) != fromText(c.hairpinLength))
        setControlText(leg, fromText(c.hairpinLength));
    for (std::string CaseData::*text : kConstructionTexts) document_.*text = c.*text;
    document_.propertiesPerHairpin = c.propertiesPerHairpin;
    caseEdited();  // modified, the results out of date, the Options line anew
}

// The narrowest room, in pixels at 96 dpi, in which the Design window opens beside this one.
constexpr int kDesignBesideWidth = 1000;

void MainWindow::mnuCaseDesign_Click() {
    if (!design_) {
        design_ = new DesignWindow([this] { return caseFromControls(); }, state_.data,
                                   [this](const CaseData& c) { designPicked(c); });
        design_->setAttribute(Qt::WA_DeleteOnClose);  // a search running is cancelled first
        // Its form and its table want a wide window: beside the main window only where that
        // leaves them room, else over it, as large as the screen lets it be.
        const int room = screen()->availableGeometry().width() - frameGeometry().width();
        if (room >= kDesignBesideWidth * logicalDpiX() / 96) openBeside(design_, this);
    }
    design_->show();
    design_->raise();
    design_->activateWindow();
}

void MainWindow::designPicked(const CaseData& c) {
    showCase(c);  // with the construction it brings: branches and allowances, no hairpins fixed
    forgetLastCalculation();  // the results were another exchanger's
    caseEdited();
}

void MainWindow::mnuHelpIndex_Click() {
    if (!help_) {
        help_ = new HelpViewer();
        openBeside(help_, this);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::mnuHelpAbout_Click() {
    showMessage(this, {QMessageBox::Information, "About", aboutText(), {}});
}

void MainWindow::closeSecondaryWindows() {
    // Each is discarded when closed; none keeps the application alive.
    for (QWidget* w :
         {static_cast<QWidget*>(options_.data()), static_cast<QWidget*>(results_.data()),
          static_cast<QWidget*>(help_.data()), static_cast<QWidget*>(profile_.data()),
          static_cast<QWidget*>(design_.data())})
        if (w) w->close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!maySaveChanges()) return event->ignore();
    closeSecondaryWindows();
    event->accept();
}

// ---- New and Exit ---------------------------------------------------------------------------

void MainWindow::mnuNewFile_Click() {
    if (!maySaveChanges()) return;
    clearCaseBoxes();
    chooseOption(1);
    chooseOption(3);
    chooseOption(5);
    chooseOption(8);
    // The lists keep their entries, a pressure list built for an earlier fluid included.
    for (const CaseField& f : kCaseFields)
        if (auto* list = f.inOptions ? nullptr : findChild<QComboBox*>(f.control)) clearCombo(list);
    // A new case starts with the classic rules, whatever the last one used.
    optionCorrelations_ = CorrelationSet::Classic;
    if (options_) options_->setCorrelations(optionCorrelations_);
    caseFile_.clear();
    document_ = {};
    forgetLastCalculation();  // the last case's results belong to no box of the new one
    setWindowModified(false);
    updateTitle();
    showOptionsLine();
    // The Options values stay, as the line under the frames shows: said once, where the eye
    // goes after New; the next edit shows the modes again.
    showStatus("New case: the fouling factors and the hairpin length of Options carry over");
}

void MainWindow::mnuFileExit_Click() {
    if (close()) QCoreApplication::quit();  // not when the user kept the case to save it
}

}  // namespace zano
