#include "records/case_fields.h"

namespace zano {

std::vector<CaseLine> caseFileLayout() {
    std::vector<CaseLine> lines;
    for (int n = 1;; ++n) {
        CaseLine line;
        for (const CaseField& f : kCaseFields)
            if (f.line == n) line.field = &f;
        for (const CaseMode& m : kCaseModes)
            if (m.line == n) line.mode = &m;
        if (!line.field && !line.mode) return lines;
        lines.push_back(line);
    }
}

const CaseField* caseFieldOf(std::string_view control, bool inOptions) {
    for (const CaseField& f : kCaseFields)
        if (f.control == control && f.inOptions == inOptions) return &f;
    return nullptr;
}

const CaseField* caseFieldOf(std::string CaseData::*text) {
    for (const CaseField& f : kCaseFields)
        if (f.text == text) return &f;
    return nullptr;
}

const CaseField* caseFieldNamed(std::string_view name) {
    for (const CaseField& f : kCaseFields)
        if (f.name == name) return &f;
    return nullptr;
}

void clearFoundFields(CaseData& c) {
    for (const CaseField& f : kCaseFields)
        if (isFound(f, c)) (c.*f.text).clear();
}

void applyTexts(CaseData& c, const std::vector<FieldText>& texts) {
    for (const FieldText& t : texts) c.*t.field->text = t.text;
}

}  // namespace zano
