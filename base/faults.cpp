#include "base/faults.h"

#include <exception>
#include <new>

#include "base/plain_text.h"

namespace zano {

std::string faultText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    } catch (const std::exception& e) {
        return excerpt(e.what());
    } catch (...) {
        return "an unknown fault";
    }
}

std::function<void(const std::filesystem::path&)>& fileFaultHook() {
    static std::function<void(const std::filesystem::path&)> hook;
    return hook;
}

}  // namespace zano
