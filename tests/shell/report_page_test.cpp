// The printed report's page as the desktop program prints it and zano-calc --report writes it:
// its lines, one page that holds them all, the chart on it, and the two programs' pages alike.
#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QPdfDocument>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "formats/case_file.h"
#include "golden_text.h"
#include "properties/wall_materials.h"
#include "recording_report_printer.h"
#include "shell/main_window.h"
#include "shell/report.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"
#include "solver/driver.h"

using namespace zano;

namespace {

// A case file's page as zano-calc --report composes it: read, calculated, its texts.
ReportTexts caseTexts(const QString& file) {
    CalcState s;
    dbmateriale(s);
    const CaseRun run =
        runCase(loadCaseFile(shell_test::toPath(file)), s.data, {kChartProfileSteps, true});
    if (!run.ok()) qFatal("%s: %s", qPrintable(file), run.out.message.c_str());
    return *calculatedReportTexts(run, QFileInfo(file).fileName());
}

QStringList examples() {
    QStringList files;
    QDirIterator it(ZANO_SOURCE_DIR "/examples", {"*.zan"});
    while (it.hasNext()) files << it.next();
    files.sort();
    return files;
}

constexpr double kPointsPerCm = 72 / 2.54;

// Nothing shortened: every text the recording printer prints stands on the PDF page as composed;
// one found once stands at its recorded column, in line with the others of its row; the title
// 2 cm from the top of the printable area.
void checkPlaces(QPdfDocument& doc, const QRectF& area, const RecordingReportPrinter& recorded) {
    const QPdfSelection all = doc.getAllText(0);
    const QString onPage = QString(all.text()).remove(QRegularExpression("\\s"));
    std::map<long, double> rowMiddle;  // by the recorded top
    for (const auto& l : recorded.lines) {
        if (l.points == 0) continue;
        QVERIFY2(onPage.contains(QString(l.text).remove(QRegularExpression("\\s"))),
                 qPrintable(l.text));
        if (l.text.size() < 4 || all.text().count(l.text) != 1) continue;
        const QRectF r = doc.getSelectionAtIndex(0, all.text().indexOf(l.text), l.text.size())
                             .boundingRectangle();
        QVERIFY2(std::abs(r.left() - area.left() - l.xCm * kPointsPerCm) < 3, qPrintable(l.text));
        const auto [row, first] = rowMiddle.emplace(std::lround(l.yCm * 1000), r.center().y());
        QVERIFY2(first || std::abs(row->second - r.center().y()) < 3, qPrintable(l.text));
    }
    QVERIFY(rowMiddle.size() > 12);  // rows with a text found once
    const QString title = QStringLiteral("CONCENTRIC TUBE HEAT EXCHANGER CALCULATION");
    const double titleTop = doc.getSelectionAtIndex(0, all.text().indexOf(title), title.size())
                                .boundingRectangle()
                                .top() -
                            area.top();
    QVERIFY2(titleTop > 2 * kPointsPerCm - 1 && titleTop < 2 * kPointsPerCm + 6, "at 2 cm");
}

}  // namespace

class ReportPageTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
        // The header's date: the same on every run.
        qputenv("SOURCE_DATE_EPOCH", "1796601600");  // 2026-12-07
    }

    // shell/golden/report_page.txt: the lines of the page of an example, of a case with a
    // hairpin length (whose page has the hairpin rows), and of one with a document block and
    // own tables' long names, as printed.
    void linesAsGolden() {
        QString out;
        for (const QString& file :
             {QStringLiteral(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan"),
              QStringLiteral(ZANO_SOURCE_DIR "/tests/golden/hairpins.zan"),
              QStringLiteral(ZANO_SOURCE_DIR "/tests/shell/golden/document-block.zan")}) {
            RecordingReportPrinter printer;
            ReportTexts texts = caseTexts(file);
            if (file.endsWith("document-block.zan"))
                texts.internal[3] = texts.external[3] = "Hot oil HT-66 (supplier sheet 2024)";
            QVERIFY(printReport(printer, texts));
            out += "# " + QFileInfo(file).fileName() + '\n' + printer.page();
        }
        const std::string why =
            golden_text::mismatch("shell/golden/report_page.txt", out.toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }

    // Every example on one page, A4 from the corner as a PDF file has it and A4 and Letter with
    // a printer's margins: every printed text on the page whole at the place the recording
    // printer gives it, the title 2 cm from the top, and every text and the chart inside the
    // printable area.
    void everyExampleOnOnePageInsideThePrintableArea_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QPageLayout>("layout");
        const QMarginsF printerMargins(6.35, 6.35, 6.35, 6.35);  // mm, a quarter of an inch
        for (const QString& file : examples()) {
            const QString name = QFileInfo(file).completeBaseName();
            QTest::newRow(qPrintable(name + " A4")) << file << a4ReportLayout();
            QTest::newRow(qPrintable(name + " A4 margins"))
                << file
                << QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, printerMargins);
            QTest::newRow(qPrintable(name + " Letter margins"))
                << file
                << QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, printerMargins);
        }
    }
    void everyExampleOnOnePageInsideThePrintableArea() {
        QFETCH(QString, file);
        QFETCH(QPageLayout, layout);
        const ReportTexts texts = caseTexts(file);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QCOMPARE(writeReportPdf(pdf, texts, layout), QString());
        QPdfDocument doc;
        QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
        QCOMPARE(doc.pageCount(), 1);
        const QSizeF paper = layout.fullRect(QPageLayout::Point).size() - doc.pagePointSize(0);
        QVERIFY(std::abs(paper.width()) < 1 && std::abs(paper.height()) < 1);
        const QRectF area = layout.paintRect(QPageLayout::Point);
        const QPdfSelection all = doc.getAllText(0);
        const QRectF used = all.boundingRectangle();
        QVERIFY2(area.contains(used), qPrintable(QString("text at %1,%2 %3 x %4 pt")
                                                     .arg(used.left())
                                                     .arg(used.top())
                                                     .arg(used.width())
                                                     .arg(used.height())));
        // The chart's texts, its axis title at its foot among them, lie on the page.
        QVERIFY(all.text().contains("Internal: " + texts.profile.intFluid));
        QVERIFY(all.text().contains(QStringLiteral("Position from the internal fluid's inlet")));
        QVERIFY(used.bottom() > area.top() + 19 * kPointsPerCm);

        RecordingReportPrinter recorded;
        printReport(recorded, texts);
        checkPlaces(doc, area, recorded);
        // The chart inside the recorded (A4) page.
        const auto chart = std::find_if(recorded.lines.begin(), recorded.lines.end(),
                                        [](const auto& l) { return l.points == 0; });
        QVERIFY(chart != recorded.lines.end());
        const QRegularExpressionMatch size =
            QRegularExpression("^chart ([0-9.]+) x ([0-9.]+) cm").match(chart->text);
        QVERIFY(size.hasMatch());
        QVERIFY(chart->xCm + size.captured(1).toDouble() <= 21 - 1);
        QVERIFY(chart->yCm + size.captured(2).toDouble() <= 29.7 - 1);
        QVERIFY2(size.captured(2).toDouble() >= 6, qPrintable(chart->text));
    }

    // Texts too long for the page are shortened in their middle, not cut off at its edge: a
    // long case file name in the header, a long line on the other set; a value too long for its
    // column even in two small lines ends in "…" before the next column.
    void longTextsAreShortenedOnThePage() {
        ReportTexts texts = caseTexts(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan");
        texts.caseName = QString(150, u'W') + ".zan";
        texts.otherSet = "Refined set: " + QString(150, u'x') + " end";
        texts.internal[2] = QString(60, u'm');  // the material, beside an external value
        texts.external[2] = QStringLiteral("next");
        const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                 QMarginsF(6.35, 6.35, 6.35, 6.35));
        QTemporaryDir dir;
        QCOMPARE(writeReportPdf(dir.filePath("long.pdf"), texts, layout), QString());
        QPdfDocument doc;
        QCOMPARE(doc.load(dir.filePath("long.pdf")), QPdfDocument::Error::None);
        const QString all = doc.getAllText(0).text();
        QVERIFY(
            layout.paintRect(QPageLayout::Point).contains(doc.getAllText(0).boundingRectangle()));
        QVERIFY2(all.contains(QRegularExpression("WWW…W*\\.zan")), qPrintable(all));
        QVERIFY2(all.contains(QRegularExpression("Refined set: x+…x* end")), qPrintable(all));
        const QRegularExpressionMatch material = QRegularExpression("m+…").match(all);
        QVERIFY2(material.hasMatch(), qPrintable(all));
        const QRectF shortened =
            doc.getSelectionAtIndex(0, material.capturedStart(), material.capturedLength())
                .boundingRectangle();
        const QRectF next = doc.getSelectionAtIndex(0, all.indexOf("next"), 4).boundingRectangle();
        QVERIFY(shortened.right() < next.left());
    }

    // The page rendered as a viewer shows it at 100 % (96 dots per inch): the two curves are
    // drawn in the lower part. ZANO_REPORT_PNG names a file to keep the picture in.
    void chartOnTheRenderedPage() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QVERIFY(
            writeReportPdf(pdf, caseTexts(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan"))
                .isEmpty());
        QPdfDocument doc;
        QCOMPARE(doc.load(pdf), QPdfDocument::Error::None);
        const QSize size = (doc.pagePointSize(0) * 96 / 72).toSize();
        const QImage image = doc.render(0, size);
        QCOMPARE(image.size(), size);
        if (const QString keep = qEnvironmentVariable("ZANO_REPORT_PNG"); !keep.isEmpty())
            QVERIFY(image.save(keep));
        const auto near = [](QRgb c, int r, int g, int b) {
            return std::abs(qRed(c) - r) + std::abs(qGreen(c) - g) + std::abs(qBlue(c) - b) < 90;
        };
        int red = 0, blue = 0, redAbove = 0;
        const int chartTop = static_cast<int>(19 / 2.54 * 96);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (near(c, 200, 40, 30)) (y > chartTop ? red : redAbove)++;
                if (near(c, 30, 80, 200) && y > chartTop) ++blue;
            }
        QVERIFY2(red > 300 && blue > 300,
                 qPrintable(QString("%1 red, %2 blue").arg(red).arg(blue)));
        QCOMPARE(redAbove, 0);
    }

    // The desktop program, having opened and calculated an example, prints the page that
    // zano-calc --report writes for the same file.
    void desktopAndCalculatorPrintTheSamePage_data() {
        QTest::addColumn<QString>("file");
        for (const QString& file : examples())
            QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
        QTest::newRow("hairpins.zan")
            << QStringLiteral(ZANO_SOURCE_DIR "/tests/golden/hairpins.zan");
    }
    void desktopAndCalculatorPrintTheSamePage() {
        QFETCH(QString, file);
        QTemporaryDir dir;
        const QString copy = dir.filePath(QFileInfo(file).fileName());
        QVERIFY(QFile::copy(file, copy));
        MainWindow w;
        fileNameHook() = [&copy](bool, const QString&) { return copy; };
        w.findChild<QAction*>("mnuFileOpen")->trigger();
        fileNameHook() = nullptr;
        w.findChild<QPushButton*>("Command1")->click();
        const ReportTexts shown = w.reportTexts();

        RecordingReportPrinter desktop, calculator;
        printReport(desktop, shown);
        printReport(calculator, caseTexts(copy));
        QCOMPARE(desktop.page(), calculator.page());

        QCOMPARE(writeReportPdf(dir.filePath("desktop.pdf"), shown), QString());
        QProcess calc;
        calc.setWorkingDirectory(dir.path());
        calc.start(QCoreApplication::applicationDirPath() + "/zano-calc",
                   {"--report", "calculator.pdf", copy});
        QVERIFY(calc.waitForFinished(60000) && calc.exitCode() == 0);
        QPdfDocument a, b;
        QCOMPARE(a.load(dir.filePath("desktop.pdf")), QPdfDocument::Error::None);
        QCOMPARE(b.load(dir.filePath("calculator.pdf")), QPdfDocument::Error::None);
        QCOMPARE(b.pageCount(), 1);
        QCOMPARE(b.getAllText(0).text(), a.getAllText(0).text());
        QCOMPARE(b.getAllText(0).boundingRectangle(), a.getAllText(0).boundingRectangle());
    }
};

QTEST_MAIN(ReportPageTest)
#include "report_page_test.moc"
