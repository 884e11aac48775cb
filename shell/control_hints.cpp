#include "shell/control_hints.h"

#include <QRegularExpression>
#include <QWidget>
#include <cmath>

#include "base/number_text.h"

namespace zano {
namespace {

// A figure converted and shown at three significant digits, as a typical range is meant.
QString roughly(Quantity q, const QString& siText, const Units& u) {
    const double x = toShown(q, parseDouble(siText.toStdString()).value_or(0), u.system);
    if (x == 0) return "0";
    const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(std::fabs(x)))));
    return QString::fromStdString(formatDouble(roundTo(x, decimals), u.decimal));
}

// The row whose SI unit a hint names as `unit`.
const UnitRow* rowNamed(const QString& unit) {
    for (const UnitRow& r : kUnits)
        if (unit == QString::fromUtf8(r.si)) return &r;
    return nullptr;
}

// The units of the case's fields, longest first, each alone between blanks or punctuation.
const QRegularExpression& unitPattern() {
    static const QRegularExpression p(R"((?:(-?\d+(?:,\d+)?)(?: to (-?\d+(?:,\d+)?))? )?)"
                                      R"((\(m\^2 K\)/W|kg/s|m/s|kPa|bar|kW|mm|°C|m)(?![\w^]))");
    return p;
}

}  // namespace

QString hintInUnits(const char* text, const Units& u) {
    QString hint = QString::fromUtf8(text);
    if (u.system == UnitSystem::US) {
        QString out;
        qsizetype last = 0;
        for (const auto& m : unitPattern().globalMatch(hint)) {
            const UnitRow* row = rowNamed(m.captured(3));
            if (!row || (m.capturedStart(3) > 0 && hint[m.capturedStart(3) - 1].isLetter()))
                continue;
            out += hint.mid(last, m.capturedStart() - last);
            // Written with a comma, as the hints are; the separator chosen follows below.
            const auto figure = [&](int n) {
                return roughly(row->quantity, m.captured(n), {UnitSystem::US, ','});
            };
            if (!m.captured(1).isEmpty())
                out += figure(1) + (m.captured(2).isEmpty() ? QString() : " to " + figure(2)) + ' ';
            out += QString::fromUtf8(row->us);
            last = m.capturedEnd();
        }
        hint = out + hint.mid(last);
    }
    if (u.decimal == '.') hint.replace(QRegularExpression(R"((\d),(\d))"), R"(\1.\2)");
    return hint;
}

void applyControlHints(QWidget* window, const Units& u) {
    for (const ControlHint& h : kControlHints) {
        if (window->objectName() != QLatin1String(h.window)) continue;
        // The user fluid's constants (Text3 to Text6 of Options) are kept in SI.
        const QString control = QString::fromLatin1(h.control);
        const bool fluid = window->objectName() == "Form2" &&
                           QRegularExpression("^Text[3-6]$").match(control).hasMatch();
        const QString text = fluid ? QString::fromUtf8(h.text) : hintInUnits(h.text, u);
        // The window's own controls: a window it owns (the main window's Options) has its own.
        for (auto* c : window->findChildren<QWidget*>(control))
            if (c->window() == window) c->setToolTip(text);
    }
}

}  // namespace zano
