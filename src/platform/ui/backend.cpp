#include "platform/ui/backend.h"

#include <stdexcept>

namespace ui {
namespace {

std::shared_ptr<Backend>& Current() {
    static std::shared_ptr<Backend> current;
    return current;
}

}  // namespace

Backend& CurrentBackend() {
    if (!Current()) throw std::logic_error("no user-interface backend was composed");
    return *Current();
}

std::shared_ptr<Backend> ReplaceBackend(std::shared_ptr<Backend> backend) {
    std::shared_ptr<Backend> previous = std::move(Current());
    Current() = std::move(backend);
    return previous;
}

}  // namespace ui
