// The "Options" dialog on its own: fouling factors, the preparation on every opening, the
// user-fluid boxes, and "Close" writing the fluid "User defined".
#include "shell/options_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "shell/twip_layout.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"

using namespace zano;
using namespace shell_test;
namespace fs = std::filesystem;

namespace {

const std::string kWaterLike =
    "-100,1,1000,4.2,0.6,0.001,-420\n0,1,1000,4.2,0.6,0.001,0\n300,1,1000,4.2,0.6,0.001,1260\n";

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    fs::path data_, userFile_;
    QString internal_, external_;  // what the main window's fluid lists show
    std::vector<MessageRequest> messages_;
    std::unique_ptr<OptionsDialog> d_;

    QLineEdit* box(int n) const { return d_->findChild<QLineEdit*>(QString("Text%1").arg(n)); }
    QCheckBox* check() const { return d_->findChild<QCheckBox*>("Check1"); }
    QPushButton* close() const { return d_->findChild<QPushButton*>("Command1"); }
    bool open(int n) const {
        return !box(n)->isReadOnly() &&
               box(n)->palette().color(QPalette::Base) == QColor(255, 255, 255);
    }
    bool closed(int n) const { return box(n)->isReadOnly() && grey(n); }
    bool grey(int n) const {
        return box(n)->palette().color(QPalette::Base) ==
               QApplication::palette().color(QPalette::Button);
    }
    void openDialog() {
        d_->prepare();
        d_->show();
    }
    void setProperties(const char* dens, const char* cp, const char* cond, const char* visc) {
        box(3)->setText(dens);
        box(4)->setText(cp);
        box(5)->setText(cond);
        box(6)->setText(visc);
    }
    void makeDialog(const fs::path& dataDir) {
        d_ = std::make_unique<OptionsDialog>(dataDir, [this] {
            return std::pair{internal_, external_};
        });
    }

  private slots:
    void initTestCase() {
        installOffscreenFilter();
        QVERIFY(dir_.isValid());
        data_ = fs::path(dir_.path().toStdString()) / "data";
        userFile_ = data_ / "User defined.dat";
        messageHook() = [this](const MessageRequest& m) { messages_.push_back(m); };
    }
    void init() {
        fs::create_directories(data_);
        std::ofstream(userFile_, std::ios::binary) << kWaterLike;
        internal_ = "Water";
        external_ = "Water";
        messages_.clear();
        makeDialog(data_);
    }
    void cleanup() { d_.reset(); }

    void createdWithItsTexts() {
        QCOMPARE(d_->windowTitle(), QString("Options"));
        QCOMPARE(d_->intFouling(), QString("0"));
        QCOMPARE(d_->estFouling(), QString("0"));
        for (int n = 3; n <= 6; ++n) QVERIFY(box(n)->text().isEmpty());
        QStringList captions;
        for (int n = 1; n <= 12; ++n)
            captions << d_->findChild<QLabel*>(QString("Label%1").arg(n))->text();
        QCOMPARE(captions, QStringList({"Internal fouling factor", "External fouling factor",
                                        "(m^2 K)/W", "(m^2 K)/W", "Density", "Cp", "Conductivity",
                                        "Viscosity", "kg/m^3", "kJ/(kg K)", "W/(m K)", "Pa s"}));
        QCOMPARE(check()->text(), QString("Define user fluid"));
        QCOMPARE(close()->text(), QString("Close"));
    }

    void preparationWithoutUserFluid() {
        setProperties("1", "2", "3", "4");
        openDialog();
        for (int n = 3; n <= 6; ++n) {
            QVERIFY(box(n)->text().isEmpty());
            QVERIFY(closed(n));
        }
        QVERIFY(!check()->isChecked() && !check()->isEnabled());
        QVERIFY(!box(1)->isReadOnly() && !box(2)->isReadOnly());
    }

    void preparationWithUserFluid() {
        external_ = "User defined";
        setProperties("1", "2", "3", "4");
        openDialog();
        for (int n = 3; n <= 6; ++n) {
            QCOMPARE(box(n)->text(), QString::number(n - 2));
            QVERIFY(!box(n)->isReadOnly() && grey(n));  // editable, still on grey
        }
        QVERIFY(!check()->isChecked() && check()->isEnabled());
    }

