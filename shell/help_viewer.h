#pragma once

#include <QList>
#include <QPdfLink>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPdfDocument;
class QPdfSearchModel;
class QPdfView;
class QSpinBox;

// The help viewer (Form4, "Using ZANO"): the manual "Using ZANO.pdf" from the application
// directory, loaded once when the window is created. A tool bar above the pages turns them,
// zooms and finds words; the manual's outline beside them goes to a chapter.
class HelpViewer : public QWidget {
    Q_OBJECT
  public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // A viewer of another file; a missing or unreadable file leaves the view blank.
    explicit HelpViewer(const QString& manualPath, QWidget* parent = nullptr);

    // The application directory followed by "Using ZANO.pdf".
    static QString manualPath();

    QPdfDocument* document() const { return document_; }

    // The page shown, from 0, as the page box counts it from 1.
    int page() const;
    void goToPage(int page);
    void nextPage();
    void previousPage();

    // Points to pixels, whatever the zoom mode: fitted to the width, the factor it came to.
    double zoomFactor() const;
    void zoomIn();
    void zoomOut();
    void fitWidth();

    // Finds `text` in the whole manual and shows the first place; next and previous go round.
    void find(const QString& text);
    void findNext();
    void findPrevious();
    int foundCount() const { return static_cast<int>(found_.size()); }
    // The place shown, from 0; -1 when none is.
    int foundIndex() const { return foundIndex_; }

  private:
    void buildToolBar(class QVBoxLayout* layout);
    QWidget* buildOutline();
    // Shows the chapter or section `chapter` of the outline at the top of the view.
    void goToChapter(const class QModelIndex& chapter);
    void documentLoaded();
    // Scrolls so that the point `y` (points from the page's top) of `page` is near the top.
    void scrollTo(int page, double y);
    void setZoom(double factor);
    QSize pageSize(int page) const;    // in pixels
    double pageScale(int page) const;  // pixels per point
    double pageTop(int page) const;    // pixels from the top of the first page's margin
    void showFound(int index);
    // A rectangle of a page, in points from its top left corner, in the view's pixels; the
    // pages are centred across documentWidth pixels.
    QRectF onScreen(int page, const QRectF& points, int documentWidth) const;
    void markFound(class QPainter& p) const;

    QPdfDocument* document_;
    QPdfView* view_;
    class QTreeView* outline_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QLabel* findResult_ = nullptr;
    QPdfSearchModel* search_;
    QList<QPdfLink> found_;  // every place of the text searched, in page order
    int foundIndex_ = -1;
};

// The About box's lines joined by CR LF, the first "ZANO 1.0.2"; the program has no web page
// to name.
QString aboutText();
