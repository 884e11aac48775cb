#include "shell/results_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <algorithm>

#include "formats/results_display.h"
#include "formats/results_export.h"
#include "properties/fluid_names.h"
#include "shell/screen_fit.h"

namespace {

// The layout is drawn in twips; 1440 twips make an inch, 96 logical pixels make an inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kClientWidth = 7005, kClientHeight = 7515;
// The extension (design margins, hairpins, Profile and Copy) lies below the specified client
// area, in the same columns, and adds this much to the window's height.
constexpr int kExtensionHeight = 2235;

constexpr int kCaptionLeft = 480, kUnitLeft = 2400, kIntLeft = 3360, kEstLeft = 5280;
constexpr int kCaptionWidth = 1800, kUnitWidth = 840;  // each up to the next column, less a gap
constexpr int kLabelHeight = 255, kBoxWidth = 1335, kBoxHeight = 285;

// The rows stand 360 twips apart from 720 down; the exchanger's rows, from the capacity on,
// a further 240 lower, apart from the streams'.
int rowTop(std::size_t row) {
    return 720 + 360 * static_cast<int>(row) + (row >= 12 ? 240 : 0);
}

// The two fluid boxes are wider than the others, to hold the fluid names. The material box
// reaches across the external column, whose cell on its row is empty, so that names such as
// "Stainless steel AISI 304" are shown whole.
int boxWidth(const char* box) {
    if (qstrcmp(box, "Text7") == 0) return 1575;
    if (qstrcmp(box, "Text8") == 0) return 1695;
    if (qstrcmp(box, "Text5") == 0) return kEstLeft + kBoxWidth - kIntLeft;
    return kBoxWidth;
}

// The texts a box must show whole: every fluid name in the fluid boxes, the longest material
// name of the shipped table in the material box, a generous number elsewhere.
QStringList samplesFor(const QString& box) {
    if (box == QLatin1String("Text7") || box == QLatin1String("Text8")) {
        QStringList names;
        for (const char* name : zano::kFluidNames) names << QString::fromUtf8(name);
        return names;
    }
    if (box == QLatin1String("Text5")) return {QStringLiteral("Stainless steel AISI 304")};
    return {QStringLiteral("-12345,678")};
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

}  // namespace

ResultsWindow::ResultsWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("ZANO"));

    place(makeLabel(this, "Label1", "INTERNAL PIPE"), kIntLeft, 240, kEstLeft - kIntLeft - 120,
          kLabelHeight);
    place(makeLabel(this, "Label2", "EXTERNAL PIPE"), kEstLeft, 240, kClientWidth - kEstLeft - 120,
          kLabelHeight);

    QFont bold = font();
    bold.setBold(true);
    auto addBox = [this, &bold](const char* name, int left, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setReadOnly(true);
        if (qstrcmp(name, "Text23") == 0) box->setFont(bold);  // the capacity stands out
        place(box, left, top, boxWidth(name), kBoxHeight);
    };
    for (std::size_t i = 0; i < zano::kResultsRows.size(); ++i) {
        const zano::ResultsRow& row = zano::kResultsRows[i];
        const int top = rowTop(i);
        place(makeLabel(this, row.label, row.caption), kCaptionLeft, top, kCaptionWidth,
              kLabelHeight);
        if (row.unitLabel)
            place(makeLabel(this, row.unitLabel, row.unit), kUnitLeft, top, kUnitWidth,
                  kLabelHeight);
        addBox(row.internal, kIntLeft, top);
        if (row.external) addBox(row.external, kEstLeft, top);
    }

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setAutoDefault(false);
    place(close, 3000, 7080, 975, 375);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    buildExtension();

    // One factor for the whole layout, so that the drawn proportions are kept: enough for every
    // caption and box height at the current font, and for the widest texts the boxes hold.
    scale_ = std::max(zano::twipScale(places_), scaleForContents());
    zano::placeInTwips(places_, scale_);
    zano::moveIntoScrollArea(this,
                             QSize(zano::twipsToPixels(kClientWidth, scale_),
                                   zano::twipsToPixels(kClientHeight + kExtensionHeight, scale_)));
    zano::fitFixedToScreen(this);
}

