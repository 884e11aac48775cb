// The desktop program driven through its controls, headless, one scenario a file: each
// shell/golden/scenarios/*.txt lists its steps ("> step") and under each what came up (messages,
// dialogs, captions painted) and every change of the windows (texts, flags, captions, lists), of
// the files in the scenario's folder and of the clipboard; the test runs the steps and compares
// its own account with the file byte for byte. A line "# watch: main.StatusLine results.* file*"
// keeps the account to the changes of the keys it names (* for any characters).
//
// Steps: type BOX KEYS | keys BOX|WINDOW SHORTCUT (as "Ctrl+Z") | dclick BOX | paste BOX
// [TEXT] (by the keyboard; 99 by default) | menupaste BOX TEXT (the context menu's Paste) | drop
// BOX TEXT (at the end of the text) | set BOX [TEXT] | select BOX | pick LIST ENTRY | click BUTTON
// | menu ACTION | close WINDOW (from its frame) | open|save|savecaseas [FILE] (File menu: Open,
// Save, Save As, the dialog answering FILE, then Cancel) | saveas [FILE FILTER] (the next export
// dialog's answer) | openas [FILE] (the next other open dialog's answer, in the folder unless
// absolute) | clipboard TEXT (put on the clipboard) | answer yes|no (the next question's; no by
// default) | focus (the box that has it in each window shown) | answer save|discard|cancel (the
// next "Save changes" question's; discard by default) | fill BOX TEXT (a box of the next modal
// dialog, which the following step brings and OK closes; a check box "checked" or not) | dropfile
// TARGET FILE (a file manager's drop of FILE on a control or "main", the window) | commandline ARG
// (as "zano ARG" started in the scenario's folder; <dir> for the folder) | name FILE (the next
// case-file dialog's answer, for one that a question brings) | copy FILE... (example.zan copied) |
// restart (a new main window, as the program started again) | delete FILE | write FILE|TEXT (its
// folder made) | wait MS (for timers) | mkfifo FILE (a named pipe, which no file listing reads) |
// samecalc FILE ARGS (FILE against what zano-calc ARGS prints in the folder) | calc ARGS (zano-calc
// in the folder: its status and errors; <src> for the source tree) | read (the case from the
// controls) | print [N] (the page into printed.txt, the printer failing at line N) | record NAME
// FIELD=VALUE... (fields of a results record kept under NAME, named as the exports name them; the
// others zero) | show NAME [CONFIGURATION] (that record into the results window) | tablename [NAME]
// (the next name prompt's answer, Cancel without NAME; with none queued a prompt takes the name it
// offers, once a step, then Cancel) | fault memory|library|thrown STEP (the step under a fault
// outside the program's checks, raised at every file read or save and by the printer at its third
// line). Texts take \r \n \t \b \s (blank) \m (the byte-order mark). A first step "start [without
// data]" writes the whole state. Main window controls go by name, the others' as
// "options.Text1"; the folder holds "data", "example.zan" (water 15 -> 40 degC inside, 85 degC
// and 0,4 kg/s outside, 8 m, length given) and, once a table is saved there, "user", the folder
// of the user's own tables. The user's home folder is shown as <home>.
#include <sys/stat.h>

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include "base/faults.h"
#include "formats/results_display.h"
#include "golden_text.h"
#include "properties/fluid_table.h"
#include "recording_report_printer.h"
#include "shell/help_viewer.h"
#include "shell/key_filter.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/report.h"
#include "shell/results_window.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;
using namespace shell_test;

namespace {

const QString kScenarios = ZANO_SOURCE_DIR "/tests/shell/golden/scenarios";

QString escaped(QString s) {
    return s.replace('\\', "\\\\")
        .replace('\r', "\\r")
        .replace('\n', "\\n")
        .replace('\t', "\\t")
        .replace(QChar(0xFEFF), "\\m");
}
QString unescaped(const QString& s) {
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const qsizetype code = QString("rntbsm").indexOf(s[++i]);
        out += code < 0 ? s[i] : (QString("\r\n\t\b ") + QChar(0xFEFF))[code];
    }
    return out;
}
QString quoted(const QString& s) {
    return '"' + escaped(s) + '"';
}

// Lines "key = value" in the order met; a key met again is marked.
using State = QList<QPair<QString, QString>>;
void add(State& s, QString key, const QString& value) {
    while (std::any_of(s.begin(), s.end(), [&](const auto& l) { return l.first == key; }))
        key += '+';
    s.append({key, value});
}

