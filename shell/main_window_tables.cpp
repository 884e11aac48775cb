// The fluid lists of the main window: the fluids offered, and the lists after a table of the
// user's own is saved.
#include <QAbstractItemView>
#include <QComboBox>
#include <QSignalBlocker>
#include <QStyle>

#include "properties/fluid_names.h"
#include "shell/main_window.h"

namespace zano {

QStringList MainWindow::offeredFluidNames() const {
    QStringList names;
    for (const std::string& fluid : offeredFluids({state_.data.dataDir, state_.data.userDir}))
        names << QString::fromStdString(fluid);
    return names;
}

void MainWindow::showWholeFluidNames(QComboBox* list) {
    const QFontMetrics fm(list->view()->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(list->itemText(i)));
    const int bar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->view()->setMinimumWidth(widest + bar + 4 * fm.averageCharWidth());
    list->view()->setTextElideMode(Qt::ElideNone);
}

void MainWindow::ownTableSaved(const QString& name) {
    const QStringList fluids = offeredFluidNames();
    for (const bool internal : {true, false}) {
        QComboBox* list = combo(internal ? 1 : 2);
        const QString text = list->currentText();
        {
            // Refilled, the list shows what it showed: the case is not changed by it.
            const QSignalBlocker quiet(list);
            list->clear();
            list->addItems(fluids);
            list->setCurrentIndex(list->findText(text));
            list->setEditText(text);
        }
        showWholeFluidNames(list);
        // A table replaced under the name a side has chosen: that side calculates with the new one.
        if (text == name) fluidChosen(internal);
    }
}

}  // namespace zano
