// Case files, the printed report and the export of the results of the main window.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>

#include "base/faults.h"
#include "formats/case_file.h"
#include "formats/result_schema.h"
#include "formats/results_export.h"
#include "records/case_fields.h"
#include "report/export_file.h"
#include "shell/document_dialog.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/recent_files.h"
#include "shell/report.h"
#include "shell/results_window.h"
#include "shell/unit_boxes.h"
#include "shell/user_prompts.h"

namespace zano {
namespace {

const QString kCsvFilter = QStringLiteral("CSV file (*.csv)");
const QString kJsonFilter = QStringLiteral("JSON file (*.json)");
const QString kPdfFilter = QStringLiteral("PDF file (*.pdf)");

QString fromText(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

void MainWindow::mnuFileSave_Click() {
    saveCase(lastFileName_);
}

void MainWindow::mnuFileSaveAs_Click() {
    // A new name, in the folder of the last case.
    saveCase(lastFileName_.isEmpty() ? QString() : QFileInfo(lastFileName_).path() + '/');
}

bool MainWindow::saveCase(const QString& offered) {
    QString name;
    try {
        name = askCaseFileName(this, true, offered);
        if (name.isEmpty()) return false;  // Cancel
        saveCaseFile(toPath(name), caseFromControls());
        // Only a folder where a case was saved is offered again: a refused one may be a place
        // (a device or /proc) that a file dialog cannot even list.
        caseFileIs(name);
        return true;
    } catch (const CaseFileError& e) {
        warn(this, fromText(e.what()));
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, fromText(caseFileFaultMessage(toPath(name), true)));
    }
    return false;
}

void MainWindow::mnuFileOpen_Click() {
    if (!maySaveChanges()) return;
    const QString name = askCaseFileName(this, false, lastFileName_);
    if (!name.isEmpty()) openCaseNamed(name);  // empty: Cancel
}

bool MainWindow::openCaseNamed(const QString& name, bool untitledCopy) {
    try {
        openCaseFile(toPath(name));
    } catch (const CaseFileError& e) {
        warn(this, fromText(e.what()));
        return false;
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, fromText(caseFileFaultMessage(toPath(name), false)));
        return false;
    }
    if (untitledCopy) {
        // Save asks for a name, offered in the user's own folder.
        caseFile_.clear();
        lastFileName_ = QDir::home().filePath(QFileInfo(name).fileName());
        setWindowModified(false);
        updateTitle();
    } else {
        caseFileIs(name);  // as for Save: only once it was read
    }
    // The results shown were another case's (or this one's as it was before): a page must
    // never put them beside these inputs.
    forgetLastCalculation();
    showModeLine();
    return true;
}

void MainWindow::buildExamplesMenu(QMenu* examples) {
    const QDir folder(
        QString::fromStdU16String((state_.data.dataDir.parent_path() / "examples").u16string()));
    const QStringList files = folder.entryList({"*.zan"}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i < files.size(); ++i) {
        QAction* entry = examples->addAction(QFileInfo(files[i]).completeBaseName());
        entry->setObjectName(QString("mnuFileExample%1").arg(i + 1));
        const QString file = folder.filePath(files[i]);
        connect(entry, &QAction::triggered, this, [this, file] {
            if (maySaveChanges()) openCaseNamed(file, true);
        });
    }
    examples->menuAction()->setEnabled(!files.isEmpty());
}

void MainWindow::rebuildRecentMenu() {
    // Removed later, not now: the entry being chosen may be among them.
    for (QAction* a : recentMenu_->actions()) {
        recentMenu_->removeAction(a);
        a->setObjectName({});
        a->deleteLater();
    }
    const QStringList files = recentFiles();
    QStringList names;
    for (const QString& f : files) names << QFileInfo(f).fileName();
    for (qsizetype i = 0; i < files.size(); ++i) {
        // Cases of one name in two folders are told apart by their folder.
        QString label = names[i];
        if (names.count(names[i]) > 1)
            label += " (" + QDir::toNativeSeparators(QFileInfo(files[i]).path()) + ")";
        QAction* entry =
            recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(label.replace('&', "&&")));
        entry->setObjectName(QString("mnuFileRecent%1").arg(i + 1));
        entry->setStatusTip(QDir::toNativeSeparators(files[i]));
        connect(entry, &QAction::triggered, this, [this, file = files[i]] { openRecent(file); });
    }
    recentMenu_->addSeparator()->setObjectName("mnuFileRecentHyphen");
    QAction* clear = recentMenu_->addAction("&Clear list");
    clear->setObjectName("mnuFileRecentClear");
    connect(clear, &QAction::triggered, this, &MainWindow::clearRecent);
    recentMenu_->menuAction()->setEnabled(!files.isEmpty());
    clear->setEnabled(!files.isEmpty());
}

