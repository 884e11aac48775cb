#include "solver/sides.h"

#include "base/errors.h"
#include "records/case_fields.h"

namespace zano {

const std::array<SideFields, 2> kSideFields{{
    {&CaseData::intfluid, &CaseData::intpress, &CaseData::intTin, &CaseData::intTout,
     &CaseData::intPort, &CaseData::intSporc, msg::kInvalidIntPressure},
    {&CaseData::estfluid, &CaseData::estpress, &CaseData::estTin, &CaseData::estTout,
     &CaseData::estPort, &CaseData::estSporc, msg::kInvalidEstPressure},
}};

const char* fieldName(std::string CaseData::*member) {
    return caseFieldOf(member)->name;
}

}  // namespace zano