// Where the manual's reader is, in terms a longer manual leaves alone: the page asked for and
// how far the pages scrolled (only "the last page" or the search's page where those move with
// the manual's text), the zoom ("fitted" to the width), and the place found among several, on a
// page that has the text and marked as a highlighter marks paper.
void addReading(State& s, const QString& window, HelpViewer* h) {
    QPdfView* view = h->findChild<QPdfView*>();
    const QScrollBar* bar = view->verticalScrollBar();
    const int page = h->page() + 1, found = h->foundIndex() + 1;
    QString where = QString("page %1, scrolled %2").arg(page).arg(bar->value());
    if (page == h->document()->pageCount())
        where = bar->value() > bar->maximum() / 2 ? "the last page" : "the last page, not scrolled";
    else if (!h->findChild<QLineEdit*>("FindText")->text().isEmpty())
        where = found > 0 ? "the place found's page" : "the page the search left";
    add(s, window + ".view",
        where + QString(", zoom %1").arg(h->zoomFactor(), 0, 'f', 4) +
            (view->zoomMode() == QPdfView::ZoomMode::FitToWidth ? " fitted" : ""));
    const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int marked = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) marked += shown.pixel(x, y) == qRgb(255, 225, 80);
    const QString text = h->findChild<QLineEdit*>("FindText")->text();
    const int count = h->foundCount();
    add(s, window + ".found",
        (count == 0       ? "none " + quoted(h->findChild<QLabel*>("FindResult")->text())
         : count == 1     ? QString("the only one")
         : found == count ? QString("last of several")
                          : QString("%1 of several").arg(found)) +
            (found && h->document()->getAllText(h->page()).text().contains(text) ? ", on its page"
                                                                                 : "") +
            (marked > 0 ? ", marked" : ""));
}

// What a user sees of one control (a list's entries and completions as keys of their own); a
// null text for a control the account leaves out.
QString controlState(State& s, const QString& name, QObject* c) {
    if (auto* e = qobject_cast<QLineEdit*>(c))
        // Tab passes by a box that takes no Tab focus.
        return quoted(e->text()) + (e->isReadOnly() ? " read-only" : "") +
               (e->palette().color(QPalette::Base) != Qt::white ? " grey" : "") +
               (e->font().bold() ? " bold" : "") + (e->font().italic() ? " italic" : "") +
               (e->palette().color(QPalette::Text) != QApplication::palette(e).color(QPalette::Text)
                    ? " tinted"
                    : "") +
               (e->focusPolicy() & Qt::TabFocus ? "" : " no-tab") +
               (e->hasSelectedText() ? " selected " + quoted(e->selectedText()) : "");
    if (auto* l = qobject_cast<QComboBox*>(c)) {
        QStringList entries;
        for (int i = 0; i < l->count(); ++i) entries << l->itemText(i);
        add(s, name + ".list", entries.join('|'));
        // The names a typed part completes to, while their pop-up is up.
        if (const QCompleter* names = l->completer(); names && names->popup()->isVisible()) {
            QStringList offered;
            for (int i = 0; i < names->completionModel()->rowCount(); ++i)
                offered << names->completionModel()->index(i, 0).data().toString();
            add(s, name + ".completions", offered.join('|'));
        }
        return quoted(l->currentText());
    }
    if (auto* b = qobject_cast<QAbstractButton*>(c))
        return quoted(b->text()) + (b->isChecked() ? " checked" : "");
    if (auto* l = qobject_cast<QLabel*>(c)) return quoted(l->text());
    if (auto* g = qobject_cast<QGroupBox*>(c)) return quoted(g->title());
    if (auto* m = qobject_cast<QMenu*>(c)) {
        QString v = quoted(m->title()) + ':';
        for (const QAction* a : m->actions()) v += ' ' + a->objectName();
        return v;
    }
    if (auto* a = qobject_cast<QAction*>(c))
        return (a->isSeparator() ? "-" : quoted(a->text()) + ' ' + a->shortcut().toString()) +
               (a->isEnabled() ? "" : " disabled");
    return {};
}

