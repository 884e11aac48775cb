// View > Units: the units and decimal separator the main window's boxes, captions and lines
// show. The case keeps SI with a decimal comma; switching changes no value of it.
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

#include "records/case_fields.h"
#include "shell/control_hints.h"
#include "shell/main_window.h"
#include "shell/options_dialog.h"
#include "shell/status_line.h"
#include "shell/unit_boxes.h"
#include "shell/unit_choice.h"
#include "solver/case_run.h"

namespace zano {

void MainWindow::buildUnitsMenu(QMenu* view) {
    auto* units = view->addMenu("&Units");
    units->setObjectName("mnuViewUnits");
    units->menuAction()->setObjectName("mnuViewUnitsMenu");
    // Each choice changes one half of the preference and keeps the other.
    const auto addChoice = [&](QActionGroup* group, const char* name, const QString& caption,
                               auto change) {
        QAction* a = units->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [change] {
            Units u = currentUnits();
            change(u);
            UnitChoice::instance().set(u);
        });
    };
    auto* systems = new QActionGroup(units);
    addChoice(systems, "mnuViewUnitsSI", "&SI", [](Units& u) { u.system = UnitSystem::SI; });
    addChoice(systems, "mnuViewUnitsUS", "&US customary",
              [](Units& u) { u.system = UnitSystem::US; });
    units->addSeparator()->setObjectName("mnuViewUnitsHyphen");
    auto* separators = new QActionGroup(units);
    addChoice(separators, "mnuViewDecimalComma", "Decimal &comma",
              [](Units& u) { u.decimal = ','; });
    addChoice(separators, "mnuViewDecimalPoint", "Decimal &point",
              [](Units& u) { u.decimal = '.'; });
    findChild<QAction*>("mnuViewUnitsSI")->setChecked(true);
    findChild<QAction*>("mnuViewDecimalComma")->setChecked(true);
}

void MainWindow::unitsChanged() {
    const Units from = units_, to = currentUnits();
    const QString status = statusLine_->text();
    switchingUnits_ = true;  // each box shown again is no edit of the case
    for (const CaseField& f : kCaseFields) {
        auto* control = f.inOptions ? nullptr : findChild<QWidget*>(f.control);
        if (!control || f.quantity == Quantity::Name) continue;
        auto* list = qobject_cast<QComboBox*>(control);
        if (!list) {
            reshowInUnits(control, f.quantity, from, to);
            continue;
        }
        // A pressure list: its entries from the table's own texts, then its text.
        const QString text = pressureCaseText(list);
        for (int i = 0; i < list->count(); ++i)
            list->setItemText(i, QString::fromStdString(shownText(
                                     f.quantity, list->itemData(i).toString().toStdString(), to)));
        showInUnits(list, f.quantity, text, to);
    }
    if (options_) options_->showUnits(to);
    switchingUnits_ = false;
    units_ = to;
    for (QLabel* caption : labels_) relabelInUnits(caption, to.system);
    for (QRadioButton* caption : option_)
        if (caption) relabelInUnits(caption, to.system);
    applyControlHints(this, to);
    findChild<QAction*>(to.system == UnitSystem::US ? "mnuViewUnitsUS" : "mnuViewUnitsSI")
        ->setChecked(true);
    findChild<QAction*>(to.decimal == '.' ? "mnuViewDecimalPoint" : "mnuViewDecimalComma")
        ->setChecked(true);
    showOptionsLine();
    // The outcome shown stays, in the new units.
    const bool calculated = status.startsWith("Calculated: ") && lastRun_;
    showStatus(calculated ? calculatedLine(*lastRun_->out.results, lastRun_->notes, to) : status);
}

}  // namespace zano
