// Every window on a small or magnified screen: it lies within the screen's available area, and
// every control and menu in it can be reached, by scrolling where the window cannot show all.
// The screen and the scale factor are fixed when the application starts, so each setting runs
// in a process of its own: this program started again on a headless screen of that size.
#include "shell/screen_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "golden_text.h"
#include "shell/help_viewer.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/profile_window.h"
#include "shell/results_window.h"
#include "shell/twip_layout.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;

namespace {

constexpr char kOnThisScreen[] = "--on-this-screen";

QString shown(const QRect& r) {
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The room the style gives a caption on its control: beside an option button's or check box's
// indicator, inside a push button's bevel.
QRect captionRoom(QAbstractButton* c) {
    QStyleOptionButton option;
    option.initFrom(c);
    option.text = c->text();
    const QStyle::SubElement element =
        qobject_cast<QRadioButton*>(c) ? QStyle::SE_RadioButtonContents
        : qobject_cast<QCheckBox*>(c)  ? QStyle::SE_CheckBoxContents
                                       : QStyle::SE_PushButtonContents;
    return c->style()->subElementRect(element, &option, c);
}

// A control as the messages name it: its name and size.
QString where(const QWidget* c) {
    return c->objectName() + QString(" %1x%2").arg(c->width()).arg(c->height());
}

QStringList siblingFaults(QWidget* window);

// What is wrong with the captions of a window: a control smaller than its text needs, a caption
// or a box's text wider or taller than the room its control gives it, and controls of one
// container that overlap or stand outside it.
QStringList captionFaults(QWidget* window) {
    QStringList faults;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (!c->isVisibleTo(window)) continue;
        // The room the drawn layouts give a control's text, on a window's "client" form.
        const QSize least = neededSize(c);
        bool drawn = false;
        for (QWidget* p = c->parentWidget(); p && !qobject_cast<QComboBox*>(p);
             p = p->parentWidget())
            drawn = drawn || p->objectName() == "client";
        if (drawn && (c->width() < least.width() || c->height() < least.height()))
            faults
                << QString("%1 needs %2x%3").arg(where(c)).arg(least.width()).arg(least.height());
        if (auto* box = qobject_cast<QLineEdit*>(c);
            box && !qobject_cast<QComboBox*>(c->parent()) &&
            box->fontMetrics().horizontalAdvance(box->text()) >= box->width() - 6)
            faults << QString("%1 clips \"%2\"").arg(where(c), box->text());
        QString text;
        QRect room = c->contentsRect();
        if (auto* label = qobject_cast<QLabel*>(c)) {
            if (label->wordWrap()) continue;
            text = label->text();
            room = label->contentsRect().marginsRemoved(
                QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
            text = button->text();
            room = captionRoom(button);
        } else if (auto* frame = qobject_cast<QGroupBox*>(c)) {
            text = frame->title();
        }
        if (text.isEmpty()) continue;
        const QSize need = c->fontMetrics().size(Qt::TextShowMnemonic, text);
        if (need.width() > room.width() || need.height() > room.height())
            faults << QString("%1 clips \"%2\" (needs %3x%4 in %5x%6)")
                          .arg(where(c), text)
                          .arg(need.width())
                          .arg(need.height())
                          .arg(room.width())
                          .arg(room.height());
    }
    return faults + siblingFaults(window);
}

// Siblings: captions, boxes and lists side by side never share a pixel and stand inside their
// container. A control drawn within a frame's rectangle, below its title, stands on the frame,
// not over it.
QStringList siblingFaults(QWidget* window) {
    QStringList faults;
    const auto onFrame = [](QWidget* a, QWidget* b) {
        auto* frame = qobject_cast<QGroupBox*>(a);
        if (!frame) return false;
        const QRect inside = frame->geometry().adjusted(0, frame->fontMetrics().height(), 0, 0);
        return inside.contains(b->geometry());
    };
    const auto placed = [&](QWidget* c) {
        return c->isVisibleTo(window) && !c->isWindow() &&
               (qobject_cast<QLabel*>(c) || qobject_cast<QAbstractButton*>(c) ||
                qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) ||
                qobject_cast<QGroupBox*>(c));
    };
    QList<QWidget*> containers = window->findChildren<QWidget*>();
    containers << window;
    for (QWidget* parent : containers) {
        QList<QWidget*> kids;
        for (QObject* o : parent->children())
            if (auto* c = qobject_cast<QWidget*>(o); c && placed(c)) kids << c;
        for (int i = 0; i < kids.size(); ++i) {
            if (!parent->rect().contains(kids[i]->geometry()))
                faults << QString("%1 outside %2").arg(where(kids[i]), where(parent));
            for (int j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()) &&
                    !onFrame(kids[i], kids[j]) && !onFrame(kids[j], kids[i]))
                    faults << QString("%1 overlaps %2").arg(where(kids[i]), where(kids[j]));
        }
    }
    return faults;
}

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

