#include "formats/results_display.h"

#include <string_view>

#include "base/number_text.h"

namespace zano {

using R = ResultsData;
using Q = Quantity;

const std::array<ResultField, kResultFieldCount> kResultFields{{
    {"q", &R::q, "Text23", Shown::Rounded3, Q::Capacity},
    {"a", &R::a, "Text24", Shown::Rounded3, Q::Area},
    {"L", &R::L, "Text25", Shown::Rounded3, Q::Length},
    {"U", &R::U, "Text26", Shown::Rounded0, Q::Coefficient},
    {"controequi", &R::controequi, "Text27", Shown::Configuration, Q::Text},
    {"deti", &R::deti, "Text1", Shown::General, Q::Size},
    {"spi", &R::spi, "Text3", Shown::General, Q::Size},
    {"dete", &R::dete, "Text2", Shown::General, Q::Size},
    {"spe", &R::spe, "Text4", Shown::General, Q::Size},
    {"mat", &R::mat, "Text5", Shown::AsIs, Q::Name},
    {"intfluid", &R::intfluid, "Text7", Shown::AsIs, Q::Name},
    {"estfluid", &R::estfluid, "Text8", Shown::AsIs, Q::Name},
    {"intpress", &R::intpress, "Text9", Shown::General, Q::Pressure},
    {"estpress", &R::estpress, "Text10", Shown::General, Q::Pressure},
    {"intTin", &R::intTin, "Text11", Shown::Rounded3, Q::Temperature},
    {"intTout", &R::intTout, "Text13", Shown::Rounded3, Q::Temperature},
    {"estTin", &R::estTin, "Text12", Shown::Rounded3, Q::Temperature},
    {"estTout", &R::estTout, "Text14", Shown::Rounded3, Q::Temperature},
    {"intPort", &R::intPort, "Text15", Shown::Rounded3, Q::MassFlow},
    {"estPort", &R::estPort, "Text16", Shown::Rounded3, Q::MassFlow},
    {"intVel", &R::intVel, "Text17", Shown::Rounded3, Q::Velocity},
    {"estVel", &R::estVel, "Text18", Shown::Rounded3, Q::Velocity},
    {"intDeltaP", &R::intDeltaP, "Text19", Shown::Rounded3, Q::PressureDrop},
    {"estDeltaP", &R::estDeltaP, "Text20", Shown::Rounded3, Q::PressureDrop},
    {"intSporc", &R::intSporc, "Text21", Shown::General, Q::Fouling},
    {"estSporc", &R::estSporc, "Text22", Shown::General, Q::Fouling},
    {"Rei", &R::Rei, "Text28", Shown::Rounded0, Q::Number},
    {"Ree", &R::Ree, "Text6", Shown::Rounded0, Q::Number},
}};

const std::array<ResultsRow, 17> kResultsRows{{
    {"Label3", "Outside diameter", "Label19", "mm", "Text1", "Text2", Q::Size},
    {"Label4", "Thickness", "Label20", "mm", "Text3", "Text4", Q::Size},
    {"Label5", "Material", nullptr, "", "Text5", nullptr, Q::Name},
    {"Label6", "Fluid", nullptr, "", "Text7", "Text8", Q::Name},
    {"Label7", "Pressure", "Label21", "bar", "Text9", "Text10", Q::Pressure},
    {"Label8", "Temp in", "Label22", "°C", "Text11", "Text12", Q::Temperature},
    {"Label9", "Temp out", "Label23", "°C", "Text13", "Text14", Q::Temperature},
    {"Label10", "Mass flow", "Label24", "kg/s", "Text15", "Text16", Q::MassFlow},
    {"Label11", "Velocity", "Label25", "m/s", "Text17", "Text18", Q::Velocity},
    {"Label12", "Pressure drop", "Label26", "kPa", "Text19", "Text20", Q::PressureDrop},
    {"Label13", "Fouling factor", "Label27", "(m^2 K)/W", "Text21", "Text22", Q::Fouling},
    {"Label32", "Reynolds number", nullptr, "", "Text28", "Text6", Q::Number},
    {"Label14", "Capacity", "Label28", "kW", "Text23", nullptr, Q::Capacity},
    {"Label15", "Surface", "Label29", "m^2", "Text24", nullptr, Q::Area},
    {"Label16", "Lenght", "Label30", "m", "Text25", nullptr, Q::Length},
    {"Label17", "Heat transfer coefficient", "Label31", "W/(m^2 K)", "Text26", nullptr,
     Q::Coefficient},
    {"Label18", "Configuration", nullptr, "", "Text27", nullptr, Q::Text},
}};

const std::array<ExtraRow, kExtraRowCount> kExtraRows{{
    {"CleanCoefficient", "Clean coefficient", "W/(m^2 K)", "Clean coefficient", "Uclean", 0,
     [](const ResultsExtras& x) {
         return x.margins ? std::optional(x.margins->Uclean) : std::nullopt;
     },
     Q::Coefficient},
    {"FoulingAllowance", "Fouling allowance", "%", "Fouling allowance", "foulingAllowance", 1,
     [](const ResultsExtras& x) {
         return x.margins ? std::optional(x.margins->foulingAllowance) : std::nullopt;
     },
     Q::Percent},
    {"Hairpins", "Hairpins", "", "Hairpins", "hairpins", 0,
     [](const ResultsExtras& x) {
         return x.hairpins ? std::optional<double>(x.hairpins->count) : std::nullopt;
     },
     Q::Count},
    {"LengthProvided", "Length provided", "m", "Hairpin length provided", "hairpinLength", 3,
     [](const ResultsExtras& x) {
         return x.hairpins ? std::optional(x.hairpins->providedLength) : std::nullopt;
     },
     Q::Length},
}};

namespace {

std::string shownText(const ResultsData& r, const ResultField& f, const Units& u) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& v = r.*member;
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Arrangement>) {
                return configurationText(v);
            } else if constexpr (std::is_same_v<V, std::string>) {
                return v;
            } else {
                switch (f.shown) {
                    case Shown::Rounded3:
                        return shownRounded(f.quantity, v, 3, u);
                    case Shown::Rounded0:
                        return shownRounded(f.quantity, v, 0, u);
                    default:
                        return shownGeneral(f.quantity, v, u);
                }
            }
        },
        f.member);
}

