#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "formats/hand_check_display.h"
#include "formats/results_display.h"
#include "records/results_data.h"
#include "shell/twip_layout.h"

class QCloseEvent;
struct ReportTexts;
class QPushButton;

// The results window (Form3): the last calculation's results, one box per quantity.
class ResultsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ResultsWindow(QWidget* parent = nullptr);

    // Writes all 28 boxes from the record, each with its own conversion, then shows the window
    // without blocking.
    void Risultati(const zano::ResultsData& r);

    // The boxes written as Risultati writes them, the window left as it is (hidden).
    void fill(const zano::ResultsData& r);

    // Empties every box and disables Copy: the results of a calculation the case no longer has.
    void clear();

    // Marks the results shown as belonging to other inputs than the case's (the case was edited
    // since); showing new results or clearing them removes the mark.
    void setOutOfDate(bool outOfDate);
    bool outOfDate() const { return outOfDate_; }
    // Asked before Copy while the results are out of date; Copy goes on when it returns true
    // (having calculated the case afresh, say).
    void setCopyGuard(std::function<bool()> guard) { copyGuard_ = std::move(guard); }

    // The text a box shows ("Text1" ... "Text28", and the extension's "CleanCoefficient",
    // "FoulingAllowance", "Hairpins", "LengthProvided"); empty before the first results.
    QString boxText(const QString& boxName) const;

    // The extension below the original controls: the design margins and the hairpins of the
    // results last shown. Risultati empties it; the caller passes the extras right after.
    void setExtras(const zano::ResultsExtras& extras);

    // The extension's design margins, hairpins, notes, construction rows, correlation set, film
    // rows and lines on the other set, as shown, into the report's texts.
    void addToReport(ReportTexts& texts) const;

    // The factor by which the twip layout was enlarged so that every caption and box fits the
    // current font (1 when the layout fits as drawn).
    double layoutScale() const { return scale_; }

  signals:
    // "Profile" pressed: the owner shows the temperature profile of the last calculation.
    void profileRequested();

  protected:
    // Closing from the frame discards the window with its contents; "Close" only hides it.
    void closeEvent(QCloseEvent* event) override;

  private:
    void place(QWidget* w, int left, int top, int width, int height);
    void buildOutOfDateLine();
    void buildRows();  // the rows of results, each with its caption, unit and boxes
    void buildExtension();
    void buildFilmRows(QWidget* area);
    void buildExtensionButtons(QWidget* area);
    // The run's notes and the hairpins as built (the "Construction" fold), between the hairpin
    // rows and the correlation set; shown only when the results have them.
    void buildConstruction(QWidget* area);
    std::vector<QWidget*> foldRow(QWidget* area, const QString& name, const char* caption,
                                  const char* unit, bool eachStream);
    // The figures of a hand check (the "Hand check" fold, folded at first) below the
    // construction; shown only when the results have them.
    void buildHandCheck(QWidget* area);
    int placeHandCheck(std::vector<zano::TwipPlace>& moved, int top);
    void showHandCheck(const zano::ResultsExtras& extras);
    std::vector<zano::HandCheckRow> handCheckShown() const;  // as the boxes show them
    // A heading button that folds the rows below it away and unfolds them (arrange()).
    class QToolButton* makeFold(QWidget* area, const char* name, const char* text);
    // Places the extension's parts for what the results hold and what is unfolded (the
    // construction rows, the film rows), and fits the window to them.
    void arrange();
    // The notes and the fold among `moved`; the height they take, twips.
    int placeConstruction(std::vector<zano::TwipPlace>& moved);
    // The run's notes and the construction's figures into their rows; the empty rows hidden.
    void showConstruction(const zano::ResultsExtras& extras);
    double scaleForContents() const;
    // The unit captions and the texts of the results shown, in the units the user chose; again
    // when the choice changes.
    void showUnits();
    void showUnitCaption(const QString& name, const char* unit);
    void setBox(const zano::DisplayBox& box);
    void copyResults();

    std::vector<zano::TwipPlace> places_;
    std::optional<zano::ResultsData> results_;  // what Copy puts on the clipboard
    zano::ResultsExtras extras_;
    QPushButton* copy_ = nullptr;
    class QToolButton* breakdown_ = nullptr;
    class QToolButton* construction_ = nullptr;
    class QLabel* notes_ = nullptr;
    // Each construction row's caption, unit and boxes, in the order of constructionRows.
    std::vector<std::vector<QWidget*>> constructionRows_;
    std::vector<bool> constructionShown_;  // the rows the last results have figures for
    class QToolButton* handCheck_ = nullptr;
    std::vector<std::vector<QWidget*>> handCheckRows_;  // in the order of handCheckRows
    int noteCount_ = 0;
    bool outOfDate_ = false;
    std::function<bool()> copyGuard_;
    double scale_ = 1.0;
};
