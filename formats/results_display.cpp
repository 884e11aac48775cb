#include "formats/results_display.h"

#include <string_view>

#include "base/number_text.h"

namespace zano {

using R = ResultsData;

const std::array<ResultField, kResultFieldCount> kResultFields{{
    {"q", &R::q, "Text23", Shown::Rounded3},
    {"a", &R::a, "Text24", Shown::Rounded3},
    {"L", &R::L, "Text25", Shown::Rounded3},
    {"U", &R::U, "Text26", Shown::Rounded0},
    {"controequi", &R::controequi, "Text27", Shown::Configuration},
    {"deti", &R::deti, "Text1", Shown::General},
    {"spi", &R::spi, "Text3", Shown::General},
    {"dete", &R::dete, "Text2", Shown::General},
    {"spe", &R::spe, "Text4", Shown::General},
    {"mat", &R::mat, "Text5", Shown::AsIs},
    {"intfluid", &R::intfluid, "Text7", Shown::AsIs},
    {"estfluid", &R::estfluid, "Text8", Shown::AsIs},
    {"intpress", &R::intpress, "Text9", Shown::General},
    {"estpress", &R::estpress, "Text10", Shown::General},
    {"intTin", &R::intTin, "Text11", Shown::Rounded3},
    {"intTout", &R::intTout, "Text13", Shown::Rounded3},
    {"estTin", &R::estTin, "Text12", Shown::Rounded3},
    {"estTout", &R::estTout, "Text14", Shown::Rounded3},
    {"intPort", &R::intPort, "Text15", Shown::Rounded3},
    {"estPort", &R::estPort, "Text16", Shown::Rounded3},
    {"intVel", &R::intVel, "Text17", Shown::Rounded3},
    {"estVel", &R::estVel, "Text18", Shown::Rounded3},
    {"intDeltaP", &R::intDeltaP, "Text19", Shown::Rounded3},
    {"estDeltaP", &R::estDeltaP, "Text20", Shown::Rounded3},
    {"intSporc", &R::intSporc, "Text21", Shown::General},
    {"estSporc", &R::estSporc, "Text22", Shown::General},
    {"Rei", &R::Rei, "Text28", Shown::Rounded0},
    {"Ree", &R::Ree, "Text6", Shown::Rounded0},
}};

const std::array<ResultsRow, 17> kResultsRows{{
    {"Label3", "Outside diameter", "Label19", "mm", "Text1", "Text2"},
    {"Label4", "Thickness", "Label20", "mm", "Text3", "Text4"},
    {"Label5", "Material", nullptr, "", "Text5", nullptr},
    {"Label6", "Fluid", nullptr, "", "Text7", "Text8"},
    {"Label7", "Pressure", "Label21", "bar", "Text9", "Text10"},
    {"Label8", "Temp in", "Label22", "°C", "Text11", "Text12"},
    {"Label9", "Temp out", "Label23", "°C", "Text13", "Text14"},
    {"Label10", "Mass flow", "Label24", "kg/s", "Text15", "Text16"},
    {"Label11", "Velocity", "Label25", "m/s", "Text17", "Text18"},
    {"Label12", "Pressure drop", "Label26", "kPa", "Text19", "Text20"},
    {"Label13", "Fouling factor", "Label27", "(m^2 K)/W", "Text21", "Text22"},
    {"Label32", "Reynolds number", nullptr, "", "Text28", "Text6"},
    {"Label14", "Capacity", "Label28", "kW", "Text23", nullptr},
    {"Label15", "Surface", "Label29", "m^2", "Text24", nullptr},
    {"Label16", "Lenght", "Label30", "m", "Text25", nullptr},
    {"Label17", "Heat transfer coefficient", "Label31", "W/(m^2 K)", "Text26", nullptr},
    {"Label18", "Configuration", nullptr, "", "Text27", nullptr},
}};

const std::array<ExtraRow, kExtraRowCount> kExtraRows{{
    {"CleanCoefficient", "Clean coefficient", "W/(m^2 K)", "Clean coefficient", "Uclean", 0,
     [](const ResultsExtras& x) {
         return x.margins ? std::optional(x.margins->Uclean) : std::nullopt;
     }},
    {"FoulingAllowance", "Fouling allowance", "%", "Fouling allowance", "foulingAllowance", 1,
     [](const ResultsExtras& x) {
         return x.margins ? std::optional(x.margins->foulingAllowance) : std::nullopt;
     }},
    {"Hairpins", "Hairpins", "", "Hairpins", "hairpins", 0,
     [](const ResultsExtras& x) {
         return x.hairpins ? std::optional<double>(x.hairpins->count) : std::nullopt;
     }},
    {"LengthProvided", "Length provided", "m", "Hairpin length provided", "hairpinLength", 3,
     [](const ResultsExtras& x) {
         return x.hairpins ? std::optional(x.hairpins->providedLength) : std::nullopt;
     }},
}};

namespace {

std::string shownText(const ResultsData& r, const ResultField& f) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& v = r.*member;
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Arrangement>) {
                return configurationText(v);
            } else if constexpr (std::is_same_v<V, std::string>) {
                return v;
            } else {
                const auto format = [](auto x) {
                    if constexpr (std::is_same_v<decltype(x), float>)
                        return formatSingle(x);
                    else
                        return formatDouble(x);
                };
                switch (f.shown) {
                    case Shown::Rounded3:
                        return format(roundTo(v, 3));
                    case Shown::Rounded0:
                        return format(roundTo(v, 0));
                    default:
                        return format(v);
                }
            }
        },
        f.member);
}

std::string shownText(const ResultsData& r, const char* box) {
    for (const ResultField& f : kResultFields)
        if (std::string_view(f.box) == box) return shownText(r, f);
    return {};
}

}  // namespace

DisplayBoxes displayTexts(const ResultsData& r) {
    DisplayBoxes boxes;
    std::size_t n = 0;
    for (const ResultsRow& row : kResultsRows)
        for (const char* box : {row.internal, row.external})
            if (box) boxes[n++] = {box, shownText(r, box)};
    return boxes;
}

std::array<DisplayBox, kExtraRowCount> extraTexts(const ResultsExtras& x) {
    std::array<DisplayBox, kExtraRowCount> boxes;
    for (std::size_t i = 0; i < kExtraRows.size(); ++i) {
        const ExtraRow& row = kExtraRows[i];
        const auto v = row.value(x);
        boxes[i] = {row.box, v ? formatDouble(roundTo(*v, row.decimals)) : std::string()};
    }
    return boxes;
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