void ResultsWindow::buildExtension() {
    // One container, so that the specified controls stay the window's own children as drawn;
    // its controls are placed in twips from its top.
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Extension"));
    place(area, 0, kClientHeight, kClientWidth, kExtensionHeight);

    auto* line = new QFrame(area);
    line->setObjectName(QStringLiteral("ExtensionLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    place(line, 240, 60, kClientWidth - 480, 90);

    for (std::size_t i = 0; i < zano::kExtraRows.size(); ++i) {
        const zano::ExtraRow& row = zano::kExtraRows[i];
        const int top = 240 + 360 * static_cast<int>(i);
        const QString name = QString::fromLatin1(row.box);
        place(makeLabel(area, qPrintable(name + "Label"), row.caption), kCaptionLeft, top,
              kCaptionWidth, kLabelHeight);
        if (*row.unit)
            place(makeLabel(area, qPrintable(name + "Unit"), row.unit), kUnitLeft, top, kUnitWidth,
                  kLabelHeight);
        auto* box = new QLineEdit(area);
        box->setObjectName(name);
        box->setReadOnly(true);
        place(box, kIntLeft, top, kBoxWidth, kBoxHeight);
    }

    auto* profile = new QPushButton(QStringLiteral("Profile"), area);
    profile->setObjectName(QStringLiteral("Profile"));
    profile->setAutoDefault(false);
    place(profile, 2460, 1800, 975, 375);
    connect(profile, &QPushButton::clicked, this, &ResultsWindow::profileRequested);

    copy_ = new QPushButton(QStringLiteral("Copy"), area);
    copy_->setObjectName(QStringLiteral("Copy"));
    copy_->setAutoDefault(false);
    copy_->setEnabled(false);  // nothing to copy before the first results
    place(copy_, 3555, 1800, 975, 375);
    connect(copy_, &QPushButton::clicked, this, &ResultsWindow::copyResults);
}

void ResultsWindow::place(QWidget* w, int left, int top, int width, int height) {
    places_.push_back({w, QRect(left, top, width, height)});
}

// The enlargement at which every box shows its widest expected text whole.
double ResultsWindow::scaleForContents() const {
    double scale = 1.0;
    for (const zano::TwipPlace& p : places_) {
        const auto* box = qobject_cast<const QLineEdit*>(p.widget);
        if (!box) continue;
        const QFontMetrics fm(box->font());
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        for (const QString& text : samplesFor(box->objectName())) {
            // The text, the line edit's 2-pixel side margins, its frame and the cursor.
            const int need = fm.horizontalAdvance(text) + 2 * 2 + 2 * frame + 1;
            scale = std::max(scale, need * kTwipsPerPixel / p.twips.width());
        }
    }
    return scale;
}

void ResultsWindow::Risultati(const zano::ResultsData& r) {
    for (const zano::DisplayBox& b : zano::displayTexts(r)) setBox(b);
    // Nothing of an earlier calculation stays in the extension either.
    results_ = r;
    setExtras({});
    copy_->setEnabled(true);
    show();
    raise();
}

void ResultsWindow::clear() {
    for (const zano::DisplayBox& b : zano::displayTexts({})) setBox({b.box, {}});
    results_.reset();
    setExtras({});
    copy_->setEnabled(false);
}

void ResultsWindow::setExtras(const zano::ResultsExtras& extras) {
    extras_ = extras;
    for (const zano::DisplayBox& b : zano::extraTexts(extras)) setBox(b);
}

void ResultsWindow::setBox(const zano::DisplayBox& b) {
    auto* box = findChild<QLineEdit*>(QString::fromLatin1(b.box));
    box->setText(QString::fromStdString(b.text));
    box->setCursorPosition(0);  // a text longer than the box shows its beginning
}

void ResultsWindow::copyResults() const {
    if (!results_) return;
    // Tab-separated, as the window shows the texts: pastes into a spreadsheet's cells.
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(zano::resultsTabText(*results_, extras_)));
}

QString ResultsWindow::boxText(const QString& boxName) const {
    const auto* box = findChild<QLineEdit*>(boxName);
    return box ? box->text() : QString();
}

void ResultsWindow::closeEvent(QCloseEvent* event) {
    // Only the frame's close control (or the end of the program) gets here: "Close" hides.
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}
