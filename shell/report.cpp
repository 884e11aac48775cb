#include "shell/report.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "shell/user_prompts.h"

namespace {

// The page on a Qt printer, whose job is cancelled when it fails.
class QtReportPrinter final : public PaintReportPrinter {
  public:
    explicit QtReportPrinter(QPrinter& printer)
        : PaintReportPrinter(printer, printer.resolution()), printer_(printer) {}

  protected:
    bool deviceFailed() const override { return printer_.printerState() == QPrinter::Error; }
    void cancelDevice() override { printer_.abort(); }

  private:
    QPrinter& printer_;
};

}  // namespace

std::function<ReportPrinter&()>& reportPrinterHook() {
    static std::function<ReportPrinter&()> hook;
    return hook;
}

void printReportWithDialog(QWidget* parent, const ReportTexts& texts, const QString& offeredPdf) {
    if (reportPrinterHook()) {
        printReport(reportPrinterHook()(), texts);
        return;
    }
    // The printer chosen last is offered again for the rest of the session.
    static QString lastPrinter;
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the queue, and the file the dialog's "Print to File" offers where a
    // printer is installed (in the working or home folder: a file named here would make the
    // dialog choose the file over the printer).
    printer.setDocName(offeredPdf.isEmpty() ? QStringLiteral("ZANO report")
                                            : QFileInfo(offeredPdf).completeBaseName());
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // No printer installed: the dialog offers its PDF file output, named here.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(offeredPdf.isEmpty()
                                      ? QDir(folder).filePath(QStringLiteral("ZANO report.pdf"))
                                      : offeredPdf);
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
    QtReportPrinter p(printer);
    printReport(p, texts);  // a failure has aborted the job; the printing system reports it
}
