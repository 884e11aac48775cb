#include "records/case_sweep.h"

#include <charconv>
#include <cmath>

#include "base/number_text.h"
#include "base/plain_text.h"

namespace zano {
namespace {

// The settings that hold a number, with what it measures; the others name a choice.
struct NumericSetting {
    const char* code;
    Quantity quantity;
};
constexpr NumericSetting kNumericSettings[] = {
    {"hairpins", Quantity::Count},
    {"intBranches", Quantity::Count},
    {"estBranches", Quantity::Count},
    {"bendRadius", Quantity::Size},
    {"intNozzle", Quantity::Size},
    {"estNozzle", Quantity::Size},
    {"intAllowedDp", Quantity::PressureDrop},
    {"estAllowedDp", Quantity::PressureDrop},
};

std::optional<Quantity> settingQuantity(const CaseSetting& s) {
    for (const NumericSetting& n : kNumericSettings)
        if (std::string_view(n.code) == s.code) return n.quantity;
    return std::nullopt;
}

std::string knownNames() {
    std::string known;
    for (const SweepInput& i : sweepInputs()) known += (known.empty() ? "" : ", ") + i.name();
    return known;
}

}  // namespace

std::string SweepInput::name() const {
    return field ? field->name : setting->code;
}

std::string SweepInput::caption() const {
    return field ? field->label : setting->name;
}

std::string SweepInput::text(const CaseData& c) const {
    return field ? c.*field->text : setting->get(c);
}

std::vector<SweepInput> sweepInputs() {
    std::vector<SweepInput> inputs;
    for (const CaseField& f : kCaseFields)
        if (f.quantity != Quantity::Name) inputs.push_back({&f, nullptr, f.quantity});
    for (const CaseSetting& s : kCaseSettings)
        if (const auto q = settingQuantity(s)) inputs.push_back({nullptr, &s, *q});
    return inputs;
}

std::variant<SweepInput, std::string> sweepInputNamed(std::string_view name) {
    for (const SweepInput& i : sweepInputs())
        if (equalsIgnoringCase(name, i.name())) return i;
    const std::string quoted = "\"" + std::string(name) + "\"";
    for (const CaseField& f : kCaseFields)
        if (equalsIgnoringCase(name, f.name)) return "the field " + quoted + " is not a number";
    for (const CaseSetting& s : kCaseSettings)
        if (equalsIgnoringCase(name, s.code)) return "the setting " + quoted + " is not a number";
    return "no numeric field or setting is named " + quoted + " (" + knownNames() + ")";
}

std::optional<std::string> sweepInputRefusal(const SweepInput& input, const CaseData& c) {
    if (!input.field || !isFound(*input.field, c)) return std::nullopt;
    return "\"" + input.name() + "\" (" + input.caption() +
           ") is found by the calculation in this case's modes; sweep one of its inputs";
}

std::variant<SweepRange, std::string> parseSweep(std::string_view text) {
    const std::size_t eq = text.find('=');
    const std::size_t colon1 = text.find(':', eq == std::string_view::npos ? 0 : eq);
    const std::size_t colon2 =
        colon1 == std::string_view::npos ? colon1 : text.find(':', colon1 + 1);
    if (eq == std::string_view::npos || eq == 0 || colon2 == std::string_view::npos ||
        text.find(':', colon2 + 1) != std::string_view::npos)
        return std::string("a sweep is NAME=FROM:TO:STEPS");
    const auto input = sweepInputNamed(trimBlanks(text.substr(0, eq)));
    if (const auto* why = std::get_if<std::string>(&input)) return *why;
    SweepRange s{std::get<SweepInput>(input)};
    const std::string_view fromText = text.substr(eq + 1, colon1 - eq - 1),
                           toText = text.substr(colon1 + 1, colon2 - colon1 - 1),
                           stepsText = text.substr(colon2 + 1);
    const auto from = parseDouble(fromText), to = parseDouble(toText);
    const auto steps = parseDouble(stepsText);
    for (const auto& [value, what] : {std::pair{from, fromText}, std::pair{to, toText}})
        if (!value || !std::isfinite(*value))
            return "FROM and TO are numbers; \"" + std::string(what) + "\" is none";
    if (!steps || *steps < 1 || *steps > kMaxSweepSteps || *steps != std::floor(*steps))
        return "STEPS is a whole number of intervals, 1 to " + std::to_string(kMaxSweepSteps) +
               "; \"" + std::string(stepsText) + "\" is none";
    if (*from == *to) return std::string("FROM and TO are the same value");
    s.from = *from, s.to = *to, s.steps = static_cast<int>(*steps);
    return s;
}

double sweepValue(const SweepRange& s, int i) {
    const double v = i == s.steps ? s.to : s.from + (s.to - s.from) * i / s.steps;
    // Twelve significant digits: far beyond what a box holds, short of the remainder.
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 12).ptr;
    double tidy = v;
    std::from_chars(buf, end, tidy);
    return tidy;
}

std::optional<std::string> setSweepValue(CaseData& c, const SweepInput& input, double value) {
    const std::string text = formatDouble(value);
    if (input.field) {
        c.*input.field->text = text;
        return std::nullopt;
    }
    if (input.setting->set(c, text)) return std::nullopt;
    return "the setting \"" + input.name() + "\" has no value \"" + text + "\"";
}

}  // namespace zano
