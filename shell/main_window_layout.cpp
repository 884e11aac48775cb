// The main window's controls, menus and twip geometry.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStatusBar>

#include "properties/fluid_names.h"
#include "records/case_fields.h"
#include "shell/elided_label.h"
#include "shell/key_filter.h"
#include "shell/main_window.h"
#include "shell/screen_fit.h"
#include "shell/twip_layout.h"

namespace zano {
namespace {

// Client area of the window, twips.
constexpr int kClientWidth = 7545;
constexpr int kClientHeight = 7215;

// Columns and heights inside the two pipe frames.
constexpr int kLabelLeft = 120, kLabelWidth = 1620;
constexpr int kListLeft = 1800, kListWidth = 1815;
constexpr int kRightLeft = 3720, kRightWidth = 1500;
constexpr int kBoxLeft = 5280, kBoxWidth = 1455;
constexpr int kBoxHeight = 285, kListHeight = 315;

}  // namespace

void MainWindow::buildControls() {
    // The controls stand on a form of the drawn size, which scrolls on a screen too small for it.
    auto* client = new QWidget;
    client->setObjectName("client");
    setCentralWidget(formScrollArea(client));

    const auto makeFrame = [&](int n, const QString& caption) {
        auto* f = new QGroupBox(caption, client);
        f->setObjectName(QString("Frame%1").arg(n));
        frame_[n] = f;
        return f;
    };
    const auto makeLabel = [&](QWidget* parent, const QString& caption) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(QString("Label%1").arg(labels_.size() + 1));
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        labels_.push_back(l);
        return l;
    };
    // Temperatures may be below 0 degC; every other quantity is positive.
    auto* unsignedKeys = new NumericKeyFilter(false, this);
    auto* signedKeys = new NumericKeyFilter(true, this);
    for (NumericKeyFilter* keys : {unsignedKeys, signedKeys})
        connect(keys, &NumericKeyFilter::keyRefused, this, [this](const QString& why) {
            QApplication::beep();
            showStatus(why);
        });
    const auto makeBox = [&](int n, QWidget* parent) {
        auto* box = new QLineEdit(parent);
        box->setObjectName(QString("Text%1").arg(n));
        const CaseField* field = caseFieldOf(box->objectName().toStdString());
        box->installEventFilter(field && takesSign(*field) ? signedKeys : unsignedKeys);
        text_[n] = box;
        return box;
    };
    const auto makeList = [&](int n, QWidget* parent) {
        auto* list = new QComboBox(parent);
        list->setObjectName(QString("Combo%1").arg(n));
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);  // typing a value does not add it to the list
        // The names of a list complete a typed part of them, anywhere in the name and in any
        // letter case, in a pop-up: the text typed stays as typed until a name is picked.
        if (n <= 3) {
            auto* names = new QCompleter(list->model(), list);
            names->setCaseSensitivity(Qt::CaseInsensitive);
            names->setFilterMode(Qt::MatchContains);
            names->setCompletionMode(QCompleter::PopupCompletion);
            list->setCompleter(names);
            // A name longer than the box: its tooltip gives it whole, and is empty where the
            // name fits, so that the list's own tooltip (its meaning) shows then.
            QLineEdit* box = list->lineEdit();
            connect(box, &QLineEdit::textChanged, box, [box] {
                const bool cut = box->fontMetrics().horizontalAdvance(box->text()) >
                                 box->contentsRect().width() - 4;
                box->setToolTip(cut ? box->text() : QString());
            });
        } else {
            list->setCompleter(nullptr);  // the pressures: a handful of numbers
        }
        // Its size hint then always covers the longest entry, which the layout must hold.
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo_[n] = list;
        return list;
    };
    const auto makeOption = [&](int n, QWidget* parent, const QString& caption) {
        auto* o = new QRadioButton(caption, parent);
        o->setObjectName(QString("Option%1").arg(n));
        option_[n] = o;
        return o;
    };

    // Created in reading order, which is also the order of the Tab key.
    auto* f1 = makeFrame(1, "Internal pipe");
    makeLabel(f1, "Outside &diameter [mm]");
    makeBox(1, f1);
    makeLabel(f1, "&Thickness [mm]");
    makeBox(2, f1);
    makeLabel(f1, "&Material");
    makeList(3, f1);
    makeLabel(f1, "F&luid");
    makeList(1, f1);
    makeLabel(f1, "&Pressure [bar]");
    makeList(4, f1);
    makeLabel(f1, "&Inlet temp. [°C]");
    makeBox(6, f1);
    makeOption(3, f1, "&Outlet temp. [°C]");
    makeBox(7, f1);
    makeOption(4, f1, "M&ass flow [kg/s]");
    makeBox(8, f1);
    makePipeList(1, f1);

    auto* f4 = makeFrame(4, "External pipe");
    makeLabel(f4, "Out&side diameter [mm]");
    makeBox(4, f4);
    makeLabel(f4, "Thic&kness");
    makeBox(5, f4);
    makeLabel(f4, "Fl&uid");
    makeList(2, f4);
    makeLabel(f4, "Pressure  [&bar]");
    makeList(5, f4);
    makeLabel(f4, "I&nlet temp. [°C]");
    makeBox(9, f4);
    makeOption(7, f4, "Outl&et temp. [°C]");
    makeBox(10, f4);
    makeOption(8, f4, "Mass flo&w [kg/s]");
    makeBox(11, f4);
    makePipeList(2, f4);

    auto* f2 = makeFrame(2, QString());
    makeOption(5, f2, "Len&ght [m]");
    makeBox(12, f2);
    makeOption(6, f2, "Capacit&y [kW]");
    makeBox(3, f2);
    // After the capacity's box, its caption read on: the capacity from the outlet given.
    dutyBox_ = new QCheckBox("from the outlet temp.", f2);
    dutyBox_->setObjectName("DutyFromOutlet");

    makeFrame(3, "Configuration");
    // Placed on the window over Frame3, so that the two form one group of their own.
    makeOption(1, client, "Counte&rcurrent");
    makeOption(2, client, "E&quicurrent");
    option(1)->raise();
    option(2)->raise();

    // One group per pair. Automatic exclusivity would not do: it spans a parent's descendants,
    // so the pair on the window would take in the pairs inside the frames.
    for (auto [a, b] : {std::pair{1, 2}, {3, 4}, {5, 6}, {7, 8}}) {
        auto* group = new QButtonGroup(this);
        group->addButton(option(a));
        group->addButton(option(b));
    }

    command1_ = new QPushButton("Calculate", client);
    command1_->setObjectName("Command1");
    command2_ = new QPushButton("Options", client);
    command2_->setObjectName("Command2");

    // What the Options dialog adds to the case, which no box of this window shows otherwise.
    optionsLine_ = new ElidedLabel(client);
    optionsLine_->setObjectName("OptionsLine");
    optionsLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MainWindow::connectCaptions() {
    // Each caption's underlined letter (Alt with it) goes to the control beside it; the letters
    // differ across the window and its menu bar. Captions in the order they were made.
    QWidget* const controls[] = {text(1), text(2), combo(3), combo(1), combo(4), text(6),
                                 text(4), text(5), combo(2), combo(5), text(9)};
    for (std::size_t i = 0; i < std::size(controls) && i < labels_.size(); ++i)
        labels_[i]->setBuddy(controls[i]);
}

