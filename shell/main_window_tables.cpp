// The fluid lists of the main window after a table of the user's own is saved.
#include <QComboBox>
#include <QSignalBlocker>

#include "properties/fluid_names.h"
#include "shell/main_window.h"

namespace zano {

void MainWindow::ownTableSaved(const QString& name) {
    for (const bool internal : {true, false}) {
        QComboBox* list = combo(internal ? 1 : 2);
        const QString text = list->currentText();
        {
            // Refilled, the list shows what it showed: the case is not changed by it.
            const QSignalBlocker quiet(list);
            list->clear();
            for (const std::string& fluid : offeredFluids({state_.dataDir, state_.userDir}))
                list->addItem(QString::fromStdString(fluid));
            list->setCurrentIndex(list->findText(text));
            list->setEditText(text);
        }
        // A table replaced under the name a side has chosen: that side calculates with the new one.
        if (text == name) fluidChosen(internal);
    }
}

}  // namespace zano