// The drawn windows: each one's "client" form, on which its controls stand, at its size in twips
// times the window's factor, and one control at its place; the additions stand below them.
void checkTwips(MainWindow& main) {
    main.resultsWindow()->findChild<QToolButton*>("Breakdown")->setChecked(true);  // unfolded
    const struct {
        QWidget* window;
        double scale;
        int width, height;  // twips
        const char* control;
        int left, top;  // twips
    } drawn[] = {{&main, main.layoutScale(), 7545, 7215, "Command1", 2520, 6600},
                 {main.optionsDialog(), main.optionsDialog()->layoutScale(), 5565, 5235,
                  "HairpinLength", 2760, 3105},
                 {main.resultsWindow(), main.resultsWindow()->layoutScale(), 7005, 7515 + 7215,
                  "Extension", 0, 7515}};
    for (const auto& d : drawn) {
        const auto px = [&d](int twips) { return twipsToPixels(twips, d.scale); };
        const auto* client = d.window->findChild<QWidget*>("client");
        QCOMPARE(client->size(), QSize(px(d.width), px(d.height)));
        QCOMPARE(client->findChild<QWidget*>(d.control)->pos(), QPoint(px(d.left), px(d.top)));
    }
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
        results->Risultati({28.8235f, 0.63f, 8, 940, Arrangement::Countercurrent, 20, 1.5f, 50,
                            2.25f, "Stainless steel AISI 304", "Water", "Propylene Glycol 30%"});
        ProfileWindow profile;
        HelpViewer help;
        std::unique_ptr<QMessageBox> about(
            makeMessageBox(nullptr, {QMessageBox::Information, "About", aboutText(), {}}));
        for (QWidget* w : std::initializer_list<QWidget*>{&main, main.optionsDialog(), results,
                                                          &profile, &help, about.get()}) {
            const QString name = w->objectName() + " " + w->windowTitle();
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(
                available.contains(w->frameGeometry()),
                qPrintable(name + ": " + shown(w->frameGeometry()) + " on " + shown(available)));
            // Each window's own controls: the main window owns the Options dialog, a window
            // of its own.
            for (QWidget* c : w->findChildren<QWidget*>()) {
                if (c->window() != w) continue;
                const bool control = qobject_cast<QAbstractButton*>(c) ||
                                     qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c);
                if (control && c->isVisibleTo(w) && !qobject_cast<QScrollBar*>(c->parent()))
                    QVERIFY2(reachable(w, c), qPrintable(name + ": " + c->objectName()));
            }
            const QStringList faults = captionFaults(w);
            QVERIFY2(faults.isEmpty(), qPrintable(name + ": " + faults.join("; ")));
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
                if (area->window() != w) continue;
                const bool scrolls = area->horizontalScrollBar()->isVisible() ||
                                     area->verticalScrollBar()->isVisible();
                QVERIFY2(scrolls != holds, qPrintable(name));
                QVERIFY2(!scrolls || w->minimumSize() != w->maximumSize(), qPrintable(name));
            }
        }
        checkTwips(main);
    }

    // The results window opens beside the main window, its title bar on the screen, and covers
    // none of it where either side has room for a narrowed window, the main window stepping
    // aside where that makes room; on a full HD screen under the window manager (at the usual
    // font) it shows everything without scrolling.
    // Under a window manager the frame is known only after the window is mapped, and it is
    // placed again then.
    void resultsOpenBesideTheMainWindow() {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        MainWindow main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTest::qWait(200);  // the window manager's own placement of the main window
        ResultsWindow* results = main.resultsWindow();
        results->Risultati({28.8235f, 0.63f, 8, 940, Arrangement::Countercurrent, 20, 1.5f, 50,
                            2.25f, "Stainless steel AISI 304", "Water", "Propylene Glycol 30%"});
        QVERIFY(QTest::qWaitForWindowExposed(results));
        const int room = available.width() - main.frameGeometry().width();
        const auto where = [&] {
            return "results " + shown(results->frameGeometry()) + ", main " +
                   shown(main.frameGeometry()) + " on " + shown(available);
        };
        const auto placed = [&] {
            const QRect r = results->frameGeometry();
            const auto* form = results->findChild<QScrollArea*>();
            const bool whole = !form->verticalScrollBar()->isVisible() &&
                               !form->horizontalScrollBar()->isVisible();
            return available.contains(r) && (room < 300 || !r.intersects(main.frameGeometry())) &&
                   (available.width() < 1900 || QGuiApplication::platformName() != "xcb" || whole);
        };
        QTRY_VERIFY2_WITH_TIMEOUT(placed(), qPrintable(where()), 3000);
        QTest::qWait(300);  // and it stays there
        QVERIFY2(placed(), qPrintable(where()));
    }
};