    void checkFillsFromTheFile() {
        internal_ = "User defined";
        openDialog();
        check()->click();
        const char* expected[] = {"1000", "4,2", "0,6", "0,001"};
        for (int n = 3; n <= 6; ++n) {
            QCOMPARE(box(n)->text(), QString(expected[n - 3]));
            QVERIFY(open(n));
        }
        // Unchecking closes the boxes and keeps their texts.
        check()->click();
        for (int n = 3; n <= 6; ++n) QVERIFY(closed(n));
        QCOMPARE(box(3)->text(), QString("1000"));

        // A check left on is cleared by the next opening, which closes the boxes again.
        check()->click();
        openDialog();
        QVERIFY(!check()->isChecked());
        for (int n = 3; n <= 6; ++n) QVERIFY(closed(n));
    }

    void checkWithoutUserFluidChangesNothing() {
        external_ = "User defined";
        openDialog();
        external_ = "Air";  // the list was changed after the dialog was opened
        check()->click();
        for (int n = 3; n <= 6; ++n) {
            QVERIFY(box(n)->text().isEmpty());
            QVERIFY(!box(n)->isReadOnly() && grey(n));
        }
    }

    void closeWritesTheUserFluid() {
        external_ = "User defined";
        openDialog();
        check()->click();
        setProperties("998,2", "4,18", "0,6", "0,001");
        QTest::mouseClick(close(), Qt::LeftButton);
        QVERIFY(messages_.empty());
        QVERIFY(!d_->isVisible());
        // 4.18 * -100 and * 300 in single precision: -418 and 1254.
        QCOMPARE(readAll(userFile_),
                 std::string("-100,1,998.2,4.18,0.6,0.001,-418\n0,1,998.2,4.18,0.6,0.001,0\n"
                             "300,1,998.2,4.18,0.6,0.001,1254\n"));

        // Read back by a new dialog.
        makeDialog(data_);
        openDialog();
        check()->click();
        QCOMPARE(box(3)->text(), QString("998,2"));
        QCOMPARE(box(4)->text(), QString("4,18"));
    }

    void closeUncheckedLeavesTheFile() {
        internal_ = "User defined";
        openDialog();
        setProperties("1", "2", "3", "4");
        QTest::mouseClick(close(), Qt::LeftButton);
        QVERIFY(!d_->isVisible());
        QCOMPARE(readAll(userFile_), kWaterLike);
    }

    void badPropertyIsRefused() {
        internal_ = "User defined";
        openDialog();
        check()->click();
        box(6)->setText("0");
        QTest::mouseClick(close(), Qt::LeftButton);
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY2(messages_[0].text.contains("viscosity"), qPrintable(messages_[0].text));
        QCOMPARE(messages_[0].icon, QMessageBox::Warning);
        QVERIFY(d_->isVisible());  // left open for the correction
        QCOMPARE(readAll(userFile_), kWaterLike);
    }

    void failedWriteIsReported() {
        makeDialog(data_ / "gone");
        internal_ = "User defined";
        openDialog();
        check()->click();  // no file there: the boxes open and stay empty
        QVERIFY(messages_.empty());
        setProperties("1000", "4,2", "0,6", "0,001");
        QTest::mouseClick(close(), Qt::LeftButton);
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY2(messages_[0].text.contains("User defined.dat"), qPrintable(messages_[0].text));
        QVERIFY(d_->isVisible());
    }

    void foulingFactorsKeptAcrossOpenings() {
        openDialog();
        box(1)->setText("0,0001");
        box(2)->setText("abc");  // left to the calculation, which names the field
        QTest::mouseClick(close(), Qt::LeftButton);
        QVERIFY(messages_.empty());
        openDialog();
        QCOMPARE(d_->intFouling(), QString("0,0001"));
        QCOMPARE(d_->estFouling(), QString("abc"));
    }

    void layoutHoldsEveryText() {
        internal_ = "User defined";
        openDialog();
        check()->click();
        QVERIFY(QTest::qWaitForWindowExposed(d_.get()));
        const auto kids = d_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* a : kids) {
            const QSize need = neededSize(a);
            QVERIFY2(a->width() >= need.width() && a->height() >= need.height(),
                     qPrintable(a->objectName()));
            QVERIFY2(d_->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : kids)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
        }
        const double s = d_->layoutScale();
        QCOMPARE(d_->width(), twipsToPixels(5205, s));
        QCOMPARE(d_->height(), twipsToPixels(3735 + 690, s));  // and the hairpin row below
        const QString png = QCoreApplication::applicationDirPath() + "/options_dialog.png";
        QVERIFY(d_->grab().save(png));
        qInfo("layout scale %.2f, %s", s, qPrintable(png));
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
