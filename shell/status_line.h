#pragma once

#include <QString>
#include <string>
#include <vector>

#include "formats/units.h"
#include "records/case_data.h"
#include "records/results_data.h"

// The one line of the main window's status bar: the modes in force (what the user gives, what
// the calculation finds), and after a calculation its outcome.
namespace zano {

// "Given: int. outlet temp., ext. mass flow, length · Sought: int. mass flow, ext. outlet
// temp., capacity", from the case's mode choices; the other texts of the case are ignored.
QString modeLine(const CaseData& modes);

// "Calculated: capacity 28,823 kW, length 8 m", as the results window rounds them, in the units
// given as the boxes show them, then what could not be added to the results ("· the hairpins:
// ...").
QString calculatedLine(const ResultsData& r, const std::vector<std::string>& notes = {},
                       const Units& units = {});

// A calculation that ended in a message: the message's headline and its cause, which stays
// here once the message box is closed.
QString notCalculatedLine(const QString& message, const QString& detail = {});

}  // namespace zano
