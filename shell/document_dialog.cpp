#include "shell/document_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <vector>

#include "records/case_fields.h"

namespace zano {

namespace {

// The box of one document text, holding `text`: the notes' of several lines, the others' of one.
QWidget* documentBox(QDialog& dialog, const DocumentField& d, const QString& text) {
    QWidget* box = nullptr;
    if (d.text == &CaseData::notes) {
        auto* notes = new QPlainTextEdit(text, &dialog);
        notes->setTabChangesFocus(true);
        // Five whole lines, more as the dialog grows.
        notes->setMinimumHeight(
            notes->fontMetrics().lineSpacing() * 5 +
            2 * (notes->frameWidth() + static_cast<int>(notes->document()->documentMargin())));
        box = notes;
    } else {
        auto* line = new QLineEdit(text, &dialog);
        line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 40);
        box = line;
    }
    box->setObjectName("Document" + QString::fromUtf8(d.caption).remove(' '));
    return box;
}

QString boxText(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) return line->text();
    return qobject_cast<const QPlainTextEdit*>(box)->toPlainText();
}

}  // namespace

bool editDocument(QWidget* parent, CaseData& c) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Properties"));
    dialog.setObjectName(QStringLiteral("DocumentDialog"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("Printed at the foot of the report; kept in the case "
                                           "file. The calculation does not use them."),
                            &dialog));
    std::vector<QWidget*> boxes;
    for (const DocumentField& d : kDocumentFields) {
        boxes.push_back(documentBox(dialog, d, QString::fromStdString(c.*d.text)));
        // A mnemonic on the caption's first letter; "Prepared by" and "Project" share theirs.
        const QString label = d.text == &CaseData::preparedBy ? QStringLiteral("Prepared &by")
                                                              : '&' + QString::fromUtf8(d.caption);
        form->addRow(label + ':', boxes.back());
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;

    bool changed = false;
    for (std::size_t i = 0; i < kDocumentFields.size(); ++i) {
        const std::string text = boxText(boxes[i]).toStdString();
        std::string& field = c.*kDocumentFields[i].text;
        changed = changed || field != text;
        field = text;
    }
    return changed;
}

}  // namespace zano
