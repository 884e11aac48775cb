// What the scenarios cannot see: the key filter's rule, the report behind the print dialog, the
// profile chart as drawn, lists that keep their drawn width, and the sweep window's chart.
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include "formats/case_file.h"
#include "golden_text.h"
#include "properties/fluid_table.h"
#include "properties/wall_materials.h"
#include "shell/key_filter.h"
#include "shell/main_window.h"
#include "shell/profile_window.h"
#include "shell/report.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"
#include "solver/case_run.h"
#include "solver/driver.h"

using namespace zano;

namespace {

// What the windows show after a calculation with the capacity given.
const ReportTexts kReport{
    {"33,7", "2", "Carbon steel", "Ethylene Glycol 30%", "2", "40", "28,9169", "0,6", "0,84",
     "7,105", "0,0002"},
    {"60,3", "2,9", "", "Water", "5", "15", "22,4674", "0,8", "0,556", "4,844", "0"},
    {"25", "2,077", "19,618", "769"},
    "Countercurrent"};

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
    }

    // shell/golden/key_filter_rule.txt: what a box takes of each key ("x": nothing) at a
    // position of its text, in a box that takes a sign (temperatures) or not.
    void keyFilterRule() {
        const QChar keys[] = {u'7', QChar(8), u'.', u',',      u'a',
                              u' ', u'+',     u'-', QChar(22), QChar(0x663)};
        const auto shown = [](QChar c) {
            return c.isNull()       ? "x"
                   : c == QChar(8)  ? "BS"
                   : c == QChar(22) ? "^V"
                   : c == u' '      ? "blank"
                                    : QString(c);
        };
        QString out = "text\tat\tsign";
        for (QChar k : keys) out += '\t' + shown(k);
        const std::tuple<const char*, int, bool> contexts[] = {
            {"12", 2, false}, {"1,2", 3, false}, {"1,2", 0, false}, {"", 0, false},
            {"12", 0, true},  {"12", 2, true},   {"-12", 0, true}};
        for (const auto& [text, at, sign] : contexts) {
            out += QString("\n\"%1\"\t%2\t%3").arg(text).arg(at).arg(sign ? "yes" : "no");
            for (QChar k : keys) out += '\t' + shown(filtroTasti(k, text, at, sign));
        }
        const std::string why =
            golden_text::mismatch("shell/golden/key_filter_rule.txt", (out + '\n').toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }

    // The dialog offers the case's name: as the job's, and as the file's without a printer.
    void printDialogCancelPrintsNothing() {
        QStringList shown;  // every modal window that comes up, cancelled
        QString offered;
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown << dialog->metaObject()->className();
                if (auto* print = qobject_cast<QPrintDialog*>(dialog))
                    offered =
                        print->printer()->outputFileName() + '|' + print->printer()->docName();
                dialog->reject();
            }
        });
        canceller.start(50);
        printReportWithDialog(nullptr, kReport, "/cases/water.pdf");
        QTest::qWait(200);
        QCOMPARE(shown, QStringList{"QPrintDialog"});
        QCOMPARE(offered, QPrinterInfo::availablePrinterNames().isEmpty() ? "/cases/water.pdf|water"
                                                                          : "|water");
    }

    // Every example in both arrangements, at the chart's smallest size and as saved: the legend
    // and the scale factor stand clear of both curves, of each other and inside the chart.
    void profileLabelsClearOfTheCurves_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("arrangement");
        for (const QString& file : QDir(ZANO_SOURCE_DIR "/examples").entryList({"*.zan"}))
            for (const char* arrangement : {"contro", "equi"})
                QTest::newRow(qPrintable(file + ' ' + arrangement)) << file << arrangement;
    }

    void profileLabelsClearOfTheCurves() {
        QFETCH(QString, file);
        QFETCH(QString, arrangement);
        CaseData c = loadCaseFile(ZANO_SOURCE_DIR "/examples/" + file.toStdString());
        c.estToutGiven = !c.intToutGiven && file.contains("-est-outlet");
        c.controequi =
            arrangement == "contro" ? Arrangement::Countercurrent : Arrangement::Equicurrent;
        CalcState s;
        dbmateriale(s);
        const CalcOutcome out = calculate(c, s);
        QVERIFY(out.ok());
        const ProfileChartData data{temperatureProfile(s, *out.results, 200),
                                    QString::fromStdString(c.intfluid),
                                    QString::fromStdString(c.estfluid)};
        for (const QSize size : {QSize(480, 320), QSize(1200, 800)}) {
            QImage image(size, QImage::Format_RGB32);
            QPainter p(&image);  // the metrics of the font the chart is drawn in
            const QRectF area(QPointF(0, 0), QSizeF(size));
            const ProfileChartLayout l = profileChartLayout(QFontMetricsF(p.font()), area, data);
            QVERIFY(!l.intCurve.isEmpty() && !l.estCurve.isEmpty());
            QVERIFY(!l.legend.intersects(l.scaleLabel));
            for (const QRectF& r : {l.legend, l.scaleLabel}) {
                QVERIFY(area.contains(r));
                // Every half pixel of each curve, with its pen's half width.
                const QRectF covered = r.adjusted(-1, -1, 1, 1);
                for (const QPolygonF& curve : {l.intCurve, l.estCurve})
                    for (qsizetype i = 1; i < curve.size(); ++i) {
                        const QLineF segment(curve[i - 1], curve[i]);
                        for (double t = 0; t <= 1; t += 0.5 / std::max(1.0, segment.length()))
                            QVERIFY2(!covered.contains(segment.pointAt(t)),
                                     qPrintable(QString("%1 at %2 x %3")
                                                    .arg(r == l.legend ? "legend" : "scale factor")
                                                    .arg(size.width())
                                                    .arg(size.height())));
                    }
            }
        }
    }

    // A list keeps its drawn width when its entries change: picking a fluid refills the
    // pressures, which would otherwise shrink to their own width a moment later.
    void listsKeepTheirDrawnWidth() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QList<QRect> drawn;
        for (int n = 1; n <= 5; ++n)
            drawn << w.findChild<QComboBox*>(QString("Combo%1").arg(n))->geometry();
        for (const char* list : {"Combo1", "Combo2"}) {
            auto* fluids = w.findChild<QComboBox*>(list);
            fluids->setCurrentIndex(fluids->findText("Water"));
            emit fluids->activated(fluids->currentIndex());
        }
        QTest::qWait(100);  // the lists adjust on a timer
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(w.findChild<QComboBox*>(QString("Combo%1").arg(n))->geometry(), drawn[n - 1]);
    }

    // Case > Sweep…: the case over its internal inlet temperature, beyond the external inlet
    // where it fails. The chart holds the points that calculate and says what it left out, the
    // case's own point is the case's result, and the rows are zano-calc's.
    void sweepWindowPlotsTheCaseAndExportsZanoCalcsRows() {
        const QString example = ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan";
        MainWindow w;
        w.openFromCommandLine(example);
        w.findChild<QAction*>("mnuCaseSweep")->trigger();
        SweepWindow* s = w.sweepWindow();
        QVERIFY(s && s->isVisible());
        QSignalSpy finished(s, &SweepWindow::sweepFinished);
        QVERIFY(finished.count() == 1 || finished.wait(60000));  // the first look, on opening
        s->findChild<QLineEdit*>("SweepFrom")->setText("5");
        s->findChild<QLineEdit*>("SweepTo")->setText("95");
        s->findChild<QSpinBox*>("SweepSteps")->setValue(6);
        QVERIFY(s->startSweep());
        QVERIFY(finished.wait(60000));

        const SweepChartData& d = s->chartData();
        QCOMPARE(d.yTitle, QString("Capacity [kW]"));
        std::size_t drawn = 0;
        for (const QPolygonF& run : d.runs) drawn += run.size();
        QCOMPARE(drawn, std::size_t(3));  // 5, 20, 35; from 50 on the inlet is past the outlet
        QVERIFY2(d.note.startsWith("4 of 7 values left out: "), qPrintable(d.note));
        CalcState state;
        dbmateriale(state);
        const CaseRun own = runCase(w.caseFromControls(), state.data, {});
        QVERIFY(own.ok() && d.current);
        QCOMPARE(d.current->x(), 15.0);
        QCOMPARE(float(d.current->y()), own.out.results->q);

        QProcess calc;
        calc.start(QCoreApplication::applicationDirPath() + "/zano-calc",
                   {"--sweep", "intTin=5:95:6", example});
        QVERIFY(calc.waitForFinished(60000));
        QCOMPARE(calc.exitCode(), 1);  // points that failed
        QCOMPARE(QString::fromStdString(s->csv()), QString::fromUtf8(calc.readAllStandardOutput()));
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