void MainWindow::buildMenus() {
    // Each caption with a letter of its own in its menu for Alt, and "…" where a dialog follows.
    const auto addItem = [this](QMenu* menu, const char* name, const QString& caption,
                                const QKeySequence& keys, void (MainWindow::*handler)()) {
        auto* item = menu->addAction(caption);
        item->setObjectName(name);
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, handler);
    };
    const auto addSeparator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(name);
    };

    auto* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    addItem(file, "mnuNewFile", "&New", QKeySequence("Ctrl+N"), &MainWindow::mnuNewFile_Click);
    addItem(file, "mnuFileOpen", "&Open…", QKeySequence("Ctrl+O"), &MainWindow::mnuFileOpen_Click);
    recentMenu_ = file->addMenu("Open &Recent");
    recentMenu_->setObjectName("mnuFileRecent");
    recentMenu_->menuAction()->setObjectName("mnuFileOpenRecent");
    // Read again when shown: another ZANO may have opened or saved a case meanwhile.
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::rebuildRecentMenu);
    rebuildRecentMenu();
    auto* examples = file->addMenu("Open Exa&mple");
    examples->setObjectName("mnuFileExamples");
    examples->menuAction()->setObjectName("mnuFileOpenExample");
    buildExamplesMenu(examples);
    addItem(file, "mnuFileSave", "&Save", QKeySequence("Ctrl+S"), &MainWindow::mnuFileSave_Click);
    addItem(file, "mnuFileSaveAs", "Save &As…", QKeySequence("Ctrl+Shift+S"),
            &MainWindow::mnuFileSaveAs_Click);
    addItem(file, "mnuFileProperties", "Propert&ies…", {}, &MainWindow::mnuFileProperties_Click);
    addSeparator(file, "mnuFileHyphen");
    addItem(file, "mnuFilePrint", "&Print…", QKeySequence("Ctrl+P"),
            &MainWindow::mnuFilePrint_Click);
    addItem(file, "mnuFileExport", "&Export results…", {}, &MainWindow::mnuFileExport_Click);
    addItem(file, "mnuFileExportPdf", "Export report as P&DF…", {},
            &MainWindow::mnuFileExportPdf_Click);
    addSeparator(file, "mnuFileHyphen2");
    addItem(file, "mnuFileExit", "E&xit", QKeySequence("Ctrl+Q"), &MainWindow::mnuFileExit_Click);

    auto* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    addItem(view, "mnuViewProfile", "&Profile", {}, &MainWindow::mnuViewProfile_Click);
    buildUnitsMenu(view);

    // The two buttons, for the keyboard and for those who look in the menus first.
    auto* caseMenu = menuBar()->addMenu("&Case");
    caseMenu->setObjectName("mnuCase");
    addItem(caseMenu, "mnuCaseCalculate", "&Calculate", QKeySequence("F5"),
            &MainWindow::Command1_Click);
    addItem(caseMenu, "mnuCaseOptions", "&Options…", QKeySequence("Ctrl+,"),
            &MainWindow::Command2_Click);
    addItem(caseMenu, "mnuCaseConstruction", QString::fromUtf8("Co&nstruction…"), {},
            &MainWindow::mnuCaseConstruction_Click);
    addItem(caseMenu, "mnuCaseDesign", QString::fromUtf8("&Design…"), {},
            &MainWindow::mnuCaseDesign_Click);
    addItem(caseMenu, "mnuCaseSweep", QString::fromUtf8("&Sweep…"), {},
            &MainWindow::mnuCaseSweep_Click);

    auto* help = menuBar()->addMenu("&Help");
    help->setObjectName("MnuHelp");
    addItem(help, "mnuHelpIndex", "&Using ZANO", QKeySequence::HelpContents,
            &MainWindow::mnuHelpIndex_Click);
    // F1 brings the manual from every window of the program, not only from this one.
    help->actions().constLast()->setShortcutContext(Qt::ApplicationShortcut);
    addSeparator(help, "mnuHelpHyphen");
    addItem(help, "mnuHelpAbout", "&About…", {}, &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::buildStatusBar() {
    statusLine_ = new ElidedLabel(statusBar());
    statusLine_->setObjectName("StatusLine");
    // However long the line, the window keeps the width of its drawn layout.
    statusLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // A line high from the start, before it has a text, for the window's size to hold it.
    statusLine_->setMinimumHeight(statusLine_->fontMetrics().height());
    statusLine_->setContentsMargins(4, 0, 4, 0);
    statusBar()->addWidget(statusLine_, 1);
    statusBar()->setSizeGripEnabled(false);  // the window takes its size from the layout
}

void MainWindow::applyLayout() {
    std::vector<TwipPlace> places;
    const auto at = [&](QWidget* w, int left, int top, int width, int height) {
        places.push_back({w, QRect(left, top, width, height)});
    };
    // The labels of a frame in creation order: left column first, then the right column.
    std::size_t nextLabel = 0;
    const auto leftRow = [&](QWidget* control, int top, int height) {
        at(labels_[nextLabel++], kLabelLeft, top, kLabelWidth, height);
        at(control, kListLeft, top, kListWidth, height);
    };
    const auto rightRow = [&](QWidget* caption, QLineEdit* box, int top) {
        at(caption, kRightLeft, top, kRightWidth, kBoxHeight);
        at(box, kBoxLeft, top, kBoxWidth, kBoxHeight);
    };

    at(frame_[1], 240, 240, 6975, 2295);
    leftRow(text(1), 360, kBoxHeight);
    leftRow(text(2), 720, kBoxHeight);
    leftRow(combo(3), 1080, kListHeight);
    leftRow(combo(1), 1440, kListHeight);
    leftRow(combo(4), 1800, kListHeight);
    rightRow(labels_[nextLabel++], text(6), 360);
    rightRow(option(3), text(7), 720);
    rightRow(option(4), text(8), 1080);
    at(pipeCaption_[1], kRightLeft, 1440, kRightWidth, kListHeight);
    at(pipeList_[1], kBoxLeft, 1440, kBoxWidth, kListHeight);

    at(frame_[4], 240, 2880, 6975, 1935);
    leftRow(text(4), 360, kBoxHeight);
    leftRow(text(5), 720, kBoxHeight);
    leftRow(combo(2), 1080, kListHeight);
    leftRow(combo(5), 1440, kListHeight);
    rightRow(labels_[nextLabel++], text(9), 360);
    rightRow(option(7), text(10), 720);
    rightRow(option(8), text(11), 1080);
    at(pipeCaption_[2], kRightLeft, 1440, kRightWidth, kListHeight);
    at(pipeList_[2], kBoxLeft, 1440, kBoxWidth, kListHeight);

    // The capacity's frame takes in the empty left of Configuration's, so that the duty's check
    // box stands on the capacity's row, after its box, and reads on from its caption.
    at(frame_[2], 240, 5160, 5055, 1095);
    at(option(5), 240, 240, 1500, kBoxHeight);
    at(text(12), 1800, 240, 1335, kBoxHeight);
    at(option(6), 240, 600, 1500, kBoxHeight);
    at(text(3), 1800, 600, 1335, kBoxHeight);
    at(dutyBox_, 3240, 600, 1695, kBoxHeight);

    at(frame_[3], 5520, 5160, 1695, 1095);
    at(option(1), 5640, 5400, 1455, kBoxHeight);
    at(option(2), 5640, 5760, 1455, kBoxHeight);

    at(optionsLine_, 240, 6285, 6975, 255);
    at(command1_, 2520, 6600, 1215, 375);
    at(command2_, 3960, 6600, 1215, 375);

    // The fluid lists count with the sixteen fluids only: a table of the user's own under a
    // long name would enlarge the whole window at every start (its box shows the name's start,
    // the pop-up and the tooltip the whole).
    QStringList own[2];
    for (int n : {1, 2}) {
        const QSignalBlocker quiet(combo(n));
        while (combo(n)->count() > static_cast<int>(std::size(kFluidNames))) {
            own[n - 1].prepend(combo(n)->itemText(combo(n)->count() - 1));
            combo(n)->removeItem(combo(n)->count() - 1);
        }
    }
    scale_ = twipScale(places);
    for (int n : {1, 2}) {
        const QSignalBlocker quiet(combo(n));
        combo(n)->addItems(own[n - 1]);
    }
    placeInTwips(places, scale_);
    // Placed: a list whose entries change later (a fluid's pressures) keeps its drawn width,
    // where fitting its contents would shrink it to them.
    for (QComboBox* list : combo_)
        if (list) list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    static_cast<QScrollArea*>(centralWidget())
        ->widget()
        ->setFixedSize(twipsToPixels(kClientWidth, scale_), twipsToPixels(kClientHeight, scale_));
    fitFixedToScreen(this);
}

}  // namespace zano
