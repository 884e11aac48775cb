#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <filesystem>
#include <optional>

#include "formats/results_export.h"
#include "formats/units.h"
#include "properties/calc_state.h"
#include "properties/fluid_table.h"
#include "properties/pipe_catalogue.h"
#include "records/case_data.h"
#include "records/case_outcome.h"
#include "shell/profile_window.h"
#include "shell/sweep_window.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QRadioButton;
class HelpViewer;
class ResultsWindow;
struct ReportTexts;

namespace zano {

class DesignWindow;
class OptionsDialog;
struct CaseField;
struct CaseRun;

// The main window (Form1): the case being edited, its modes, and the way to everything else.
// It owns the calculation state and the secondary windows, each created on first use.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // dataDir: the shipped tables; userDir: the user's own tables, listed after the sixteen
    // fluids (none when empty).
    explicit MainWindow(std::filesystem::path dataDir = QuestaDirectory() / "data",
                        std::filesystem::path userDir = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The case as the controls hold it; the fouling factors come from the options dialog.
    CaseData caseFromControls();
    // The texts the printed report copies from the three windows.
    ReportTexts reportTexts();

    // The secondary windows; the first two are created hidden when they do not exist, the
    // help viewer exists only after "Using ZANO".
    OptionsDialog* optionsDialog();
    ResultsWindow* resultsWindow();
    HelpViewer* helpViewer() const;
    // The profile window exists after View > Profile (or the results window's "Profile").
    ProfileWindow* profileWindow() const;
    // The design window exists after Case > Design… until it is closed.
    DesignWindow* designWindow() const;
    // The sweep window exists after Case > Sweep….
    SweepWindow* sweepWindow() const { return sweep_; }

    double layoutScale() const { return scale_; }

    // Opens the case file named on the command line ("zano CASE.zan"; a file: URL as well).
    void openFromCommandLine(const QString& argument);

  protected:
    // Closing the window asks first whether to save changes; Cancel keeps it open.
    void closeEvent(QCloseEvent* event) override;
    // A case file dropped on the window, over a box as well, is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Construction (main_window_layout.cpp).
    void buildControls();
    void connectCaptions();
    void buildMenus();
    // View > Units: the system and the decimal separator, kept with the user's settings.
    void buildUnitsMenu(QMenu* view);
    // Every box, list, caption and line shown again in the units now chosen; no value of the
    // case changes, and the case is not marked modified.
    void unitsChanged();
    void buildStatusBar();
    void applyLayout();
    // The standard pipe lists beside each pipe's diameter and thickness (main_window_pipes.cpp).
    void makePipeList(int side, QWidget* frame);
    void fillPipeLists();
    void pipePicked(int side, int index);  // fills the side's two boxes as typing would
    void showPipeOfBoxes(int side);        // the designation the boxes match, or the empty entry

    void Form_Load();
    QString caseName() const;  // the case file's name, "Untitled" for a new case
    // The title: the case file's name (or "Untitled") with the modified marker, then the
    // program's caption.
    void updateTitle();
    void caseEdited();
    void watchCaseEdits();  // the main window's controls; the Options dialog's when created
    void watchOptionsEdits();
    // Asks whether to save a modified case before it is replaced; false: the user cancelled, or
    // the save failed or was cancelled.
    bool maySaveChanges();
    // The case file now being edited became `name`, as saved or opened.
    void caseFileIs(const QString& name);
    // The status bar's line: the modes in force, or the outcome of the calculation just made.
    void showModeLine();
    void showStatus(const QString& line);
    // The line under the frames: the fouling factors, and the hairpin length and the refined
    // correlations where set, as the Options dialog holds them.
    void showOptionsLine();
    void chooseOption(int n);  // selects Option<n> and applies its mode effects
    void modeEffects(int n);
    // The capacity from the outlet given: open while an outlet temperature is given, off with
    // the length given; while on, that stream's mass flow box is an input and the capacity's an
    // output.
    void applyDutyMode();
    DutyFrom outletGivenStream() const;  // the stream whose outlet option is chosen, if any
    DutyFrom dutyFromControls() const;   // as the check box and the outlet options say
    void setInput(int textBox, bool input);
    void fluidChosen(bool internal);
    // A table of the user's own was saved as `name`: both fluid lists offer it, keeping their
    // texts, and a side that has it chosen reloads it (main_window_tables.cpp).
    void ownTableSaved(const QString& name);
    // The sixteen fluids, then the other tables of the data folder and the user's own.
    QStringList offeredFluidNames() const;
    // A fluid list's pop-up as wide as its longest name.
    void showWholeFluidNames(QComboBox* list);
    void clearCombo(QComboBox* combo);
    // The text of the control that edits a case field, in whichever window it stands.
    QString controlText(const CaseField& f);
    void setControlText(const CaseField& f, const QString& text);
    // A pressure list's text as the case stores it: a table pressure's own text where the text
    // shows that pressure to the digits listed (the calculation takes only a table's pressures).
    QString pressureCaseText(const QComboBox* list) const;
    void clearCaseBoxes();
    // The number of a control named by kind and number: 3 for "Option3".
    static int controlNumber(const char* name);

    void Command1_Click();
    void calculateCase();  // the work of Command1_Click, which reports a fault escaping it
    void Command2_Click();
    // Case > Construction…: the hairpins, branches and fittings, and the leg length of Options.
    void mnuCaseConstruction_Click();
    // Case > Design…: the design search around the case; a candidate picked there replaces the
    // case's pipes, sides and construction, as a case file opened would.
    void mnuCaseDesign_Click();
    void designPicked(const CaseData& c);
    // Case > Sweep…: the case over a range of one input (main_window_sweep.cpp).
    void mnuCaseSweep_Click();
    void mnuNewFile_Click();
    void mnuFileExit_Click();
    void mnuHelpIndex_Click();
    void mnuHelpAbout_Click();
    // Case files and the report (main_window_files.cpp).
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileOpen_Click();
    void mnuFilePrint_Click();
    void mnuFileExport_Click();
    // The printed page as a PDF file, without the print dialog.
    void mnuFileExportPdf_Click();
    void mnuFileProperties_Click();
    QString offeredPdfName() const;  // beside the case, under its name; none when Untitled
    // The work of the slots above; a fault outside their checks is reported by the slot.
    // The dialog offering `offered`, then the save; true when the case was saved.
    bool saveCase(const QString& offered);
    // Opens the named file, reporting why it cannot; true when it was opened. An untitled copy
    // (an example) keeps no link to the file, so that Save never writes it.
    bool openCaseNamed(const QString& name, bool untitledCopy = false);
    void openCaseFile(const std::filesystem::path& file);
    void showCase(const CaseData& c);  // every box, option and setting as the case has them
    // File > Open Example: the example cases installed beside the data folder, each opened as
    // an untitled copy, so that the installed file is never written.
    void buildExamplesMenu(QMenu* examples);
    // File > Open Recent, rebuilt from the settings whenever it is shown or changes.
    void rebuildRecentMenu();
    void openRecent(const QString& file);
    void clearRecent();
    // The one case file that a drag carries, if it carries one; empty otherwise.
    static QString droppedCaseFile(const QMimeData* data);
    // Takes a drag that carries a case file (as a copy); false, and left alone, otherwise.
    static bool acceptCaseDrag(QDropEvent* event);
    void exportResults(QString& name);  // sets the name once it is known
    static QString exportFailedText(const QString& name);
    // The views beyond the results.
    void mnuViewProfile_Click();
    void keepLastCalculation(const CaseRun& run);
    // After a failed calculation, New and Open nothing of the last one is shown, printed, copied
    // or exported.
    void forgetLastCalculation();
    // True when the results shown belong to the case in the window; otherwise asks whether to
    // calculate it first, and is true once that succeeded. Print, Export and Copy ask it.
    bool resultsBelongToCase();
    // Takes the user to the box of a case field named as kCaseFields names it, if any.
    void focusField(const std::string& name);

    void closeSecondaryWindows();

    QLineEdit* text(int n) const { return text_[n]; }
    QComboBox* combo(int n) const { return combo_[n]; }
    QRadioButton* option(int n) const { return option_[n]; }

    std::array<QLineEdit*, 13> text_{};      // Text1 ... Text12, by number
    std::array<QComboBox*, 6> combo_{};      // Combo1 ... Combo5
    std::array<QRadioButton*, 9> option_{};  // Option1 ... Option8
    std::array<QGroupBox*, 5> frame_{};      // Frame1 ... Frame4
    std::vector<QLabel*> labels_;
    // PipeList1 (internal) and PipeList2 (external) with their captions, by side; the catalogue
    // they list, read at start.
    std::array<QComboBox*, 3> pipeList_{};
    std::array<QLabel*, 3> pipeCaption_{};
    PipeCatalogue pipes_;
    QCheckBox* dutyBox_ = nullptr;  // DutyFromOutlet, under "Capacity"
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QLabel* optionsLine_ = nullptr;

    CalcState state_;
    QPointer<OptionsDialog> options_;
    QPointer<ResultsWindow> results_;
    QPointer<HelpViewer> help_;
    QPointer<ProfileWindow> profile_;
    QPointer<DesignWindow> design_;
    QPointer<SweepWindow> sweep_;

    // The last successful calculation, for the results and profile windows and the exports.
    std::optional<CaseRun> lastRun_;
    // The case was edited since the last results: they belong to other inputs.
    bool resultsOutOfDate_ = false;
    bool calculating_ = false;      // the calculation writes its values back into the boxes
    bool switchingUnits_ = false;   // the boxes are shown again in other units
    ProfileChartData lastProfile_;  // no points before a calculation, or when it has none
    QString lastExportName_;        // offered again by the next export
    QString lastFileName_;          // offered again by the next Open or Save
    QString caseFile_;              // the file of the case being edited; empty: Untitled
    CaseData document_;             // its document texts (File > Properties); nothing else
    QMenu* recentMenu_ = nullptr;
    // The case's texts of a discarded Options dialog, by box name, for the next one.
    QHash<QString, QString> optionTexts_;
    CorrelationSet optionCorrelations_ = CorrelationSet::Classic;  // likewise
    double scale_ = 1.0;
    Units units_;  // the units the boxes and captions show
};

}  // namespace zano
