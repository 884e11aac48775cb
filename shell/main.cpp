// ZANO, the desktop program: the main window, from which everything else is reached.
#include <QApplication>
#include <QCommandLineParser>

#include "properties/fluid_names.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("ZANO");
    // "zano CASE.zan", as the desktop entry starts it for a case file opened from a file manager.
    QCommandLineParser parser;
    parser.setApplicationDescription("Calculator for concentric tube heat exchangers.");
    parser.addHelpOption();
    parser.addPositionalArgument("case", "A case file (.zan) to open.", "[case]");
    parser.process(app);
    zano::MainWindow window(zano::QuestaDirectory() / "data", zano::userDataDir());
    window.show();
    if (!parser.positionalArguments().isEmpty())
        window.openFromCommandLine(parser.positionalArguments().first());
    return QApplication::exec();
}
