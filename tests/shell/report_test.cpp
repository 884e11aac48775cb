// The printed report: every line at its column and row, in the order the page is printed;
// a failing printer aborts the job; a PDF of the page, rendered to a PNG to look at.
#include "shell/report.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <cstdio>

#include "golden_text.h"
#include "recording_report_printer.h"

namespace {

// What the windows show after a calculation with the capacity given: the length in the main
// window is the computed one, rounded to 3 decimals by the calculation.
ReportTexts capacityGivenCase() {
    ReportTexts t;
    t.internal = {"33,7", "2",     "Carbon steel", "Ethylene Glycol 30%",
                  "2",    "40",    "28,9169",      "0,6",
                  "0,84", "7,105", "0,0002"};
    t.external = {"60,3", "2,9", "", "Water", "5", "15", "22,4674", "0,8", "0,556", "4,844", "0"};
    t.exchanger = {"25", "2,077", "19,618", "769"};
    t.configuration = "Countercurrent";
    return t;
}

// The page as printed, one line per printed line: "<left edge> cm, line <n>, <size> pt: text",
// line 0 the title at 2 cm, line 1 at 3 cm; a top that falls between lines is shown in cm.
std::string page(const RecordingReportPrinter& printer) {
    std::string out;
    for (const auto& l : printer.lines) {
        const double line =
            l.points == 14 ? 0
                           : (l.yCm - 3) / (10 * RecordingReportPrinter::kLineHeightPerPoint) + 1;
        const bool onLine =
            std::abs(line - std::round(line)) < 1e-9 && (l.points == 10 || l.yCm == 2);
        char head[64];
        if (onLine)
            std::snprintf(head, sizeof head, "%g cm, line %d, %g pt: ", l.xCm,
                          int(std::round(line)), l.points);
        else
            std::snprintf(head, sizeof head, "%g cm, top %g cm, %g pt: ", l.xCm, l.yCm, l.points);
        out += head + l.text.toStdString() + "\n";
    }
    return out;
}

QString outputPath(const QString& name) {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath("../" + name));
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
  private slots:
    void everyLineAtItsColumnAndRow();
    void equicurrentCaptionIsPrinted();
    void aFailingPrinterAbortsTheJob();
    void pdfOfThePage();
    void anUnwritablePdfFails();
    void cancelInThePrintDialogPrintsNothing();
};

// shell/golden/report_page.txt: the title, then the label, internal, external and exchanger
// columns, each top to bottom; the material has no external value.
void ReportTest::everyLineAtItsColumnAndRow() {
    RecordingReportPrinter printer;
    QVERIFY(printReport(printer, capacityGivenCase()));
    QVERIFY(printer.ended);
    QVERIFY(!printer.aborted);
    const std::string why = golden_text::mismatch("shell/golden/report_page.txt", page(printer));
    QVERIFY2(why.empty(), why.c_str());
}

void ReportTest::equicurrentCaptionIsPrinted() {
    ReportTexts t = capacityGivenCase();
    t.configuration = "Equicurrent";
    RecordingReportPrinter printer;
    QVERIFY(printReport(printer, t));
    QCOMPARE(QString::fromStdString(page(printer)).split('\n').at(51),
             QStringLiteral("9 cm, line 19, 10 pt: Equicurrent"));
}

void ReportTest::aFailingPrinterAbortsTheJob() {
    for (int failing : {1, 2, 21, 52}) {
        RecordingReportPrinter printer;
        printer.failAt = failing;
        QVERIFY(!printReport(printer, capacityGivenCase()));
        QVERIFY2(printer.aborted, "the job is aborted");
        QVERIFY2(!printer.ended, "the document is not ended");
        QCOMPARE(printer.lines.size(), std::size_t(failing - 1));
    }
}

void ReportTest::pdfOfThePage() {
    const QString pdf = outputPath("report.pdf");
    QFile::remove(pdf);
    QVERIFY(printReportToPdf(pdf, capacityGivenCase()));

    QPdfDocument doc;
    QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
    QCOMPARE(doc.pageCount(), 1);
    const QSizeF page = doc.pagePointSize(0);  // A4: 595 x 842 points
    QVERIFY(std::abs(page.width() - 595.3) < 1 && std::abs(page.height() - 841.9) < 1);
    const QPdfSelection all = doc.getAllText(0);
    for (const char* text :
         {"CONCENTRIC TUBE HEAT EXCHANGER CALCULATION", "INTERNAL PIPE", "EXTERNAL PIPE",
          "Ethylene Glycol 30%", "19,618", "Countercurrent", "Fouling factor (m^2 K)/W"})
        QVERIFY2(all.text().contains(QString::fromUtf8(text)), text);

    // The printable area starts at the page's corner: the label column at 2 cm (56.7 points)
    // and the title's top at 2 cm.
    const QRectF box = all.boundingRectangle();
    constexpr double kPointsPerCm = 72 / 2.54;
    QVERIFY2(std::abs(box.left() - 2 * kPointsPerCm) < 3,
             qPrintable(QStringLiteral("text starts at %1 pt").arg(box.left())));
    QVERIFY2(box.top() > 2 * kPointsPerCm - 1 && box.top() < 2 * kPointsPerCm + 6,
             qPrintable(QStringLiteral("title top at %1 pt").arg(box.top())));
    // Each text at its column, and the columns' rows in line.
    auto bounds = [&doc, &all](const QString& text) {
        const int at = all.text().indexOf(text);
        return at < 0 ? QRectF()
                      : doc.getSelectionAtIndex(0, at, int(text.size())).boundingRectangle();
    };
    const std::vector<std::pair<const char*, double>> starts = {
        {"INTERNAL PIPE", 9},  {"EXTERNAL PIPE", 13}, {"Ethylene Glycol 30%", 9},
        {"Countercurrent", 9}, {"Configuration", 2},  {"Lenght m", 2},
        {"19,618", 9}};
    for (const auto& [text, cm] : starts) {
        const QRectF r = bounds(QString::fromUtf8(text));
        QVERIFY2(!r.isNull() && std::abs(r.left() - cm * kPointsPerCm) < 3,
                 qPrintable(QStringLiteral("%1 starts at %2 pt").arg(text).arg(r.left())));
    }
    QVERIFY(std::abs(bounds("Lenght m").bottom() - bounds("19,618").bottom()) < 1);
    QVERIFY(std::abs(bounds("INTERNAL PIPE").bottom() - bounds("EXTERNAL PIPE").bottom()) < 1);

    const QImage png = doc.render(0, QSize(1240, 1754));  // 150 dpi
    QVERIFY(!png.isNull());
    QVERIFY(png.save(outputPath("report.png")));
    qInfo("saved %s and %s", qPrintable(pdf), qPrintable(outputPath("report.png")));
}

void ReportTest::anUnwritablePdfFails() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("no such folder/report.pdf");
    QVERIFY(!printReportToPdf(pdf, capacityGivenCase()));
    QVERIFY(!QFile::exists(pdf));
}

void ReportTest::cancelInThePrintDialogPrintsNothing() {
    // Whatever modal window comes up is recorded and cancelled: the print dialog first, and
    // nothing after it.
    QStringList shown;
    QTimer canceller;
    connect(&canceller, &QTimer::timeout, [&shown] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown << dialog->metaObject()->className();
            dialog->grab().save(outputPath("print_dialog.png"));
            dialog->reject();
        }
    });
    canceller.start(50);
    printReportWithDialog(nullptr, capacityGivenCase());
    QTest::qWait(200);
    QCOMPARE(shown, QStringList{"QPrintDialog"});
}

QTEST_MAIN(ReportTest)
#include "report_test.moc"
