// Case files, the printed report and the export of the results of the main window.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QSaveFile>

#include "formats/case_file.h"
#include "formats/results_export.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/report.h"
#include "shell/results_window.h"
#include "shell/user_prompts.h"

namespace zano {
namespace {

const QString kCsvFilter = QStringLiteral("CSV file (*.csv)");
const QString kJsonFilter = QStringLiteral("JSON file (*.json)");

std::filesystem::path toPath(const QString& name) {
#ifdef _WIN32
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

}  // namespace

void MainWindow::mnuFileSave_Click() {
    const QString name = askCaseFileName(this, true, lastFileName_);
    if (name.isEmpty()) return;  // Cancel
    lastFileName_ = name;
    try {
        saveCaseFile(toPath(name), caseFromControls());
    } catch (const std::exception& e) {  // CaseFileError, or a file system fault
        warn(this, QString::fromStdString(e.what()));
    }
}

void MainWindow::mnuFileOpen_Click() {
    const QString name = askCaseFileName(this, false, lastFileName_);
    if (name.isEmpty()) return;  // Cancel
    lastFileName_ = name;
    CaseData c;
    try {
        c = loadCaseFile(toPath(name));  // the whole file is checked before anything changes
    } catch (const std::exception& e) {  // CaseFileError, or a file system fault
        warn(this, QString::fromStdString(e.what()));
        return;
    }

    const auto set = [](QLineEdit* box, const std::string& s) {
        box->setText(QString::fromStdString(s));
    };
    const auto setList = [](QComboBox* list, const std::string& s) {
        list->setEditText(QString::fromStdString(s));  // the pressure lists are not rebuilt
    };
    set(text(1), c.deti);
    set(text(2), c.spi);
    set(text(4), c.dete);
    set(text(5), c.spe);
    set(text(6), c.intTin);
    set(text(7), c.intTout);
    set(text(8), c.intPort);
    set(text(9), c.estTin);
    set(text(10), c.estTout);
    set(text(11), c.estPort);
    set(text(12), c.L);
    setList(combo(1), c.intfluid);
    setList(combo(2), c.estfluid);
    setList(combo(3), c.mat);
    // An option read as true is chosen here with its effects; one read as false is replaced
    // by its partner below. The external outlet mode is not stored and stays as it was.
    const bool countercurrent = c.controequi == "contro";
    if (c.intToutGiven) chooseOption(3);
    if (countercurrent) chooseOption(1);
    optionsDialog()->setFouling(QString::fromStdString(c.intSporc),
                                QString::fromStdString(c.estSporc));
    optionsDialog()->setHairpinLength(QString::fromStdString(c.hairpinLength));  // 22 lines: none
    setList(combo(4), c.intpress);
    setList(combo(5), c.estpress);
    set(text(3), c.q);
    if (c.LGiven) chooseOption(5);
    if (!c.intToutGiven) chooseOption(4);
    if (!countercurrent) chooseOption(2);
    if (!c.LGiven) chooseOption(6);
}

ReportTexts MainWindow::reportTexts() {
    ReportTexts t;
    t.intDe = text(1)->text();
    t.estDe = text(4)->text();
    t.intThickness = text(2)->text();
    t.estThickness = text(5)->text();
    t.material = combo(3)->currentText();
    t.intFluid = combo(1)->currentText();
    t.estFluid = combo(2)->currentText();
    t.intPressure = combo(4)->currentText();
    t.estPressure = combo(5)->currentText();
    t.intTin = text(6)->text();
    t.estTin = text(9)->text();
    t.intTout = text(7)->text();
    t.estTout = text(10)->text();
    t.intPort = text(8)->text();
    t.estPort = text(11)->text();
    t.length = text(12)->text();
    t.configuration = option(1)->isChecked() ? option(1)->text() : option(2)->text();

    const ResultsWindow* r = resultsWindow();
    t.intVel = r->boxText("Text17");
    t.estVel = r->boxText("Text18");
    t.intDeltaP = r->boxText("Text19");
    t.estDeltaP = r->boxText("Text20");
    t.capacity = r->boxText("Text23");
    t.surface = r->boxText("Text24");
    t.coefficient = r->boxText("Text26");

    const OptionsDialog* o = optionsDialog();
    t.intFouling = o->intFouling();
    t.estFouling = o->estFouling();
    return t;
}

void MainWindow::mnuFilePrint_Click() {
    printReportWithDialog(this, reportTexts());
}

void MainWindow::mnuFileExport_Click() {
    if (!lastResults_) {
        warn(this, "There are no results to export yet: calculate a case first.");
        return;
    }
    const SaveAnswer answer =
        askSaveFileName(this, "Export results", {kCsvFilter, kJsonFilter}, lastExportName_);
    if (answer.name.isEmpty()) return;  // Cancel
    // The filter chosen decides the format; without one, the name's suffix does.
    const bool json =
        answer.filter == kJsonFilter ||
        (answer.filter != kCsvFilter && answer.name.endsWith(".json", Qt::CaseInsensitive));
    const QString name = withFilterSuffix(answer.name, json ? kJsonFilter : kCsvFilter);
    lastExportName_ = name;
    const std::string bytes = json ? resultsJson(*lastResults_, lastExtras_) + "\n"
                                   : resultsCsv(*lastResults_, lastExtras_);

    // Written aside and put in place whole: a failed export leaves an older file intact.
    QSaveFile file(name);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size ||
        !file.commit())
        warn(this,
             "The results could not be written to \"" + QDir::toNativeSeparators(name) + "\".",
             file.errorString());
}

}  // namespace zano