// A window and every named control in it: its text and what a user sees of its state.
void addWindow(State& s, const QString& window, QWidget* w) {
    add(s, window,
        (w->isVisible() ? "shown " : "hidden ") + quoted(w->windowTitle()) +
            (w->isWindowModified() ? " modified" : "") +
            // kept above the main window by the window manager
            (w->windowHandle() && w->windowHandle()->transientParent() ? " over main" : ""));
    for (QObject* c : w->findChildren<QObject*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith("qt_") ||
            c->objectName().startsWith("_q_"))  // Qt's own parts, as a box's clear button
            continue;
        // A window this one owns (the main window's Options) is recorded as a window of its own;
        // its menus (pop-ups) belong to it.
        QObject* owner = c;
        while (owner && !(owner->isWidgetType() && static_cast<QWidget*>(owner)->isWindow() &&
                          static_cast<QWidget*>(owner)->windowType() != Qt::Popup))
            owner = owner->parent();
        if (owner && owner != w) continue;
        const QString name = window + '.' + c->objectName(), v = controlState(s, name, c);
        if (v.isNull()) continue;
        const auto* widget = qobject_cast<QWidget*>(c);
        add(s, name, v + (widget && !widget->isEnabled() ? " disabled" : ""));
    }
    if (auto* p = qobject_cast<ProfileWindow*>(w)) {
        const ProfileChartData& d = p->findChild<ProfileChart*>()->data();
        add(s, window + ".chart",
            QString("%1 points, %2 / %3").arg(d.profile.points.size()).arg(d.intFluid, d.estFluid));
    }
    if (auto* h = qobject_cast<HelpViewer*>(w)) {
        const bool shown = h->document()->pageCount() > 0 &&
                           h->findChild<QPdfView*>()->document() == h->document();
        add(s, window + ".manual", shown ? "shown" : "blank");
        if (shown) addReading(s, window, h);
    }
}

template <typename T>
void addWindows(State& s, const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<T*>(w)) addWindow(s, name, w);
}

// Each line of a text file with its line end; a PNG image by its size, an SVG drawing by its
// words (not the scale's numbers), a PDF file by its pages and the first line of its text.
void addFile(State& s, const QString& path, const QString& key) {
    const std::string bytes = readAll(toPath(path));
    if (bytes.starts_with("\x89PNG")) {
        const QSize size = QImage(path).size();
        return add(s, key, QString("PNG image %1 x %2").arg(size.width()).arg(size.height()));
    }
    if (path.endsWith(".svg")) {
        QStringList words;
        for (const auto& m : QRegularExpression(">([^<]*[A-Za-z][^<]*)</text>")
                                 .globalMatch(QString::fromStdString(bytes)))
            words << m.captured(1).trimmed();
        return add(s, key, "SVG drawing: " + words.join(" | "));
    }
    if (path.endsWith(".pdf")) {
        QPdfDocument doc;
        if (doc.load(path) != QPdfDocument::Error::None) return add(s, key, "not a PDF file");
        return add(s, key,
                   QString("PDF of %1 page(s): %2")
                       .arg(doc.pageCount())
                       .arg(doc.getAllText(0).text().section(QRegularExpression("[\r\n]"), 0, 0)));
    }
    for (std::size_t at = 0, n = 1; at < bytes.size(); ++n) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
        // QString drops a byte-order mark that begins the bytes; it is shown as \m.
        const bool mark = at == 0 && bytes.starts_with("\xEF\xBB\xBF");
        add(s, key + ':' + QString::number(n),
            (mark ? "\\m" : "") +
                escaped(QString::fromUtf8(bytes.substr(at + 3 * mark, end - at - 3 * mark))));
        at = end;
    }
}

// The controls and files a scenario is about, from its lines "# watch: main.Text* file*": the
// changes of those alone are its account, so that a control it is not about never rewrites it.
// Without such a line, every change.
QList<QRegularExpression> watchList(const QStringList& lines) {
    QList<QRegularExpression> watch;
    for (const QString& line : lines)
        if (line.startsWith("# watch: "))
            for (const QString& pattern : line.mid(9).split(' ', Qt::SkipEmptyParts))
                watch << QRegularExpression(
                    "^" + QRegularExpression::escape(pattern).replace("\\*", ".*") + "$");
    return watch;
}

