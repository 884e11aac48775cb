#include "shell/results_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "formats/construction_display.h"
#include "formats/film_display.h"
#include "formats/hand_check_display.h"
#include "formats/results_display.h"
#include "formats/results_export.h"
#include "properties/fluid_names.h"
#include "shell/report.h"
#include "shell/screen_fit.h"
#include "shell/unit_choice.h"
#include "shell/window_keys.h"

namespace {

// The layout is drawn in twips; 1440 twips make an inch, 96 logical pixels make an inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kClientWidth = 7005, kClientHeight = 7515;
// The extension (design margins, hairpins, the correlation set and what makes up U, the other
// set's figures, Profile and Copy) lies below the original client area, in the same columns,
// and adds this much to the window's height.
constexpr int kExtensionHeight = 7215;
// Tops in the extension: the correlation set's row, the first film row (one every 360 twips),
// the two lines on the other set, the buttons.
constexpr int kSetTop = 1680, kFilmTop = 2040, kOtherSetTop = 5400, kButtonTop = 6660;
constexpr int kSentenceHeight = 510;  // two lines of text
// A row of the extension's.
constexpr int kRowStep = 360;

constexpr int kCaptionLeft = 480, kUnitLeft = 2400, kIntLeft = 3360, kEstLeft = 5280;
constexpr int kCaptionWidth = 1800, kUnitWidth = 840;  // each up to the next column, less a gap
constexpr int kLabelHeight = 255, kBoxWidth = 1335, kBoxHeight = 285;

// The rows stand 360 twips apart from 720 down; the exchanger's rows, from the capacity on,
// a further 240 lower, apart from the streams'.
int rowTop(std::size_t row) {
    return 720 + 360 * static_cast<int>(row) + (row >= 12 ? 240 : 0);
}

// The film rows' box names, from their captions: "FilmFlowRegime" + "Int" or "Est".
QString filmBoxName(const char* caption) {
    QString name = QStringLiteral("Film");
    for (const QString& word : QString::fromUtf8(caption).split(' '))
        name += word.left(1).toUpper() + word.mid(1);
    return name;
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
    // A resistance and its share of 1/U.
    if (box.startsWith(QLatin1String("Film"))) return {QStringLiteral("0,0001234 (99,9 %)")};
    return {QStringLiteral("-12345,678")};
}

// A line the user must not miss (out of date, a note), in a dark red.
void tintAsWarning(QLabel* label) {
    QPalette warning = label->palette();
    warning.setColor(QPalette::WindowText, QColor(170, 30, 20));
    label->setPalette(warning);
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

    buildOutOfDateLine();
    buildRows();

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    close->setAutoDefault(false);
    place(close, 3000, 7080, 975, 375);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    buildExtension();
    // The boxes show results: Tab passes them by, a click still selects and copies.
    zano::readOnlyBoxesTakeClickFocus(this);
    zano::hideOnEscape(this);  // as "Close": the results stay for the report

    // One factor for the whole layout, so that the drawn proportions are kept: enough for every
    // caption and box height at the current font, and for the widest texts the boxes hold.
    scale_ = std::max(zano::twipScale(places_), scaleForContents());
    zano::placeInTwips(places_, scale_);
    zano::moveIntoScrollArea(this,
                             QSize(zano::twipsToPixels(kClientWidth, scale_),
                                   zano::twipsToPixels(kClientHeight + kExtensionHeight, scale_)));
    zano::fitFixedToScreen(this);
    // Where the screen is too short for the whole window, the breakdown of U starts folded, so
    // that the rest shows without scrolling.
    if (sizeHint().height() > zano::roomOnScreen(this).height()) breakdown_->setChecked(false);
    arrange();
    showUnits();
    connect(&zano::UnitChoice::instance(), &zano::UnitChoice::changed, this,
            &ResultsWindow::showUnits);
}

void ResultsWindow::showUnitCaption(const QString& name, const char* unit) {
    auto* label = findChild<QLabel*>(name);
    if (!label) return;
    label->setText(QString::fromUtf8(unit));
    // A US unit wider than its column ("Btu/(h ft^2 °F)") is set smaller, whole, with the unit
    // in its tooltip; the SI ones fit as drawn.
    QFont font = this->font();
    const double least = font.pointSizeF() * 0.6;
    while (font.pointSizeF() > least &&
           QFontMetricsF(font).horizontalAdvance(label->text()) > label->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
    label->setToolTip(font == this->font() ? QString() : label->text());
}

void ResultsWindow::showUnits() {
    const zano::Units units = zano::currentUnits();
    const zano::UnitSystem s = units.system;
    for (const zano::ResultsRow& row : zano::kResultsRows)
        if (row.unitLabel)
            showUnitCaption(QString::fromLatin1(row.unitLabel),
                            zano::shownUnit(row.quantity, row.unit, s));
    for (const zano::ExtraRow& row : zano::kExtraRows)
        showUnitCaption(QString::fromLatin1(row.box) + "Unit",
                        zano::shownUnit(row.quantity, row.unit, s));
    for (const zano::FilmRow& row : zano::filmRows({}, units))
        showUnitCaption(filmBoxName(row.caption) + "Unit", row.unit);
    for (const zano::ConstructionRow& row : zano::constructionRows({}, units))
        showUnitCaption(QStringLiteral("Construction") + row.box + "Unit", row.unit);
    for (const zano::HandCheckRow& row : zano::handCheckRows(std::nullopt, units))
        showUnitCaption(QStringLiteral("HandCheck") + row.box + "Unit", row.unit);
    if (!results_) return;
    for (const zano::DisplayBox& b : zano::displayTexts(*results_, units)) setBox(b);
    const zano::ResultsExtras extras = extras_;
    setExtras(extras);
}

void ResultsWindow::buildRows() {
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
}

void ResultsWindow::buildOutOfDateLine() {
    // Above the first row, left of the column headings, where the eye starts: said while the
    // case has changed since these results.
    auto* outOfDate = makeLabel(this, "OutOfDate", "");
    outOfDate->setWordWrap(true);
    outOfDate->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    tintAsWarning(outOfDate);
    outOfDate->hide();
    place(outOfDate, 240, 90, kIntLeft - 120 - 240, 540);
}

void ResultsWindow::buildExtension() {
    // One container, so that the original controls stay the window's own children as drawn;
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

    buildConstruction(area);
    buildHandCheck(area);
    buildFilmRows(area);
    for (const char* name : {"OtherSet", "SetsDiffer"}) {
        auto* line = makeLabel(area, name, "");
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        place(line, kCaptionLeft, kOtherSetTop + (*name == 'S' ? kSentenceHeight + 60 : 0),
              kClientWidth - 120 - kCaptionLeft, kSentenceHeight);
    }
    buildExtensionButtons(area);
}

void ResultsWindow::buildFilmRows(QWidget* area) {
    // The rules that found these results, then what makes up U: the film rows reach across
    // to the next column, since a resistance shows its share beside it.
    const auto addBox = [this, area](const QString& name, int left, int top, int width) {
        auto* box = new QLineEdit(area);
        box->setObjectName(name);
        box->setReadOnly(true);
        place(box, left, top, width, kBoxHeight);
    };
    place(makeLabel(area, "CorrelationSetLabel", "Correlation set"), kCaptionLeft, kSetTop,
          kCaptionWidth, kLabelHeight);
    addBox(QStringLiteral("CorrelationSet"), kIntLeft, kSetTop, kBoxWidth);
    // A breakdown with every value: the rows that stay without an external one have no box.
    zano::FilmBreakdown sample;
    sample.internal.regime = sample.external.regime = "laminar";
    std::vector<zano::FilmRow> films;
    for (zano::FilmRow& row : zano::filmRows(sample))
        if (!row.repeatsAResultsRow) films.push_back(std::move(row));  // shown in its own row
    for (std::size_t i = 0; i < films.size(); ++i) {
        const zano::FilmRow& row = films[i];
        const int top = kFilmTop + 360 * static_cast<int>(i);
        const QString name = filmBoxName(row.caption);
        place(makeLabel(area, qPrintable(name + "Label"), row.caption), kCaptionLeft, top,
              kCaptionWidth, kLabelHeight);
        if (*row.unit)
            place(makeLabel(area, qPrintable(name + "Unit"), row.unit), kUnitLeft, top, kUnitWidth,
                  kLabelHeight);
        addBox(name + "Int", kIntLeft, top, kEstLeft - 120 - kIntLeft);
        if (!row.external.empty())
            addBox(name + "Est", kEstLeft, top, kClientWidth - 120 - kEstLeft);
    }
    // Beside the correlation set: folds the film rows away, and unfolds them.
    breakdown_ = makeFold(area, "Breakdown", "&Breakdown of U");
    place(breakdown_, kEstLeft, kSetTop, kClientWidth - 120 - kEstLeft, kBoxHeight);
}

QToolButton* ResultsWindow::makeFold(QWidget* area, const char* name, const char* text) {
    auto* fold = new QToolButton(area);
    fold->setObjectName(QString::fromLatin1(name));
    fold->setText(QString::fromUtf8(text));
    fold->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    fold->setArrowType(Qt::DownArrow);
    fold->setAutoRaise(true);
    fold->setCheckable(true);
    fold->setChecked(true);
    connect(fold, &QToolButton::toggled, this, &ResultsWindow::arrange);
    return fold;
}

// A row of a fold: its caption, its unit where it has one, and one read-only box, or one for
// each stream, in the results' columns; arrange() sets their tops.
std::vector<QWidget*> ResultsWindow::foldRow(QWidget* area, const QString& name,
                                             const char* caption, const char* unit,
                                             bool eachStream) {
    std::vector<QWidget*> widgets{makeLabel(area, qPrintable(name + "Label"), caption)};
    place(widgets.back(), kCaptionLeft, kSetTop, kCaptionWidth, kLabelHeight);
    if (*unit) {
        widgets.push_back(makeLabel(area, qPrintable(name + "Unit"), unit));
        place(widgets.back(), kUnitLeft, kSetTop, kUnitWidth, kLabelHeight);
    }
    for (int column = 0; column < (eachStream ? 2 : 1); ++column) {
        auto* box = new QLineEdit(area);
        box->setObjectName(name + (eachStream ? (column ? "Est" : "Int") : ""));
        box->setReadOnly(true);
        place(box, column ? kEstLeft : kIntLeft, kSetTop, kBoxWidth, kBoxHeight);
        widgets.push_back(box);
    }
    return widgets;
}

void ResultsWindow::buildConstruction(QWidget* area) {
    // Each note a sentence of up to two lines, in the warning's colour.
    notes_ = makeLabel(area, "Notes", "");
    notes_->setWordWrap(true);
    notes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tintAsWarning(notes_);
    place(notes_, kCaptionLeft, kSetTop, kClientWidth - 120 - kCaptionLeft, kSentenceHeight);
    // The fold's heading, then its rows in the results' columns; arrange() sets their tops.
    construction_ = makeFold(area, "Construction", "Co&nstruction as built");
    place(construction_, kCaptionLeft, kSetTop, kIntLeft - 120 - kCaptionLeft, kBoxHeight);
    for (const zano::ConstructionRow& row : zano::constructionRows({}))
        constructionRows_.push_back(foldRow(area, QStringLiteral("Construction") + row.box,
                                            row.caption, row.unit, row.eachStream));
    constructionShown_.assign(constructionRows_.size(), false);
}

int ResultsWindow::placeConstruction(std::vector<zano::TwipPlace>& moved) {
    // The notes, then the fold's heading and the rows that have figures, each a row lower.
    const int notes = noteCount_ * kSentenceHeight + (noteCount_ ? 60 : 0);
    const bool built = std::find(constructionShown_.begin(), constructionShown_.end(), true) !=
                       constructionShown_.end();
    notes_->setVisible(noteCount_ > 0);
    construction_->setVisible(built);
    construction_->setArrowType(construction_->isChecked() ? Qt::DownArrow : Qt::RightArrow);
    const auto nominal = [this](const QWidget* w) {
        return std::find_if(places_.begin(), places_.end(),
                            [w](const zano::TwipPlace& p) { return p.widget == w; })
            ->twips;
    };
    if (noteCount_)
        moved.push_back({notes_, nominal(notes_).adjusted(0, 0, 0, notes - 60 - kSentenceHeight)});
    moved.push_back({construction_, nominal(construction_).translated(0, notes)});
    int top = kSetTop + notes + (built ? kRowStep : 0);
    for (std::size_t i = 0; i < constructionRows_.size(); ++i) {
        const bool shown = built && construction_->isChecked() && constructionShown_[i];
        for (QWidget* w : constructionRows_[i]) {
            w->setVisible(shown);
            if (shown) moved.push_back({w, nominal(w).translated(0, top - kSetTop)});
        }
        if (shown) top += kRowStep;
    }
    return top - kSetTop;
}

void ResultsWindow::buildHandCheck(QWidget* area) {
    handCheck_ = makeFold(area, "HandCheck", "&Hand check");
    place(handCheck_, kCaptionLeft, kSetTop, kIntLeft - 120 - kCaptionLeft, kBoxHeight);
    {
        // A reviewer's figures, asked for now and then: folded until opened.
        const QSignalBlocker quiet(handCheck_);
        handCheck_->setChecked(false);
    }
    for (const zano::HandCheckRow& row : zano::handCheckRows(std::nullopt))
        handCheckRows_.push_back(foldRow(area, QStringLiteral("HandCheck") + row.box, row.caption,
                                         row.unit, row.eachStream));
}

int ResultsWindow::placeHandCheck(std::vector<zano::TwipPlace>& moved, int top) {
    // The fold's heading from `top`, then its rows while it is open; the height they take.
    const bool shown = extras_.handCheck.has_value();
    const bool open = shown && handCheck_->isChecked();
    handCheck_->setVisible(shown);
    handCheck_->setArrowType(handCheck_->isChecked() ? Qt::DownArrow : Qt::RightArrow);
    if (!shown) {
        for (const auto& row : handCheckRows_)
            for (QWidget* w : row) w->hide();
        return 0;
    }
    const auto at = [&](QWidget* w, int rowTop) {
        const auto p = std::find_if(places_.begin(), places_.end(),
                                    [w](const zano::TwipPlace& t) { return t.widget == w; });
        moved.push_back({w, p->twips.translated(0, rowTop - kSetTop)});
    };
    at(handCheck_, top);
    int next = top + kRowStep;
    for (const auto& row : handCheckRows_) {
        for (QWidget* w : row) {
            w->setVisible(open);
            if (open) at(w, next);
        }
        if (open) next += kRowStep;
    }
    return next - top;
}

void ResultsWindow::showHandCheck(const zano::ResultsExtras& extras) {
    const auto rows = zano::handCheckRows(extras.handCheck);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::size_t column = 0;
        for (QWidget* w : handCheckRows_[i])
            if (auto* box = qobject_cast<QLineEdit*>(w)) {
                box->setText(
                    QString::fromStdString(column++ ? rows[i].external : rows[i].internal));
                box->setCursorPosition(0);
            }
    }
}

void ResultsWindow::arrange() {
    breakdown_->setArrowType(breakdown_->isChecked() ? Qt::DownArrow : Qt::RightArrow);
    std::vector<zano::TwipPlace> moved;
    int inserted = placeConstruction(moved);
    inserted += placeHandCheck(moved, kSetTop + inserted);
    // Below the inserted parts everything moves down by their height, and below the film rows
    // up by theirs where those are folded away.
    const int filmFold = breakdown_->isChecked() ? 0 : kOtherSetTop - kFilmTop;
    const QWidget* area = findChild<QWidget*>(QStringLiteral("Extension"));
    for (const zano::TwipPlace& p : places_) {
        const QString name = p.widget->objectName();
        if (name.startsWith(QLatin1String("Film"))) p.widget->setVisible(breakdown_->isChecked());
        const int shift = inserted - (p.twips.top() >= kOtherSetTop ? filmFold : 0);
        if (p.widget == area)
            moved.push_back({p.widget, p.twips.adjusted(0, 0, 0, inserted - filmFold)});
        else if (p.widget->parentWidget() == area && p.twips.top() >= kSetTop &&
                 !name.startsWith(QLatin1String("Construction")) &&
                 !name.startsWith(QLatin1String("HandCheck")) && p.widget != notes_)
            moved.push_back({p.widget, p.twips.translated(0, shift)});
    }
    zano::placeInTwips(moved, scale_);
    findChild<QWidget*>(QStringLiteral("client"))
        ->setFixedHeight(
            zano::twipsToPixels(kClientHeight + kExtensionHeight + inserted - filmFold, scale_));
    zano::refitToScreen(this);
}

void ResultsWindow::buildExtensionButtons(QWidget* area) {
    auto* profile = new QPushButton(QStringLiteral("&Profile"), area);
    profile->setObjectName(QStringLiteral("Profile"));
    profile->setAutoDefault(false);
    place(profile, 2460, kButtonTop, 975, 375);
    connect(profile, &QPushButton::clicked, this, &ResultsWindow::profileRequested);

    copy_ = new QPushButton(QStringLiteral("C&opy"), area);
    copy_->setObjectName(QStringLiteral("Copy"));
    copy_->setAutoDefault(false);
    copy_->setEnabled(false);  // nothing to copy before the first results
    place(copy_, 3555, kButtonTop, 975, 375);
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
    fill(r);
    show();
    raise();
}

void ResultsWindow::fill(const zano::ResultsData& r) {
    for (const zano::DisplayBox& b : zano::displayTexts(r, zano::currentUnits())) setBox(b);
    // Nothing of an earlier calculation stays in the extension either.
    results_ = r;
    setExtras({});
    copy_->setEnabled(true);
    setOutOfDate(false);
}

void ResultsWindow::clear() {
    for (const zano::DisplayBox& b : zano::displayTexts({})) setBox({b.box, {}});
    results_.reset();
    setExtras({});
    copy_->setEnabled(false);
    setOutOfDate(false);
}

void ResultsWindow::setOutOfDate(bool outOfDate) {
    outOfDate_ = outOfDate && results_.has_value();
    auto* label = findChild<QLabel*>(QStringLiteral("OutOfDate"));
    label->setText(outOfDate_ ? QStringLiteral("Out of date: the case has changed since. "
                                               "Calculate again.")
                              : QString());
    label->setVisible(outOfDate_);
}

void ResultsWindow::setExtras(const zano::ResultsExtras& extras) {
    extras_ = extras;
    const zano::Units units = zano::currentUnits();
    for (const zano::DisplayBox& b : zano::extraTexts(extras, units)) setBox(b);
    const auto show = [this](const QString& name, const std::string& text) {
        if (auto* box = findChild<QLineEdit*>(name)) {
            box->setText(QString::fromStdString(text));
            box->setCursorPosition(0);
        }
    };
    show(QStringLiteral("CorrelationSet"),
         extras.correlations ? zano::correlationSetName(*extras.correlations) : "");
    for (const zano::FilmRow& row :
         zano::filmRows(extras.films.value_or(zano::FilmBreakdown{}), units)) {
        const QString name = filmBoxName(row.caption);
        show(name + "Int", extras.films ? row.internal : "");
        show(name + "Est", extras.films ? row.external : "");
    }
    showHandCheck(extras);
    showConstruction(extras);  // arranges the extension for both
    const auto& other = extras.otherSet;
    findChild<QLabel*>(QStringLiteral("OtherSet"))
        ->setText(other ? QString::fromStdString(zano::otherSetLine(*other, units)) : QString());
    findChild<QLabel*>(QStringLiteral("SetsDiffer"))
        ->setText(other ? QString::fromStdString(zano::setsDifferLine(*other)) : QString());
}

void ResultsWindow::showConstruction(const zano::ResultsExtras& extras) {
    QStringList notes;
    for (const std::string& note : extras.notes) notes << "Note: " + QString::fromStdString(note);
    notes_->setText(notes.join('\n'));
    noteCount_ = static_cast<int>(notes.size());
    const bool built = extras.hairpins && zano::hasConstructionFigures(*extras.hairpins);
    const auto rows =
        zano::constructionRows(built ? *extras.hairpins : zano::Hairpins{}, zano::currentUnits());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        constructionShown_[i] = built && !(rows[i].internal.empty() && rows[i].external.empty());
        // The boxes follow the caption and the unit.
        std::size_t column = 0;
        for (QWidget* w : constructionRows_[i])
            if (auto* box = qobject_cast<QLineEdit*>(w)) {
                box->setText(
                    QString::fromStdString(column++ ? rows[i].external : rows[i].internal));
                box->setCursorPosition(0);
            }
    }
    arrange();
}

