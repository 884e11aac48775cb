// Every window on a small or magnified screen: it lies within the screen's available area, and
// every control and menu in it can be reached, by scrolling where the window cannot show all.
// The screen and the scale factor are fixed when the application starts, so each setting runs
// in a process of its own: this program started again on a headless screen of that size.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/help_viewer.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/profile_window.h"
#include "shell/results_window.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;

namespace {

constexpr char kOnThisScreen[] = "--on-this-screen";

// Whole in the window: inside each container up to it, after its scroll area (if any) has
// scrolled to it.
bool reachable(QWidget* window, QWidget* control) {
    for (QWidget* p = control->parentWidget(); p && p != window; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            const QPoint centre = control->mapTo(area->widget(), control->rect().center());
            area->ensureVisible(centre.x(), centre.y(), control->width() / 2 + 1,
                                control->height() / 2 + 1);
        }
    QRect r = control->rect();
    for (QWidget* w = control; w != window; w = w->parentWidget()) {
        r.translate(w->pos());
        if (!w->parentWidget()->rect().contains(r)) return false;
    }
    return true;
}

}  // namespace

// The checks, run on the screen this process was started with.
class OnThisScreen : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
    }

    void everyWindowFitsAndEveryControlIsReached() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QRect available = screen->availableGeometry();
        MainWindow main;
        ResultsWindow* results = main.resultsWindow();
        results->Risultati({28.8235f, 0.63f, 8, 940, "contro", 20, 1.5f, 50, 2.25f,
                            "Stainless steel AISI 304", "Water", "Propylene Glycol 30%"});
        ProfileWindow profile;
        HelpViewer help;
        std::unique_ptr<QMessageBox> about(
            makeMessageBox(nullptr, {QMessageBox::Information, "About", aboutText(), {}}));
        for (QWidget* w : std::initializer_list<QWidget*>{&main, main.optionsDialog(), results,
                                                          &profile, &help, about.get()}) {
            const QString name = w->objectName() + " " + w->windowTitle();
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(available.contains(w->frameGeometry()),
                     qPrintable(QString("%1: %2,%3 %4x%5 on %6x%7")
                                    .arg(name)
                                    .arg(w->frameGeometry().x())
                                    .arg(w->frameGeometry().y())
                                    .arg(w->frameGeometry().width())
                                    .arg(w->frameGeometry().height())
                                    .arg(available.width())
                                    .arg(available.height())));
            for (QWidget* c : w->findChildren<QWidget*>()) {
                const bool control = qobject_cast<QAbstractButton*>(c) ||
                                     qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c);
                if (control && c->isVisibleTo(w) && !qobject_cast<QScrollBar*>(c->parent()))
                    QVERIFY2(reachable(w, c), qPrintable(name + ": " + c->objectName()));
            }
            if (auto* bar = w->findChild<QMenuBar*>())
                for (QAction* a : bar->actions())
                    QVERIFY2(bar->rect().contains(bar->actionGeometry(a)) && reachable(w, bar),
                             qPrintable(name + ": " + a->text()));
            // A window scrolls only where the screen cannot hold it whole, and then it can be
            // made larger.
            const QSize whole = w->sizeHint() + w->frameGeometry().size() - w->size();
            const bool holds =
                whole.width() <= available.width() && whole.height() <= available.height();
            for (auto* area : w->findChildren<QScrollArea*>()) {
                const bool scrolls = area->horizontalScrollBar()->isVisible() ||
                                     area->verticalScrollBar()->isVisible();
                QVERIFY2(scrolls != holds, qPrintable(name));
                QVERIFY2(!scrolls || w->minimumSize() != w->maximumSize(), qPrintable(name));
            }
        }
    }
};

// One run per screen and scale factor.
class ScreenFitTest : public QObject {
    Q_OBJECT
  private slots:
    void everyWindowFits_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scale");
        QTest::newRow("1366x768 at 100 %") << QSize(1366, 768) << "1";
        QTest::newRow("1920x1080 at 150 %") << QSize(1920, 1080) << "1.5";
        QTest::newRow("1920x1080 at 200 %") << QSize(1920, 1080) << "2";
        QTest::newRow("2560x1440 at 100 %") << QSize(2560, 1440) << "1";
    }

    void everyWindowFits() {
        QFETCH(QSize, screen);
        QFETCH(QString, scale);
        QTemporaryDir dir;
        QFile config(dir.filePath("screen.json"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QString(R"({"screens": [{"name": "screen", "width": %1, "height": %2}]})")
                         .arg(screen.width())
                         .arg(screen.height())
                         .toUtf8());
        config.close();
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
        env.insert("QT_SCALE_FACTOR", scale);
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(), {kOnThisScreen});
        QVERIFY(run.waitForFinished(120000));
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 run.readAll().constData());
    }
};

int main(int argc, char** argv) {
    const bool onThisScreen = argc > 1 && qstrcmp(argv[1], kOnThisScreen) == 0;
    QApplication app(argc, argv);
    if (!onThisScreen) {
        ScreenFitTest test;
        return QTest::qExec(&test, argc, argv);
    }
    OnThisScreen test;
    return QTest::qExec(&test, QStringList{argv[0]});
}

#include "screen_fit_test.moc"
