// Hostile conditions at every way into the windows that reads or writes a file, calculates or
// prints: a fault outside the program's checks (memory exhausted, a library's own exception,
// anything thrown) ends in a message and leaves every file as it was, and the window goes on
// (shell/golden/faults.txt: what each shows, then a case opened and calculated); and the rules
// every export keeps when it replaces a file.
#include "base/faults.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "golden_text.h"
#include "properties/fluid_table.h"
#include "properties/user_fluid.h"
#include "recording_report_printer.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/report.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;
using namespace shell_test;
namespace fs = std::filesystem;

namespace {

const QString kCsv = "CSV file (*.csv)", kPng = "PNG image (*.png)";

// Every file under the folder with its bytes.
QMap<QString, QByteArray> folder(const QString& path) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        files[f.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : "(unreadable)";
    }
    return files;
}

}  // namespace

class FaultsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MainWindow> w_;
    QStringList events_;  // the messages shown
    QString answer_;      // the next case-file dialog's answer
    SaveAnswer saveAnswer_;
    RecordingReportPrinter printer_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    template <typename T = QWidget>
    T* control(QWidget* window, const char* name) {
        T* c = window->findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }

    void start() { w_ = std::make_unique<MainWindow>(toPath(path("data"))); }
    void pick(const char* list, const QString& entry) {
        auto* combo = control<QComboBox>(w_.get(), list);
        combo->setCurrentIndex(combo->findText(entry));
        emit combo->activated(combo->currentIndex());
    }
    void menu(const char* action) { control<QAction>(w_.get(), action)->trigger(); }
    void click(QWidget* window, const char* button) {
        control<QPushButton>(window, button)->click();
    }
    void open() {
        answer_ = path("example.zan");
        menu("mnuFileOpen");
    }
    void calculate() {
        open();
        click(w_.get(), "Command1");
    }
    // The options dialog with the user fluid's boxes open and filled from its file.
    void defineUserFluid() {
        pick("Combo1", kUserFluidName);
        click(w_.get(), "Command2");
        control<QCheckBox>(w_->optionsDialog(), "Check1")->setChecked(true);
    }
    void writeTable(const QString& name) {
        QFile f(path(name));
        const QByteArray table = "20;998;4,18;0,6;0,001\n80;972;4,2;0,67;0,00035\n";
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(table) == table.size());
    }
    void exportAs(const QString& name, const QString& filter) {
        saveAnswer_ = {path(name), filter};
        menu("mnuFileExport");
    }
    void saveProfile(const QString& name, const QString& filter) {
        menu("mnuViewProfile");
        saveAnswer_ = {path(name), filter};
        click(w_->profileWindow(), filter == kPng ? "SavePng" : "SaveSvg");
    }

  private slots:
    void initTestCase() {
        installOffscreenFilter();
        messageHook() = [this](const MessageRequest& m) {
            events_ << QString("message \"%1\" / \"%2\"").arg(m.text, m.informative);
        };
        fileNameHook() = [this](bool, const QString&) { return answer_; };
        saveFileHook() = [this](const QString&, const QStringList&, const QString&) {
            return saveAnswer_;
        };
        reportPrinterHook() = [this]() -> ReportPrinter& { return printer_; };
        openFileHook() = [this](const QString&, const QStringList&) { return answer_; };
        questionHook() = [](const MessageRequest&) { return true; };  // replacing a file: yes
        nameHook() = [](const QString&, const QString& initial) { return initial; };
        saveChangesHook() = [](const MessageRequest&) { return SaveChoice::Discard; };
        useScratchSettings();
    }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan",
                            path("example.zan")));
        fs::copy(QuestaDirectory() / "data", toPath(path("data")), fs::copy_options::recursive);
        events_.clear();
    }

    void cleanup() {
        fileFaultHook() = nullptr;
        w_.reset();
        flushDeletes();
        dir_.reset();
    }

    // Each way in under each fault: the fault is raised at the first file read or save, or by
    // the printer, while the way in is taken; before that the window is prepared without it.
    void everyWayInReportsAFault() {
        const std::pair<const char*, std::function<void()>> faults[] = {
            {"memory exhausted", [] { throw std::bad_alloc(); }},
            {"a library's exception", [] { throw std::runtime_error("a library's own fault"); }},
            {"anything thrown", [] { throw 42; }},
        };
        struct WayIn {
            const char* name;
            std::function<void()> prepare, take;
        };
        const WayIn ways[] = {
            {"start-up", [] {}, [this] { start(); }},
            {"pick a fluid", [this] { start(); }, [this] { pick("Combo1", "Water"); }},
            {"define user fluid",
             [this] {
                 start();
                 pick("Combo1", kUserFluidName);
                 click(w_.get(), "Command2");
             },
             [this] { control<QCheckBox>(w_->optionsDialog(), "Check1")->setChecked(true); }},
            {"save the user fluid",
             [this] {
                 start();
                 defineUserFluid();
             },
             [this] { click(w_->optionsDialog(), "Command1"); }},
            {"import a table",
             [this] {
                 start();
                 click(w_.get(), "Command2");
                 writeTable("table.csv");
                 answer_ = path("table.csv");
             },
             [this] { click(w_->optionsDialog(), "ImportTable"); }},
            {"paste a table",
             [this] {
                 start();
                 click(w_.get(), "Command2");
                 QGuiApplication::clipboard()->setText(
                     "20\t998\t4.18\t0.6\t0.001\n"
                     "80\t972\t4.2\t0.67\t0.00035\n");
             },
             [this] { click(w_->optionsDialog(), "PasteTable"); }},
            {"calculate",
             [this] {
                 start();
                 open();
             },
             [this] { click(w_.get(), "Command1"); }},
            {"open", [this] { start(); }, [this] { open(); }},
            {"save",
             [this] {
                 start();
                 open();
             },
             [this] { menu("mnuFileSave"); }},
            {"export",
             [this] {
                 start();
                 calculate();
                 exportAs("results.csv", kCsv);
             },
             [this] { exportAs("results.csv", kCsv); }},
            {"print",
             [this] {
                 start();
                 calculate();
                 printer_ = {};
                 printer_.failAt = 3;
             },
             [this] {
                 menu("mnuFilePrint");
                 events_ << (printer_.aborted ? "job aborted" : "job not aborted");
             }},
            {"save the profile",
             [this] {
                 start();
                 calculate();
                 saveProfile("profile.png", kPng);
             },
             [this] { saveProfile("profile.png", kPng); }},
        };
        QString out;
        for (const WayIn& way : ways) {
            for (const auto& [faultName, fault] : faults) {
                cleanup();
                init();
                way.prepare();
                QVERIFY2(events_.isEmpty(), qPrintable(events_.join('\n')));
                const auto before = folder(dir_->path());
                fileFaultHook() = [&fault = fault](const fs::path&) { fault(); };
                printer_.fail = fault;
                way.take();
                fileFaultHook() = nullptr;
                QCOMPARE(folder(dir_->path()), before);
                QString text = QString("> %1, %2\n").arg(way.name, faultName);
                for (const QString& e : std::exchange(events_, {})) text += "  " + e + '\n';
                // The window goes on: a case opened and calculated.
                calculate();
                text += "  then: capacity \"" + control<QLineEdit>(w_.get(), "Text3")->text() +
                        "\"" + (events_.isEmpty() ? "" : ", " + events_.join(", ")) + '\n';
                events_.clear();
                out += text.replace(dir_->path(), "<dir>");
            }
        }
        const std::string why = golden_text::mismatch("shell/golden/faults.txt", out.toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }
};

QTEST_MAIN(FaultsTest)
#include "faults_test.moc"
