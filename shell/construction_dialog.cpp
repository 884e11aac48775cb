#include "shell/construction_dialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <array>
#include <string_view>

#include "base/errors.h"
#include "records/case_fields.h"
#include "records/design_margins.h"
#include "shell/control_hints.h"
#include "shell/key_filter.h"
#include "shell/unit_boxes.h"
#include "shell/unit_choice.h"
#include "shell/user_prompts.h"

namespace zano {
namespace {

// One box of the dialog: the case's text it edits (named as zano-calc --set names it), its row,
// its column (0 for a figure of the exchanger, 1 internal, 2 external) and what an empty box
// means. `check` throws CalcError with the reason for a value the case file refuses.
struct ConstructionBox {
    const char* name;
    std::string CaseData::*text;
    int row, column;
    const char* empty;
    void (*check)(std::string_view text);
    Quantity quantity;  // its unit; Count for a count
};

// Rows: the hairpins, their leg, the bend radius, then each stream's three.
constexpr int kStreamsRow = 4;
const std::array<const char*, 7> kCaptions{
    "&Hairpins",    "Hairpin (&leg) length",   "Bend &radius", "", "&Branches",
    "&Nozzle bore", "&Allowable pressure drop"};
// The quantity of each row's unit; Count for none.
const std::array<Quantity, 7> kRowUnits{Quantity::Count,       Quantity::Length, Quantity::Size,
                                        Quantity::Count,       Quantity::Count,  Quantity::Size,
                                        Quantity::PressureDrop};

// "1,5 × bore" with the decimal separator chosen.
QString shownFigures(QString text) {
    const QString separator = QString(QChar(currentUnits().decimal));
    return text.replace(QRegularExpression(R"((\d),(\d))"), "\\1" + separator + "\\2");
}

void checkMeasure(std::string_view text, const char* what, double most) {
    measureSet(text, what, most);
}

// clang-format off
const std::array<ConstructionBox, 9> kBoxes{{
    {"hairpins", &CaseData::hairpins, 0, 1, "as the length needs", [](std::string_view t) { hairpinsSet(t); }, Quantity::Count},
    {"hairpinLength", &CaseData::hairpinLength, 1, 1, "none", [](std::string_view t) { hairpinLeg(std::string(t)); }, Quantity::Length},
    {"bendRadius", &CaseData::bendRadius, 2, 1, "1,5 × bore", [](std::string_view t) { checkMeasure(t, "bend radius", kMaxFittingSize); }, Quantity::Size},
    {"intBranches", &CaseData::intBranches, 4, 1, "1, in series", [](std::string_view t) { branchesSet(t); }, Quantity::Count},
    {"estBranches", &CaseData::estBranches, 4, 2, "1, in series", [](std::string_view t) { branchesSet(t); }, Quantity::Count},
    {"intNozzle", &CaseData::intNozzle, 5, 1, "the pipe's bore", [](std::string_view t) { checkMeasure(t, "internal nozzle bore", kMaxFittingSize); }, Quantity::Size},
    {"estNozzle", &CaseData::estNozzle, 5, 2, "the outer pipe's bore", [](std::string_view t) { checkMeasure(t, "external nozzle bore", kMaxFittingSize); }, Quantity::Size},
    {"intAllowedDp", &CaseData::intAllowedDp, 6, 1, "none", [](std::string_view t) { checkMeasure(t, "internal allowable pressure drop", kMaxAllowedDrop); }, Quantity::PressureDrop},
    {"estAllowedDp", &CaseData::estAllowedDp, 6, 2, "none", [](std::string_view t) { checkMeasure(t, "external allowable pressure drop", kMaxAllowedDrop); }, Quantity::PressureDrop},
}};
// clang-format on

// Sets a box's text in the case as the case file's settings rule reads it; false with the
// reason told when that rule refuses it.
bool takeText(const ConstructionBox& b, const std::string& text, CaseData& c, QString& why) {
    try {
        b.check(text);
    } catch (const CalcError& e) {
        why = QString::fromStdString(e.detail()) + '.';
        return false;
    }
    if (text.empty() || b.text == &CaseData::hairpinLength) {
        c.*b.text = text;  // empty: the default; the leg length is a line of the case's own
        return true;
    }
    for (const CaseSetting& s : kCaseSettings)
        if (std::string_view(s.code) == b.name && s.set(c, text)) return true;
    why = "The value \"" + QString::fromStdString(text) + "\" is refused.";
    return false;
}

// OK takes the boxes only when every value is one the case file takes.
class ConstructionDialog : public QDialog {
  public:
    ConstructionDialog(QWidget* parent, const CaseData& c) : QDialog(parent), case_(c) {}
    void addBox(QLineEdit* box) { boxes_.push_back(box); }
    void setPropertiesBox(QCheckBox* box) { each_ = box; }
    const CaseData& result() const { return case_; }

