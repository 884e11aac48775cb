// Case > Design…: the search runs while the window answers events, Cancel stops it mid-way and
// leaves the case as it was, and a candidate picked gives, calculated from the main window, the
// figures its row showed.
#include "shell/design_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "formats/case_file.h"
#include "properties/wall_materials.h"
#include "shell/main_window.h"
#include "shell_test_support.h"

using namespace zano;

class DesignWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
    }

    void searchCancelAndPick() {
        MainWindow w;
        w.show();
        w.openFromCommandLine(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan");
        const std::string before = caseFileText(w.caseFromControls());
        w.findChild<QAction*>("mnuCaseDesign")->trigger();
        DesignWindow* d = w.designWindow();
        QVERIFY(d);
        QSignalSpy ended(d, &DesignWindow::searchEnded);
        const auto click = [d](const char* name) { d->findChild<QPushButton*>(name)->click(); };

        // The default search, cancelled once the window has answered a timer while it ran.
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
        tick.start(0);
        connect(d->findChild<QProgressBar*>("Progress"), &QProgressBar::valueChanged, d,
                [&](int done) {
                    if (done > 0 && ticks > 0) click("Cancel");
                });
        click("Search");
        QVERIFY(d->searching());
        QVERIFY(ended.wait(120000));
        tick.stop();
        QVERIFY(d->lastSearch().cancelled);
        QVERIFY(d->lastSearch().done < d->lastSearch().total);
        QCOMPARE(caseFileText(w.caseFromControls()), before);
        d->findChild<QProgressBar*>("Progress")->disconnect(d);

        // A small search: one leg, a narrow range of inner pipes.
        d->findChild<QLineEdit*>("Legs")->setText("4,5");
        d->findChild<QLineEdit*>("InnerOdMax")->setText("22");
        click("Search");
        QVERIFY(ended.wait(120000));
        const DesignSearch& s = d->lastSearch();
        QVERIFY2(!s.cancelled && s.total >= 20 && s.total <= 100,
                 qPrintable(QString::number(s.total)));
        QVERIFY(!s.feasible.empty());
        const Judged best = s.feasible.front();  // the table's first row, selected
        click("Pick");
        QVERIFY(caseFileText(w.caseFromControls()) != before);

        // The case as the main window now holds it, calculated alone, gives the row's figures.
        Candidate k = best.candidate;
        k.c = w.caseFromControls();
        DataFolder data;
        data.dataDir = QuestaDirectory() / "data";
        data.materials = readMaterialFile(data.dataDir / "condmat.dat");
        const CandidateFigures f = judgeCandidate(k, defaultLimits(s.process), data);
        QVERIFY2(f.calculated, f.message.c_str());
        QCOMPARE(f.hairpins, best.figures.hairpins);
        QCOMPARE(f.surface, best.figures.surface);
        QCOMPARE(f.U, best.figures.U);
        for (int pipe : {0, 1}) {
            QCOMPARE(f.dp[pipe], best.figures.dp[pipe]);
            QCOMPARE(f.velocity[pipe], best.figures.velocity[pipe]);
        }
        QCOMPARE(f.overSurface, best.figures.overSurface);
        w.findChild<QAction*>("mnuCaseCalculate")->trigger();
        QVERIFY(w.findChild<QLabel*>("StatusLine")->text().startsWith("Calculated"));
    }
};

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
