#include "shell/unit_boxes.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVariant>

namespace zano {
namespace {

// The properties a box keeps: the case text it was shown from, and the text that showed.
constexpr const char* kCaseText = "zanoCaseText";
constexpr const char* kShownText = "zanoShownText";
// A caption's SI text, kept on its label or button.
constexpr const char* kSiCaption = "zanoSiCaption";

std::string bytes(const QString& s) {
    return s.toStdString();
}

}  // namespace

QString boxText(const QWidget* box) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(box)) return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(box)) return list->currentText();
    return {};
}

void showInUnits(QWidget* box, Quantity q, const QString& caseText, const Units& u) {
    const QString shown = QString::fromStdString(shownText(q, bytes(caseText), u));
    // Kept before the text is set: what its change sets going reads the box's case text.
    box->setProperty(kCaseText, caseText);
    box->setProperty(kShownText, shown);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->setText(shown);
    if (auto* list = qobject_cast<QComboBox*>(box)) list->setEditText(shown);
}

void keepCaseText(QWidget* box, const QString& caseText) {
    box->setProperty(kCaseText, caseText);
    box->setProperty(kShownText, boxText(box));
}

QString caseTextIn(const QWidget* box, Quantity q, const Units& u) {
    const QString shown = boxText(box);
    // In the case's own units a box holds the case's text as it stands.
    if (u.asCase()) return shown;
    const QVariant from = box->property(kCaseText);
    if (from.isValid() && box->property(kShownText).toString() == shown) return from.toString();
    return QString::fromStdString(caseText(q, bytes(shown), u));
}

void reshowInUnits(QWidget* box, Quantity q, const Units& from, const Units& to) {
    showInUnits(box, q, caseTextIn(box, q, from), to);
}

namespace {

// Each number of a list passed through `convert`, parted by "; ".
template <class Convert>
QString eachOfList(const QString& list, Convert convert) {
    QStringList parts;
    for (const QString& part : list.split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts))
        parts << QString::fromStdString(convert(bytes(part)));
    return parts.join(QStringLiteral("; "));
}

}  // namespace

void showListInUnits(QWidget* box, Quantity q, const QString& caseText, const Units& u) {
    const QString shown =
        eachOfList(caseText, [&](const std::string& part) { return shownText(q, part, u); });
    box->setProperty(kCaseText, caseText);
    box->setProperty(kShownText, shown);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->setText(shown);
}

QString caseListIn(const QWidget* box, Quantity q, const Units& u) {
    const QString shown = boxText(box);
    if (u.asCase()) return shown;
    const QVariant from = box->property(kCaseText);
    if (from.isValid() && box->property(kShownText).toString() == shown) return from.toString();
    return eachOfList(shown, [&](const std::string& part) { return caseText(q, part, u); });
}

QString captionInUnits(const QString& siCaption, UnitSystem s) {
    const qsizetype mark = siCaption.indexOf('&');
    QString plain = siCaption;
    if (mark >= 0) plain.remove(mark, 1);
    const qsizetype unitAt = plain.lastIndexOf('[');
    if (unitAt < 0 || s == UnitSystem::SI) return siCaption;
    QString out = plain;
    for (const UnitRow& row : kUnits)
        out = QString::fromStdString(unitCaption(bytes(out), row.quantity, s));
    if (mark < 0) return out;
    if (mark < unitAt)
        return out.insert(mark, '&');  // the words before the unit stand as they were
    // A letter of the unit: kept where the other unit has it too, else the caption has none.
    const qsizetype again = out.indexOf(siCaption[mark + 1], unitAt, Qt::CaseInsensitive);
    return again < 0 ? out : out.insert(again, '&');
}

void relabelInUnits(QWidget* w, UnitSystem s) {
    auto* label = qobject_cast<QLabel*>(w);
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!label && !button) return;
    if (!w->property(kSiCaption).isValid())
        w->setProperty(kSiCaption, label ? label->text() : button->text());
    const QString caption = captionInUnits(w->property(kSiCaption).toString(), s);
    if (label) label->setText(caption);
    if (button) button->setText(caption);
}

QString shownWithUnit(Quantity q, const std::string& caseText, const Units& u) {
    QString text = QString::fromStdString(shownText(q, caseText, u));
    const std::string_view unit = unitText(q, u.system);
    if (!unit.empty()) text += ' ' + QString::fromUtf8(unit.data(), unit.size());
    return text;
}

}  // namespace zano
