#pragma once

namespace zano {

// The Nusselt rules a calculation uses: the classic set (Sieder-Tate laminar and turbulent
// forms, blended), or the refined set (VDI Heat Atlas laminar forms, Gnielinski's turbulent
// forms for tube and annulus, property variation by fluid and direction).
enum class CorrelationSet { Classic, Refined };

}  // namespace zano
