#pragma once

#include <array>
#include <string>

#include "properties/stream.h"
#include "records/case_data.h"

namespace zano {

// One stream's fields of the case. Their names and labels are the case field table's
// (kCaseFields); the calculation reads both streams through these rows.
struct SideFields {
    std::string CaseData::*fluid;
    std::string CaseData::*pressure;
    std::string CaseData::*inlet;
    std::string CaseData::*outlet;
    std::string CaseData::*flow;
    std::string CaseData::*fouling;
    const char* invalidPressure;  // the message for a pressure that its table does not hold
};

// Indexed by Side.
extern const std::array<SideFields, 2> kSideFields;

inline const SideFields& fieldsOf(Side side) {
    return kSideFields[static_cast<int>(side)];
}
inline const SideFields& fieldsOf(const Stream& st) {
    return fieldsOf(st.side);
}

// The case field's name ("intTout"), as messages name the box at fault.
const char* fieldName(std::string CaseData::*member);

}  // namespace zano