QString changes(const State& before, const State& after, const QList<QRegularExpression>& watch) {
    const auto watched = [&watch](const QString& key) {
        return watch.isEmpty() || std::any_of(watch.begin(), watch.end(), [&key](const auto& w) {
                   return w.match(key).hasMatch();
               });
    };
    QString out;
    QHash<QString, QString> gone(before.begin(), before.end());
    for (const auto& [key, value] : after) {
        if ((!gone.contains(key) || gone[key] != value) && watched(key))
            out += "  " + key + " = " + value + '\n';
        gone.remove(key);
    }
    for (const auto& [key, value] : before) {
        const QString owner = key.section('.', 0, 0);  // a window gone goes with its controls
        if (gone.contains(key) && (owner == key || !gone.contains(owner)) && watched(key))
            out += "  " + key + " gone\n";
    }
    return out;
}

// A step's words: the whole argument, its first word and the rest with its escapes read.
struct Args {
    QString arg, name, rest;
};

// The windows a step names, as the account names them.
const QStringList kWindows{"main", "options", "results", "profile", "help"};

// One field of a results record, named as the exports name it.
void setField(ResultsData& r, const QString& name, const QString& value) {
    const auto* f = std::find_if(kResultFields.begin(), kResultFields.end(),
                                 [&name](const ResultField& f) { return name == f.name; });
    if (f == kResultFields.end()) qFatal("no result field %s", qPrintable(name));
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(r.*member)>;
            if constexpr (std::is_same_v<T, std::string>)
                r.*member = value.toStdString();
            else if constexpr (std::is_same_v<T, Arrangement>)
                r.*member =
                    value == "contro" ? Arrangement::Countercurrent : Arrangement::Equicurrent;
            else
                r.*member = static_cast<T>(value.toDouble());
        },
        f->member);
}

}  // namespace

class ScenarioTest : public QObject {
    Q_OBJECT

    QTemporaryDir* dir_ = nullptr;  // the scenario's folder
    std::unique_ptr<MainWindow> w_;
    QStringList events_;   // what came up since the last step
    QStringList answers_;  // the next case-file dialogs' answers, then Cancel
    SaveAnswer saveAnswer_;
    QString openAnswer_;                           // the next other open dialog's answer
    bool yes_ = false;                             // the next question's answer, then No
    SaveChoice saveChoice_ = SaveChoice::Discard;  // the next "Save changes" answer, then Discard
    QStringList tableNames_;  // the next name prompts' answers ("" Cancel), then the name offered
    bool offeredTaken_ = false;  // in this step: a prompt took the name offered, the next cancels
    QList<QPair<QString, QString>> dialogTexts_;  // the next modal dialog's boxes and texts
    QTimer dialogWatch_;                          // which fills that dialog when it comes
    QHash<QString, ResultsData> records_;         // results records by their names
    RecordingReportPrinter printer_;

    using Step = std::function<void(ScenarioTest&, const Args&)>;
    static const QHash<QString, Step> kSteps;

    QWidget* window(const QString& name) {
        if (name == "options") return w_->optionsDialog();
        if (name == "results") return w_->resultsWindow();
        if (name == "profile") return w_->profileWindow();
        if (name == "help") return w_->helpViewer();
        return w_.get();
    }
    template <typename T = QWidget>
    T* control(const QString& path) {
        QWidget* w = path.contains('.') ? window(path.section('.', 0, 0)) : w_.get();
        T* c = w ? w->findChild<T*>(path.section('.', -1)) : nullptr;
        if (!c) qFatal("no control %s", qPrintable(path));
        return c;
    }

    State state() {
        State s;
        addWindows<MainWindow>(s, "main");
        addWindows<OptionsDialog>(s, "options");
        addWindows<ResultsWindow>(s, "results");
        addWindows<ProfileWindow>(s, "profile");
        addWindows<HelpViewer>(s, "help");
        QStringList files;
        for (const QString& folder : {dir_->path(), dir_->filePath("user")})
            for (QDirIterator it(folder, QDir::Files); it.hasNext();) files << it.next();
        files.sort();
        files << dir_->filePath("data/User defined.dat");
        for (const QString& f : files)
            addFile(s, f, "file " + QDir(dir_->path()).relativeFilePath(f));
        const QStringList clipboard = QGuiApplication::clipboard()->text().split('\n');
        for (int i = 0; i < clipboard.size() && !clipboard[i].isEmpty(); ++i)
            add(s, "clipboard:" + QString::number(i + 1), escaped(clipboard[i]));
        return s;
    }

