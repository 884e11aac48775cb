#include "shell/status_line.h"

#include <QStringList>
#include <string_view>

#include "formats/results_display.h"
#include "records/case_fields.h"

namespace zano {
namespace {

// The field's label made short enough for a status bar: "Outlet temperature of the internal
// fluid" becomes "int. outlet temp.", as the window's captions abbreviate it.
QString shortName(const CaseField& f) {
    std::string_view label(f.label);
    QString side;
    for (const auto& [suffix, abbreviation] :
         {std::pair{" of the internal fluid", "int. "}, {" of the external fluid", "ext. "}})
        if (label.ends_with(suffix)) {
            label.remove_suffix(std::string_view(suffix).size());
            side = abbreviation;
        }
    QString name = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())).toLower();
    name.replace("temperature", "temp.");
    return side + name;
}

}  // namespace

QString modeLine(const CaseData& modes) {
    QStringList given, sought;
    // The fields that a mode can make an output, in the order of the table.
    for (const CaseField& f : kCaseFields)
        if (f.found.mode) (isFound(f, modes) ? sought : given) << shortName(f);
    return "Given: " + given.join(", ") + QString::fromUtf8(" · Sought: ") + sought.join(", ");
}

QString calculatedLine(const ResultsData& r, const std::vector<std::string>& notes,
                       const Units& units) {
    const auto boxes = displayTexts(r);
    // As the main window's boxes show the figures written back: the rounded texts, converted.
    const auto shown = [&](const char* box, Quantity q) {
        return QString::fromStdString(shownText(q, boxText(boxes, box), units)) + ' ' +
               QString::fromUtf8(std::string(unitText(q, units.system)).c_str());
    };
    QString line = "Calculated: capacity " + shown("Text23", Quantity::Capacity) + ", length " +
                   shown("Text25", Quantity::Length);
    for (const std::string& note : notes) line += " · " + QString::fromStdString(note);
    return line;
}

QString notCalculatedLine(const QString& message, const QString& detail) {
    return "Not calculated: " + message + (detail.isEmpty() ? QString() : " · " + detail);
}

}  // namespace zano
