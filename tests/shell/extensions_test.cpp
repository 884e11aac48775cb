// The views beyond the results, driven through the main window: View > Profile, the results
// window's extension (design margins, hairpins, Profile, Copy), File > Export results, and the
// hairpin length in the Options dialog and the case file.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "base/number_text.h"
#include "formats/case_file.h"
#include "properties/fluid_table.h"
#include "properties/wall_materials.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/profile_window.h"
#include "shell/results_window.h"
#include "shell/twip_layout.h"
#include "shell/user_prompts.h"
#include "shell_test_support.h"
#include "solver/driver.h"

using namespace zano;
using namespace shell_test;
namespace fs = std::filesystem;

namespace {

// Water 15 -> 40 degC inside a 25 x 1,5 mm tube, water at 85 degC and 0,4 kg/s in a 50 x 2 mm
// annulus, 8 m of stainless steel, fouling 0,0001 and 0,0002, countercurrent, length given.
// (Used through a copy, so that no test can write to the source tree.)
const QString kExampleSource =
    QStringLiteral(ZANO_SOURCE_DIR "/examples/water-heated-by-water.zan");
constexpr double kExampleLength = 8.0;
constexpr double kExampleFouling = 0.0001 + 0.0002;  // (m^2 K)/W, both sides

std::string readAll(const QString& file) {
    return shell_test::readAll(toPath(file));
}

double number(const QString& text) {
    bool ok = false;
    const double v = QString(text).replace(',', '.').toDouble(&ok);
    if (!ok) qFatal("not a number: \"%s\"", qPrintable(text));
    return v;
}

int profileWindowCount() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += qobject_cast<ProfileWindow*>(w) != 0;
    return n;
}

}  // namespace

class ExtensionsTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    fs::path data_;
    QString example_;  // the copy of the example case
    std::vector<MessageRequest> messages_;
    QString caseAnswer_;     // what the next case-file dialog returns
    SaveAnswer saveAnswer_;  // what the next export dialog returns
    QStringList offeredFilters_;
    std::unique_ptr<MainWindow> w_;

    template <typename T>
    static T* child(QObject* parent, const QString& name) {
        T* c = parent->findChild<T*>(name);
        if (!c) qFatal("no control %s", qPrintable(name));
        return c;
    }
    QAction* item(const char* name) const { return child<QAction>(w_.get(), name); }
    ResultsWindow* results() const { return w_->resultsWindow(); }
    OptionsDialog* options() const { return w_->optionsDialog(); }
    QLineEdit* hairpinBox() const { return child<QLineEdit>(options(), "HairpinLength"); }
    QString lastMessage() const { return messages_.empty() ? QString() : messages_.back().text; }

    void openCase(const QString& file) {
        caseAnswer_ = file;
        item("mnuFileOpen")->trigger();
    }
    void calculate() {
        QTest::mouseClick(child<QPushButton>(w_.get(), "Command1"), Qt::LeftButton);
    }
    // The example opened and calculated with the given hairpin length.
    void calculateExample(const QString& hairpin) {
        openCase(example_);
        options()->setHairpinLength(hairpin);
        calculate();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
    }
    // The clean coefficient of the example as the driver finds it, without the windows.
    DesignMargins driverMargins(const fs::path& dataDir) const {
        CaseData c = loadCaseFile(toPath(example_));
        CalcState s;
        s.dataDir = dataDir;
        dbmateriale(s);
        const CalcOutcome out = zano::calculate(c, s);
        if (!out.ok() || !out.margins) qFatal("the example does not calculate");
        return *out.margins;
    }
    const ProfileChartData& chartData() const {
        return child<ProfileChart>(w_->profileWindow(), QString())->data();
    }

  private slots:
    void initTestCase() {
        installOffscreenFilter();
        QVERIFY(dir_.isValid());
        data_ = toPath(dir_.filePath("data"));
        fs::copy(QuestaDirectory() / "data", data_, fs::copy_options::recursive);
        example_ = dir_.filePath("example.zan");
        QVERIFY(QFile::copy(kExampleSource, example_));
        messageHook() = [this](const MessageRequest& m) { messages_.push_back(m); };
        fileNameHook() = [this](bool, const QString&) { return caseAnswer_; };
        saveFileHook() = [this](const QString&, const QStringList& filters, const QString&) {
            offeredFilters_ = filters;
            return saveAnswer_;
        };
    }
    void init() {
        messages_.clear();
        offeredFilters_.clear();
        w_ = std::make_unique<MainWindow>(data_);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    }
    void cleanup() {
        w_.reset();
        flushDeletes();
    }

    void menusAddedAroundTheSpecifiedOnes() {
        QStringList menus;
        for (QAction* a : w_->menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, QStringList({"File", "View", "Help"}));
        QStringList file;
        for (QAction* a : child<QMenu>(w_.get(), "mnuFile")->actions()) file << a->objectName();
        QCOMPARE(file,
                 QStringList({"mnuNewFile", "mnuFileOpen", "mnuFileSave", "mnuFileHyphen",
                              "mnuFilePrint", "mnuFileExport", "mnuFileHyphen2", "mnuFileExit"}));
        QCOMPARE(item("mnuFileExport")->text(), QString::fromUtf8("Export results…"));
        QCOMPARE(item("mnuViewProfile")->text(), QString("Profile"));
    }

    void profileWindowShowsTheLastCalculation() {
        // Before any calculation the window opens with no profile.
        QVERIFY(!w_->profileWindow());
        item("mnuViewProfile")->trigger();
        QPointer<ProfileWindow> p = w_->profileWindow();
        QVERIFY(p && p->isVisible() && !p->hasProfile());

        // The open window follows the calculation.
        calculateExample({});
        QVERIFY(p->hasProfile());
        const auto& points = chartData().profile.points;
        QCOMPARE(points.size(), std::size_t(201));
        QCOMPARE(points.front().x, 0.0);
        QVERIFY(std::abs(points.back().x - kExampleLength) < 1e-9);
        // The ends are the results: internal 15 -> outlet, external outlet at x = 0 in
        // countercurrent, 85 degC at x = L.
        QVERIFY(std::abs(points.front().intT - 15) < 1e-9);
        // The positions are integrated along the duty: the far ends meet the results within the
        // solution's own tolerance, 0.2 % of each stream's change.
        const double intTout = number(results()->boxText("Text13"));
        const double estTout = number(results()->boxText("Text14"));
        QVERIFY(std::abs(points.back().intT - intTout) < 0.002 * (intTout - 15));
        QVERIFY(std::abs(points.front().estT - estTout) < 6e-4);
        QVERIFY(std::abs(points.back().estT - 85) < 0.002 * (85 - estTout));
        QCOMPARE(chartData().intFluid, QString("Water"));
        QCOMPARE(chartData().estFluid, QString("Water"));
        const QString png = QCoreApplication::applicationDirPath() + "/../extensions_profile.png";
        QVERIFY(p->grab().save(png));

        // One window: the menu again and the results window's "Profile" give the same one.
        item("mnuViewProfile")->trigger();
        QTest::mouseClick(child<QPushButton>(results(), "Profile"), Qt::LeftButton);
        QCOMPARE(w_->profileWindow(), p.data());
        QCOMPARE(profileWindowCount(), 1);

        // A failed calculation keeps the last successful profile.
        child<QLineEdit>(w_.get(), "Text1")->clear();
        calculate();
        QCOMPARE(messages_.size(), std::size_t(1));
        QCOMPARE(chartData().profile.points.size(), std::size_t(201));

        // "Close" hides it; closing it from the frame discards it; the next one is filled.
        QTest::mouseClick(child<QPushButton>(p, "Close"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(p && !p->isVisible());
        p->close();
        flushDeletes();
        QVERIFY(p.isNull() && !w_->profileWindow());
        item("mnuViewProfile")->trigger();
        QCOMPARE(chartData().profile.points.size(), std::size_t(201));

        // Its "Save PNG" goes through the save dialog and adds the suffix.
        saveAnswer_ = {dir_.filePath("chart"), "PNG image (*.png)"};
        QTest::mouseClick(child<QPushButton>(w_->profileWindow(), "SavePng"), Qt::LeftButton);
        QVERIFY(QFile::exists(dir_.filePath("chart.png")));
    }

    void resultsExtensionBoxes() {
        struct Row {
            const char* name;
            const char* hairpin;   // the length typed in the Options dialog, m
            const char* count;     // the hairpins shown
            const char* provided;  // the length they provide, m
        };
        // L = 8 m; each hairpin is two legs: 8 / (2 * leg) rounded up.
        const Row rows[] = {
            {"3 m: 1,33 -> 2 hairpins", "3", "2", "12"},
            {"4 m: exactly 1 hairpin", "4", "1", "8"},
            {"2,5 m: 1,6 -> 2 hairpins", "2,5", "2", "10"},
            {"0,7 m: 5,7 -> 6 hairpins", "0,7", "6", "8,4"},
            {"no hairpin length", "", "", ""},
        };
        const DesignMargins m = driverMargins(data_);
        for (const Row& r : rows) {
            calculateExample(r.hairpin);
            QCOMPARE(results()->boxText("CleanCoefficient"),
                     QString::fromStdString(formatDouble(roundTo(m.Uclean, 0))));
            QCOMPARE(results()->boxText("FoulingAllowance"),
                     QString::fromStdString(formatDouble(roundTo(m.foulingAllowance, 1))));
            QVERIFY2(results()->boxText("Hairpins") == r.count, r.name);
            QVERIFY2(results()->boxText("LengthProvided") == r.provided,
                     qPrintable(QString(r.name) + ": " + results()->boxText("LengthProvided")));
        }
        // The clean coefficient drops the fouling resistances from 1/U:
        // 1/Uclean = 1/U - (Ri + Ro), and the allowance is Uclean/U - 1.
        const double U = number(results()->boxText("Text26"));
        const double clean = number(results()->boxText("CleanCoefficient"));
        QVERIFY2(std::abs(clean - 1 / (1 / U - kExampleFouling)) < 3,
                 qPrintable(QString("U %1, clean %2").arg(U).arg(clean)));
        QVERIFY(std::abs(number(results()->boxText("FoulingAllowance")) - (clean / U - 1) * 100) <
                0.3);

        // A new calculation shows only its own extras; Risultati alone empties them.
        results()->Risultati(ResultsData{});
        for (const char* box : {"CleanCoefficient", "FoulingAllowance", "Hairpins"})
            QVERIFY2(results()->boxText(box).isEmpty(), box);
    }

    void copyPutsTheTabTextOnTheClipboard() {
        QVERIFY(!child<QPushButton>(results(), "Copy")->isEnabled());  // nothing to copy yet
        calculateExample("3");
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>(results(), "Copy"), Qt::LeftButton);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        const auto line = [&](const QString& start) {
            for (const QString& l : lines)
                if (l.startsWith(start + '\t')) return l;
            return QString();
        };
        QCOMPARE(lines.front(), QString("\t\tINTERNAL PIPE\tEXTERNAL PIPE"));
        // Each row as the window shows it: caption, unit, internal, external.
        QCOMPARE(line("Temp out"), "Temp out\t°C\t" + results()->boxText("Text13") + '\t' +
                                       results()->boxText("Text14"));
        QCOMPARE(line("Capacity"), "Capacity\tkW\t" + results()->boxText("Text23") + '\t');
        QCOMPARE(line("Clean coefficient"),
                 "Clean coefficient\tW/(m^2 K)\t" + results()->boxText("CleanCoefficient") + '\t');
        QCOMPARE(line("Fouling allowance"),
                 "Fouling allowance\t%\t" + results()->boxText("FoulingAllowance") + '\t');
        QCOMPARE(line("Hairpins"), QString("Hairpins\t\t2\t"));
    }

    void exportWritesCsvAndJson() {
        // Nothing calculated yet: a message, no dialog.
        saveAnswer_ = {dir_.filePath("none"), "CSV file (*.csv)"};
        item("mnuFileExport")->trigger();
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY(lastMessage().contains("no results", Qt::CaseInsensitive));
        QVERIFY(offeredFilters_.isEmpty() && !QFile::exists(dir_.filePath("none.csv")));
        messages_.clear();

        calculateExample("3");
        saveAnswer_ = {dir_.filePath("results"), "CSV file (*.csv)"};
        item("mnuFileExport")->trigger();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(offeredFilters_, QStringList({"CSV file (*.csv)", "JSON file (*.json)"}));
        const QStringList rows =
            QString::fromStdString(readAll(dir_.filePath("results.csv"))).split("\r\n");
        QCOMPARE(rows.size(), 3);  // header, values, and the end of the last line
        const QStringList header = rows[0].split(','), values = rows[1].split(',');
        QCOMPARE(values.size(), header.size());
        const auto csv = [&](const QString& column) {
            const int i = header.indexOf(column);
            if (i < 0) qFatal("no column %s", qPrintable(column));
            return values[i];
        };
        // Decimal point and full digits: the window's rounded texts follow from them.
        QCOMPARE(QString::fromStdString(formatDouble(roundTo(csv("q [kW]").toDouble(), 3))),
                 results()->boxText("Text23"));
        QCOMPARE(csv("L [m]").toDouble(), kExampleLength);
        QCOMPARE(csv("intfluid"), QString("Water"));
        QCOMPARE(csv("controequi"), QString("contro"));
        QCOMPARE(
            QString::fromStdString(formatDouble(roundTo(csv("Uclean [W/(m^2 K)]").toDouble(), 0))),
            results()->boxText("CleanCoefficient"));
        QCOMPARE(csv("hairpins"), QString("2"));
        QCOMPARE(csv("hairpinLength [m]").toDouble(), 12.0);
        // 1/Uclean = 1/U - (Ri + Ro) at full precision.
        const double U = csv("U [W/(m^2 K)]").toDouble();
        const double clean = csv("Uclean [W/(m^2 K)]").toDouble();
        // (U is the converged iteration's, Uclean the final state's: equal within 1e-4.)
        QVERIFY2(std::abs(1 / clean - (1 / U - kExampleFouling)) * clean < 1e-4,
                 qPrintable(QString("U %1, clean %2").arg(U, 0, 'g', 12).arg(clean, 0, 'g', 12)));

        // JSON chosen by the filter; a name that has the suffix keeps it as it is.
        saveAnswer_ = {dir_.filePath("results.json"), "JSON file (*.json)"};
        item("mnuFileExport")->trigger();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QVERIFY(!QFile::exists(dir_.filePath("results.json.json")));
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(
            QByteArray::fromStdString(readAll(dir_.filePath("results.json"))), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        const QJsonObject o = doc.object();
        QCOMPARE(o["L"].toDouble(), kExampleLength);
        QCOMPARE(o["q"].toDouble(), csv("q [kW]").toDouble());
        QCOMPARE(o["estfluid"].toString(), QString("Water"));
        QCOMPARE(o["Uclean"].toDouble(), clean);
        QCOMPARE(o["hairpins"].toInt(), 2);
        QCOMPARE(o["hairpinLength"].toDouble(), 12.0);

        // Without a hairpin length the hairpins are left out.
        calculateExample({});
        saveAnswer_ = {dir_.filePath("plain"), "JSON file (*.json)"};
        item("mnuFileExport")->trigger();
        const QJsonObject plain =
            QJsonDocument::fromJson(QByteArray::fromStdString(readAll(dir_.filePath("plain.json"))))
                .object();
        QVERIFY(plain.contains("Uclean") && !plain.contains("hairpins"));

        // A folder that does not exist: a message naming the file; Cancel says nothing.
        saveAnswer_ = {dir_.filePath("no folder/results"), "CSV file (*.csv)"};
        item("mnuFileExport")->trigger();
        QCOMPARE(messages_.size(), std::size_t(1));
        QVERIFY2(lastMessage().contains("results.csv"), qPrintable(lastMessage()));
        saveAnswer_ = {};
        item("mnuFileExport")->trigger();
        QCOMPARE(messages_.size(), std::size_t(1));
    }

    void hairpinLengthThroughTheCaseFile() {
        const QString file = dir_.filePath("hairpin.zan");
        openCase(example_);
        options()->setHairpinLength("3");
        caseAnswer_ = file;
        item("mnuFileSave")->trigger();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        const std::string saved = readAll(file);
        const std::string example = readAll(example_);
        QCOMPARE(saved, example + "\"3\"\r\n");  // the 22 lines as before, then the 23rd

        options()->setHairpinLength("");
        openCase(file);
        QCOMPARE(hairpinBox()->text(), QString("3"));
        calculate();
        QCOMPARE(results()->boxText("Hairpins"), QString("2"));

        // A 22-line file holds no hairpin length: the box is emptied.
        openCase(example_);
        QVERIFY(hairpinBox()->text().isEmpty());
        // Blanks are no length either, and the case saves as 22 lines.
        options()->setHairpinLength("  ");
        caseAnswer_ = file;
        item("mnuFileSave")->trigger();
        QVERIFY2(messages_.empty(), qPrintable(lastMessage()));
        QCOMPARE(QString::fromStdString(readAll(file)), QString::fromStdString(example));
    }

    void badHairpinLengthIsRefused() {
        struct Row {
            const char* text;
            bool accepted;
        };
        const Row rows[] = {{"abc", false}, {"0", false},  {"-2", false}, {"3 m", false},
                            {"2,5", true},  {"1.5", true}, {"", true},    {" ", true}};
        QPushButton* dialogButton = child<QPushButton>(w_.get(), "Command2");
        for (const Row& r : rows) {
            messages_.clear();
            QTest::mouseClick(dialogButton, Qt::LeftButton);
            QVERIFY(options()->isVisible());
            hairpinBox()->setText(r.text);
            QTest::mouseClick(child<QPushButton>(options(), "Command1"), Qt::LeftButton);
            if (r.accepted) {
                QVERIFY2(messages_.empty() && !options()->isVisible(), r.text);
                continue;
            }
            QVERIFY2(messages_.size() == 1, r.text);
            QCOMPARE(messages_[0].icon, QMessageBox::Warning);
            QVERIFY2(
                messages_[0].text.contains("hairpin length") && messages_[0].text.contains(r.text),
                qPrintable(messages_[0].text));
            QVERIFY2(options()->isVisible(), r.text);  // left open for the correction
            QCOMPARE(hairpinBox()->text(), QString(r.text));
        }
    }

    void extensionsLeaveTheSpecifiedLayout() {
        calculateExample("3");
        ResultsWindow* r = results();
        QVERIFY(QTest::qWaitForWindowExposed(r));
        const double s = r->layoutScale();
        // The specified controls where they are drawn; the extension wholly below them.
        const auto at = [s](int left, int top) {
            return QPoint(twipsToPixels(left, s), twipsToPixels(top, s));
        };
        QCOMPARE(child<QPushButton>(r, "Command1")->pos(), at(3000, 7080));
        QCOMPARE(child<QLineEdit>(r, "Text26")->pos(), at(3360, 6360));
        QWidget* area = child<QWidget>(r, "Extension");
        QCOMPARE(area->pos(), at(0, 7515));
        QVERIFY(r->rect().contains(area->geometry()));
        QCOMPARE(r->width(), twipsToPixels(7005, s));
        const auto kids = area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(kids.size(), 1 + 4 + 3 + 4 + 2);  // line, captions, units, boxes, buttons
        for (QWidget* a : kids) {
            const QSize need = neededSize(a);
            QVERIFY2(a->width() >= need.width() && a->height() >= need.height(),
                     qPrintable(a->objectName()));
            QVERIFY2(area->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : kids)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
        }
        const QString png = QCoreApplication::applicationDirPath() + "/../extensions_results.png";
        QVERIFY(r->grab().save(png));

        // The Options dialog: the hairpin row below "Close", nothing overlapping.
        QTest::mouseClick(child<QPushButton>(w_.get(), "Command2"), Qt::LeftButton);
        OptionsDialog* d = options();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        const double ds = d->layoutScale();
        QCOMPARE(child<QPushButton>(d, "Command1")->pos(),
                 QPoint(twipsToPixels(2040, ds), twipsToPixels(3120, ds)));
        const auto dialogKids = d->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* a : dialogKids) {
            QVERIFY2(d->rect().contains(a->geometry()), qPrintable(a->objectName()));
            for (QWidget* b : dialogKids)
                QVERIFY2(a == b || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + " / " + b->objectName()));
        }
        QVERIFY(hairpinBox()->y() > child<QPushButton>(d, "Command1")->geometry().bottom());
        QVERIFY(
            d->grab().save(QCoreApplication::applicationDirPath() + "/../extensions_options.png"));
    }
};

QTEST_MAIN(ExtensionsTest)
#include "extensions_test.moc"
