#include "shell/options_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "formats/film_display.h"
#include "properties/fluid_table.h"
#include "properties/fouling_presets.h"
#include "properties/table_import.h"
#include "properties/user_fluid.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "report/export_file.h"
#include "shell/control_hints.h"
#include "shell/screen_fit.h"
#include "shell/table_name.h"
#include "shell/twip_layout.h"
#include "shell/unit_boxes.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"

namespace zano {
namespace {

// Width of the dialog's form, twips: the original 5205 and the fouling presets' buttons.
constexpr int kClientWidth = 5565;
// The hairpin length's, the correlation set's and the table import's rows follow the viscosity's
// from this top; "Close" stands below them all, in the dialog's button row.
constexpr int kExtensionTop = 2940;
// The lines that tell what the imported table covers: three, so that a long name wraps whole.
constexpr int kTableRangeHeight = 765;
constexpr int kFormHeight = kExtensionTop + 1410 + kTableRangeHeight + 120;

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

// "Cannot save the table to "…"" and what follows: a cause, or nothing.
QString cannotSave(const char* what, const std::filesystem::path& file, const std::string& tail) {
    return QString::fromStdString(std::string("Cannot save the ") + what + " to \"" +
                                  pathText(file) + "\"" + tail + ".");
}

// A viscosity in plain decimals, as its neighbours show their values: 0,000018 rather than
// 1,8E-05, with the same 7 significant digits.
QString plainDecimals(float v) {
    const std::string general = formatSingle(v);
    if (general.find('E') == std::string::npos || !(std::fabs(v) < 1))
        return QString::fromStdString(general);
    const int decimals = 6 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
    QString text = QString::number(static_cast<double>(v), 'f', decimals);
    while (text.endsWith('0')) text.chop(1);
    return text.replace('.', ',');
}

// The published resistances in a preset button's menu, in the units of the fouling boxes:
// picking one writes the table's own value into the box as shown in them.
void fillFoulingPresets(QMenu* menu, QLineEdit* box, const Units& u) {
    menu->clear();
    const QString unit = QString::fromUtf8(std::string(unitText(Quantity::Fouling, u.system)));
    // Where the values come from, above them (a section's title is not drawn in every style).
    menu->addAction(QString::fromUtf8(kTema) + ", " + unit)->setEnabled(false);
    menu->addSeparator();
    for (const FoulingPreset& preset : kFoulingPresets) {
        // The value right-aligned in the place of a shortcut.
        const QString shown = QString::fromStdString(shownText(Quantity::Fouling, preset.value, u));
        QAction* pick = menu->addAction(QString::fromUtf8(preset.service) + '\t' + shown);
        pick->setToolTip(QString::fromUtf8(preset.source));
        QObject::connect(pick, &QAction::triggered, box,
                         [box, value = QString::fromUtf8(preset.value), u] {
                             showInUnits(box, Quantity::Fouling, value, u);
                             box->setFocus();
                         });
    }
}

// A button beside a fouling box that offers the published resistances: picking one writes its
// value into the box, which stays free for any other value typed.
QToolButton* foulingPresets(QWidget* parent, QLineEdit* box) {
    auto* button = new QToolButton(parent);
    button->setObjectName(box->objectName() + "Presets");
    button->setText(QString::fromUtf8("…"));
    button->setToolTip("Published fouling factors");
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    fillFoulingPresets(menu, box, {});
    menu->setToolTipsVisible(true);
    // On a low screen the list scrolls, where it would break into columns that run off the right.
    menu->setStyleSheet("QMenu { menu-scrollable: 1; }");
    button->setMenu(menu);
    return button;
}

// The presets' buttons right of the fouling boxes' units, each in the Tab order after its box.
void placeFoulingPresets(QWidget* dialog, std::array<QLineEdit*, 2> boxes, QWidget* next,
                         std::vector<TwipPlace>& places) {
    QToolButton* presets[2] = {foulingPresets(dialog, boxes[0]), foulingPresets(dialog, boxes[1])};
    places.push_back({presets[0], QRect(5160, 240, 285, 285)});
    places.push_back({presets[1], QRect(5160, 600, 285, 285)});
    QWidget::setTabOrder(boxes[0], presets[0]);
    QWidget::setTabOrder(presets[0], boxes[1]);
    QWidget::setTabOrder(boxes[1], presets[1]);
    QWidget::setTabOrder(presets[1], next);
}

}  // namespace

OptionsDialog::OptionsDialog(std::filesystem::path dataDir, std::filesystem::path userDir,
                             FluidNames fluidNames, QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      dataDir_(std::move(dataDir)),
      userDir_(std::move(userDir)),
      fluidNames_(std::move(fluidNames)) {
    setObjectName("Form2");
    setWindowTitle("Options");
    // Closing from the frame discards the dialog; "Close" only hides it. The case's texts in it
    // are kept by the main window and come back in the next dialog.
    setAttribute(Qt::WA_DeleteOnClose);

    const auto makeBox = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        return box;
    };
    for (int i = 0; i < 12; ++i) {
        label_[i] = new QLabel(this);
        label_[i]->setObjectName(QString("Label%1").arg(i + 1));
    }
    // Created in the order of the rows, which is also the order of the Tab key.
    text1_ = makeBox("Text1");
    text2_ = makeBox("Text2");
    check1_ = new QCheckBox("Define &user fluid", this);
    check1_->setObjectName("Check1");
    for (int i = 0; i < 4; ++i) property_[i] = makeBox(qPrintable(QString("Text%1").arg(i + 3)));
    command1_ = new QPushButton(this);
    command1_->setObjectName("Command1");
    hairpin_ = makeBox("HairpinLength");
    correlations_ = new QComboBox(this);
    correlations_->setObjectName("Correlations");
    // In the order of CorrelationSet, so that the index is the set.
    for (const CorrelationSet set : kCorrelationSets)
        correlations_->addItem(correlationSetName(set));
    importTable_ = new QPushButton(QString::fromUtf8("Import &table…"), this);
    importTable_->setObjectName("ImportTable");
    pasteTable_ = new QPushButton("P&aste table", this);
    pasteTable_->setObjectName("PasteTable");
    tableRange_ = new QLabel(this);
    tableRange_->setObjectName("TableRange");

    connectCaptions();
    Form_Load();
    buildLayout();

    connect(check1_, &QCheckBox::toggled, this, &OptionsDialog::Check1_Click);
    connect(command1_, &QPushButton::clicked, this, &OptionsDialog::Command1_Click);
    connect(importTable_, &QPushButton::clicked, this, &OptionsDialog::importTableFile);
    connect(pasteTable_, &QPushButton::clicked, this, &OptionsDialog::pasteTable);
}

void OptionsDialog::connectCaptions() {
    // Each caption's underlined letter (Alt with it) goes to its box; the letters differ across
    // the dialog.
    label_[4]->setText("&Density");
    label_[5]->setText("C&p");
    label_[6]->setText("Co&nductivity");
    label_[7]->setText("&Viscosity");
    label_[0]->setBuddy(text1_);
    label_[1]->setBuddy(text2_);
    for (int i = 0; i < 4; ++i) label_[4 + i]->setBuddy(property_[i]);
}

void OptionsDialog::Form_Load() {
    text1_->setText("0");
    text2_->setText("0");
    for (auto* box : property_) box->clear();
    label_[0]->setText("&Internal fouling factor");
    label_[1]->setText("&External fouling factor");
    label_[2]->setText("(m^2 K)/W");
    label_[3]->setText("(m^2 K)/W");
    label_[8]->setText("kg/m^3");
    label_[9]->setText("kJ/(kg K)");
    label_[10]->setText("W/(m K)");
    label_[11]->setText("Pa s");
    command1_->setText("&Close");
    // Until the first opening prepares it, the dialog holds no user fluid to edit.
    setPropertyBoxesOpen(false);
    check1_->setEnabled(false);
}

void OptionsDialog::buildLayout() {
    std::vector<TwipPlace> places;
    const int rowTop[6] = {240, 600, 1440, 1800, 2160, 2520};
    QLineEdit* boxes[6] = {text1_, text2_, property_[0], property_[1], property_[2], property_[3]};
    const int caption[6] = {0, 1, 4, 5, 6, 7};
    const int unit[6] = {2, 3, 8, 9, 10, 11};
    for (int r = 0; r < 6; ++r) {
        places.push_back({label_[caption[r]], QRect(360, rowTop[r], 2280, 285)});
        places.push_back({boxes[r], QRect(2760, rowTop[r], 1215, 285)});
        places.push_back({label_[unit[r]], QRect(4080, rowTop[r], 1065, 285)});
    }
    places.push_back({check1_, QRect(360, 1080, 1815, 285)});
    placeFoulingPresets(this, {text1_, text2_}, check1_, places);

    // Below the original controls, in their columns: a line, then the hairpin length.
    auto* line = new QFrame(this);
    line->setObjectName("HairpinLine");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* hairpinCaption = new QLabel("&Hairpin length", this);
    hairpinCaption->setBuddy(hairpin_);
    hairpinCaption->setObjectName("HairpinLengthLabel");
    auto* hairpinUnit = new QLabel("m", this);
    hairpinUnit->setObjectName("HairpinLengthUnit");
    const int top = kExtensionTop;
    places.push_back({line, QRect(240, top, kClientWidth - 480, 90)});
    places.push_back({hairpinCaption, QRect(360, top + 165, 2280, 285)});
    places.push_back({hairpin_, QRect(2760, top + 165, 1215, 285)});
    places.push_back({hairpinUnit, QRect(4080, top + 165, 1065, 285)});
    auto* correlationsCaption = new QLabel("C&orrelations", this);
    correlationsCaption->setBuddy(correlations_);
    correlationsCaption->setObjectName("CorrelationsLabel");
    places.push_back({correlationsCaption, QRect(360, top + 525, 2280, 285)});
    places.push_back({correlations_, QRect(2760, top + 525, 1215, 315)});
    // A fluid that varies with temperature, in place of the four constants.
    places.push_back({importTable_, QRect(360, top + 945, 2280, 375)});
    places.push_back({pasteTable_, QRect(2760, top + 945, 1215, 375)});
    tableRange_->setWordWrap(true);
    tableRange_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    places.push_back({tableRange_, QRect(360, top + 1410, 4785, kTableRangeHeight)});

    scale_ = twipScale(places);
    placeInTwips(places, scale_);
    moveIntoScrollArea(
        this, QSize(twipsToPixels(kClientWidth, scale_), twipsToPixels(kFormHeight, scale_)));
    addButtonRow();
    fitFixedToScreen(this);
}

void OptionsDialog::addButtonRow() {
    // "Close" at the bottom, where dialogs have their buttons, outside the part that scrolls.
    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName("Buttons");
    buttons->addButton(command1_, QDialogButtonBox::AcceptRole);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutRightMargin);
    buttons->setContentsMargins(margin, 0, margin, margin);
    layout()->addWidget(buttons);
}

