#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_stamp.h"

// The standard pipes of the data folder's pipes.dat: the sizes a pipe is bought in, so that a
// case can take its diameter and wall from a designation instead of a catalogue page.
namespace zano {

struct PipeSize {
    std::string standard;     // "ASME B36.10M"
    std::string designation;  // "NPS 1 Sch 40", unique within its standard
    double od = 0;            // outside diameter, mm
    double wall = 0;          // wall thickness, mm
};

using PipeCatalogue = std::vector<PipeSize>;

// Reads a catalogue: one pipe a line, standard and designation in double quotes, outside
// diameter and wall in mm. A missing file, a line that is no such record, a wall that leaves no
// bore or a designation given twice in one standard ends with "Invalid data" and the line.
PipeCatalogue readPipeCatalogue(const std::filesystem::path& file);

// The pipe of a designation within a standard; nullptr when the catalogue has none.
const PipeSize* pipeNamed(const PipeCatalogue& pipes, std::string_view standard,
                          std::string_view designation);

// The pipes whose outside diameter and wall read as the two texts of a case's boxes ("33,4",
// "3,38"): each equal to the catalogue's hundredth of a millimetre, the nearest first (file order
// among equals). None when a text is no number.
std::vector<const PipeSize*> pipesMatching(const PipeCatalogue& pipes, std::string_view odText,
                                           std::string_view wallText);

}  // namespace zano
