#include "shell/report.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <vector>

namespace {

constexpr double kCmPerInch = 2.54;

// The report on a Qt printer. The page is composed first and handed to the printer at the end
// of the document, so a report that fails half-way never reaches the printer as half a page.
class QtReportPrinter final : public ReportPrinter {
  public:
    explicit QtReportPrinter(QPrinter& printer) : printer_(printer) {}

    void setScaleLeft(double cm) override { scaleLeft_ = cm; }
    void setCurrentX(double cm) override { x_ = cm; }
    void setCurrentY(double cm) override { y_ = cm; }
    void setFontSize(double points) override { font_.setPointSizeF(points); }

    void printLine(const QString& text) override {
        lines_.push_back({text, x_ - scaleLeft_, y_, font_});
        // Metrics on the printer itself: the advance matches what the printer will draw.
        const QFontMetricsF fm(font_, &printer_);
        y_ += fm.lineSpacing() / printer_.resolution() * kCmPerInch;
        x_ = 0;
    }

    void endDocument() override {
        if (!painter_.begin(&printer_)) throw ReportPrintError("the printer cannot be opened");
        for (const Line& line : lines_) {
            painter_.setFont(line.font);
            const QFontMetricsF fm(line.font, &printer_);
            painter_.drawText(QPointF(device(line.xCm), device(line.yCm) + fm.ascent()), line.text);
        }
        if (printer_.printerState() == QPrinter::Error || !painter_.end())
            throw ReportPrintError("the printer reported an error");
        lines_.clear();
    }

    void abortDocument() override {
        lines_.clear();
        if (!painter_.isActive()) return;
        printer_.abort();
        painter_.end();
        // Qt's PDF output cannot abort a file it has begun: remove what was written.
        if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
            QFile::remove(printer_.outputFileName());
    }

  private:
    struct Line {
        QString text;
        double xCm, yCm;
        QFont font;
    };
    double device(double cm) const { return cm / kCmPerInch * printer_.resolution(); }

    QPrinter& printer_;
    QPainter painter_;
    QFont font_;  // the application's font face, as the printer's current font
    std::vector<Line> lines_;
    double scaleLeft_ = 0, x_ = 0, y_ = 0;
};

// Columns of the page, in cm from the left of the printable area.
constexpr double kLabels = 2, kInternal = 9, kExternal = 13, kExchanger = 9;

template <std::size_t N>
void printColumn(ReportPrinter& p, const std::array<QString, N>& lines) {
    for (const QString& line : lines) p.printLine(line);
}

}  // namespace

bool printReport(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    try {
        p.setScaleLeft(-kLabels);
        p.setCurrentX(0);
        p.setCurrentY(2);
        p.setFontSize(14);
        p.printLine(QStringLiteral("CONCENTRIC TUBE HEAT EXCHANGER CALCULATION"));

        // Each column is printed top to bottom from 3 cm; the rows line up because every
        // column advances by the same line height.
        p.setCurrentY(3);
        p.setFontSize(10);
        p.printLine(blank);
        p.printLine(blank);
        for (const ReportRow& row : kReportStreamRows) p.printLine(QString::fromUtf8(row.label));
        p.printLine(blank);
        for (const ReportRow& row : kReportExchangerRows) p.printLine(QString::fromUtf8(row.label));
        p.printLine(QStringLiteral("Configuration"));

        p.setCurrentY(3);
        p.setScaleLeft(-kInternal);
        p.printLine(blank);
        p.printLine(QStringLiteral("INTERNAL PIPE"));
        printColumn(p, t.internal);

        p.setCurrentY(3);
        p.setScaleLeft(-kExternal);
        p.printLine(blank);
        p.printLine(QStringLiteral("EXTERNAL PIPE"));
        printColumn(p, t.external);

        // The exchanger column goes on from where the external column ended (line 14).
        p.setScaleLeft(-kExchanger);
        p.printLine(blank);
        printColumn(p, t.exchanger);
        p.printLine(t.configuration);

        p.endDocument();
        return true;
    } catch (const ReportPrintError&) {
        p.abortDocument();
        return false;
    }
}

bool printReportToPdf(const QString& path, const ReportTexts& texts) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setDocName(QStringLiteral("ZANO report"));
    QtReportPrinter p(printer);
    return printReport(p, texts);
}

void printReportWithDialog(QWidget* parent, const ReportTexts& texts) {
    // The printer chosen last is offered again for the rest of the session.
    static QString lastPrinter;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("ZANO report"));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // No printer installed: the dialog offers its PDF file output, named here.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(folder).filePath(QStringLiteral("ZANO report.pdf")));
    } else if (!lastPrinter.isEmpty()) {
        printer.setPrinterName(lastPrinter);
    }

    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);  // one page, no page numbers
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return;  // Cancel: nothing printed, nothing said
    if (printer.outputFormat() == QPrinter::NativeFormat) lastPrinter = printer.printerName();

    QtReportPrinter p(printer);
    printReport(p, texts);  // a failure has aborted the job; the report says nothing
}
