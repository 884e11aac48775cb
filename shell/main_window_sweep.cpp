// Case > Sweep… of the main window.
#include "shell/main_window.h"

namespace zano {

void MainWindow::mnuCaseSweep_Click() {
    if (!sweep_) {
        // The window reads the case from the controls at each sweep, so that it follows edits.
        sweep_ = new SweepWindow([this] { return caseFromControls(); }, state_.data, this);
        sweep_->takeCase();
        sweep_->show();
        sweep_->startSweep();
    } else {
        sweep_->takeCase();
        sweep_->show();
    }
    sweep_->raise();
    sweep_->activateWindow();
}

}  // namespace zano
