// What a desktop program offers around the drawn windows that the scenarios do not show: tooltips
// on every input, underlined letters for the keyboard, a long table name that leaves the window's
// size (the lists' completion of a typed part of a name is the scenario completion's).
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/results_window.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;

namespace {

const QString kExample = ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan";

// The inputs of a window: its boxes (not a list's own), lists, option buttons and check boxes.
QList<QWidget*> inputsOf(QWidget* window) {
    QList<QWidget*> inputs;
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (c->window() != window) continue;
        const bool box = qobject_cast<QLineEdit*>(c) && !qobject_cast<QComboBox*>(c->parent());
        if (box || qobject_cast<QComboBox*>(c) || qobject_cast<QRadioButton*>(c) ||
            qobject_cast<QCheckBox*>(c))
            inputs << c;
    }
    return inputs;
}

void openExample(MainWindow& w) {
    fileNameHook() = [](bool, const QString&) { return kExample; };
    w.findChild<QAction*>("mnuFileOpen")->trigger();
    fileNameHook() = nullptr;
}

}  // namespace

class UsabilityTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
        // A message box would wait for a click that never comes; the test sees its text.
        messageHook() = [this](const MessageRequest& m) { messages_ << m.text; };
        saveChangesHook() = [](const MessageRequest&) { return SaveChoice::Discard; };
    }

    void init() { messages_.clear(); }

    // Every input of both windows says what it is (the texts are the hints' table's).
    void everyInputHasATooltip() {
        MainWindow w;
        for (QWidget* window :
             {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.optionsDialog())})
            for (QWidget* c : inputsOf(window))
                QVERIFY2(!c->toolTip().trimmed().isEmpty(),
                         qPrintable(window->objectName() + '.' + c->objectName()));
    }

    // In each window the underlined letters of the captions, buttons and menu titles differ, and
    // so do those of each menu's items; a caption's letter goes to its control.
    void underlinedLettersDiffer() {
        MainWindow w;
        openExample(w);
        w.findChild<QPushButton*>("Command1")->click();
        w.findChild<QPushButton*>("Command2")->click();
        // Captions whose letters must differ; the menus' all have one.
        QList<std::pair<bool, QStringList>> groups;
        for (QWidget* window : {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.optionsDialog()),
                                static_cast<QWidget*>(w.resultsWindow())}) {
            QStringList captions;
            for (QLabel* l : window->findChildren<QLabel*>())
                if (l->window() == window && l->text().contains('&')) {
                    QVERIFY2(l->buddy(), qPrintable(l->text()));
                    captions << l->text();
                }
            for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
                if (b->window() == window) captions << b->text();
            groups.append({false, captions});
        }
        QStringList titles;
        for (QAction* menu : w.menuBar()->actions()) {
            titles << menu->text();
            QStringList items;
            for (QAction* a : menu->menu()->actions())
                if (!a->isSeparator()) items << a->text();
            groups.append({true, items});
        }
        groups[0].second << titles;
        groups.append({true, titles});
        for (const auto& [marked, captions] : groups) {
            QList<QChar> letters;
            for (const QString& caption : captions) {
                const qsizetype at = caption.indexOf('&');
                if (at < 0 && !marked) continue;
                QVERIFY2(at >= 0 && at + 1 < caption.size(), qPrintable(caption));
                QVERIFY2(!letters.contains(caption[at + 1].toLower()), qPrintable(caption));
                letters << caption[at + 1].toLower();
            }
            QVERIFY(!letters.isEmpty());
        }
    }

    // A table of one's own under a long name keeps the window at its size; the list's pop-up
    // shows the whole name, and so does the box's tooltip where the box shows only its start.
    void aLongTableNameLeavesTheWindowsSize() {
        QTemporaryDir user;
        const QString name = "Hot oil HT-66 (supplier sheet 2024) from the vendor's data sheet";
        QFile table(user.filePath(name + ".dat"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("20,1,870,1.9,0.13,0.02,0\n100,1,820,2.2,0.12,0.003,164\n");
        table.close();
        MainWindow plain;
        MainWindow own(QuestaDirectory() / "data", user.path().toStdString());
        QCOMPARE(own.layoutScale(), plain.layoutScale());
        QCOMPARE(own.sizeHint(), plain.sizeHint());
        auto* list = own.findChild<QComboBox*>("Combo1");
        QCOMPARE(list->itemText(list->count() - 1), name);
        QVERIFY(list->view()->minimumWidth() > list->fontMetrics().horizontalAdvance(name));
        list->setEditText(name);
        QCOMPARE(list->lineEdit()->toolTip(), name);
        list->setEditText("Water");
        QCOMPARE(list->lineEdit()->toolTip(), QString());
    }

  private:
    QStringList messages_;
};

QTEST_MAIN(UsabilityTest)
#include "usability_test.moc"