void OptionsDialog::prepare() {
    setPropertyBackground(QApplication::palette().color(QPalette::Button));
    if (userFluidChosen()) {
        for (auto* box : property_) box->setReadOnly(false);
        check1_->setChecked(false);  // a check left from before closes the boxes again
        check1_->setEnabled(true);
    } else {
        for (auto* box : property_) {
            box->clear();
            box->setReadOnly(true);
        }
        check1_->setChecked(false);
        check1_->setEnabled(false);
    }
}

void OptionsDialog::Check1_Click() {
    if (!check1_->isChecked()) {
        setPropertyBoxesOpen(false);
        return;
    }
    if (!userFluidChosen()) return;
    setPropertyBoxesOpen(true);
    // The record the calculation will read: the user's own "User defined" comes first.
    const auto file = fluidFile(dataDir_, kUserFluidName, userDir_);
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return;  // no fluid defined yet: boxes as they are
    try {
        const UserFluidRecord r = readUserFluidRecord(file);
        property_[0]->setText(QString::fromStdString(formatSingle(r.dens)));
        property_[1]->setText(QString::fromStdString(formatSingle(r.cp)));
        property_[2]->setText(QString::fromStdString(formatSingle(r.cond)));
        property_[3]->setText(plainDecimals(r.visc));
    } catch (const UserFluidError& e) {
        warn(this, QString::fromStdString(e.what()));
    } catch (...) {  // a fault outside the reader's checks: memory exhausted, say
        warn(this,
             "The user fluid \"" +
                 QDir::toNativeSeparators(QString::fromStdString(pathText(file))) +
                 "\" cannot be read.",
             QString::fromStdString(faultText()));
    }
}

