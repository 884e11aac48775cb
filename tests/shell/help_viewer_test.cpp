// The manual's window: a page box that follows the page, zoom in steps and to the width, and a
// search that finds and marks a word the manual has and says so when it has none.
#include "shell/help_viewer.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfView>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

#include "shell_test_support.h"

class HelpViewerTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { shell_test::installOffscreenFilter(); }

    // The page box counts the pages and follows the buttons, the keys and a number typed.
    void pageBoxFollowsThePage() {
        HelpViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        const int pages = viewer.document()->pageCount();
        QVERIFY(pages > 3);
        auto* pageBox = viewer.findChild<QSpinBox*>("PageNumber");
        QCOMPARE(pageBox->maximum(), pages);
        QStringList captions;
        for (const QLabel* l : viewer.findChild<QToolBar*>()->findChildren<QLabel*>())
            captions << l->text();
        QVERIFY(captions.contains(QString("of %1").arg(pages)));
        QCOMPARE(pageBox->value(), 1);
        auto* scroll = viewer.findChild<QPdfView*>()->verticalScrollBar();

        viewer.findChild<QAction*>("NextPage")->trigger();
        QCOMPARE(pageBox->value(), 2);
        const int secondPageAt = scroll->value();
        QVERIFY(secondPageAt > 0);
        QTest::keyClick(&viewer, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(pageBox->value(), 3);
        viewer.findChild<QAction*>("PreviousPage")->trigger();
        QCOMPARE(pageBox->value(), 2);
        QCOMPARE(scroll->value(), secondPageAt);
        pageBox->setValue(pages);
        QCOMPARE(viewer.page(), pages - 1);
        QVERIFY(scroll->value() > secondPageAt);
        viewer.goToPage(0);
        QVERIFY(scroll->value() < secondPageAt / 2);
    }

    // The outline beside the pages lists the chapters at the pages the contents give, and goes to
    // each chapter's heading, lower on the page for a later one.
    void outlineGoesToTheChapters() {
        HelpViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        auto* outline = viewer.findChild<QTreeView*>("Outline");
        QVERIFY(outline->isVisible());
        const QString contents = viewer.document()->getAllText(0).text();
        QAbstractItemModel* chapters = outline->model();
        QCOMPARE(chapters->rowCount(), 15);
        for (int row = 0; row < chapters->rowCount(); ++row) {
            const QModelIndex chapter = chapters->index(row, 0);
            const int page = chapter.data(int(QPdfBookmarkModel::Role::Page)).toInt();
            const QRegularExpression entry(QRegularExpression::escape(chapter.data().toString()) +
                                           QString("\\s+%1\\b").arg(page + 1));
            QVERIFY2(contents.contains(entry), qPrintable(entry.pattern()));
        }
        auto* scroll = viewer.findChild<QPdfView*>()->verticalScrollBar();
        int before = -1;
        for (int row : {0, 1}) {  // both on the first page
            QTest::mouseClick(outline->viewport(), Qt::LeftButton, {},
                              outline->visualRect(chapters->index(row, 0)).center());
            QCOMPARE(viewer.page(), 0);
            QVERIFY2(scroll->value() > before, qPrintable(QString::number(scroll->value())));
            before = scroll->value();
        }
        QTest::mouseClick(outline->viewport(), Qt::LeftButton, {},
                          outline->visualRect(chapters->index(12, 0)).center());
        QCOMPARE(viewer.page(),
                 chapters->index(12, 0).data(int(QPdfBookmarkModel::Role::Page)).toInt());
    }

    // Each step zooms by a quarter from the width the pages were fitted to; Ctrl+0 fits again.
    void zoomStepsAndFitsTheWidth() {
        HelpViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        const double fitted = viewer.zoomFactor();
        QVERIFY(fitted > 0.5 && fitted < 2);
        QTest::keyClick(&viewer, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(std::abs(viewer.zoomFactor() - fitted * 1.25) < 1e-9);
        viewer.findChild<QAction*>("ZoomOut")->trigger();
        viewer.findChild<QAction*>("ZoomOut")->trigger();
        QVERIFY(std::abs(viewer.zoomFactor() - fitted / 1.25) < 1e-9);
        QTest::keyClick(&viewer, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(viewer.findChild<QPdfView*>()->zoomMode(), QPdfView::ZoomMode::FitToWidth);
        QVERIFY(std::abs(viewer.zoomFactor() - fitted) < 1e-9);
    }

    // A word the manual has is found on the pages that have it, marked, and gone through in
    // turn both ways; a phrase it lacks is "Not found" and leaves no mark.
    void findsAndMarksAWord() {
        HelpViewer viewer;
        viewer.show();
        QVERIFY(QTest::qWaitForWindowActive(&viewer));
        QTest::keyClick(&viewer, Qt::Key_F, Qt::ControlModifier);
        auto* findBox = viewer.findChild<QLineEdit*>("FindText");
        QVERIFY(findBox->hasFocus());
        QTest::keyClicks(findBox, "Colebrook");
        // Searched once the typing pauses, not at every key.
        QCOMPARE(viewer.foundCount(), 0);
        QTRY_VERIFY(viewer.foundCount() > 1);
        QCOMPARE(viewer.foundIndex(), 0);
        const auto onPageShown = [&viewer] {
            return viewer.document()->getAllText(viewer.page()).text().contains("Colebrook");
        };
        QVERIFY(viewer.page() > 0 && onPageShown());
        QCOMPARE(viewer.findChild<QLabel*>("FindResult")->text(),
                 QString("1 of %1").arg(viewer.foundCount()));
        QTest::keyClick(findBox, Qt::Key_Return);
        QCOMPARE(viewer.foundIndex(), 1);
        QVERIFY(onPageShown());
        viewer.findChild<QAction*>("FindPrevious")->trigger();
        viewer.findChild<QAction*>("FindPrevious")->trigger();
        QCOMPARE(viewer.foundIndex(), viewer.foundCount() - 1);  // round to the last

        // Marked as a highlighter marks paper.
        const auto marked = [&viewer] {
            QPdfView* view = viewer.findChild<QPdfView*>();
            const QImage shown =
                view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int n = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    n += shown.pixel(x, y) == qRgb(255, 225, 80);
            return n;
        };
        QVERIFY(marked() > 100);

        viewer.find("no such word in the manual");
        QCOMPARE(marked(), 0);
        QCOMPARE(viewer.foundCount(), 0);
        QCOMPARE(viewer.findChild<QLabel*>("FindResult")->text(), QString("Not found"));
    }
};

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
