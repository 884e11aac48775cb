#pragma once

namespace zano {

// The program and its version, "ZANO 1.0.2", as the About box and the printed report name it;
// the version is the build's (CMake's project version).
const char* programVersion();

}  // namespace zano