void MainWindow::openRecent(const QString& file) {
    if (!QFileInfo(file).isFile()) {
        removeRecentFile(file);
        rebuildRecentMenu();
        warn(this, "\"" + QDir::toNativeSeparators(file) +
                       "\" no longer exists; it is removed from the recent files.");
        return;
    }
    if (maySaveChanges()) openCaseNamed(file);
}

void MainWindow::clearRecent() {
    clearRecentFiles();
    rebuildRecentMenu();
}

void MainWindow::openCaseFile(const std::filesystem::path& file) {
    showCase(loadCaseFile(file));  // the whole file is checked before anything changes
}

void MainWindow::showCase(const CaseData& c) {
    // In the order of the file: an option read as true is chosen there with its effects, one
    // read as false is replaced by its partner after the last line. Then the external outlet
    // mode, a setting of the file (the mass flow given unless it says otherwise), where the
    // internal mode leaves the choice open.
    for (const CaseLine& line : caseFileLayout()) {
        if (line.field)
            setControlText(*line.field, QString::fromStdString(c.*line.field->text));
        else if (line.mode->get(c))
            chooseOption(controlNumber(line.mode->option));
    }
    for (const CaseMode& m : kCaseModes)
        if (m.line > 0 && !m.get(c)) chooseOption(controlNumber(m.partner));
    for (const CaseMode& m : kCaseModes)
        if (m.line == 0 && findChild<QRadioButton*>(m.option)->isEnabled())
            chooseOption(controlNumber(m.get(c) ? m.option : m.partner));
    // The duty from a stream last: its outlet option emptied its mass flow, given beside it.
    dutyBox_->setChecked(c.dutyFrom != DutyFrom::None);
    applyDutyMode();
    if (c.dutyFrom != DutyFrom::None) {
        const CaseField& flow = *caseFieldOf(c.dutyFrom == DutyFrom::Internal ? &CaseData::intPort
                                                                              : &CaseData::estPort);
        setControlText(flow, QString::fromStdString(c.*flow.text));
    }
    optionsDialog()->setCorrelations(c.correlations);
    document_ = c;
    showOptionsLine();  // with what the file sets beyond the boxes
}

ReportTexts MainWindow::reportTexts() {
    // The page copies the windows' texts as they show them, in the user's units. Its captions
    // follow once report_page takes the units (`currentUnits()`, to pass with these texts).
    const auto read = [this](const ReportSource& source) {
        if (const CaseField* f = source.field ? caseFieldOf(source.field) : nullptr)
            return boxText(f->inOptions ? optionsDialog()->findChild<QWidget*>(f->control)
                                        : findChild<QWidget*>(f->control));
        return source.resultsBox ? resultsWindow()->boxText(source.resultsBox) : QString();
    };
    ReportTexts t;
    readReportRows(t, read);
    readCaseMarks(t, caseFromControls());
    t.configuration = option(1)->isChecked() ? option(1)->text() : option(2)->text();
    resultsWindow()->addToReport(t);
    t.configuration.remove('&');  // the caption without the mark of its underlined letter
    t.caseName = caseName();
    t.printedOn = reportDateText();
    t.profile = lastProfile_;
    return t;
}

