// The fluid lists of the main window: the fluids offered, and the lists after a table of the
// user's own is saved.
#include <QComboBox>
#include <QSignalBlocker>

#include "properties/fluid_names.h"
#include "shell/main_window.h"

namespace zano {

QStringList MainWindow::offeredFluidNames() const {
    QStringList names;
    for (const std::string& fluid : offeredFluids({state_.dataDir, state_.userDir}))
        names << QString::fromStdString(fluid);
    return names;
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
        // A table replaced under the name a side has chosen: that side calculates with the new one.
        if (text == name) fluidChosen(internal);
    }
}

}  // namespace zano
