#pragma once

#include <optional>
#include <string_view>

namespace zano {

// The Nusselt rules a calculation uses: the classic set (Sieder-Tate laminar and turbulent
// forms, blended), or the refined set (VDI Heat Atlas laminar forms, Gnielinski's turbulent
// forms for tube and annulus, property variation by fluid and direction), or the textbook set
// (Kern's double-pipe method: Sieder-Tate on the tube side and on the annulus's equivalent
// diameter, Hausen's transition, Kern's friction factor), which hand checks follow.
enum class CorrelationSet { Classic, Refined, Textbook };

// The sets in order, by the names a case file, the options and zano-calc give them.
inline constexpr CorrelationSet kCorrelationSets[] = {
    CorrelationSet::Classic, CorrelationSet::Refined, CorrelationSet::Textbook};
inline constexpr const char* kCorrelationSetNames[] = {"Classic", "Refined", "Textbook"};
inline const char* correlationSetName(CorrelationSet set) {
    return kCorrelationSetNames[static_cast<int>(set)];
}
// The set a command line names: "classic", "refined" or "textbook".
inline std::optional<CorrelationSet> correlationSetOption(std::string_view v) {
    constexpr std::string_view kOptions[] = {"classic", "refined", "textbook"};
    for (int i = 0; i < 3; ++i)
        if (v == kOptions[i]) return kCorrelationSets[i];
    return std::nullopt;
}

}  // namespace zano
