#pragma once

#include <QByteArray>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/construction_display.h"
#include "formats/hand_check_display.h"
#include "formats/results_display.h"
#include "records/case_data.h"
#include "records/case_fields.h"
#include "records/results_data.h"
#include "report/profile_chart.h"
#include "solver/case_run.h"

class QPaintDevice;

// The one-page report: the texts it prints, the page composed on a printer that is told where
// each line goes, and the page as a PDF file. The desktop program prints it from its windows,
// zano-calc --report from a case file; both go through printReport, so the page is the same.

// Where a printed value is read, at the moment of printing: the box that edits a case field
// (main window or Options dialog), or a box of the results window.
struct ReportSource {
    std::string zano::CaseData::*field = nullptr;
    const char* resultsBox = nullptr;
    // The case field that gives a results box's value in the modes where it is an input, not
    // found: the capacity with the length sought.
    std::string zano::CaseData::*givenAs = nullptr;
};

struct ReportRow {
    const char* label;  // with its SI unit, as the page prints it in SI
    ReportSource internal, external;
    zano::Quantity quantity = zano::Quantity::Text;  // of the unit that the label ends in
};

// Lines 3 to 13: the two streams side by side (the material has no external value).
inline const std::array<ReportRow, 11> kReportStreamRows{{
    {"Outside diameter mm", {&zano::CaseData::deti}, {&zano::CaseData::dete}, zano::Quantity::Size},
    {"Thickness mm", {&zano::CaseData::spi}, {&zano::CaseData::spe}, zano::Quantity::Size},
    {"Material", {&zano::CaseData::mat}, {}},
    {"Fluid", {&zano::CaseData::intfluid}, {&zano::CaseData::estfluid}},
    {"Pressure",
     {&zano::CaseData::intpress},
     {&zano::CaseData::estpress},
     zano::Quantity::Pressure},
    {"Inlet temp. °C",
     {&zano::CaseData::intTin},
     {&zano::CaseData::estTin},
     zano::Quantity::Temperature},
    {"Outlet temp. °C",
     {&zano::CaseData::intTout},
     {&zano::CaseData::estTout},
     zano::Quantity::Temperature},
    {"Mass flow kg/s",
     {&zano::CaseData::intPort},
     {&zano::CaseData::estPort},
     zano::Quantity::MassFlow},
    {"Velocity m/s", {nullptr, "Text17"}, {nullptr, "Text18"}, zano::Quantity::Velocity},
    {"Pressure drop kPa", {nullptr, "Text19"}, {nullptr, "Text20"}, zano::Quantity::PressureDrop},
    {"Fouling factor (m^2 K)/W",
     {&zano::CaseData::intSporc},
     {&zano::CaseData::estSporc},
     zano::Quantity::Fouling},
}};

// Lines 15 to 18 in the exchanger column; the length is the main window's, as the calculation
// wrote it back. Line 19 is the caption of the configuration chosen in the main window.
inline const std::array<ReportRow, 4> kReportExchangerRows{{
    {"Capacity kW", {nullptr, "Text23", &zano::CaseData::q}, {}, zano::Quantity::Capacity},
    {"Surface m^2", {nullptr, "Text24"}, {}, zano::Quantity::Area},
    {"Lenght m", {&zano::CaseData::L}, {}, zano::Quantity::Length},
    {"Heat transfer coefficient W/(m^2 K)", {nullptr, "Text26"}, {}, zano::Quantity::Coefficient},
}};

// The main window's captions of the two configurations, for line 19.
inline constexpr const char* kCountercurrentCaption = "Countercurrent";
inline constexpr const char* kEquicurrentCaption = "Equicurrent";