void MainWindow::mnuFilePrint_Click() {
    // A report without results would be a form with blanks where the numbers belong.
    if (!lastRun_) {
        warn(this, "There are no results to print yet: calculate the case first.");
        return;
    }
    if (!resultsBelongToCase()) return;
    try {
        printReportWithDialog(this, reportTexts(), offeredPdfName());
    } catch (...) {  // the job was cancelled; a printer's own failure is not reported here
        warn(this, "The report could not be printed.", fromText(faultText()));
    }
}

void MainWindow::mnuFileExportPdf_Click() {
    if (!lastRun_) {
        warn(this, "There are no results to export yet: calculate the case first.");
        return;
    }
    if (!resultsBelongToCase()) return;
    QString name;
    const auto failed = [&name] {
        return "The report could not be written to \"" + QDir::toNativeSeparators(name) + "\".";
    };
    try {
        const SaveAnswer answer =
            askSaveFileName(this, "Export report as PDF", {kPdfFilter}, offeredPdfName());
        if (answer.name.isEmpty()) return;  // Cancel
        name = withFilterSuffix(answer.name, kPdfFilter);
        const QString why = writeReportPdf(name, reportTexts());
        if (!why.isEmpty()) warn(this, failed(), why);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, name.isEmpty() ? QString("The report could not be exported.") : failed(),
             fromText(faultText()));
    }
}

QString MainWindow::offeredPdfName() const {
    const QFileInfo file(caseFile_);
    return caseFile_.isEmpty() ? QString() : file.dir().filePath(file.completeBaseName() + ".pdf");
}

void MainWindow::mnuFileProperties_Click() {
    // Not an input of the calculation: the results stay the case's.
    if (editDocument(this, document_)) setWindowModified(true);
}

void MainWindow::mnuFileExport_Click() {
    QString name;
    try {
        exportResults(name);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(
            this,
            name.isEmpty() ? QString("The results could not be exported.") : exportFailedText(name),
            fromText(faultText()));
    }
}

QString MainWindow::exportFailedText(const QString& name) {
    return "The results could not be written to \"" + QDir::toNativeSeparators(name) + "\".";
}

void MainWindow::exportResults(QString& name) {
    if (!lastRun_) {
        warn(this, "There are no results to export yet: calculate a case first.");
        return;
    }
    if (!resultsBelongToCase()) return;
    // The case's name in its folder, as the report's export offers it; an untitled case, the
    // last export's name.
    const QFileInfo file(caseFile_);
    const QString offered = caseFile_.isEmpty()
                                ? lastExportName_
                                : file.dir().filePath(file.completeBaseName() + ".csv");
    const SaveAnswer answer =
        askSaveFileName(this, "Export results", {kCsvFilter, kJsonFilter}, offered);
    if (answer.name.isEmpty()) return;  // Cancel
    // The filter chosen decides the format; without one, the name's suffix does.
    const bool json =
        answer.filter == kJsonFilter ||
        (answer.filter != kCsvFilter && answer.name.endsWith(".json", Qt::CaseInsensitive));
    name = withFilterSuffix(answer.name, json ? kJsonFilter : kCsvFilter);
    // What zano-calc --films writes for the case: the breakdown of U and the other set beside
    // the results.
    const ExportParts parts{true, true, false};
    const std::string bytes = json ? caseJson(*lastRun_, parts) : caseCsv(*lastRun_, parts, true);
    const QString why = writeExportFile(name, QByteArray::fromStdString(bytes));
    if (!why.isEmpty()) return warn(this, exportFailedText(name), why);
    lastExportName_ = name;  // offered again only where an export succeeded
}

}  // namespace zano
