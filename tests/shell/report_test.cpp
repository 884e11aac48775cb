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

struct Row {
    double xCm;
    int line;  // 0: the title; 1..19: the body lines, line 1 at 3 cm
    const char* text;
};

// The page as printed: the title, then the label column, the internal column, the external
// column and the exchanger column, each top to bottom.
const std::vector<Row> kCapacityGivenPage = {
    {2, 0, "CONCENTRIC TUBE HEAT EXCHANGER CALCULATION"},
    {2, 1, ""},
    {2, 2, ""},
    {2, 3, "Outside diameter mm"},
    {2, 4, "Thickness mm"},
    {2, 5, "Material"},
    {2, 6, "Fluid"},
    {2, 7, "Pressure"},
    {2, 8, "Inlet temp. °C"},
    {2, 9, "Outlet temp. °C"},
    {2, 10, "Mass flow kg/s"},
    {2, 11, "Velocity m/s"},
    {2, 12, "Pressure drop kPa"},
    {2, 13, "Fouling factor (m^2 K)/W"},
    {2, 14, ""},
    {2, 15, "Capacity kW"},
    {2, 16, "Surface m^2"},
    {2, 17, "Lenght m"},
    {2, 18, "Heat transfer coefficient W/(m^2 K)"},
    {2, 19, "Configuration"},
    {9, 1, ""},
    {9, 2, "INTERNAL PIPE"},
    {9, 3, "33,7"},
    {9, 4, "2"},
    {9, 5, "Carbon steel"},
    {9, 6, "Ethylene Glycol 30%"},
    {9, 7, "2"},
    {9, 8, "40"},
    {9, 9, "28,9169"},
    {9, 10, "0,6"},
    {9, 11, "0,84"},
    {9, 12, "7,105"},
    {9, 13, "0,0002"},
    {13, 1, ""},
    {13, 2, "EXTERNAL PIPE"},
    {13, 3, "60,3"},
    {13, 4, "2,9"},
    {13, 5, ""},
    {13, 6, "Water"},
    {13, 7, "5"},
    {13, 8, "15"},
    {13, 9, "22,4674"},
    {13, 10, "0,8"},
    {13, 11, "0,556"},
    {13, 12, "4,844"},
    {13, 13, "0"},
    {9, 14, ""},
    {9, 15, "25"},
    {9, 16, "2,077"},
    {9, 17, "19,618"},
    {9, 18, "769"},
    {9, 19, "Countercurrent"},
};

// Top of a body line, in cm: line 1 at 3 cm, each further line one 10-point line lower.
double bodyLineTop(int line) {
    return 3 + (line - 1) * 10 * RecordingReportPrinter::kLineHeightPerPoint;
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
    void externalColumnIsBlankOnTheMaterialLine();
    void aFailingPrinterAbortsTheJob();
    void pdfOfThePage();
    void anUnwritablePdfFails();
    void cancelInThePrintDialogPrintsNothing();
};

void ReportTest::everyLineAtItsColumnAndRow() {
    RecordingReportPrinter printer;
    QVERIFY(printReport(printer, capacityGivenCase()));
    QVERIFY(printer.ended());
    QVERIFY(!printer.aborted());
    const auto& lines = printer.lines();
    QCOMPARE(lines.size(), kCapacityGivenPage.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Row& want = kCapacityGivenPage[i];
        const auto& got = lines[i];
        const QString where = QStringLiteral("printed line %1 (\"%2\")").arg(i).arg(want.text);
        QVERIFY2(got.text == QString::fromUtf8(want.text),
                 qPrintable(where + " reads \"" + got.text + "\""));
        QVERIFY2(std::abs(got.xCm - want.xCm) < 1e-9,
                 qPrintable(where + QStringLiteral(" starts at %1 cm").arg(got.xCm)));
        const double top = want.line == 0 ? 2.0 : bodyLineTop(want.line);
        QVERIFY2(
            std::abs(got.yCm - top) < 1e-9,
            qPrintable(
                where +
                QStringLiteral(" has its top at %1 cm, expected %2 cm").arg(got.yCm).arg(top)));
        QCOMPARE(got.points, want.line == 0 ? 14.0 : 10.0);
    }
}

void ReportTest::equicurrentCaptionIsPrinted() {
    ReportTexts t = capacityGivenCase();
    t.configuration = "Equicurrent";
    RecordingReportPrinter printer;
    QVERIFY(printReport(printer, t));
    const auto& last = printer.lines().back();
    QCOMPARE(last.text, QStringLiteral("Equicurrent"));
    QCOMPARE(last.xCm, 9.0);
    QVERIFY(std::abs(last.yCm - bodyLineTop(19)) < 1e-9);
}

void ReportTest::externalColumnIsBlankOnTheMaterialLine() {
    RecordingReportPrinter printer;
    QVERIFY(printReport(printer, capacityGivenCase()));
    int external = 0;
    for (const auto& line : printer.lines()) {
        if (line.xCm != 13.0) continue;
        ++external;
        if (std::abs(line.yCm - bodyLineTop(5)) < 1e-9) QVERIFY(line.text.isEmpty());
        if (std::abs(line.yCm - bodyLineTop(6)) < 1e-9)
            QCOMPARE(line.text, QStringLiteral("Water"));
    }
    QCOMPARE(external, 13);
}

void ReportTest::aFailingPrinterAbortsTheJob() {
    for (int failing : {1, 2, 21, 52}) {
        RecordingReportPrinter printer;
        printer.failAtLine(failing);
        QVERIFY(!printReport(printer, capacityGivenCase()));
        QVERIFY2(printer.aborted(), "the job is aborted");
        QVERIFY2(!printer.ended(), "the document is not ended");
        QCOMPARE(printer.lines().size(), std::size_t(failing - 1));
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