// One run per screen and scale factor, and one under a real window manager.
class ScreenFitTest : public QObject {
    Q_OBJECT
  private slots:
    // shell/golden/window_placement.txt: where a secondary window opens beside the main window,
    // each line's place worked again from its rectangles.
    void placementAsGolden() {
        QFile file(ZANO_SOURCE_DIR "/tests/shell/golden/window_placement.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString out;
        for (QString line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
            QList<int> n;
            for (const auto& m : QRegularExpression("-?\\d+").globalMatch(
                     line.section(": ", 1).section(" -> ", 0, 0)))
                n << m.captured().toInt();
            const QRect area(n.value(0), n.value(1), n.value(2), n.value(3));
            const QRect anchor(n.value(4), n.value(5), n.value(6), n.value(7));
            const QSize size(n.value(8), n.value(9)), least(n.value(10), n.value(11));
            if (n.size() == 10)
                line = line.section(" -> ", 0, 0) + " -> " +
                       shown(QRect(besidePosition(area, anchor, size), QSize())).section(' ', 0, 0);
            if (n.size() == 12)
                line = line.section(" -> ", 0, 0) + " -> " +
                       shown(besideFrame(area, anchor, size, least));
            out += line + '\n';
        }
        const std::string why =
            golden_text::mismatch("shell/golden/window_placement.txt", out.toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }

    void everyWindowFits_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("points");  // the system font's size; empty: the platform's
        const struct {
            const char* name;
            QSize screen;
            const char* scale;
            const char* points;
        } settings[] = {
            {"1366x768 at 100 %", {1366, 768}, "1", ""},
            {"1920x1080 at 150 %", {1920, 1080}, "1.5", ""},
            {"1920x1080 at 200 %", {1920, 1080}, "2", ""},
            {"2560x1440 at 100 %", {2560, 1440}, "1", ""},
            {"1920x1080, 14 pt font", {1920, 1080}, "1", "14"},
            {"1920x1080 at 150 %, 14 pt font", {1920, 1080}, "1.5", "14"},
        };
        for (const auto& s : settings)
            QTest::newRow(s.name) << s.screen << QString(s.scale) << QString(s.points);
    }

    // The placement under a real window manager (openbox on Xvfb), which tells a window's frame
    // only once it is mapped.
    void underAWindowManager_data() {
        QTest::addColumn<QString>("screen");
        QTest::newRow("1366x768") << "1366x768x24";
        QTest::newRow("1920x1080") << "1920x1080x24";
    }
    void underAWindowManager() {
        QFETCH(QString, screen);
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        const QString openbox = QStandardPaths::findExecutable("openbox");
        if (xvfb.isEmpty() || openbox.isEmpty()) QSKIP("Xvfb and openbox are not installed");
        int display = 90;
        while (display < 200 && QFile::exists(QString("/tmp/.X11-unix/X%1").arg(display)))
            ++display;
        const QString name = QString(":%1").arg(display);
        QProcess server;
        server.start(xvfb, {name, "-screen", "0", screen, "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString("/tmp/.X11-unix/X%1").arg(display)), 10000);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("QT_SCALE_FACTOR");
        QProcess wm;
        wm.setProcessEnvironment(env);
        wm.start(openbox, {});
        QVERIFY(wm.waitForStarted());
        QTest::qWait(1000);  // openbox takes the screen
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {kOnThisScreen, "", "resultsOpenBesideTheMainWindow"});
        const bool finished = run.waitForFinished(60000);
        // Ended, not killed: the server then removes its socket, whose number is free again.
        wm.terminate();
        server.terminate();
        wm.waitForFinished();
        server.waitForFinished();
        QVERIFY(finished);
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 run.readAll().constData());
    }

    void everyWindowFits() {
        QFETCH(QSize, screen);
        QFETCH(QString, scale);
        QFETCH(QString, points);
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
        run.start(QCoreApplication::applicationFilePath(), {kOnThisScreen, points});
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
    // A larger system font, as a desktop's font setting gives it to every window.
    if (argc > 2 && argv[2][0] != 0) {
        QFont font = QApplication::font();
        font.setPointSizeF(QByteArray(argv[2]).toDouble());
        QApplication::setFont(font);
    }
    // A third argument runs that check alone.
    QStringList args{argv[0]};
    if (argc > 3) args << argv[3];
    OnThisScreen test;
    return QTest::qExec(&test, args);
}

#include "screen_fit_test.moc"
