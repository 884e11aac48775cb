#pragma once

namespace zano {

// A published design fouling resistance that the Options dialog offers beside its fouling boxes.
struct FoulingPreset {
    const char* service;  // what flows on the surface
    const char* value;    // (m^2 K)/W, as the case's texts write it (decimal comma)
    const char* source;   // the table it comes from
};

// TEMA's recommended design fouling resistances (Standards of the Tubular Exchanger
// Manufacturers Association, 9th ed. 2007, Recommended Good Practice, Table RGP-T-2.4), converted
// from h ft^2 °F/Btu at 0.17611 to three digits. The waters are TEMA's
// column for water up to 52 °C, at most 0.9 m/s, beside a fluid up to 115 °C; hotter or faster
// water has other values. data/README.md names the cross-checks.
inline constexpr const char* kTema = "TEMA RGP-T-2.4 (9th ed., 2007)";
inline constexpr FoulingPreset kFoulingPresets[] = {
    {"Clean surface", "0", "no allowance"},
    {"Sea water", "0,000088", kTema},
    {"Brackish water", "0,000352", kTema},
    {"Cooling-tower water, treated make-up", "0,000176", kTema},
    {"Cooling-tower water, untreated", "0,000528", kTema},
    {"City or well water", "0,000176", kTema},
    {"River water, average", "0,000528", kTema},
    {"Distilled water, condensate", "0,000088", kTema},
    {"Treated boiler feedwater", "0,000176", kTema},
    {"Engine jacket water, closed", "0,000176", kTema},
    {"Engine lube oil", "0,000176", kTema},
    {"Transformer oil", "0,000176", kTema},
    {"Hydraulic fluid", "0,000176", kTema},
    {"Refrigerant liquids", "0,000176", kTema},
    {"Molten heat-transfer salts", "0,000088", kTema},
    {"Vegetable oils", "0,000528", kTema},
    {"Steam, oil-free", "0,000088", kTema},
    {"Refrigerant vapours, oil-bearing", "0,000352", kTema},
    {"Organic solvent vapours", "0,000176", kTema},
};

}  // namespace zano
