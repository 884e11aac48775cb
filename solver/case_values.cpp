#include "solver/case_values.h"

#include <cctype>
#include <charconv>
#include <type_traits>

#include "base/errors.h"
#include "base/number_text.h"
#include "base/plain_text.h"
#include "records/case_fields.h"

namespace zano {
namespace {

// "The inlet temperature of the internal fluid", from the label "Inlet temperature of ...".
std::string theLabel(const CaseField& f) {
    std::string label = f.label;
    label[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(label[0])));
    return "The " + label;
}

template <typename T>
T convert(const CaseData& c, std::string CaseData::*member) {
    const std::string& text = c.*member;
    const auto value = [&] {
        if constexpr (std::is_same_v<T, float>)
            return parseSingle(text);
        else
            return parseDouble(text);
    }();
    if (value) return *value;
    const CaseField& f = *caseFieldOf(member);
    const std::string what = theLabel(f);
    if (isBlankText(text)) invalidData(what + " is empty", f.name);
    if (parseDouble(text)) invalidData(what + " \"" + excerpt(text) + "\" is too large", f.name);
    invalidData(what + " \"" + excerpt(text) + "\" is not a number", f.name);
}

}  // namespace

double caseDouble(const CaseData& c, std::string CaseData::*member) {
    return convert<double>(c, member);
}

float caseSingle(const CaseData& c, std::string CaseData::*member) {
    return convert<float>(c, member);
}

namespace {

template <typename T>
std::string shortestText(T v) {
    char buf[64];
    std::string s(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    for (char& ch : s)
        if (ch == '.') ch = ',';
    return s;
}

}  // namespace

std::string exactText(float v) {
    return shortestText(v);
}

std::string exactText(double v) {
    return shortestText(v);
}

}  // namespace zano