void OptionsDialog::Command1_Click() {
    // A hairpin length must be a positive number or nothing; checked first, so that a refusal
    // writes nothing.
    try {
        hairpinLeg(boxText("HairpinLength").toStdString());
    } catch (const CalcError& e) {
        warn(this, QString::fromStdString(e.detail()) + '.');
        return;
    }
    if (check1_->isChecked()) {
        const UserFluidPlace place = userFluidPlace(dataDir_, userDir_);
        const auto& file = place.file;
        try {
            const UserFluid f = userFluidFromTexts(text(property_[0]), text(property_[1]),
                                                   text(property_[2]), text(property_[3]));
            if (const std::string why = place.inUserDir ? makeFolderFor(file) : ""; !why.empty()) {
                warn(this, cannotSave("user fluid", file, ""), QString::fromStdString(why));
                return;
            }
            writeUserFluid(file, f);
            tableRange_->clear();  // the table imported before is replaced
        } catch (const UserFluidError& e) {
            // Nothing was written; the dialog stays open so that the value can be corrected.
            warn(this, QString::fromStdString(e.what()));
            return;
        } catch (...) {  // a fault outside the checks: memory exhausted, say
            warn(this, cannotSave("user fluid", file, ": " + faultText()));
            return;
        }
    }
    hide();
}

