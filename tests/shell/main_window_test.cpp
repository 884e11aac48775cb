// The main window driven through its controls, headless: start-up, modes, key filter, fluid
// lists, New, Calculate with its messages, case files, the secondary windows and the layout.
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "golden_text.h"
#include "properties/fluid_table.h"
#include "shell/help_viewer.h"
#include "shell/key_filter.h"
#include "shell/options_dialog.h"
#include "shell/report.h"
#include "shell/results_window.h"
#include "shell/twip_layout.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;
using namespace shell_test;
namespace fs = std::filesystem;

namespace {}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;  // a copy of the data folder, and case files
    fs::path data_;
    std::vector<MessageRequest> messages_;
    QString answer_;                // the file name the next file dialog returns
    std::vector<QString> offered_;  // the initial names the file dialogs were given
    std::unique_ptr<MainWindow> w_;

    template <typename T>
    T* child(const QString& name) const {
        T* c = w_->findChild<T*>(name);
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* text(int n) const { return child<QLineEdit>(QString("Text%1").arg(n)); }
    QComboBox* combo(int n) const { return child<QComboBox>(QString("Combo%1").arg(n)); }
    QRadioButton* option(int n) const { return child<QRadioButton>(QString("Option%1").arg(n)); }
    QPushButton* button(int n) const { return child<QPushButton>(QString("Command%1").arg(n)); }
    QAction* item(const char* name) const { return child<QAction>(name); }

    // A user's pick from a list: the entry becomes current and the list reports it.
    void pick(QComboBox* list, const QString& entry) {
        const int i = list->findText(entry);
        QVERIFY2(i >= 0, qPrintable(entry));
        list->setCurrentIndex(i);
        emit list->activated(i);
    }
    void type(int box, const QString& keys) {
        text(box)->setFocus();
        text(box)->end(false);
        QTest::keyClicks(text(box), keys);
    }
    // On the caption's first letters: an option button answers only there.
    void click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height(), b->height() / 2));
    }
    bool isInput(int box) const {
        return !text(box)->isReadOnly() &&
               text(box)->palette().color(QPalette::Base) == QColor(255, 255, 255);
    }
    bool isOutput(int box) const {
        return text(box)->isReadOnly() && text(box)->palette().color(QPalette::Base) ==
                                              QApplication::palette().color(QPalette::Button);
    }
    QString lastMessage() const { return messages_.empty() ? QString() : messages_.back().text; }

    // Water heated by... water: 80 -> 60 degC inside a 25 x 1,5 mm tube, 15 degC and 0,5 kg/s
    // in the annulus of a 50 x 2 mm pipe, 6 m of stainless steel AISI 304.
    void enterExampleCase() {
        type(1, "25");
        type(2, "1.5");
        type(4, "50");
        type(5, "2");
        pick(combo(3), "Stainless steel AISI 304");
        pick(combo(1), "Water");
        pick(combo(2), "Water");
        type(6, "80");
        type(7, "60");
        type(9, "15");
        type(11, "0.5");
        type(12, "6");
    }

  private slots:
    void initTestCase() {
        installOffscreenFilter();
        QVERIFY(dir_.isValid());
        data_ = toPath(dir_.filePath("data"));
        fs::copy(QuestaDirectory() / "data", data_, fs::copy_options::recursive);
        messageHook() = [this](const MessageRequest& m) { messages_.push_back(m); };
        fileNameHook() = [this](bool, const QString& initial) {
            offered_.push_back(initial);
            return answer_;
        };
    }
    void init() {
        messages_.clear();
        offered_.clear();
        w_ = std::make_unique<MainWindow>(data_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        flushDeletes();
    }

    void startUpState() {
        QCOMPARE(w_->windowTitle(), QString("ZANO - Concentric Tube Heat Exchanger"));
        for (int n = 1; n <= 12; ++n)
            QVERIFY2(text(n)->text().isEmpty(), qPrintable(QString::number(n)));
        for (int n = 1; n <= 5; ++n) QVERIFY(combo(n)->currentText().isEmpty());
        for (int n : {1, 3, 5, 8}) QVERIFY(option(n)->isChecked());
        QVERIFY(!option(7)->isEnabled());
        QVERIFY(messages_.empty());

        const QStringList materials = {"Carbon steel",
                                       "Stainless steel AISI 304",
                                       "Stainless steel AISI 316",
                                       "Copper",
                                       "Brass",
                                       "Aluminium",
                                       "Titanium",
                                       "Cupronickel 90/10",
                                       "Nickel",
                                       "Glass (borosilicate)",
                                       "PVC"};
        const QStringList fluids = {"Water",
                                    "Air",
                                    "R134a s.h. vapor",
                                    "R134a liquid",
                                    "R404A s.h. vapor",
                                    "R404A liquid",
                                    "R410A s.h. vapor",
                                    "R410A liquid",
                                    "CO2 s.h. vapor",
                                    "Acetone",
                                    "Methanol",
                                    "Methanol 40%",
                                    "Ethylene Glycol 30%",
                                    "Propylene Glycol 30%",
                                    "Nitrogen",
                                    "User defined"};
        const auto entries = [](QComboBox* c) {
            QStringList l;
            for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
            return l;
        };
        QCOMPARE(entries(combo(3)), materials);
        QCOMPARE(entries(combo(1)), fluids);
        QCOMPARE(entries(combo(2)), fluids);
        QCOMPARE(combo(4)->count(), 0);
        QCOMPARE(combo(5)->count(), 0);
        for (int n = 1; n <= 5; ++n) QVERIFY(combo(n)->isEditable());
    }

    // shell/golden/main_window_texts.txt: every caption, menu item and shortcut by name.
    void captionsAndMenus() {
        QString out = "title\t" + w_->windowTitle() + '\n';
        for (const QObject* c : w_->findChildren<QObject*>()) {
            const QString name = c->objectName();
            if (name.isEmpty() || name.startsWith("qt_")) continue;  // Qt's own parts
            if (const auto* b = qobject_cast<const QAbstractButton*>(c))
                out += name + '\t' + b->text() + '\n';
            if (const auto* g = qobject_cast<const QGroupBox*>(c))
                out += name + '\t' + g->title() + '\n';
            if (const auto* l = qobject_cast<const QLabel*>(c))
                out += c->parent()->objectName() + '/' + name + '\t' + l->text() + '\n';
            if (const auto* m = qobject_cast<const QMenu*>(c))
                out += name + '\t' + m->title() + '\n';
            if (const auto* a = qobject_cast<const QAction*>(c))
                out += name + '\t' + (a->isSeparator() ? "-" : a->text()) + '\t' +
                       a->shortcut().toString() + '\n';
        }
        const std::string why =
            golden_text::mismatch("shell/golden/main_window_texts.txt", out.toStdString());
        QVERIFY2(why.empty(), why.c_str());
    }

    void modeEffects() {
        // Start-up: internal outlet temperature and external mass flow given, length given.
        for (int n : {1, 2, 4, 5, 6, 7, 9, 11, 12})
            QVERIFY2(isInput(n), qPrintable(QString::number(n)));
        for (int n : {8, 10, 3}) QVERIFY2(isOutput(n), qPrintable(QString::number(n)));

        // Each pair is a group of its own.
        click(option(2));
        QVERIFY(option(2)->isChecked() && !option(1)->isChecked());
        QVERIFY(option(3)->isChecked() && option(5)->isChecked() && option(8)->isChecked());
        click(option(1));
        QVERIFY(option(1)->isChecked() && !option(2)->isChecked() && option(3)->isChecked());

        // Internal mass flow given: Text7 emptied and locked, Text8 open, Option7 enabled.
        type(7, "60");
        click(option(4));
        QVERIFY(text(7)->text().isEmpty());
        QVERIFY(isOutput(7) && isInput(8));
        QVERIFY(option(7)->isEnabled());
        QVERIFY(option(8)->isChecked());

        // External outlet temperature given: Text11 emptied and locked, Text10 open.
        type(11, "0.5");
        click(option(7));
        QVERIFY(text(11)->text().isEmpty());
        QVERIFY(isOutput(11) && isInput(10));

        // Back to the external mass flow: Text10 emptied and locked, Text11 open.
        type(10, "25");
        click(option(8));
        QVERIFY(text(10)->text().isEmpty());
        QVERIFY(isOutput(10) && isInput(11));

        // Option3 while Option7 is selected: Option8 selected, Text10 emptied, Option7 disabled;
        // Option4 afterwards enables Option7 but keeps Option8.
        click(option(7));
        type(10, "25");
        type(8, "0.3");
        click(option(3));
        QVERIFY(option(8)->isChecked());
        QVERIFY(text(10)->text().isEmpty());
        QVERIFY(text(8)->text().isEmpty());
        QVERIFY(!option(7)->isEnabled());
        QVERIFY(isInput(7) && isOutput(8) && isOutput(10) && isInput(11));
        click(option(4));
        QVERIFY(option(7)->isEnabled());
        QVERIFY(option(8)->isChecked());

        // Capacity given: Text12 locked but keeps its length; Text3 open. Neither is emptied.
        type(12, "6");
        click(option(6));
        QCOMPARE(text(12)->text(), QString("6"));
        QVERIFY(isOutput(12) && isInput(3));
        type(3, "20");
        click(option(5));
        QCOMPARE(text(3)->text(), QString("20"));
        QVERIFY(isInput(12) && isOutput(3));
    }

    void keyFilterFunction() {
        struct Row {
            const char* name;
            QChar key;
            const char* text;
            int position;
            bool signAllowed;
            QChar expected;
        };
        const Row rows[] = {
            {"digit", u'7', "12", 2, false, u'7'},
            {"backspace", QChar(8), "12", 2, false, QChar(8)},
            {"point becomes comma", u'.', "12", 2, false, u','},
            {"comma stays comma", u',', "12", 2, false, u','},
            {"second comma", u',', "1,2", 3, false, QChar()},
            {"point after a comma", u'.', "1,2", 0, false, QChar()},
            {"letter", u'a', "", 0, false, QChar()},
            {"blank", u' ', "1", 1, false, QChar()},
            {"plus", u'+', "", 0, false, QChar()},
            {"minus in a length", u'-', "", 0, false, QChar()},
            {"minus first in a temperature", u'-', "12", 0, true, u'-'},
            {"minus not first", u'-', "12", 2, true, QChar()},
            {"second minus", u'-', "-12", 0, true, QChar()},
            {"control character", QChar(22), "", 0, true, QChar()},
            {"non-ASCII digit", QChar(0x0663), "", 0, false, QChar()},
        };
        for (const auto& r : rows)
            QVERIFY2(filtroTasti(r.key, r.text, r.position, r.signAllowed) == r.expected, r.name);
    }

    void keyFilterTyping() {
        type(1, "12.5");
        QCOMPARE(text(1)->text(), QString("12,5"));
        type(1, ".,a -+");
        QCOMPARE(text(1)->text(), QString("12,5"));
        QTest::keyClick(text(1), Qt::Key_Backspace);
        QCOMPARE(text(1)->text(), QString("12,"));

        // A selected comma would be replaced, but a second one is refused all the same.
        text(2)->setText("1,5");
        text(2)->selectAll();
        QTest::keyClicks(text(2), ",");
        QCOMPARE(text(2)->text(), QString("1,5"));
        QTest::keyClicks(text(2), "7");
        QCOMPARE(text(2)->text(), QString("7"));

        // Temperatures take a leading minus, once; other boxes never.
        type(6, "-12.5");
        QCOMPARE(text(6)->text(), QString("-12,5"));
        type(6, "-");
        QCOMPARE(text(6)->text(), QString("-12,5"));
        for (int n : {7, 9}) {
            type(n, "-5");
            QCOMPARE(text(n)->text(), QString("-5"));
        }
        click(option(4));
        click(option(7));  // Text10 becomes an input
        type(10, "-5");
        QCOMPARE(text(10)->text(), QString("-5"));
        type(4, "-5");
        QCOMPARE(text(4)->text(), QString("5"));
        type(8, "5-");
        QCOMPARE(text(8)->text(), QString("5"));

        // Paste by keyboard is a control character and discarded.
        QApplication::clipboard()->setText("99");
        if (QApplication::clipboard()->text() == "99") {
            QTest::keyClick(text(5), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(text(5)->text(), QString());
        }
    }

    void fluidChoice() {
        pick(combo(1), "Water");
        QStringList list;
        for (int i = 0; i < combo(4)->count(); ++i) list << combo(4)->itemText(i);
        QCOMPARE(list, QStringList({"1", "2", "3", "5", "10", "20"}));
        QCOMPARE(combo(4)->currentText(), QString("1"));
        QCOMPARE(combo(5)->count(), 0);

        pick(combo(2), "R410A liquid");
        list.clear();
        for (int i = 0; i < combo(5)->count(); ++i) list << combo(5)->itemText(i);
        QCOMPARE(list, QStringList({"1", "2", "3", "5", "10", "15", "20", "25", "30"}));
        QCOMPARE(combo(5)->currentText(), QString("1"));

        // Typing a pressure does not add it to the list.
        combo(5)->setEditText("");
        combo(5)->setFocus();
        QTest::keyClicks(combo(5), "7");
        QTest::keyClick(combo(5), Qt::Key_Return);
        QCOMPARE(combo(5)->count(), 9);
        QVERIFY(messages_.empty());
    }

    void pressureRunsWithDecimalComma() {
        // One entry per run of equal pressures, a fraction with a comma, the last row's too.
        writeAll(data_ / "User defined.dat",
                 "0,1,1,1,1,1,0\n10,1,1,1,1,1,1\n0,2.5,1,1,1,1,0\n10,2.5,1,1,1,1,1\n"
                 "0,1,1,1,1,1,0\n5,7,1,1,1,1,0\n");
        pick(combo(2), "User defined");
        QStringList list;
        for (int i = 0; i < combo(5)->count(); ++i) list << combo(5)->itemText(i);
        QCOMPARE(list, QStringList({"1", "2,5", "1", "7"}));
        fs::copy_file(QuestaDirectory() / "data" / "User defined.dat", data_ / "User defined.dat",
                      fs::copy_options::overwrite_existing);
    }

    void missingTables() {
        QTemporaryDir empty;
        w_ = std::make_unique<MainWindow>(toPath(empty.path()));
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY2(messages_[0].text.contains("condmat.dat"), qPrintable(messages_[0].text));
        QCOMPARE(messages_[0].icon, QMessageBox::Warning);
        QCOMPARE(combo(3)->count(), 0);
        QCOMPARE(combo(1)->count(), 16);  // the program goes on

        combo(4)->addItem("3");
        pick(combo(1), "Air");
        QCOMPARE(messages_.size(), std::size_t(2));
        QVERIFY2(messages_[1].text.contains("Air.dat"), qPrintable(messages_[1].text));
        QCOMPARE(combo(4)->count(), 0);
    }

    void newResets() {
        pick(combo(1), "Water");
        enterExampleCase();
        click(option(2));
        click(option(4));
        click(option(7));
        click(option(6));
        w_->optionsDialog()->setFouling("0,0001", "0,0002");
        item("mnuNewFile")->trigger();
        item("mnuNewFile")->trigger();
        for (int n = 1; n <= 12; ++n) QVERIFY(text(n)->text().isEmpty());
        for (int n = 1; n <= 5; ++n) QVERIFY(combo(n)->currentText().isEmpty());
        for (int n : {1, 3, 5, 8}) QVERIFY(option(n)->isChecked());
        QVERIFY(!option(7)->isEnabled());
        QVERIFY(isInput(7) && isOutput(8) && isOutput(10) && isInput(11) && isInput(12) &&
                isOutput(3));
        // The lists keep their entries, the dialog its fouling factors.
        QCOMPARE(combo(4)->count(), 6);
        QCOMPARE(combo(3)->count(), 11);
        QCOMPARE(w_->optionsDialog()->intFouling(), QString("0,0001"));
    }

    void calculateExample() {
        enterExampleCase();
        // The caption while the calculation runs, as painted.
        QStringList painted;
        struct PaintSpy : QObject {
            QStringList* captions;
            bool eventFilter(QObject* o, QEvent* e) override {
                if (e->type() == QEvent::Paint) *captions << static_cast<QPushButton*>(o)->text();
                return false;
            }
        } spy;
        spy.captions = &painted;
        button(1)->installEventFilter(&spy);
        click(button(1));
        button(1)->removeEventFilter(&spy);
        QVERIFY2(painted.contains("...Wait..."), qPrintable(painted.join('|')));
        QCOMPARE(button(1)->text(), QString("Calculate"));

        // Reference values from the headless calculator on the same case, fouling 0 / 0.
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(text(8)->text(), QString("0,3669"));
        QCOMPARE(text(10)->text(), QString("29,7008"));
        QCOMPARE(text(3)->text(), QString("30,749"));
        ResultsWindow* r = w_->resultsWindow();
        QVERIFY(r->isVisible());
        QCOMPARE(r->boxText("Text23"), QString("30,749"));
        QCOMPARE(r->boxText("Text15"), QString("0,367"));
        QCOMPARE(r->boxText("Text14"), QString("29,701"));
        QCOMPARE(r->boxText("Text26"), QString("1371"));
        QVERIFY(w_->grab().save(QCoreApplication::applicationDirPath() +
                                "/main_window_calculated.png"));

        // With fouling factors from the dialog the same exchanger carries less.
        w_->optionsDialog()->setFouling("0,0001", "0,0002");
        click(button(1));
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(text(8)->text(), QString("0,2459"));
        QCOMPARE(text(10)->text(), QString("24,8481"));
        QCOMPARE(text(3)->text(), QString("20,606"));
        QCOMPARE(w_->resultsWindow(), r);  // one results window
        QCOMPARE(r->boxText("Text21"), QString("0,0001"));

        // Capacity given: the length is found and written into Text12.
        click(option(6));
        text(3)->setText("20,606");
        click(button(1));
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        const double length = text(12)->text().replace(',', '.').toDouble();
        QVERIFY2(length > 5.9 && length < 6.1, qPrintable(text(12)->text()));
        const ReportTexts t = w_->reportTexts();
        QCOMPARE(t.exchanger[2], text(12)->text());
        QCOMPARE(t.exchanger[0], r->boxText("Text23"));
        QCOMPARE(t.internal[10], QString("0,0001"));
        QCOMPARE(t.configuration, QString("Countercurrent"));
    }

    void calculationMessages() {
        struct Row {
            const char* name;
            std::function<void(MainWindowTest*)> change;
            const char* message;
            const char* detail;  // part of the informative text; empty: none
        };
        const Row rows[] = {
            {"empty diameter", [](MainWindowTest* t) { t->text(1)->clear(); }, "Invalid data",
             "outside diameter of the internal pipe is empty"},
            {"pressure not in the table", [](MainWindowTest* t) { t->combo(4)->setEditText("7"); },
             "Invalid pressure of internal fluid", ""},
            {"external pressure", [](MainWindowTest* t) { t->combo(5)->setEditText("1,5"); },
             "Invalid pressure of external fluid", ""},
            {"outlet hotter than inlet", [](MainWindowTest* t) { t->text(7)->setText("90"); },
             "Invalid temperatures", ""},
            {"fouling factor no number",
             [](MainWindowTest* t) { t->w_->optionsDialog()->setFouling("x", "0"); },
             "Invalid data", "fouling"},
        };
        for (const auto& r : rows) {
            messages_.clear();
            item("mnuNewFile")->trigger();
            enterExampleCase();
            w_->optionsDialog()->setFouling("0", "0");
            r.change(this);
            click(button(1));
            QVERIFY2(messages_.size() == 1, r.name);
            const MessageRequest& m = messages_[0];
            QVERIFY2(m.text == r.message, qPrintable(QString(r.name) + ": " + m.text));
            QCOMPARE(m.icon, QMessageBox::Warning);
            QCOMPARE(m.title, QString("ZANO"));
            if (*r.detail)
                QVERIFY2(m.informative.contains(r.detail, Qt::CaseInsensitive),
                         qPrintable(QString(r.name) + ": " + m.informative));
            else
                QVERIFY2(m.informative.isEmpty(), r.name);
            QCOMPARE(button(1)->text(), QString("Calculate"));
            QVERIFY2(text(8)->text().isEmpty(), r.name);  // nothing found, nothing written
        }
    }

    void failureAfterWriteBackKeepsTheWrittenOutputs() {
        // Both flows and a capacity of 0 given: the outlets equal the inlets and are written
        // back, then the length iteration starts from a surface of 0 and faults.
        enterExampleCase();
        click(option(4));
        type(8, "0.3");
        click(option(6));
        type(3, "0");
        click(button(1));
        QCOMPARE(messages_.size(), std::size_t(1));
        QCOMPARE(messages_[0].text, QString("Invalid data"));
        QCOMPARE(text(7)->text(), QString("80"));
        QCOMPARE(text(10)->text(), QString("15"));
        QCOMPARE(text(12)->text(), QString("6"));   // the length is written after its iteration
        QVERIFY(!w_->findChild<ResultsWindow*>());  // no results handed over
    }

    void messageBoxShape() {
        std::unique_ptr<QMessageBox> box(
            makeMessageBox(w_.get(), {QMessageBox::Warning, "ZANO", "Invalid data", "cause"}));
        QCOMPARE(box->icon(), QMessageBox::Warning);
        QCOMPARE(box->windowTitle(), QString("ZANO"));
        QCOMPARE(box->text(), QString("Invalid data"));
        QCOMPARE(box->informativeText(), QString("cause"));
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);
    }

    void optionsDialogLifecycle() {
        pick(combo(1), "Water");
        pick(combo(2), "Water");
        click(button(2));
        QPointer<OptionsDialog> d = w_->optionsDialog();
        QVERIFY(d->isVisible());
        auto* property = d->findChild<QLineEdit*>("Text3");
        auto* check = d->findChild<QCheckBox*>("Check1");
        QVERIFY(property->isReadOnly() && !check->isEnabled());
        QVERIFY(w_->isEnabled());  // modeless

        // "Close" hides and keeps the texts; closing from the frame discards the dialog.
        d->setFouling("0,0003", "0,0004");
        click(d->findChild<QPushButton*>("Command1"));
        QVERIFY(d && !d->isVisible());
        click(button(2));
        QCOMPARE(w_->optionsDialog(), d.data());
        QCOMPARE(d->intFouling(), QString("0,0003"));
        d->close();
        flushDeletes();
        QVERIFY(d.isNull());

        // Reading its boxes creates it afresh, hidden, with fouling factors "0".
        const CaseData c = w_->caseFromControls();
        QCOMPARE(c.intSporc, std::string("0"));
        QCOMPARE(c.estSporc, std::string("0"));
        QVERIFY(!w_->optionsDialog()->isVisible());

        // With "User defined" on one side the property boxes open for editing.
        pick(combo(2), "User defined");
        click(button(2));
        property = w_->optionsDialog()->findChild<QLineEdit*>("Text3");
        QVERIFY(!property->isReadOnly());
    }

    void userFluidThroughTheDialog() {
        // Defined in the dialog, then calculated like any other fluid.
        enterExampleCase();
        pick(combo(1), "User defined");
        click(button(2));
        OptionsDialog* d = w_->optionsDialog();
        d->findChild<QCheckBox*>("Check1")->click();
        const char* values[] = {"980", "4,19", "0,66", "0,0004"};
        for (int n = 3; n <= 6; ++n)
            d->findChild<QLineEdit*>(QString("Text%1").arg(n))->setText(values[n - 3]);
        click(d->findChild<QPushButton*>("Command1"));
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QVERIFY(!d->isVisible());
        QVERIFY(
            readAll(data_ / "User defined.dat").starts_with("-100,1,980,4.19,0.66,0.0004,-419\n"));

        click(button(1));
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(w_->resultsWindow()->boxText("Text7"), QString("User defined"));
        QVERIFY(!text(8)->text().isEmpty());
        fs::copy_file(QuestaDirectory() / "data" / "User defined.dat", data_ / "User defined.dat",
                      fs::copy_options::overwrite_existing);
    }

    void resultsWindowLifecycle() {
        QPointer<ResultsWindow> r = w_->resultsWindow();
        QVERIFY(!r->isVisible());  // read before any results: created hidden
        enterExampleCase();
        click(button(1));
        QVERIFY(r && r->isVisible());
        r->close();
        flushDeletes();
        QVERIFY(r.isNull());
        QVERIFY(w_->resultsWindow()->boxText("Text23").isEmpty());  // afresh
    }

    void saveOpenRoundTrip() {
        const QString file = dir_.filePath("round trip.zan");
        enterExampleCase();
        type(1, ".4");  // 25,4
        click(option(2));
        QVERIFY(option(2)->isChecked());
        click(option(6));
        text(3)->setText("20");
        w_->optionsDialog()->setFouling("0,0001", "0,0002");
        answer_ = file;
        item("mnuFileSave")->trigger();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        const std::string saved = readAll(toPath(file));
        QVERIFY(
            saved.starts_with("\"25,4\"\r\n\"1,5\"\r\n\"50\"\r\n\"2\"\r\n\"80\"\r\n\"60\"\r\n"));
        QVERIFY(saved.find("\"Stainless steel AISI 304\"\r\n#TRUE#\r\n#FALSE#\r\n\"0,0001\"\r\n"
                           "\"0,0002\"\r\n\"1\"\r\n\"1\"\r\n\"20\"\r\n#FALSE#\r\n") !=
                std::string::npos);

        pick(combo(1), "Air");  // seven pressures
        item("mnuNewFile")->trigger();
        w_->optionsDialog()->setFouling("0", "0");
        item("mnuFileOpen")->trigger();
        QCOMPARE(offered_.back(), file);  // the last name offered again
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(text(1)->text(), QString("25,4"));
        QCOMPARE(text(7)->text(), QString("60"));
        QCOMPARE(text(11)->text(), QString("0,5"));
        QCOMPARE(text(12)->text(), QString("6"));
        QCOMPARE(text(3)->text(), QString("20"));
        QCOMPARE(combo(3)->currentText(), QString("Stainless steel AISI 304"));
        QCOMPARE(combo(4)->currentText(), QString("1"));
        QCOMPARE(combo(4)->count(), 7);  // the pressure list is not rebuilt
        QVERIFY(option(3)->isChecked() && option(8)->isChecked() && option(2)->isChecked() &&
                option(6)->isChecked());
        QVERIFY(isOutput(12) && isInput(3));
        QCOMPARE(w_->optionsDialog()->estFouling(), QString("0,0002"));
    }

    void openKeepsExternalMode() {
        // Saved with the internal mass flow given; the external option is not stored.
        const QString file = dir_.filePath("mass flows.zan");
        click(option(4));
        type(8, "0,3");
        type(7, "");
        type(10, "");
        answer_ = file;
        item("mnuFileSave")->trigger();
        item("mnuNewFile")->trigger();  // Option8 selected
        type(7, "55");
        item("mnuFileOpen")->trigger();
        QVERIFY(option(4)->isChecked() && option(8)->isChecked());
        QVERIFY(option(7)->isEnabled());
        QCOMPARE(text(8)->text(), QString("0,3"));
        QVERIFY(text(7)->text().isEmpty());  // Option4's effects empty it
    }

    void malformedFilesChangeNothing() {
        const QString good = dir_.filePath("good.zan");
        enterExampleCase();
        answer_ = good;
        item("mnuFileSave")->trigger();
        const std::string bytes = readAll(toPath(good));
        item("mnuNewFile")->trigger();
        type(1, "33");

        struct Row {
            const char* name;
            std::string content;
            const char* expected;  // part of the message
        };
        std::string shortFile = bytes.substr(0, bytes.rfind("#TRUE#"));  // 21 lines
        std::string badBoolean = bytes;
        badBoolean.replace(badBoolean.find("#TRUE#"), 6, "#YES#");
        const Row rows[] = {{"21 lines", shortFile, "21 fields"},
                            {"bad Boolean", badBoolean, "Line 15"}};
        for (const auto& r : rows) {
            messages_.clear();
            const QString file = dir_.filePath("bad.zan");
            writeAll(toPath(file), r.content);
            answer_ = file;
            item("mnuFileOpen")->trigger();
            QVERIFY2(messages_.size() == 1, r.name);
            QVERIFY2(
                messages_[0].text.contains(r.expected) && messages_[0].text.contains("bad.zan"),
                qPrintable(messages_[0].text));
            QCOMPARE(text(1)->text(), QString("33"));
            QVERIFY(combo(1)->currentText().isEmpty());
        }
        // A later Open works normally; Cancel says nothing.
        messages_.clear();
        answer_ = good;
        item("mnuFileOpen")->trigger();
        QCOMPARE(text(1)->text(), QString("25"));
        answer_.clear();
        item("mnuFileOpen")->trigger();
        item("mnuFileSave")->trigger();
        QVERIFY(messages_.empty());
        QCOMPARE(text(1)->text(), QString("25"));
    }

    void doubleQuoteRefused() {
        const QString file = dir_.filePath("quote.zan");
        combo(1)->setEditText("Water \"hot\"");
        answer_ = file;
        item("mnuFileSave")->trigger();
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY2(messages_[0].text.contains("Internal fluid") &&
                     messages_[0].text.contains("double quote"),
                 qPrintable(messages_[0].text));
        QVERIFY(!fs::exists(toPath(file)));
    }

    void saveAfterStartUp() {
        const QString file = dir_.filePath("empty.zan");
        answer_ = file;
        item("mnuFileSave")->trigger();
        std::string expected;
        for (int i = 0; i < 14; ++i) expected += "\"\"\r\n";
        expected += "#TRUE#\r\n#TRUE#\r\n\"0\"\r\n\"0\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n#TRUE#\r\n";
        QCOMPARE(readAll(toPath(file)), expected);
        QVERIFY(!w_->optionsDialog()->isVisible());
    }

    void helpAndAbout() {
        item("mnuHelpIndex")->trigger();
        QPointer<HelpViewer> h = w_->helpViewer();
        QVERIFY(h && h->isVisible());
        item("mnuHelpIndex")->trigger();
        QCOMPARE(w_->helpViewer(), h.data());
        const auto windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](QWidget* x) { return qobject_cast<HelpViewer*>(x) != nullptr; }),
                 1);
        h->close();
        flushDeletes();
        QVERIFY(h.isNull() && !w_->helpViewer());
        item("mnuHelpIndex")->trigger();
        QVERIFY(w_->helpViewer() && w_->helpViewer()->isVisible());

        item("mnuHelpAbout")->trigger();
        QCOMPARE(messages_.size(), std::size_t(1));
        QCOMPARE(messages_[0].icon, QMessageBox::Information);
        QCOMPARE(messages_[0].title, QString("About"));
        QCOMPARE(messages_[0].text, aboutText());
        QVERIFY(messages_[0].text.startsWith("ZANO 1.0.2\r\n"));
    }

    void exitClosesEverything() {
        click(button(2));
        item("mnuHelpIndex")->trigger();
        QPointer<OptionsDialog> d = w_->optionsDialog();
        QPointer<HelpViewer> h = w_->helpViewer();
        item("mnuFileExit")->trigger();
        flushDeletes();
        QVERIFY(!w_->isVisible());
        QVERIFY(d.isNull() && h.isNull());
    }

    void layoutHoldsEveryText() {
        // Every caption and box has the room its text needs, and no two controls of one
        // container overlap (Option1 and Option2 stand on Frame3 by design).
        QWidget* client = w_->centralWidget();
        QList<QWidget*> containers = {client};
        for (int n = 1; n <= 4; ++n) containers << child<QGroupBox>(QString("Frame%1").arg(n));
        for (QWidget* c : containers) {
            const auto kids = c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (QWidget* a : kids) {
                if (a->isHidden() || a->isWindow()) continue;
                const QSize need = neededSize(a);
                QVERIFY2(a->width() >= need.width() && a->height() >= need.height(),
                         qPrintable(QString("%1 %2x%3 needs %4x%5")
                                        .arg(a->objectName())
                                        .arg(a->width())
                                        .arg(a->height())
                                        .arg(need.width())
                                        .arg(need.height())));
                QVERIFY2(c->rect().contains(a->geometry()), qPrintable(a->objectName()));
                for (QWidget* b : kids) {
                    if (a == b || b->isHidden() || b->isWindow()) continue;
                    const bool byDesign =
                        a->objectName().startsWith("Option") && b->objectName() == "Frame3";
                    const bool mirror =
                        b->objectName().startsWith("Option") && a->objectName() == "Frame3";
                    if (byDesign || mirror) continue;
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " / " + b->objectName()));
                }
            }
        }
        // The drawn proportions are kept: one factor for the whole window.
        const double s = w_->layoutScale();
        QVERIFY(s >= 1.0);
        QCOMPARE(client->width(), twipsToPixels(7545, s));
        QCOMPARE(client->height(), twipsToPixels(7215, s));
        QCOMPARE(text(6)->x(), twipsToPixels(5280, s));

        const QString png = QCoreApplication::applicationDirPath() + "/main_window.png";
        QVERIFY(w_->grab().save(png));
        qInfo("layout scale %.2f, %s", s, qPrintable(png));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
