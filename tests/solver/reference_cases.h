#pragma once

// The cases the calculation tests start from.
#include "records/case_data.h"

namespace zano::testing_cases {

// Hot water (80 degC) inside a 25 x 1,5 mm tube, cooled by water (15 degC) in the annulus of a
// 50 x 2 mm pipe, 6 m of stainless steel AISI 304, fouling 0,0001 and 0,0002.
inline CaseData waterCase() {
    CaseData c;
    c.deti = "25", c.spi = "1,5", c.dete = "50", c.spe = "2";
    c.intTin = "80", c.intTout = "60", c.intPort = "0,3";
    c.estTin = "15", c.estTout = "30", c.estPort = "0,5";
    c.L = "6", c.q = "15";
    c.intfluid = c.estfluid = "Water";
    c.intpress = c.estpress = "1";
    c.mat = "Stainless steel AISI 304";
    c.intSporc = "0,0001", c.estSporc = "0,0002";
    return c;
}

// The constant-property case: user fluid (rho 1000, cp 4.2, k 0.6, mu 0.001) on both sides,
// both flows (0,3 and 0,8 kg/s) and a capacity of 20 kW given.
inline CaseData userFluidCase() {
    CaseData c = waterCase();
    c.intfluid = c.estfluid = "User defined";
    c.intToutGiven = false;
    c.LGiven = false;
    c.estPort = "0,8";
    c.q = "20";
    return c;
}

}  // namespace zano::testing_cases