void OptionsDialog::importTableFile() {
    const QString name =
        askOpenFileName(this, "Import table", {"Tables (*.csv *.txt *.tsv)", "All files (*)"});
    if (name.isEmpty()) return;  // Cancel
    const QString shown = "\"" + QDir::toNativeSeparators(name) + "\"";
    try {
        std::string bytes;
        try {
            bytes = readTableFile(toPath(name));  // a regular file, at most what a table takes
        } catch (const TableFileError& e) {
            warn(this, "The table " + shown + " cannot be read.", QString::fromStdString(e.what()));
            return;
        }
        importTable(bytes, shown);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, "The table " + shown + " cannot be imported.",
             QString::fromStdString(faultText()));
    }
}

void OptionsDialog::pasteTable() {
    const QString source = "pasted";
    try {
        importTable(QGuiApplication::clipboard()->text().toStdString(), source);
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, "The table " + source + " cannot be imported.",
             QString::fromStdString(faultText()));
    }
}

void OptionsDialog::importTable(const std::string& text, const QString& source) {
    std::vector<ImportedRow> rows;
    std::string table;
    try {
        rows = parseFluidTable(text);
        // An enthalpy too large, or rows a saved table cannot tell apart, refused before writing.
        table = importedTableText(rows);
    } catch (const TableImportError& e) {
        warn(this, "The table " + source + " cannot be imported.",
             QString::fromStdString(e.what()));
        return;
    }
    // What was read, in the name prompt and then under the buttons.
    const QString read = QString::fromUtf8("%1 to %2 °C, %3 rows")
                             .arg(QString::fromStdString(formatSingle(rows.front().T)),
                                  QString::fromStdString(formatSingle(rows.back().T)))
                             .arg(rows.size());
    const auto target = askTableTarget(this, dataDir_, userDir_, read);
    if (!target) return;  // Cancel: nothing is written
    const bool userFluid = target->name == QLatin1String(kUserFluidName);
    const auto& file = target->file;
    try {
        if (const std::string why = target->inUserDir ? makeFolderFor(file) : ""; !why.empty()) {
            warn(this, cannotSave("table", file, ""), QString::fromStdString(why));
            return;
        }
        writeImportedTable(file, table);
    } catch (const TableImportError& e) {  // the old table stays as it was
        warn(this, QString::fromStdString(e.what()));
        return;
    } catch (...) {  // a fault outside the checks: memory exhausted, say
        warn(this, cannotSave("table", file, ": " + faultText()));
        return;
    }
    tableRange_->setText((userFluid ? QString("Table") : "Table \"" + target->name + "\"") + ": " +
                         read);
    if (!userFluid) {
        emit ownTableSaved(target->name);
        return;
    }
    // The constants no longer define the fluid: "Close" must not write them over the table, and
    // the boxes must not show them as if they did.
    check1_->setChecked(false);
    for (auto* box : property_) box->clear();
    emit userFluidImported();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    emit discarding();
    QWidget::closeEvent(event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    // Escape leaves the dialog as its frame does; a box that has no use for the key passes it on.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString OptionsDialog::intFouling() const {
    return text1_->text();
}
QString OptionsDialog::estFouling() const {
    return text2_->text();
}
void OptionsDialog::setFouling(const QString& internal, const QString& external) {
    text1_->setText(internal);
    text2_->setText(external);
}

QString OptionsDialog::hairpinLength() const {
    return hairpin_->text();
}
void OptionsDialog::setHairpinLength(const QString& length) {
    hairpin_->setText(length);
}

CorrelationSet OptionsDialog::correlations() const {
    return static_cast<CorrelationSet>(correlations_->currentIndex());
}
void OptionsDialog::setCorrelations(CorrelationSet set) {
    correlations_->setCurrentIndex(static_cast<int>(set));
}

QString OptionsDialog::boxText(std::string_view name) const {
    const auto* box = findChild<QLineEdit*>(QString::fromLatin1(name.data(), name.size()));
    if (!box) return {};
    const CaseField* f = caseFieldOf(name, true);
    const QString text = f ? caseTextIn(box, f->quantity, units_) : box->text();
    return box == hairpin_ ? text.trimmed() : text;
}
void OptionsDialog::setBoxText(std::string_view name, const QString& text) {
    auto* box = findChild<QLineEdit*>(QString::fromLatin1(name.data(), name.size()));
    if (!box) return;
    if (const CaseField* f = caseFieldOf(name, true))
        showInUnits(box, f->quantity, text, units_);
    else
        box->setText(text);
}

void OptionsDialog::showUnits(const Units& u) {
    for (QLineEdit* box : {text1_, text2_, hairpin_}) {
        const CaseField* f = caseFieldOf(box->objectName().toStdString(), true);
        reshowInUnits(box, f->quantity, units_, u);
    }
    units_ = u;
    for (QLineEdit* box : {text1_, text2_})
        fillFoulingPresets(findChild<QToolButton*>(box->objectName() + "Presets")->menu(), box, u);
    const QString fouling = QString::fromUtf8(std::string(unitText(Quantity::Fouling, u.system)));
    label_[2]->setText(fouling);
    label_[3]->setText(fouling);
    findChild<QLabel*>("HairpinLengthUnit")
        ->setText(QString::fromUtf8(std::string(unitText(Quantity::Length, u.system))));
    applyControlHints(this, u);
}

bool OptionsDialog::userFluidChosen() const {
    const auto [internal, external] = fluidNames_();
    return internal == QLatin1String(kUserFluidName) || external == QLatin1String(kUserFluidName);
}

void OptionsDialog::setPropertyBoxesOpen(bool open) {
    for (auto* box : property_) box->setReadOnly(!open);
    setPropertyBackground(open ? QColor(255, 255, 255)
                               : QApplication::palette().color(QPalette::Button));
}

void OptionsDialog::setPropertyBackground(const QColor& colour) {
    for (auto* box : property_) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, colour);
        box->setPalette(p);
    }
}

}  // namespace zano
