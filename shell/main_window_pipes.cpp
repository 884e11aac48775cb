// The standard pipe lists: a designation picked fills a pipe's diameter and thickness, and the
// two boxes show which designation they hold. The case keeps the numbers only.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include "base/errors.h"
#include "base/faults.h"
#include "base/number_text.h"
#include "shell/main_window.h"
#include "shell/unit_boxes.h"

namespace zano {
namespace {

constexpr int kStandardRole = Qt::UserRole + 1;  // an entry's standard; none on the empty entry

// The diameter and thickness boxes of a side: Text1 and Text2 inside, Text4 and Text5 outside.
constexpr int diameterBox(int side) {
    return side == 1 ? 1 : 4;
}
constexpr int thicknessBox(int side) {
    return side == 1 ? 2 : 5;
}

}  // namespace

void MainWindow::makePipeList(int side, QWidget* frame) {
    auto* caption = new QLabel("Standard pipe", frame);
    caption->setObjectName(QString("PipeCaption%1").arg(side));
    caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* list = new QComboBox(frame);
    list->setObjectName(QString("PipeList%1").arg(side));
    list->setEditable(false);
    caption->setBuddy(list);
    // The box shows a designation's start; its pop-up is widened to the longest when filled.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(6);
    pipeCaption_[side] = caption;
    pipeList_[side] = list;
    connect(list, &QComboBox::activated, this, [this, side](int i) { pipePicked(side, i); });
    for (int box : {diameterBox(side), thicknessBox(side)})
        connect(text(box), &QLineEdit::textChanged, this, [this, side] { showPipeOfBoxes(side); });
}

void MainWindow::fillPipeLists() {
    // Without a readable catalogue the lists offer nothing and say why; a pipe's boxes still
    // take any diameter and thickness, so the case goes on.
    QString fault;
    const auto unread = [&](const std::string& why) {
        pipes_.clear();
        fault = QString::fromStdString("The pipe catalogue cannot be read: " + why + ".");
    };
    try {
        pipes_ = state_.data.pipeCatalogue();
    } catch (const CalcError& e) {
        unread(e.detail());
    } catch (...) {
        unread(faultText());
    }
    for (int side : {1, 2}) {
        QComboBox* list = pipeList_[side];
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItem(QString());  // not a catalogue pipe
        auto* model = static_cast<QStandardItemModel*>(list->model());
        QString standard;
        for (const PipeSize& p : pipes_) {
            // Each standard under a heading of its own, which cannot be picked.
            if (QString::fromStdString(p.standard) != standard) {
                standard = QString::fromStdString(p.standard);
                auto* heading = new QStandardItem(standard);
                heading->setFlags(Qt::NoItemFlags);
                model->appendRow(heading);
            }
            list->addItem(QString::fromStdString(p.designation));
            list->setItemData(list->count() - 1, standard, kStandardRole);
        }
        list->setEnabled(!pipes_.empty());
        if (!fault.isEmpty()) list->setToolTip(fault);
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
        showPipeOfBoxes(side);
    }
}

void MainWindow::pipePicked(int side, int index) {
    QComboBox* list = pipeList_[side];
    const PipeSize* p =
        pipeNamed(pipes_, list->itemData(index, kStandardRole).toString().toStdString(),
                  list->itemText(index).trimmed().toStdString());
    // The empty entry keeps the boxes as they are, and the list shows what they hold.
    if (!p) return showPipeOfBoxes(side);
    // As typed: the box's own undo takes the change back, and the case is edited. The case
    // keeps the catalogue's own figure, whatever units the box shows it in.
    for (auto [box, value] : {std::pair{diameterBox(side), p->od}, {thicknessBox(side), p->wall}}) {
        QLineEdit* edit = text(box);
        const std::string catalogue = formatDouble(value);
        edit->selectAll();
        edit->insert(QString::fromStdString(shownText(Quantity::Size, catalogue, units_)));
        keepCaseText(edit, QString::fromStdString(catalogue));
    }
    list->setCurrentIndex(index);  // a pair that also matches an earlier row stays as picked
}

void MainWindow::showPipeOfBoxes(int side) {
    QComboBox* list = pipeList_[side];
    if (!list || list->count() == 0) return;
    const auto caseText = [&](int box) {
        return caseTextIn(text(box), Quantity::Size, units_).toStdString();
    };
    const auto found =
        pipesMatching(pipes_, caseText(diameterBox(side)), caseText(thicknessBox(side)));
    int index = 0;
    // The entry picked stays while the boxes still match it; else the nearest match.
    const auto shown = [&](int i) {
        return pipeNamed(pipes_, list->itemData(i, kStandardRole).toString().toStdString(),
                         list->itemText(i).trimmed().toStdString());
    };
    for (const PipeSize* p : found)
        if (p == shown(list->currentIndex())) index = list->currentIndex();
    for (int i = 1; index == 0 && !found.empty() && i < list->count(); ++i)
        if (shown(i) == found.front()) index = i;
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

}  // namespace zano
