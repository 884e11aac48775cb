#include "records/case_fields.h"

#include "base/errors.h"
#include "records/design_margins.h"

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

std::optional<std::string> setByName(CaseData& c, std::string_view name, std::string_view value) {
    if (const CaseField* f = caseFieldNamed(name)) {
        c.*f->text = value;
        return std::nullopt;
    }
    for (const CaseSetting& s : kCaseSettings)
        if (equalsIgnoringCase(name, s.code)) {
            if (s.set(c, trimBlanks(value))) return std::nullopt;
            return "the setting \"" + std::string(s.code) + "\" has no value \"" +
                   std::string(value) + "\"";
        }
    std::string known;
    for (const CaseField& f : kCaseFields) known += std::string(known.empty() ? "" : ", ") + f.name;
    for (const CaseSetting& s : kCaseSettings) known += std::string(", ") + s.code;
    return "no field or setting is named \"" + std::string(name) + "\" (" + known + ")";
}

namespace {

// Sets `field` to a setting's text when it is not blank and `check` (which ends in Invalid data
// for a value the setting does not have) takes it.
template <typename Check>
bool takeSetting(std::string& field, std::string_view text, Check check) {
    if (isBlankText(text)) return false;
    try {
        check(text);
    } catch (const CalcError&) {
        return false;
    }
    field = text;
    return true;
}

}  // namespace

bool setHairpins(CaseData& c, std::string_view text) {
    return takeSetting(c.hairpins, text, hairpinsSet);
}

bool setBranches(std::string& branches, std::string_view text) {
    return takeSetting(branches, text, branchesSet);
}

bool setMeasure(std::string& measure, std::string_view text, double most) {
    return takeSetting(measure, text, [most](std::string_view t) { measureSet(t, "value", most); });
}

std::string dutyFromText(const CaseData& c) {
    switch (c.dutyFrom) {
        case DutyFrom::Internal:
            return "Internal";
        case DutyFrom::External:
            return "External";
        case DutyFrom::None:
            break;
    }
    return "None";
}

bool setDutyFrom(CaseData& c, std::string_view text) {
    if (equalsIgnoringCase(text, "None")) {
        c.dutyFrom = DutyFrom::None;
        return true;
    }
    const bool internal = equalsIgnoringCase(text, "Internal");
    if (!internal && !equalsIgnoringCase(text, "External")) return false;
    c.dutyFrom = internal ? DutyFrom::Internal : DutyFrom::External;
    // That stream's outlet given (the internal one given rules out the external one), the
    // capacity found with the length.
    c.intToutGiven = internal;
    if (!internal) c.estToutGiven = true;
    c.LGiven = false;
    return true;
}

}  // namespace zano
