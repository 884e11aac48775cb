#pragma once

#include <string>

#include "records/case_data.h"

namespace zano {

// What one successful calculation hands to the results window, at full working width.
struct ResultsData {
    float q = 0;  // capacity, kW
    float a = 0;  // heat transfer surface, m^2
    float L = 0;  // length, m
    float U = 0;  // overall coefficient, W/(m^2 K)
    Arrangement controequi = Arrangement::Countercurrent;
    float deti = 0, spi = 0, dete = 0, spe = 0;  // mm, as entered
    std::string mat, intfluid, estfluid;
    float intpress = 0, estpress = 0;                         // bar
    double intTin = 0, intTout = 0, estTin = 0, estTout = 0;  // degC
    float intPort = 0, estPort = 0;                           // kg/s
    float intVel = 0, estVel = 0;                             // m/s
    float intDeltaP = 0, estDeltaP = 0;                       // kPa
    double intSporc = 0, estSporc = 0;                        // (m^2 K)/W
    double Rei = 0, Ree = 0;
};

}  // namespace zano
