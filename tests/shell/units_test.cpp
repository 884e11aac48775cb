// The units a user reads and types in change nothing of the case: switching them with a case
// open leaves every field's value, and the same quantity typed in either system gives the same
// SI case.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "records/case_fields.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/unit_choice.h"
#include "shell_test_support.h"

using namespace zano;

namespace {

constexpr Units kSiComma{UnitSystem::SI, ','}, kSiPoint{UnitSystem::SI, '.'};
constexpr Units kUsPoint{UnitSystem::US, '.'}, kUsComma{UnitSystem::US, ','};

QStringList caseTexts(MainWindow& w) {
    const CaseData c = w.caseFromControls();
    QStringList texts;
    for (const CaseField& f : kCaseFields)
        texts << QString("%1=%2").arg(f.name, QString::fromStdString(c.*f.text));
    return texts;
}

// Types `text` into a box as a user would, over what it held.
void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

}  // namespace

Q_DECLARE_METATYPE(zano::Units)

class UnitsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        shell_test::installOffscreenFilter();
        shell_test::useScratchSettings();
        UnitChoice::instance().set(kSiComma);
    }
    void cleanup() { UnitChoice::instance().set(kSiComma); }

    // Every example, every field: read in SI, in US with a point, and in SI again.
    void switchingUnitsChangesNoValueOfTheCase() {
        const QDir examples(ZANO_SOURCE_DIR "/examples");
        const QStringList files = examples.entryList({"*.zan"});
        QVERIFY(files.size() >= 10);
        for (const QString& file : files) {
            MainWindow w;
            w.openFromCommandLine(examples.filePath(file));
            const QStringList before = caseTexts(w);
            const QString siDiameter = w.findChild<QLineEdit*>("Text1")->text();
            UnitChoice::instance().set(kUsPoint);
            QVERIFY2(w.findChild<QLineEdit*>("Text1")->text() != siDiameter, qPrintable(file));
            QCOMPARE(caseTexts(w), before);
            UnitChoice::instance().set(kSiComma);
            QCOMPARE(w.findChild<QLineEdit*>("Text1")->text(), siDiameter);
            QCOMPARE(caseTexts(w), before);
            QVERIFY2(!w.isWindowModified(), qPrintable(file));
        }
    }

    // A diameter, a fouling factor and an allowable pressure drop typed in each system.
    void theSameQuantityInEitherSystemGivesTheSameCase_data() {
        QTest::addColumn<Units>("units");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("fouling");
        QTest::addColumn<QString>("drop");
        QTest::newRow("SI, comma") << kSiComma << "60,325"
                                   << "0,000880550918411529"
                                   << "68,9475729316836";
        QTest::newRow("SI, point") << kSiPoint << "60.325"
                                   << "0.000880550918411529"
                                   << "68.9475729316836";
        QTest::newRow("US, point") << kUsPoint << "2.375"
                                   << "0.005"
                                   << "10";
        QTest::newRow("US, comma") << kUsComma << "2,375"
                                   << "0,005"
                                   << "10";
    }
    void theSameQuantityInEitherSystemGivesTheSameCase() {
        QFETCH(Units, units);
        QFETCH(QString, diameter);
        QFETCH(QString, fouling);
        QFETCH(QString, drop);
        UnitChoice::instance().set(units);
        MainWindow w;
        typeInto(w.findChild<QLineEdit*>("Text1"), diameter);
        typeInto(w.optionsDialog()->findChild<QLineEdit*>("Text1"), fouling);
        // The Construction dialog holds the program until OK.
        QTimer::singleShot(0, [drop] {
            QWidget* dialog = QApplication::activeModalWidget();
            typeInto(dialog->findChild<QLineEdit*>("intAllowedDp"), drop);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        w.findChild<QAction*>("mnuCaseConstruction")->trigger();
        // As the first row, typed in SI with a comma, gives them.
        const CaseData c = w.caseFromControls();
        QCOMPARE(QString::fromStdString(c.deti), QString("60,325"));
        QCOMPARE(QString::fromStdString(c.intSporc), QString("0,000880550918411529"));
        QCOMPARE(QString::fromStdString(c.intAllowedDp), QString("68,9475729316836"));
    }
};

QTEST_MAIN(UnitsTest)
#include "units_test.moc"