    void run(const QString& step) {
        offeredTaken_ = false;
        const QString verb = step.section(' ', 0, 0), arg = step.section(' ', 1);
        const auto handler = kSteps.find(verb);
        if (handler == kSteps.end()) qFatal("unknown step %s", qPrintable(step));
        (*handler)(*this, {arg, arg.section(' ', 0, 0), unescaped(arg.section(' ', 1))});
        if (verb != "name" && verb != "answer") answers_.clear();  // a dialog that never came
        if (verb != "fill") dialogTexts_.clear();
        flushDeletes();
    }

    void write(const QString& file, const QByteArray& bytes) {
        QVERIFY(QDir(dir_->path()).mkpath(QFileInfo(file).path()));
        QFile f(dir_->filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }

    // Keys in their window made active, as a user's keys are.
    void keys(const QString& target, const QString& sequence) {
        QWidget* to = kWindows.contains(target) ? window(target) : control(target);
        to->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(to->window()));
        if (to != to->window()) to->setFocus();
        QTest::keySequence(to, QKeySequence(sequence));
    }

    // The context menu's Paste.
    void menuPaste(const QString& name, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QWidget* box = control(name);
        QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(2, 2),
                               box->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(box, &open);
        auto* menu = box->findChild<QMenu*>();
        QVERIFY(menu);
        if (QAction* paste = pasteAction(menu))
            paste->trigger();
        else
            events_ << "no Paste in the menu";
        menu->close();
    }

