#include "shell/document_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <vector>

#include "records/case_fields.h"

namespace zano {

bool editDocument(QWidget* parent, CaseData& c) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Properties"));
    dialog.setObjectName(QStringLiteral("DocumentDialog"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("Printed at the foot of the report; kept in the case "
                                           "file. The calculation does not use them."),
                            &dialog));
    std::vector<QWidget*> boxes;
    QPlainTextEdit* notes = nullptr;
    for (const DocumentField& d : kDocumentFields) {
        const QString caption = QString::fromUtf8(d.caption);
        const QString text = QString::fromStdString(c.*d.text);
        QWidget* box = nullptr;
        if (d.text == &CaseData::notes) {
            notes = new QPlainTextEdit(text, &dialog);
            notes->setTabChangesFocus(true);
            notes->setFixedHeight(notes->fontMetrics().lineSpacing() * 5);
            box = notes;
        } else {
            auto* line = new QLineEdit(text, &dialog);
            line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 40);
            box = line;
        }
        box->setObjectName("Document" + QString(caption).remove(' '));
        // A mnemonic on the caption's first letter; "Prepared by" and "Project" share theirs.
        const QString label =
            d.text == &CaseData::preparedBy ? QStringLiteral("Prepared &by") : '&' + caption;
        form->addRow(label + ':', box);
        boxes.push_back(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;

    bool changed = false;
    for (std::size_t i = 0; i < kDocumentFields.size(); ++i) {
        const auto* line = qobject_cast<QLineEdit*>(boxes[i]);
        const std::string text = (line ? line->text() : notes->toPlainText()).toStdString();
        std::string& field = c.*kDocumentFields[i].text;
        changed = changed || field != text;
        field = text;
    }
    return changed;
}

}  // namespace zano