// The texts the one-page report prints, row by row, each exactly as its box shows it.
struct ReportTexts {
    std::array<QString, 11> internal, external;
    std::array<QString, 4> exchanger;
    QString configuration;  // "Countercurrent" or "Equicurrent"
    // The values the calculation found, row by row as above, printed in italics under a legend:
    // the results and the outputs of the case's modes that it wrote back. The rows below line
    // 19 are all found.
    std::array<bool, 11> internalFound = {}, externalFound = {};
    std::array<bool, 4> exchangerFound = {};
    // The case's document texts in the order of zano::kDocumentFields, printed at the page's
    // foot where any is set.
    std::array<QString, zano::kDocumentFields.size()> document = {};
    // Below line 19, as the results window's extension shows them: the correlation set, what
    // makes up U (caption with unit, internal, external), and the two lines on the other set.
    // Nothing is printed there while the set is empty.
    QString correlations = {};
    std::vector<std::array<QString, 3>> films = {};
    QString otherSet = {}, setsDiffer = {};
    // The design margins and the hairpins as the extension's boxes show them, in the order of
    // kExtraRows; a row whose box is empty (no hairpin length set) is left out.
    std::array<QString, 4> extras = {};
    // The hairpins as built (setConstruction): the exchanger's figures on one line, each
    // stream's rows (label with unit, internal, external); and the run's notes, "Note: ...".
    QString constructionLine = {};
    std::vector<std::array<QString, 3>> construction = {};
    QStringList notes = {};
    // The hand check (setHandCheck): the exchanger's figures on a line, then each stream's.
    QStringList handCheck = {};
    // The header above the title: the case file's name ("Untitled" for a new case) and the
    // date of printing.
    QString caseName = {}, printedOn = {};
    // The temperature profile of the last calculation, drawn below the texts; none without
    // points (streams that touch).
    ProfileChartData profile = {};
    // The units the texts are in: the labels' units follow them, and in US customary units the
    // page says so. The chart is drawn in them too.
    zano::Units units = {};
};

// A row's label as the page prints it in the units chosen: "Outside diameter in", "Pressure
// psia" (the SI label has no unit there); in SI exactly as the row has it.
QString reportRowLabel(const ReportRow& row, zano::UnitSystem system);
// The line that names the system of a page in US customary units; empty in SI.
QString reportUnitsLine(zano::UnitSystem system);

// A row's label as the page prints it: the caption, then its unit if it has one.
QString reportLabel(const char* caption, const char* unit);

// The construction's figures that a design is checked by, from the rows the results window's
// fold shows (their texts as shown; empty where the run has none): the branches, over-surface,
// rated capacity and F on one line, each stream's outlet as built and pressure drop as built
// over its allowance in the streams' columns. The parts of the pressure drop stay in the
// results window and the exports, so that the profile keeps its room on the page.
void setConstruction(ReportTexts& t, const std::vector<zano::ConstructionRow>& rows);

// The hand check compactly, from the rows the results window's fold shows (their texts as
// shown; empty without one), in the symbols of the textbooks: the exchanger's figures with the
// capacity rates on one line, the streams' properties (internal / external) on one more.
void setHandCheck(ReportTexts& t, const std::vector<zano::HandCheckRow>& rows);

// Lines 3 to 18 read from their sources, each by `read`: the case's boxes or fields, the
// results' boxes.
void readReportRows(ReportTexts& texts, const std::function<QString(const ReportSource&)>& read);

// What the page takes from the case besides its texts: which of them the calculation found in
// the case's modes, and the document texts.
void readCaseMarks(ReportTexts& texts, const zano::CaseData& c);

// The texts of a case as the windows show them after its calculation: `c` with the values the
// calculation wrote back, `r` and `x` what it gave, `profile` its temperature profile
// (kChartProfileSteps steps). The date is reportDateText()'s. In the units chosen.
ReportTexts caseReportTexts(const zano::CaseData& c, const zano::ResultsData& r,
                            const zano::ResultsExtras& x, const zano::TemperatureProfile& profile,
                            const QString& caseName, const zano::Units& units = {});

// The texts of a case run, with the profile it was asked for (kChartProfileSteps steps) and
// the other correlation set's figures; null when the case ended in a message.
std::optional<ReportTexts> calculatedReportTexts(const zano::CaseRun& run, const QString& caseName,
                                                 const zano::Units& units = {});

