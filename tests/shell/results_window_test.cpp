// The results window: every box with its own conversion, the lifecycle of "Close" and of the
// frame's close control, and a layout in which nothing is clipped.
#include "shell/results_window.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include "formats/results_display.h"
#include "golden_text.h"

namespace {

// A record whose every field shows a different text; shell/golden/results_first.txt holds the
// texts worked out by hand: geometry, pressures and fouling factors as entered; temperatures,
// flows, velocities, pressure drops, capacity, surface and length to 3 decimals; Reynolds
// numbers and U to whole numbers, ties to the even digit.
zano::ResultsData firstRecord() {
    zano::ResultsData r;
    r.q = 28.8235f;  // the single nearest is 28.82349..., so 28,823
    r.a = 0.6283185f;
    r.L = 8.0f;
    r.U = 940.5f;  // tie: 940 is even
    r.controequi = "contro";
    r.deti = 20.0f;
    r.spi = 1.5f;
    r.dete = 50.0f;
    r.spe = 2.25f;
    r.mat = "Stainless steel AISI 304";
    r.intfluid = "Water";
    r.estfluid = "Propylene Glycol 30%";
    r.intpress = 1.0f;
    r.estpress = 2.5f;
    r.intTin = 15.0;
    r.intTout = 40.00049;
    r.estTin = 85.0;
    r.estTout = 67.82149;
    r.intPort = 0.27571f;
    r.estPort = 0.4f;
    r.intVel = 0.72849f;
    r.estVel = 0.3515f;
    r.intDeltaP = 2.53149f;
    r.estDeltaP = 0.59901f;
    r.intSporc = 0.0002;
    r.estSporc = 0.0;
    r.Rei = 2300.5;  // tie: 2300 is even
    r.Ree = 2301.5;  // tie: 2302 is even
    return r;
}

// A second record in which every field differs from the first (shell/golden/results_second.txt).
zano::ResultsData secondRecord() {
    zano::ResultsData r;
    r.q = 25.0f;
    r.a = 2.0766f;
    r.L = 19.6184f;
    r.U = 769.49f;
    r.controequi = "equi";
    r.deti = 33.7f;
    r.spi = 2.0f;
    r.dete = 60.3f;
    r.spe = 2.9f;
    r.mat = "Carbon steel";
    r.intfluid = "Ethylene Glycol 30%";
    r.estfluid = "Air";
    r.intpress = 5.0f;
    r.estpress = 10.0f;
    r.intTin = 40.5;
    r.intTout = 28.91690;
    r.estTin = 15.25;
    r.estTout = 22.46740;
    r.intPort = 0.6f;
    r.estPort = 0.8f;
    r.intVel = 0.8404f;
    r.estVel = 0.5562f;
    r.intDeltaP = 7.1051f;
    r.estDeltaP = 4.8439f;
    r.intSporc = 0.0001;
    r.estSporc = 0.00035;
    r.Rei = 17561.4;
    r.Ree = 11173.6;
    return r;
}

// Every box as "name<TAB>text", in the order Risultati writes them.
QString boxTexts(const ResultsWindow& w) {
    QString out;
    for (const zano::DisplayBox& b : zano::displayTexts(zano::ResultsData{}))
        out += QString::fromLatin1(b.box) + '\t' + w.boxText(b.box) + '\n';
    return out;
}

// Every caption of the window as "name<TAB>caption", in creation order.
QString captions(const ResultsWindow& w) {
    QString out = "title\t" + w.windowTitle() + '\n';
    for (const QObject* c : w.findChildren<QObject*>()) {
        if (const auto* l = qobject_cast<const QLabel*>(c))
            out += l->objectName() + '\t' + l->text() + '\n';
        if (const auto* b = qobject_cast<const QPushButton*>(c))
            out += b->objectName() + '\t' + b->text() + '\n';
    }
    return out;
}

#define QCOMPARE_GOLDEN(file, actual)                                                \
    do {                                                                             \
        const std::string why = golden_text::mismatch(file, (actual).toStdString()); \
        QVERIFY2(why.empty(), why.c_str());                                          \
    } while (false)

void discardPending() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void everyBoxShowsItsConversion();
    void onlyExactlyControIsCountercurrent_data();
    void onlyExactlyControIsCountercurrent();
    void aSecondCallReplacesEveryBox();
    void boxesAreEmptyBeforeTheFirstResults();
    void captionsAndCapacityFont();
    void closeHidesAndKeepsTheBoxes();
    void frameCloseDiscardsTheWindow();
    void nothingClippedOrOverlapping();
    void aLargerFontEnlargesTheWholeLayout();
};

void ResultsWindowTest::everyBoxShowsItsConversion() {
    ResultsWindow w;
    w.Risultati(firstRecord());
    QVERIFY2(w.isVisible(), "Risultati shows the window");
    QCOMPARE(w.windowModality(), Qt::NonModal);
    QCOMPARE_GOLDEN("shell/golden/results_first.txt", boxTexts(w));
}

void ResultsWindowTest::onlyExactlyControIsCountercurrent_data() {
    QTest::addColumn<QString>("controequi");
    QTest::addColumn<QString>("shown");
    QTest::newRow("contro") << "contro"
                            << "Contercurrent";
    QTest::newRow("capital C") << "Contro"
                               << "Equicurrent";
    QTest::newRow("all capitals") << "CONTRO"
                                  << "Equicurrent";
    QTest::newRow("equi") << "equi"
                          << "Equicurrent";
    QTest::newRow("empty") << ""
                           << "Equicurrent";
}