    void accept() override {
        CaseData c = case_;
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            QString why;
            const QString text = caseTextIn(boxes_[i], kBoxes[i].quantity, units_).trimmed();
            if (!takeText(kBoxes[i], text.toStdString(), c, why)) {
                warn(this, why);
                boxes_[i]->setFocus(Qt::OtherFocusReason);
                boxes_[i]->selectAll();
                return;
            }
        }
        c.propertiesPerHairpin = each_->isChecked();
        case_ = c;
        QDialog::accept();
    }

  private:
    CaseData case_;
    Units units_ = currentUnits();  // the boxes'; the dialog holds the program until closed
    std::vector<QLineEdit*> boxes_;
    QCheckBox* each_ = nullptr;
};

void addCaptions(QDialog& dialog, QGridLayout* grid) {
    for (int row = 0; row < static_cast<int>(kCaptions.size()); ++row) {
        if (row == kStreamsRow - 1) {  // the heading of the streams' columns
            grid->addWidget(new QLabel(QStringLiteral("Internal"), &dialog), row + 1, 1);
            grid->addWidget(new QLabel(QStringLiteral("External"), &dialog), row + 1, 2);
            continue;
        }
        auto* caption = new QLabel(QString::fromUtf8(kCaptions[row]), &dialog);
        caption->setObjectName(QStringLiteral("Caption%1").arg(row));
        grid->addWidget(caption, row + 1, 0);
        // Beside the one box of the exchanger's rows, after the two of the streams'.
        const std::string_view unit = unitText(kRowUnits[row], currentUnits().system);
        if (!unit.empty())
            grid->addWidget(new QLabel(QString::fromUtf8(unit.data(), unit.size()), &dialog),
                            row + 1, row < kStreamsRow ? 2 : 3);
    }
}

}  // namespace

bool editConstruction(QWidget* parent, CaseData& c) {
    ConstructionDialog dialog(parent, c);
    dialog.setWindowTitle(QStringLiteral("Construction"));
    dialog.setObjectName(QStringLiteral("ConstructionDialog"));
    auto* grid = new QGridLayout(&dialog);
    auto* intro = new QLabel(QStringLiteral("How the exchanger is built, kept in the case file. "
                                            "An empty box takes what it shows in grey."),
                             &dialog);
    intro->setWordWrap(true);
    grid->addWidget(intro, 0, 0, 1, 4);
    addCaptions(dialog, grid);
    auto* keys = new NumericKeyFilter(false, &dialog);
    for (const ConstructionBox& b : kBoxes) {
        auto* box = new QLineEdit(&dialog);
        showInUnits(box, b.quantity, QString::fromStdString(c.*b.text), currentUnits());
        box->setObjectName(QString::fromLatin1(b.name));
        box->setPlaceholderText(shownFigures(QString::fromUtf8(b.empty)));
        // Wide enough for the default it shows while empty.
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->placeholderText()) +
                             box->fontMetrics().averageCharWidth() * 3);
        box->installEventFilter(keys);
        grid->addWidget(box, b.row + 1, b.column == 2 ? 2 : 1);
        if (b.column < 2)  // the caption's letter goes to the row's first box
            dialog.findChild<QLabel*>(QStringLiteral("Caption%1").arg(b.row))->setBuddy(box);
        dialog.addBox(box);
    }
    auto* each =
        new QCheckBox(QStringLiteral("&Properties at each hairpin's own temperatures"), &dialog);
    each->setObjectName(QStringLiteral("properties"));
    each->setChecked(c.propertiesPerHairpin);
    grid->addWidget(each, static_cast<int>(kCaptions.size()) + 1, 0, 1, 4);
    dialog.setPropertiesBox(each);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    grid->addWidget(buttons, static_cast<int>(kCaptions.size()) + 2, 0, 1, 4);
    applyControlHints(&dialog, currentUnits());
    if (dialog.exec() != QDialog::Accepted) return false;

    bool changed = c.propertiesPerHairpin != dialog.result().propertiesPerHairpin;
    c.propertiesPerHairpin = dialog.result().propertiesPerHairpin;
    for (const ConstructionBox& b : kBoxes) {
        changed = changed || c.*b.text != dialog.result().*b.text;
        c.*b.text = dialog.result().*b.text;
    }
    return changed;
}

}  // namespace zano
