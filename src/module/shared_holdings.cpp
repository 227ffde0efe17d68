#include "module/shared_holdings.h"

#include <unordered_map>

namespace holdings {

namespace {

// Facades holding each shared object, for the objects more than one facade holds.
std::unordered_map<const void*, int>& Counts() {
    static std::unordered_map<const void*, int> counts;
    return counts;
}

}  // namespace

void Hold(const void* object) {
    if (object == nullptr) return;
    ++Counts().try_emplace(object, 1).first->second;
}

bool Release(const void* object) {
    if (object == nullptr) return false;
    const auto entry = Counts().find(object);
    if (entry == Counts().end()) return true;
    if (--entry->second == 1) Counts().erase(entry);
    return false;
}

}  // namespace holdings