void ResultsWindowTest::onlyExactlyControIsCountercurrent() {
    QFETCH(QString, controequi);
    QFETCH(QString, shown);
    ResultsWindow w;
    zano::ResultsData r = firstRecord();
    r.controequi = controequi.toStdString();
    w.Risultati(r);
    QCOMPARE(w.boxText("Text27"), shown);
}

void ResultsWindowTest::aSecondCallReplacesEveryBox() {
    ResultsWindow w;
    w.Risultati(firstRecord());
    const QStringList first = boxTexts(w).split('\n');
    w.Risultati(secondRecord());
    const QStringList second = boxTexts(w).split('\n');
    for (qsizetype i = 0; i + 1 < second.size(); ++i)
        QVERIFY2(first[i] != second[i], qPrintable(second[i] + " unchanged"));
    QCOMPARE_GOLDEN("shell/golden/results_second.txt", boxTexts(w));
}

void ResultsWindowTest::boxesAreEmptyBeforeTheFirstResults() {
    ResultsWindow w;
    QVERIFY(!w.isVisible());
    QCOMPARE_GOLDEN("shell/golden/results_empty.txt", boxTexts(w));
}

void ResultsWindowTest::captionsAndCapacityFont() {
    ResultsWindow w;
    QCOMPARE_GOLDEN("shell/golden/results_window_captions.txt", captions(w));
    for (auto* box : w.findChildren<QLineEdit*>())
        QCOMPARE(box->font().bold(), box->objectName() == QLatin1String("Text23"));
}

void ResultsWindowTest::closeHidesAndKeepsTheBoxes() {
    QPointer<ResultsWindow> w = new ResultsWindow;
    w->Risultati(firstRecord());
    QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    discardPending();
    QVERIFY2(w, "Close hides the window, it does not discard it");
    QVERIFY(!w->isVisible());
    QCOMPARE_GOLDEN("shell/golden/results_first.txt", boxTexts(*w));
    w->Risultati(secondRecord());
    QVERIFY2(w->isVisible(), "the next results show it again");
    QCOMPARE(w->boxText("Text23"), QStringLiteral("25"));
    delete w;
}

void ResultsWindowTest::frameCloseDiscardsTheWindow() {
    QPointer<ResultsWindow> w = new ResultsWindow;
    w->Risultati(firstRecord());
    QVERIFY(w->close());  // what the title bar's close control does
    discardPending();
    QVERIFY2(!w, "closed from the frame, the window is discarded with its contents");
}

// Every control inside the window, captions and box heights fitting the font, no two controls
// overlapping, the long names shown whole, and the twip layout enlarged by one factor.
void checkLayout(ResultsWindow& w) {
    const QRect client = w.rect();
    const auto children = w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), 32 + 28 + 1 + 1);  // and the extension's container
    for (QWidget* c : children) {
        QVERIFY2(client.contains(c->geometry()), qPrintable(c->objectName() + " lies inside"));
        if (auto* label = qobject_cast<QLabel*>(c)) {
            const QFontMetrics fm(label->font());
            QVERIFY2(fm.horizontalAdvance(label->text()) <= label->width() &&
                         fm.height() <= label->height(),
                     qPrintable(c->objectName() + " holds its caption"));
        }
        if (auto* box = qobject_cast<QLineEdit*>(c))
            QVERIFY2(box->minimumSizeHint().height() <= box->height(),
                     qPrintable(c->objectName() + " is tall enough for its font"));
        for (QWidget* other : children)
            if (other != c)
                QVERIFY2(!c->geometry().intersects(other->geometry()),
                         qPrintable(c->objectName() + " overlaps " + other->objectName()));
    }
    for (const char* name : {"Text8", "Text5"}) {
        auto* box = w.findChild<QLineEdit*>(name);
        QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->text()) < box->width() - 6,
                 qPrintable(box->text()));
    }
    const double s = w.layoutScale();
    QVERIFY(s >= 1.0);
    // The drawn 7515 twips, and the extension's 2235 below them.
    QVERIFY(std::abs(w.width() - 7005 * s / 15) <= 1 &&
            std::abs(w.height() - (7515 + 2235) * s / 15) <= 1);
}

void ResultsWindowTest::nothingClippedOrOverlapping() {
    ResultsWindow w;
    w.Risultati(firstRecord());
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    checkLayout(w);
    if (QTest::currentTestFailed()) return;

    const QString png = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath("../results_window.png"));
    QVERIFY(w.grab().save(png));
    qInfo("layout scale %.3f, %dx%d, saved %s", w.layoutScale(), w.width(), w.height(),
          qPrintable(png));
}

void ResultsWindowTest::aLargerFontEnlargesTheWholeLayout() {
    const double normalScale = ResultsWindow().layoutScale();
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSizeF(original.pointSizeF() * 1.6);
    QApplication::setFont(large);
    double largeScale = 0;
    {
        ResultsWindow big;
        big.Risultati(firstRecord());
        QVERIFY(QTest::qWaitForWindowExposed(&big));
        QCOMPARE(big.findChild<QLabel*>("Label17")->font().pointSizeF(), large.pointSizeF());
        checkLayout(big);
        largeScale = big.layoutScale();
    }
    QApplication::setFont(original);
    QVERIFY2(largeScale > normalScale * 1.3,
             qPrintable(QStringLiteral("scale %1 at the larger font, %2 at the normal one")
                            .arg(largeScale)
                            .arg(normalScale)));
}

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"
