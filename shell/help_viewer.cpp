#include "shell/help_viewer.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfBookmarkModel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSearchModel>
#include <QPdfView>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

#include "base/version.h"
#include "properties/fluid_table.h"
#include "shell/screen_fit.h"
#include "shell/window_keys.h"

namespace {
// The client area, 10260 x 9885 twips at 15 twips to the logical pixel: the pages' area, with
// the tool bar above it.
constexpr int kClientWidth = 10260 / 15, kClientHeight = 9885 / 15;
// The chapters' outline beside the pages, logical pixels.
constexpr int kOutlineWidth = 220;
// Each zoom step enlarges or reduces by a quarter, between a page in a thumbnail and a line
// across the screen.
constexpr double kZoomStep = 1.25, kMinZoom = 0.25, kMaxZoom = 8.0;
// A place found stands this far (points) below the view's top, with the line above it.
constexpr double kFoundMargin = 36;
// The places found, as readers of PDF files mark them.
const QColor kFoundTint(255, 225, 80);
const QColor kShownFrame(220, 110, 0);

// The view's pixels per point at zoom 1: it sizes pages by the logical resolution.
double screenResolution() {
    return QGuiApplication::primaryScreen()->logicalDotsPerInch() / 72.0;
}
}  // namespace

// The pages, with the places found marked over them (the view itself marks none before Qt 6.6).
class ManualView : public QPdfView {
  public:
    using QPdfView::QPdfView;
    std::function<void(QPainter&)> drawOver;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPdfView::paintEvent(event);
        QPainter p(viewport());
        p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
        if (drawOver) drawOver(p);
    }
};

namespace {

// The PDF module warns on the terminal for every text block that does not hold the string being
// searched for, that is for nearly all of them: those lines are dropped, every other message
// passes on to the handler before.
QtMessageHandler otherMessages = nullptr;

void dropSearchMisses(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("search string \"")) &&
        text.contains(QLatin1String("\" not found in context")))
        return;
    if (otherMessages) otherMessages(type, context, text);
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : HelpViewer(manualPath(), parent) {}

HelpViewer::HelpViewer(const QString& path, QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(new QPdfDocument(this)),
      view_(new ManualView(this)),
      search_(new QPdfSearchModel(this)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Using ZANO"));
    static const bool filtered = [] {
        otherMessages = qInstallMessageHandler(dropSearchMisses);
        return true;
    }();
    (void)filtered;
    // Closing from the frame discards the viewer; the next "Using ZANO" loads the file anew.
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape puts it away with the page and zoom as they were.
    zano::hideOnEscape(this);

    view_->setObjectName(QStringLiteral("WebBrowser1"));
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar(layout);
    auto* panes = new QSplitter(this);
    panes->setObjectName(QStringLiteral("Panes"));
    panes->setChildrenCollapsible(false);
    panes->addWidget(buildOutline());
    panes->addWidget(view_);
    panes->setStretchFactor(1, 1);
    panes->setSizes({kOutlineWidth, kClientWidth});
    layout->addWidget(panes, 1);
    zano::fitResizableToScreen(this, QSize(kOutlineWidth + panes->handleWidth() + kClientWidth,
                                           kClientHeight + layout->itemAt(0)->sizeHint().height()));

    // A missing file leaves the document empty and the view blank; there is no message.
    document_->load(path);
    view_->setDocument(document_);
    search_->setDocument(document_);
    documentLoaded();
    static_cast<ManualView*>(view_)->drawOver = [this](QPainter& p) { markFound(p); };
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, [this](int p) {
        // Scrolled by the user: the box follows.
        const QSignalBlocker quiet(pageBox_);
        pageBox_->setValue(p + 1);
    });
}