std::string shownText(const ResultsData& r, const char* box, const Units& u) {
    for (const ResultField& f : kResultFields)
        if (std::string_view(f.box) == box) return shownText(r, f, u);
    return {};
}

}  // namespace

DisplayBoxes displayTexts(const ResultsData& r, const Units& u) {
    DisplayBoxes boxes;
    std::size_t n = 0;
    for (const ResultsRow& row : kResultsRows)
        for (const char* box : {row.internal, row.external})
            if (box) boxes[n++] = {box, shownText(r, box, u)};
    return boxes;
}

std::array<DisplayBox, kExtraRowCount> extraTexts(const ResultsExtras& x, const Units& u) {
    std::array<DisplayBox, kExtraRowCount> boxes;
    for (std::size_t i = 0; i < kExtraRows.size(); ++i) {
        const ExtraRow& row = kExtraRows[i];
        const auto v = row.value(x);
        boxes[i] = {row.box, v ? shownRounded(row.quantity, *v, row.decimals, u) : std::string()};
    }
    return boxes;
}

const char* shownUnit(Quantity q, const char* si, UnitSystem s) {
    const UnitRow* row = unitRow(q);
    return row && s == UnitSystem::US ? row->us : si;
}

std::string boxText(const DisplayBoxes& boxes, const char* box) {
    if (!box) return {};
    for (const auto& b : boxes)
        if (std::string_view(b.box) == box) return b.text;
    return {};
}

ResultsExtras extrasOf(const CaseRun& run) {
    return {run.out.margins, run.hairpins, run.out.films, run.solved.correlations,
            run.otherSet,    run.notes,    run.handCheck};
}

const char* configurationText(Arrangement controequi) {
    return controequi == Arrangement::Countercurrent ? "Contercurrent" : "Equicurrent";
}

const char* arrangementWord(Arrangement controequi) {
    return controequi == Arrangement::Countercurrent ? "contro" : "equi";
}

}  // namespace zano
