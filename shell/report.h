#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

class QWidget;

// The texts the one-page report prints, each exactly as its box shows it at that moment.
struct ReportTexts {
    // Main window.
    QString intDe, estDe;                // Text1, Text4
    QString intThickness, estThickness;  // Text2, Text5
    QString material;                    // Combo3
    QString intFluid, estFluid;          // Combo1, Combo2
    QString intPressure, estPressure;    // Combo4, Combo5
    QString intTin, estTin;              // Text6, Text9
    QString intTout, estTout;            // Text7, Text10
    QString intPort, estPort;            // Text8, Text11
    QString length;                      // Text12
    QString configuration;  // caption of the selected option: "Countercurrent" or "Equicurrent"
    // Results window.
    QString intVel, estVel;                  // Text17, Text18
    QString intDeltaP, estDeltaP;            // Text19, Text20
    QString capacity, surface, coefficient;  // Text23, Text24, Text26
    // Options dialog.
    QString intFouling, estFouling;  // Text1, Text2
};

// File > Print: the print dialog, then the page. Cancel prints nothing and says nothing; a
// failure aborts the job.
void printReportWithDialog(QWidget* parent, const ReportTexts& texts);

// The page printed without a dialog into a PDF file (A4). False when the file could not be
// written; an unfinished file is removed.
bool printReportToPdf(const QString& path, const ReportTexts& texts);

// The printer as the report drives it: a print position in centimetres from the top left of
// the printable area, moved by the report and advanced by each printed line.
class ReportPrinter {
  public:
    virtual ~ReportPrinter() = default;
    // The coordinate of the printable area's left edge; -9 puts x = 0 at 9 cm.
    virtual void setScaleLeft(double cm) = 0;
    virtual void setCurrentX(double cm) = 0;
    virtual void setCurrentY(double cm) = 0;
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
// job is aborted and false returned.
bool printReport(ReportPrinter& printer, const ReportTexts& texts);

// A printer that only records what would be printed, each line with its position and size.
class RecordingReportPrinter : public ReportPrinter {
  public:
    struct Line {
        QString text;
        double xCm, yCm;  // start and top of the line on the printable area
        double points;
    };
    // Line height in cm per point of font size; a 10-point line is 10 times this high.
    static constexpr double kLineHeightPerPoint = 1.2 * 2.54 / 72;

    // The n-th printed line (from 1) fails, as a printer error would; 0 never fails.
    void failAtLine(int n) { failAt_ = n; }

    void setScaleLeft(double cm) override { scaleLeft_ = cm; }
    void setCurrentX(double cm) override { x_ = cm; }
    void setCurrentY(double cm) override { y_ = cm; }
    void setFontSize(double points) override { points_ = points; }
    void printLine(const QString& text) override;
    void endDocument() override { ended_ = true; }
    void abortDocument() override { aborted_ = true; }

    const std::vector<Line>& lines() const { return lines_; }
    bool ended() const { return ended_; }
    bool aborted() const { return aborted_; }

  private:
    std::vector<Line> lines_;
    double scaleLeft_ = 0, x_ = 0, y_ = 0, points_ = 10;
    int failAt_ = 0;
    bool ended_ = false, aborted_ = false;
};