void HelpViewer::buildToolBar(QVBoxLayout* layout) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("HelpToolBar"));
    const auto addTool = [this, bar](const char* name, const QString& text, const QString& tip,
                                     QList<QKeySequence> keys, void (HelpViewer::*slot)()) {
        QAction* a = bar->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(tip);
        a->setShortcuts(keys);
        // The shortcuts work wherever the focus is in the window: in the page box or the find box.
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    addTool("PreviousPage", QStringLiteral("<"), QStringLiteral("Previous page (Ctrl+Page Up)"),
            {QKeySequence(Qt::CTRL | Qt::Key_PageUp)}, &HelpViewer::previousPage);
    addTool("NextPage", QStringLiteral(">"), QStringLiteral("Next page (Ctrl+Page Down)"),
            {QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, &HelpViewer::nextPage);
    pageBox_ = new QSpinBox(bar);
    pageBox_->setObjectName(QStringLiteral("PageNumber"));
    pageBox_->setToolTip(QStringLiteral("The page shown; type a number and Enter to go to it."));
    pageBox_->setKeyboardTracking(false);  // a page of two digits is not visited at its first
    pageBox_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    pageBox_->setAlignment(Qt::AlignRight);
    bar->addWidget(pageBox_);
    // Unnamed: its text changes with every edition of the manual.
    pageCount_ = new QLabel(bar);
    pageCount_->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(pageCount_);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int n) { goToPage(n - 1); });
    bar->addSeparator();

    addTool("ZoomOut", QStringLiteral("-"), QStringLiteral("Zoom out (Ctrl+-)"),
            {QKeySequence::ZoomOut}, &HelpViewer::zoomOut);
    // Ctrl+= as well: "+" needs Shift on many keyboards.
    addTool("ZoomIn", QStringLiteral("+"), QStringLiteral("Zoom in (Ctrl++)"),
            {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &HelpViewer::zoomIn);
    addTool("FitWidth", QStringLiteral("Fit width"),
            QStringLiteral("Pages as wide as the window (Ctrl+0)"),
            {QKeySequence(Qt::CTRL | Qt::Key_0)}, &HelpViewer::fitWidth);
    bar->addSeparator();

    findBox_ = new QLineEdit(bar);
    findBox_->setObjectName(QStringLiteral("FindText"));
    findBox_->setPlaceholderText(QStringLiteral("Find"));
    findBox_->setToolTip(
        QStringLiteral("A word or phrase to find in the manual (Ctrl+F); Enter "
                       "shows the next place."));
    findBox_->setClearButtonEnabled(true);
    findBox_->setMaximumWidth(findBox_->fontMetrics().horizontalAdvance('M') * 12);
    bar->addWidget(findBox_);
    // Searched once the typing pauses: a search of the whole manual per key lagged by a second
    // or two. Enter searches at once.
    auto* pause = new QTimer(this);
    pause->setObjectName(QStringLiteral("FindPause"));
    pause->setSingleShot(true);
    pause->setInterval(300);
    connect(findBox_, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
    connect(pause, &QTimer::timeout, this, [this] { find(findBox_->text()); });
    connect(findBox_, &QLineEdit::returnPressed, this, &HelpViewer::findNext);
    auto* focusFind = new QAction(this);
    focusFind->setShortcut(QKeySequence::Find);
    focusFind->setShortcutContext(Qt::WindowShortcut);
    QWidget::addAction(focusFind);
    connect(focusFind, &QAction::triggered, this, [this] {
        findBox_->setFocus(Qt::ShortcutFocusReason);
        findBox_->selectAll();
    });
    addTool("FindPrevious", QStringLiteral("Previous"),
            QStringLiteral("The place found before (Shift+F3)"), {QKeySequence::FindPrevious},
            &HelpViewer::findPrevious);
    addTool("FindNext", QStringLiteral("Next"), QStringLiteral("The next place found (F3)"),
            {QKeySequence::FindNext}, &HelpViewer::findNext);
    findResult_ = new QLabel(bar);
    findResult_->setObjectName(QStringLiteral("FindResult"));
    findResult_->setContentsMargins(4, 0, 4, 0);
    bar->addWidget(findResult_);
    layout->addWidget(bar);
}

QWidget* HelpViewer::buildOutline() {
    // The chapters, each with its sections folded under it; a click or Enter goes to one.
    outline_ = new QTreeView(this);
    outline_->setObjectName(QStringLiteral("Outline"));
    outline_->setHeaderHidden(true);
    outline_->setUniformRowHeights(true);
    outline_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    outline_->setToolTip(QStringLiteral("The manual's chapters: click one to go to it."));
    auto* chapters = new QPdfBookmarkModel(this);
    chapters->setDocument(document_);
    outline_->setModel(chapters);
    connect(outline_, &QTreeView::activated, this, &HelpViewer::goToChapter);
    connect(outline_, &QTreeView::clicked, this, &HelpViewer::goToChapter);
    return outline_;
}

void HelpViewer::goToChapter(const QModelIndex& chapter) {
    const int page = chapter.data(int(QPdfBookmarkModel::Role::Page)).toInt();
    if (page < 0 || page >= document_->pageCount()) return;
    // The heading's top, in points from the page's top.
    const QPointF at = chapter.data(int(QPdfBookmarkModel::Role::Location)).toPointF();
    scrollTo(page, std::clamp(at.y(), 0.0, document_->pagePointSize(page).height()));
    const QSignalBlocker quiet(pageBox_);
    pageBox_->setValue(page + 1);
}

void HelpViewer::documentLoaded() {
    const int pages = document_->pageCount();
    const QSignalBlocker quiet(pageBox_);
    pageBox_->setRange(pages > 0 ? 1 : 0, pages);
    pageBox_->setValue(pages > 0 ? 1 : 0);
    pageBox_->setEnabled(pages > 0);
    // Room for the largest number, which a spin box does not leave for a range set later.
    pageBox_->setFixedWidth(pageBox_->fontMetrics().horizontalAdvance(QString::number(pages)) +
                            pageBox_->fontMetrics().horizontalAdvance('0') * 2 + 8);
    pageCount_->setText(QStringLiteral("of %1").arg(pages));
    // A manual without an outline leaves the pages the whole window.
    outline_->setVisible(outline_->model()->rowCount() > 0);
}

QString HelpViewer::manualPath() {
    const QString dir = QString::fromStdU16String(zano::QuestaDirectory().u16string());
    return QDir(dir).filePath(QStringLiteral("Using ZANO.pdf"));
}

// ---- Pages ---------------------------------------------------------------------------------

int HelpViewer::page() const {
    return pageBox_->value() - 1;
}

void HelpViewer::goToPage(int page) {
    if (document_->pageCount() == 0) return;
    page = std::clamp(page, 0, document_->pageCount() - 1);
    scrollTo(page, 0);
    // The last pages cannot scroll to the top of the view: the box says which was asked for.
    const QSignalBlocker quiet(pageBox_);
    pageBox_->setValue(page + 1);
}

void HelpViewer::nextPage() {
    goToPage(page() + 1);
}

void HelpViewer::previousPage() {
    goToPage(page() - 1);
}

QSize HelpViewer::pageSize(int page) const {
    // As the view sizes it: in whole pixels at the zoom, or fitted to the width from its size
    // in whole pixels at zoom 1.
    const QSizeF points = document_->pagePointSize(page);
    if (view_->zoomMode() != QPdfView::ZoomMode::FitToWidth)
        return QSizeF(points * screenResolution() * view_->zoomFactor()).toSize();
    const QSize base = QSizeF(points * screenResolution()).toSize();
    const QMargins m = view_->documentMargins();
    const int width = view_->viewport()->width() - m.left() - m.right();
    return base.width() > 0 ? base * (qreal(width) / base.width()) : base;
}

double HelpViewer::pageScale(int page) const {
    const double points = document_->pagePointSize(page).width();
    return points > 0 ? pageSize(page).width() / points : 1.0;
}

double HelpViewer::pageTop(int page) const {
    // The pages stand one below the other, with the view's margin above the first and its
    // spacing between them.
    int top = view_->documentMargins().top();
    for (int p = 0; p < page; ++p) top += pageSize(p).height() + view_->pageSpacing();
    return top;
}

void HelpViewer::scrollTo(int page, double y) {
    view_->verticalScrollBar()->setValue(static_cast<int>(pageTop(page) + y * pageScale(page)));
}

// ---- Zoom ----------------------------------------------------------------------------------

double HelpViewer::zoomFactor() const {
    if (view_->zoomMode() != QPdfView::ZoomMode::FitToWidth) return view_->zoomFactor();
    return pageScale(std::max(page(), 0)) / screenResolution();
}

void HelpViewer::setZoom(double factor) {
    if (document_->pageCount() == 0) return;
    // The line at the top of the view stays there.
    const int p = page();
    const double y =
        std::max(0.0, (view_->verticalScrollBar()->value() - pageTop(p)) / pageScale(p));
    view_->setZoomMode(QPdfView::ZoomMode::Custom);
    view_->setZoomFactor(std::clamp(factor, kMinZoom, kMaxZoom));
    scrollTo(p, y);
}

void HelpViewer::zoomIn() {
    setZoom(zoomFactor() * kZoomStep);
}

void HelpViewer::zoomOut() {
    setZoom(zoomFactor() / kZoomStep);
}

void HelpViewer::fitWidth() {
    const int p = page();
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    goToPage(p);
}

// ---- Find ----------------------------------------------------------------------------------

void HelpViewer::find(const QString& text) {
    if (findBox_->text() != text) findBox_->setText(text);
    search_->setSearchString(text);
    found_.clear();
    foundIndex_ = -1;
    // Every page at once: the manual is short, and the count is known before the first place.
    if (!text.trimmed().isEmpty())
        for (int p = 0; p < document_->pageCount(); ++p) {
            // A line cut by the page's edge is in both pages' text, beyond the edge of one.
            const QRectF page(QPointF(0, 0), document_->pagePointSize(p));
            for (const QPdfLink& place : search_->resultsOnPage(p))
                if (page.contains(place.location())) found_ += place;
        }
    view_->viewport()->update();
    if (found_.isEmpty()) {
        findResult_->setText(text.trimmed().isEmpty() ? QString() : QStringLiteral("Not found"));
        findResult_->setToolTip({});
        return;
    }
    showFound(0);
}

void HelpViewer::findNext() {
    if (search_->searchString() != findBox_->text()) return find(findBox_->text());
    if (!found_.isEmpty()) showFound((foundIndex_ + 1) % found_.size());
}

void HelpViewer::findPrevious() {
    if (search_->searchString() != findBox_->text()) find(findBox_->text());
    if (!found_.isEmpty())
        showFound(static_cast<int>((foundIndex_ - 1 + found_.size()) % found_.size()));
}

QRectF HelpViewer::onScreen(int page, const QRectF& points, int documentWidth) const {
    const double scale = pageScale(page);
    return QRectF((documentWidth - pageSize(page).width()) / 2 + points.x() * scale,
                  pageTop(page) + points.y() * scale, points.width() * scale,
                  points.height() * scale);
}

void HelpViewer::markFound(QPainter& p) const {
    const QRectF shown(view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value(),
                       view_->viewport()->width(), view_->viewport()->height());
    // Each page is centred in the wider of the view and the widest page with its margins.
    const QMargins m = view_->documentMargins();
    int widest = 0;
    for (int page = 0; page < document_->pageCount(); ++page)
        widest = std::max(widest, pageSize(page).width());
    const int width = std::max(widest + m.left() + m.right(), view_->viewport()->width());
    // As a highlighter marks paper: the text stays dark under the colour.
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    for (int i = 0; i < found_.size(); ++i) {
        QRectF whole;
        for (const QRectF& r : found_[i].rectangles()) {
            const QRectF on = onScreen(found_[i].page(), r, width);
            whole = whole.united(on);
            if (on.intersects(shown)) p.fillRect(on.adjusted(-0.5, -1, 0.5, 1), kFoundTint);
        }
        // The place shown framed as well.
        if (i == foundIndex_ && whole.intersects(shown)) {
            p.setPen(QPen(kShownFrame, 1.5));
            p.drawRect(whole.adjusted(-2, -2, 2, 2));
        }
    }
}

void HelpViewer::showFound(int index) {
    foundIndex_ = index;
    const QPdfLink& place = found_[index];
    scrollTo(place.page(), std::max(0.0, place.location().y() - kFoundMargin));
    const QSignalBlocker quiet(pageBox_);
    pageBox_->setValue(place.page() + 1);
    findResult_->setText(QStringLiteral("%1 of %2").arg(index + 1).arg(found_.size()));
    view_->viewport()->update();
    findResult_->setToolTip(place.contextBefore() + QStringLiteral("«") + search_->searchString() +
                            QStringLiteral("»") + place.contextAfter());
}

QString aboutText() {
    return QStringList{QString::fromUtf8(zano::programVersion()),
                       QStringLiteral("Calculation of concentric tube heat exchangers"),
                       QStringLiteral("Copyright (C) 2026 The ZANO developers")}
        .join(QStringLiteral("\r\n"));
}
