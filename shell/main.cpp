// ZANO, the desktop program: the main window, from which everything else is reached.
#include <QApplication>

#include "shell/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZANO");
    zano::MainWindow window;
    window.show();
    return QApplication::exec();
}
