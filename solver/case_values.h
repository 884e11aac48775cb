#pragma once

#include <string>

#include "records/case_data.h"

namespace zano {

// A text of the case read as a number. An empty or malformed text ends the calculation with
// "Invalid data", naming the field by its label ("The inlet temperature of the internal fluid
// is empty") and pointing at its box.
double caseDouble(const CaseData& c, std::string CaseData::*member);
float caseSingle(const CaseData& c, std::string CaseData::*member);

// A number as a case's text (decimal comma) that reads back as the same single or double: a
// value the calculation found, given again to another calculation.
std::string exactText(float v);
std::string exactText(double v);

}  // namespace zano