// The date of printing as the header shows it, 2026-12-07: today's, or for a reproducible
// page the one of SOURCE_DATE_EPOCH (seconds since 1970, UTC) when it is set.
QString reportDateText();

// The printer as the report drives it: a print position in centimetres from the top left of
// the printable area, moved by the report and advanced by each printed line.
class ReportPrinter {
  public:
    virtual ~ReportPrinter() = default;
    // The printable area's width and height in cm.
    virtual QSizeF areaCm() const = 0;
    // The coordinate of the printable area's left edge; -9 puts x = 0 at 9 cm.
    virtual void setScaleLeft(double cm) = 0;
    virtual void setCurrentX(double cm) = 0;
    virtual void setCurrentY(double cm) = 0;
    virtual double currentY() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setItalic(bool italic) = 0;
    // The width of a text, and the height of a line, in the current font.
    virtual double textWidthCm(const QString& text) const = 0;
    virtual double lineHeightCm() const = 0;
    // Prints one line with its top at the current y and its start at the current x, then moves
    // down one line height of the current font and back to x = 0.
    virtual void printLine(const QString& text) = 0;
    // Draws the profile chart `widthCm` x `heightCm` with its top left corner at the current
    // position, then moves below it and back to x = 0.
    virtual void drawChart(const ProfileChartData& chart, double widthCm, double heightCm) = 0;
    // Sends the page.
    virtual void endDocument() = 0;
    // Cancels an unfinished job; nothing of it is printed.
    virtual void abortDocument() = 0;
};

// Thrown by a printer operation that fails.
class ReportPrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Prints the page on the printer and ends the document. At the first failing operation the
// job is aborted and false returned; any other exception aborts it too and goes on to the caller.
bool printReport(ReportPrinter& printer, const ReportTexts& texts);

// The report on a paint device (a printer, a PDF writer) of `resolution` dots per inch, whose
// size is the printable area. The page is composed first and drawn at the end of the document,
// so a report that fails half-way never reaches the device as half a page.
class PaintReportPrinter : public ReportPrinter {
  public:
    PaintReportPrinter(QPaintDevice& device, int resolution);

    QSizeF areaCm() const override;
    void setScaleLeft(double cm) override { scaleLeft_ = cm; }
    void setCurrentX(double cm) override { x_ = cm; }
    void setCurrentY(double cm) override { y_ = cm; }
    double currentY() const override { return y_; }
    void setFontSize(double points) override;
    void setItalic(bool italic) override { font_.setItalic(italic); }
    double textWidthCm(const QString& text) const override;
    double lineHeightCm() const override;
    void printLine(const QString& text) override;
    void drawChart(const ProfileChartData& chart, double widthCm, double heightCm) override;
    void endDocument() override;
    void abortDocument() override;

  protected:
    // Whether the device reported an error while the page was drawn.
    virtual bool deviceFailed() const { return false; }
    // Cancels the device's job after a failure.
    virtual void cancelDevice() {}

  private:
    struct Item {
        QString text;
        double xCm, yCm;
        QFont font;
        ProfileChartData chart = {};  // drawn when it has points
        double widthCm = 0, heightCm = 0;
    };
    double device(double cm) const;
    void draw(QPainter& painter, const Item& item) const;

    QPaintDevice& device_;
    int resolution_;
    QPainter painter_;
    QFont font_;  // the application's font face, as the printer's current font
    std::vector<Item> items_;
    double scaleLeft_ = 0, x_ = 0, y_ = 0;
};

// A4 portrait with no margins: the page of a PDF file.
QPageLayout a4ReportLayout();

// The page as a PDF file holds it; empty when it could not be composed.
QByteArray reportPdf(const ReportTexts& texts, const QPageLayout& layout = a4ReportLayout());

// The page composed whole and put in place like every save (Qt's own PDF output would write
// into the file as it goes). Empty when the file is written; otherwise why not, a sentence.
QString writeReportPdf(const QString& path, const ReportTexts& texts,
                       const QPageLayout& layout = a4ReportLayout());
