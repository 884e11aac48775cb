#include "shell/report.h"

#include <QBuffer>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <vector>

#include "shell/export_file.h"
#include "shell/user_prompts.h"

namespace {

constexpr double kCmPerInch = 2.54;
// As a high-resolution printer draws.
constexpr int kPdfResolution = 1200;

// The report on a Qt printer, or on a PDF writer. The page is composed first and handed to the
// device at the end of the document, so a report that fails half-way never reaches the printer
// as half a page.
class QtReportPrinter final : public ReportPrinter {
  public:
    // `printer` is the device when it is a printer, null for a PDF writer.
    QtReportPrinter(QPaintDevice& device, int resolution, QPrinter* printer)
        : device_(device), resolution_(resolution), printer_(printer) {}

    void setScaleLeft(double cm) override { scaleLeft_ = cm; }
    void setCurrentX(double cm) override { x_ = cm; }
    void setCurrentY(double cm) override { y_ = cm; }
    double currentY() const override { return y_; }
    void setFontSize(double points) override { font_.setPointSizeF(points); }

    void printLine(const QString& text) override {
        lines_.push_back({text, x_ - scaleLeft_, y_, font_});
        // Metrics on the device itself: the advance matches what it will draw.
        const QFontMetricsF fm(font_, &device_);
        y_ += fm.lineSpacing() / resolution_ * kCmPerInch;
        x_ = 0;
    }

    void endDocument() override {
        if (!painter_.begin(&device_)) throw ReportPrintError("the printer cannot be opened");
        for (const Line& line : lines_) {
            painter_.setFont(line.font);
            const QFontMetricsF fm(line.font, &device_);
            painter_.drawText(QPointF(device(line.xCm), device(line.yCm) + fm.ascent()), line.text);
        }
        if ((printer_ && printer_->printerState() == QPrinter::Error) || !painter_.end())
            throw ReportPrintError("the printer reported an error");
        lines_.clear();
    }

    void abortDocument() override {
        lines_.clear();
        if (!painter_.isActive()) return;
        if (printer_) printer_->abort();
        painter_.end();
    }

  private:
    struct Line {
        QString text;
        double xCm, yCm;
        QFont font;
    };
    double device(double cm) const { return cm / kCmPerInch * resolution_; }

    QPaintDevice& device_;
    int resolution_;
    QPrinter* printer_;
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

// Below line 19, in the same columns and line by line like them: a blank line, the correlation
// set, a blank line, the film rows, a blank line and the two lines on the other set.
void printExtension(ReportPrinter& p, const ReportTexts& t) {
    const QString blank;
    const double top = p.currentY();
    p.setScaleLeft(-kLabels);
    p.printLine(blank);
    p.printLine(QStringLiteral("Correlation set"));
    p.printLine(blank);
    for (const auto& row : t.films) p.printLine(row[0]);
    p.printLine(blank);
    p.printLine(t.otherSet);
    p.printLine(t.setsDiffer);

    for (const auto& [left, column] : {std::pair{kInternal, 1}, std::pair{kExternal, 2}}) {
        p.setCurrentY(top);
        p.setScaleLeft(-left);
        p.printLine(blank);
        p.printLine(column == 1 ? t.correlations : blank);
        p.printLine(blank);
        for (const auto& row : t.films) p.printLine(row[column]);
    }
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
        if (!t.correlations.isEmpty()) printExtension(p, t);

        p.endDocument();
        return true;
    } catch (const ReportPrintError&) {
        p.abortDocument();
        return false;
    } catch (...) {
        // A fault outside the printer (memory exhausted, say) cancels the job too; the caller
        // reports it.
        p.abortDocument();
        throw;
    }
}

std::function<ReportPrinter&()>& reportPrinterHook() {
    static std::function<ReportPrinter&()> hook;
    return hook;
}

QByteArray reportPdf(const ReportTexts& texts, const QPageLayout& layout) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(QStringLiteral("ZANO report"));
        QtReportPrinter p(writer, writer.resolution(), nullptr);
        if (!printReport(p, texts)) return {};
    }  // the writer ends the file
    return bytes;
}

namespace {

// The page composed whole and put in place like every save (Qt's own PDF output would write
// into the file as it goes); why it failed, empty on success.
QString writeReportPdf(const QString& path, const ReportTexts& texts, const QPageLayout& layout) {
    const QByteArray pdf = reportPdf(texts, layout);
    return pdf.isEmpty() ? QStringLiteral("The page could not be composed.")
                         : zano::writeExportFile(path, pdf);
}

}  // namespace

bool printReportToPdf(const QString& path, const ReportTexts& texts) {
    return writeReportPdf(
               path, texts,
               QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)))
        .isEmpty();
}

void printReportWithDialog(QWidget* parent, const ReportTexts& texts) {
    if (reportPrinterHook()) {
        printReport(reportPrinterHook()(), texts);
        return;
    }
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

    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString name = printer.outputFileName();
        const QString why = writeReportPdf(name, texts, printer.pageLayout());
        if (!why.isEmpty())
            zano::warn(
                parent,
                "The report could not be written to \"" + QDir::toNativeSeparators(name) + "\".",
                why);
        return;
    }
    lastPrinter = printer.printerName();
    QtReportPrinter p(printer, printer.resolution(), &printer);
    printReport(p, texts);  // a failure has aborted the job; the printing system reports it
}