void ResultsWindow::addToReport(ReportTexts& t) const {
    // The page's captions follow the units its texts are shown in.
    t.units = zano::currentUnits();
    t.correlations = boxText(QStringLiteral("CorrelationSet"));
    t.films.clear();
    if (t.correlations.isEmpty()) return;  // no results shown
    for (std::size_t i = 0; i < zano::kExtraRows.size(); ++i)
        t.extras[i] = boxText(QString::fromLatin1(zano::kExtraRows[i].box));
    for (const zano::FilmRow& row : zano::filmRows({}, t.units)) {
        if (row.repeatsAResultsRow) continue;
        const QString name = filmBoxName(row.caption);
        t.films.push_back(
            {reportLabel(row.caption, row.unit), boxText(name + "Int"), boxText(name + "Est")});
    }
    // The construction's rows with the texts their boxes show.
    auto rows = zano::constructionRows({}, t.units);
    for (std::size_t i = 0; i < constructionRows_.size(); ++i) {
        std::string* column[] = {&rows[i].internal, &rows[i].external};
        std::size_t n = 0;
        for (const QWidget* w : constructionRows_[i])
            if (const auto* box = qobject_cast<const QLineEdit*>(w); box && constructionShown_[i])
                *column[n++] = box->text().toStdString();
    }
    setConstruction(t, rows);
    setHandCheck(t, handCheckShown());
    t.notes = notes_->text().isEmpty() ? QStringList() : notes_->text().split('\n');
    t.otherSet = findChild<QLabel*>(QStringLiteral("OtherSet"))->text();
    t.setsDiffer = findChild<QLabel*>(QStringLiteral("SetsDiffer"))->text();
}

std::vector<zano::HandCheckRow> ResultsWindow::handCheckShown() const {
    // The texts its boxes show, whether its fold is open or not.
    auto rows = zano::handCheckRows(std::nullopt, zano::currentUnits());
    for (std::size_t i = 0; i < handCheckRows_.size(); ++i) {
        std::string* column[] = {&rows[i].internal, &rows[i].external};
        std::size_t n = 0;
        for (const QWidget* w : handCheckRows_[i])
            if (const auto* box = qobject_cast<const QLineEdit*>(w))
                *column[n++] = box->text().toStdString();
    }
    return rows;
}

void ResultsWindow::setBox(const zano::DisplayBox& b) {
    auto* box = findChild<QLineEdit*>(QString::fromLatin1(b.box));
    box->setText(QString::fromStdString(b.text));
    box->setCursorPosition(0);  // a text longer than the box shows its beginning
}

void ResultsWindow::copyResults() {
    if (outOfDate_ && copyGuard_ && !copyGuard_()) return;
    if (!results_) return;
    // Tab-separated, as the window shows the texts: pastes into a spreadsheet's cells.
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(zano::resultsTabText(*results_, extras_, zano::currentUnits())));
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
