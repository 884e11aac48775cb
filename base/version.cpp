#include "base/version.h"

namespace zano {

const char* programVersion() {
    return "ZANO " ZANO_VERSION;
}

}  // namespace zano