    // A drag of `data` dropped on `target` at `at`; false when the target refuses it.
    static bool drop(QWidget* target, const QMimeData& data, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);  // opened after it
        return enter.isAccepted();
    }

    // As file managers offer a file: its URL, and the URL as text.
    void dropFile(const QString& target, const QString& file) {
        QWidget* on = target == "main" ? w_.get() : control(target);
        QMimeData data;
        const QUrl url = QUrl::fromLocalFile(dir_->filePath(file));
        data.setUrls({url});
        data.setText(url.toString());
        if (!drop(on, data, QPoint(on->width() / 2, on->height() / 2))) events_ << "drop refused";
    }

    void focus() {
        for (const QString& name : kWindows)
            if (QWidget* w = window(name); w && w->isVisible() && w->focusWidget())
                events_ << "focus in " + name + '.' + w->focusWidget()->objectName();
    }

    void sameCalc(const QString& file, const QString& args) {
        QFile f(dir_->filePath(file));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const bool same = f.readAll() == calc(args.split(' '))->readAllStandardOutput();
        events_ << file + (same ? " is" : " differs from") + " what zano-calc " + args + " prints";
    }

    void calcErrors(const QString& args) {
        const auto run = calc(QString(args).replace("<src>", ZANO_SOURCE_DIR).split(' '));
        const QString errors = QString::fromUtf8(run->readAllStandardError())
                                   .remove(QRegularExpression("QStandardPaths: [^\n]*\n"));
        events_ << QString("zano-calc ended %1: ").arg(run->exitCode()) + quoted(errors);
    }

    // The next modal dialog: its boxes given their texts, then OK.
    void fillDialog() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialogTexts_.isEmpty()) return;
        for (const auto& [box, text] : std::exchange(dialogTexts_, {})) {
            if (auto* line = dialog->findChild<QLineEdit*>(box))
                line->setText(text);
            else if (auto* lines = dialog->findChild<QPlainTextEdit*>(box))
                lines->setPlainText(text);
            else if (auto* check = dialog->findChild<QCheckBox*>(box))
                check->setChecked(text == "checked");
            else
                qFatal("no box %s", qPrintable(box));
        }
        events_ << "dialog " + quoted(dialog->windowTitle()) + " answered OK";
        dialog->accept();
    }

    // File menu: Open, Save or Save As, the dialog answering FILE, then Cancel.
    static Step fileMenu(const char* action) {
        return [action](ScenarioTest& t, const Args& a) {
            if (!a.arg.isEmpty()) t.answers_ << t.dir_->filePath(a.arg);
            t.control<QAction>(action)->trigger();
        };
    }

    void underFault(const QString& kind, const QString& step) {
        std::function<void()> fault = [] { throw 42; };  // anything thrown
        if (kind == "memory") fault = [] { throw std::bad_alloc(); };
        if (kind == "library") fault = [] { throw std::runtime_error("a library's own fault"); };
        fileFaultHook() = [&fault](const std::filesystem::path&) { fault(); };
        printer_ = {};
        printer_.failAt = 3;
        printer_.fail = fault;
        run(step);
        fileFaultHook() = nullptr;
        if (!printer_.lines.empty()) events_ << (printer_.aborted ? "job aborted" : "job ended");
        printer_ = {};
    }

    // zano-calc run in the folder, as in a session without a display, which it never needs.
    std::unique_ptr<QProcess> calc(const QStringList& args) {
        auto run = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        run->setProcessEnvironment(env);
        run->setWorkingDirectory(dir_->path());
        run->start(QCoreApplication::applicationDirPath() + "/zano-calc", args);
        if (!run->waitForFinished(60000)) qFatal("zano-calc did not end");
        return run;
    }

    // A main window afresh, as when the program starts again.
    void startWindow(const QString& dataDir) {
        w_.reset();
        flushDeletes();
        w_ = std::make_unique<MainWindow>(toPath(dataDir), toPath(dir_->filePath("user")));
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
        w_->findChild<QPushButton*>("Command1")->installEventFilter(this);
    }

    // The dialogs that ask for a file or a name: each told, answered as the steps queued.
    void installFileHooks() {
        fileNameHook() = [this](bool save, const QString& initial) {
            events_ << QString(save ? "save" : "open") + " dialog offering " + quoted(initial);
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        };
        saveFileHook() = [this](const QString& title, const QStringList& filters,
                                const QString& initial) {
            events_ << quoted(title) + " dialog offering " + quoted(initial) + " as " +
                           filters.join(" or ");
            return std::exchange(saveAnswer_, {});
        };
        openFileHook() = [this](const QString& title, const QStringList& filters) {
            events_ << quoted(title) + " open dialog as " + filters.join(" or ");
            return std::exchange(openAnswer_, {});
        };
        nameHook() = [this](const QString& label, const QString& initial) {
            const QString answer = !tableNames_.isEmpty()               ? tableNames_.takeFirst()
                                   : std::exchange(offeredTaken_, true) ? QString()
                                                                        : initial;
            events_ << QString("name prompt %1 offering %2 answered %3")
                           .arg(quoted(label), quoted(initial),
                                answer.isEmpty() ? "cancel" : quoted(answer));
            return answer;
        };
    }

  public:
    ScenarioTest() {
        connect(&dialogWatch_, &QTimer::timeout, this, &ScenarioTest::fillDialog);
        dialogWatch_.start(20);
    }

    // The calculate button's caption whenever it is painted other than at rest.
    bool eventFilter(QObject* o, QEvent* e) override {
        const QString caption = static_cast<QPushButton*>(o)->text();
        if (e->type() == QEvent::Paint && caption != "Calculate")
            events_ << "painted " + quoted(caption);
        return false;
    }

  private slots:
    void initTestCase() {
        installOffscreenFilter();
        // The printed page's date: the same on every run.
        qputenv("SOURCE_DATE_EPOCH", "1796601600");  // 2026-12-07
        messageHook() = [this](const MessageRequest& m) {
            events_ << QString("message %1 %2: %3 / %4")
                           .arg(m.icon == QMessageBox::Warning ? "warning" : "information",
                                quoted(m.title), quoted(m.text), quoted(m.informative));
        };
        installFileHooks();
        saveChangesHook() = [this](const MessageRequest& m) {
            const SaveChoice answer = std::exchange(saveChoice_, SaveChoice::Discard);
            events_ << QString("save changes %1: %2 / %3 answered %4")
                           .arg(quoted(m.title), quoted(m.text), quoted(m.informative),
                                answer == SaveChoice::Save      ? "save"
                                : answer == SaveChoice::Discard ? "discard"
                                                                : "cancel");
            return answer;
        };
        questionHook() = [this](const MessageRequest& m) {
            events_ << QString("question %1: %2 answered %3")
                           .arg(quoted(m.title), quoted(m.text), yes_ ? "yes" : "no");
            return std::exchange(yes_, false);
        };
        reportPrinterHook() = [this]() -> ReportPrinter& {
            events_ << "report printed";
            return printer_;
        };
    }

    void scenario_data() {
        QTest::addColumn<QString>("name");
        for (const QString& f : QDir(kScenarios).entryList({"*.txt"}))
            QTest::newRow(qPrintable(f)) << f;
    }

    void scenario() {
        QFETCH(QString, name);
        QFile script(kScenarios + '/' + name);
        QVERIFY(script.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(script.readAll()).split('\n');
        QTemporaryDir dir;
        dir_ = &dir;
        QVERIFY(QFile::copy(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan",
                            dir.filePath("example.zan")));
        std::filesystem::copy(QuestaDirectory() / "data", toPath(dir.filePath("data")),
                              std::filesystem::copy_options::recursive);
        QGuiApplication::clipboard()->clear();
        useScratchSettings(dir.filePath("settings"));  // each scenario starts without recent files
        UnitChoice::instance().set({});                // ... and in SI with a decimal comma
        events_.clear();
        tableNames_.clear();
        records_.clear();
        const QString first = lines.filter(QRegularExpression("^> ")).value(0);
        startWindow(dir.filePath(first == "> start without data" ? "none" : "data"));
        State before = first.startsWith("> start") ? State{} : state();
        const QList<QRegularExpression> watch = watchList(lines);
        QString out;
        for (const QString& line : lines) {
            if (line.startsWith('#')) out += line + '\n';
            if (!line.startsWith("> ")) continue;
            run(line.mid(2));
            const State after = state();
            out += line + '\n';
            for (const QString& e : std::exchange(events_, {})) out += "  " + e + '\n';
            out += changes(before, after, watch);
            before = after;
        }
        w_.reset();
        flushDeletes();
        out.replace(dir.path(), "<dir>")
            .replace(ZANO_SOURCE_DIR, "<src>")
            .replace(QDir::homePath() + '/', "<home>/");
        const std::string why = golden_text::mismatch(
            "shell/golden/scenarios/" + name.toStdString(), out.toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }
};

// The steps by their names, as the comment at the top lists them.
const QHash<QString, ScenarioTest::Step> ScenarioTest::kSteps{
    {"start", [](ScenarioTest&, const Args&) {}},  // the scenario's state before its first step
    {"type",
     [](ScenarioTest& t, const Args& a) {
         t.control(a.name)->setFocus();
         QTest::keyClicks(t.control(a.name), a.rest);
     }},
    {"set",
     [](ScenarioTest& t, const Args& a) {
         if (auto* box = qobject_cast<QLineEdit*>(t.control(a.name)))
             box->setText(a.rest);
         else if (auto* number = qobject_cast<QSpinBox*>(t.control(a.name)))
             number->setValue(a.rest.toInt());
         else
             t.control<QComboBox>(a.name)->setEditText(a.rest);
     }},
    {"keys", [](ScenarioTest& t, const Args& a) { t.keys(a.name, a.rest); }},
    {"paste",  // Control+V, as platforms send it: with no text
     [](ScenarioTest& t, const Args& a) {
         QGuiApplication::clipboard()->setText(a.rest.isEmpty() ? "99" : a.rest);
         QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
         QApplication::sendEvent(t.control(a.name), &paste);
     }},
    {"menupaste", [](ScenarioTest& t, const Args& a) { t.menuPaste(a.name, a.rest); }},
    {"drop",  // at the end of the text
     [](ScenarioTest& t, const Args& a) {
         QWidget* box = t.control(a.name);
         QMimeData data;
         data.setText(a.rest);
         t.drop(box, data, QPoint(box->width() - 2, box->height() / 2));
     }},
    {"select", [](ScenarioTest& t, const Args& a) { t.control<QLineEdit>(a.arg)->selectAll(); }},
    {"pick",
     [](ScenarioTest& t, const Args& a) {
         auto* list = t.control<QComboBox>(a.name);
         list->setCurrentIndex(list->findText(a.rest));
         emit list->activated(list->currentIndex());
     }},
    {"click",  // on the caption's first letters, where an option answers
     [](ScenarioTest& t, const Args& a) {
         auto* b = t.control<QAbstractButton>(a.arg);
         QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height(), b->height() / 2));
     }},
    {"dclick",  // near the start of the text
     [](ScenarioTest& t, const Args& a) {
         QWidget* box = t.control(a.arg);
         QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
     }},
    {"menu", [](ScenarioTest& t, const Args& a) { t.control<QAction>(a.arg)->trigger(); }},
    {"close", [](ScenarioTest& t, const Args& a) { t.window(a.arg)->close(); }},
    {"open", fileMenu("mnuFileOpen")},
    {"save", fileMenu("mnuFileSave")},
    {"savecaseas", fileMenu("mnuFileSaveAs")},
    {"saveas",
     [](ScenarioTest& t, const Args& a) {
         t.saveAnswer_ = {a.name.isEmpty() ? QString() : t.dir_->filePath(a.name), a.rest};
     }},
    {"openas",  // absolute: a device, say
     [](ScenarioTest& t, const Args& a) {
         t.openAnswer_ =
             a.arg.isEmpty() || QDir::isAbsolutePath(a.arg) ? a.arg : t.dir_->filePath(a.arg);
     }},
    {"clipboard",
     [](ScenarioTest&, const Args& a) { QGuiApplication::clipboard()->setText(unescaped(a.arg)); }},
    {"answer",
     [](ScenarioTest& t, const Args& a) {
         t.yes_ = a.arg == "yes";
         t.saveChoice_ = a.arg == "save"     ? SaveChoice::Save
                         : a.arg == "cancel" ? SaveChoice::Cancel
                                             : SaveChoice::Discard;
     }},
    {"dropfile", [](ScenarioTest& t, const Args& a) { t.dropFile(a.name, a.rest); }},
    {"name", [](ScenarioTest& t, const Args& a) { t.answers_ << t.dir_->filePath(a.arg); }},
    {"tablename", [](ScenarioTest& t, const Args& a) { t.tableNames_ << unescaped(a.arg); }},
    {"fill",
     [](ScenarioTest& t, const Args& a) {
         t.dialogTexts_.append({a.name, a.rest});
     }},
    {"copy",
     [](ScenarioTest& t, const Args& a) {
         for (const QString& file : a.arg.split(' ')) {
             QVERIFY(QDir(t.dir_->path()).mkpath(QFileInfo(file).path()));
             QVERIFY(QFile::copy(t.dir_->filePath("example.zan"), t.dir_->filePath(file)));
         }
     }},
    {"restart", [](ScenarioTest& t, const Args&) { t.startWindow(t.dir_->filePath("data")); }},
    {"commandline",
     [](ScenarioTest& t, const Args& a) {
         const QString before = QDir::currentPath();
         QDir::setCurrent(t.dir_->path());
         t.w_->openFromCommandLine(QString(a.arg).replace("<dir>", t.dir_->path()));
         QDir::setCurrent(before);
     }},
    {"delete",
     [](ScenarioTest& t, const Args& a) { QVERIFY(QFile::remove(t.dir_->filePath(a.arg))); }},
    {"focus", [](ScenarioTest& t, const Args&) { t.focus(); }},
    {"wait", [](ScenarioTest&, const Args& a) { QTest::qWait(a.arg.toInt()); }},
    {"write",
     [](ScenarioTest& t, const Args& a) {
         t.write(a.arg.section('|', 0, 0), unescaped(a.arg.section('|', 1)).toUtf8());
     }},
    {"samecalc", [](ScenarioTest& t, const Args& a) { t.sameCalc(a.name, a.rest); }},
    {"calc", [](ScenarioTest& t, const Args& a) { t.calcErrors(a.arg); }},
    {"mkfifo",
     [](ScenarioTest& t, const Args& a) {
         QVERIFY(::mkfifo(QFile::encodeName(t.dir_->filePath(a.arg)).constData(), 0600) == 0);
     }},
    {"read", [](ScenarioTest& t, const Args&) { t.w_->caseFromControls(); }},
    {"print",
     [](ScenarioTest& t, const Args& a) {
         RecordingReportPrinter printer;
         printer.failAt = a.arg.toInt();
         printReport(printer, t.w_->reportTexts());
         t.write("printed.txt", printer.page().toUtf8());
     }},
    {"record",
     [](ScenarioTest& t, const Args& a) {
         for (const QString& field : a.arg.section(' ', 1).split(' ', Qt::SkipEmptyParts))
             setField(t.records_[a.name], field.section('=', 0, 0),
                      unescaped(field.section('=', 1)));
     }},
    {"show",
     [](ScenarioTest& t, const Args& a) {
         ResultsData r = t.records_.value(a.name);
         if (!a.rest.isEmpty())
             r.controequi =
                 a.rest == "contro" ? Arrangement::Countercurrent : Arrangement::Equicurrent;
         t.w_->resultsWindow()->Risultati(r);
     }},
    {"fault", [](ScenarioTest& t, const Args& a) { t.underFault(a.name, a.arg.section(' ', 1)); }},
};

QTEST_MAIN(ScenarioTest)
#include "scenario_test.moc"
