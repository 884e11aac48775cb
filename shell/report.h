#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "records/case_data.h"

class QPageLayout;
class QWidget;
class ReportPrinter;

// Where a printed value is read, at the moment of printing: the box that edits a case field
// (main window or Options dialog), or a box of the results window.
struct ReportSource {
    std::string zano::CaseData::*field = nullptr;
    const char* resultsBox = nullptr;
};

struct ReportRow {
    const char* label;
    ReportSource internal, external;
};

// Lines 3 to 13: the two streams side by side (the material has no external value).
inline const std::array<ReportRow, 11> kReportStreamRows{{
    {"Outside diameter mm", {&zano::CaseData::deti}, {&zano::CaseData::dete}},
    {"Thickness mm", {&zano::CaseData::spi}, {&zano::CaseData::spe}},
    {"Material", {&zano::CaseData::mat}, {}},
    {"Fluid", {&zano::CaseData::intfluid}, {&zano::CaseData::estfluid}},
    {"Pressure", {&zano::CaseData::intpress}, {&zano::CaseData::estpress}},
    {"Inlet temp. °C", {&zano::CaseData::intTin}, {&zano::CaseData::estTin}},
    {"Outlet temp. °C", {&zano::CaseData::intTout}, {&zano::CaseData::estTout}},
    {"Mass flow kg/s", {&zano::CaseData::intPort}, {&zano::CaseData::estPort}},
    {"Velocity m/s", {nullptr, "Text17"}, {nullptr, "Text18"}},
    {"Pressure drop kPa", {nullptr, "Text19"}, {nullptr, "Text20"}},
    {"Fouling factor (m^2 K)/W", {&zano::CaseData::intSporc}, {&zano::CaseData::estSporc}},
}};

// Lines 15 to 18 in the exchanger column; the length is the main window's, as the calculation
// wrote it back. Line 19 is the caption of the configuration chosen in the main window.
inline const std::array<ReportRow, 4> kReportExchangerRows{{
    {"Capacity kW", {nullptr, "Text23"}, {}},
    {"Surface m^2", {nullptr, "Text24"}, {}},
    {"Lenght m", {&zano::CaseData::L}, {}},
    {"Heat transfer coefficient W/(m^2 K)", {nullptr, "Text26"}, {}},
}};

// The texts the one-page report prints, row by row, each exactly as its box shows it.
struct ReportTexts {
    std::array<QString, 11> internal, external;
    std::array<QString, 4> exchanger;
    QString configuration;  // "Countercurrent" or "Equicurrent"
    // Below line 19, as the results window's extension shows them: the correlation set, what
    // makes up U (caption with unit, internal, external), and the two lines on the other set.
    // Nothing is printed there while the set is empty.
    QString correlations = {};
    std::vector<std::array<QString, 3>> films = {};
    QString otherSet = {}, setsDiffer = {};
};

// File > Print: the print dialog, then the page. Cancel prints nothing and says nothing; a
// printer's failure aborts the job; a PDF file that cannot be written is reported naming it.
void printReportWithDialog(QWidget* parent, const ReportTexts& texts);

// The page printed without a dialog into a PDF file (A4), put in place like every save. False
// when the file could not be written; nothing of it is left.
bool printReportToPdf(const QString& path, const ReportTexts& texts);

// The page as a PDF file holds it; empty when it could not be composed.
QByteArray reportPdf(const ReportTexts& texts, const QPageLayout& layout);

// When set, File > Print prints on the printer it gives, without the print dialog.
std::function<ReportPrinter&()>& reportPrinterHook();

// The printer as the report drives it: a print position in centimetres from the top left of
// the printable area, moved by the report and advanced by each printed line.
class ReportPrinter {
  public:
    virtual ~ReportPrinter() = default;
    // The coordinate of the printable area's left edge; -9 puts x = 0 at 9 cm.
    virtual void setScaleLeft(double cm) = 0;
    virtual void setCurrentX(double cm) = 0;
    virtual void setCurrentY(double cm) = 0;
    virtual double currentY() const = 0;
    virtual void setFontSize(double points) = 0;
    // Prints one line with its top at the current y and its start at the current x, then moves
    // down one line height of the current font and back to x = 0.
    virtual void printLine(const QString& text) = 0;
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
