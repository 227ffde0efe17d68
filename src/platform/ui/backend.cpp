#include "platform/ui/backend.h"

#include "platform/ui/headless/headless_backend.h"

namespace ui {
namespace {

std::shared_ptr<Backend> DefaultBackend() {
    static RealClock clock;
    static std::shared_ptr<Backend> backend = std::make_shared<HeadlessBackend>(clock);
    return backend;
}

std::shared_ptr<Backend>& Current() {
    static std::shared_ptr<Backend> current = DefaultBackend();
    return current;
}

}  // namespace

Backend& CurrentBackend() {
    return *Current();
}

std::shared_ptr<Backend> ReplaceBackend(std::shared_ptr<Backend> backend) {
    std::shared_ptr<Backend> previous = std::move(Current());
    Current() = backend ? std::move(backend) : DefaultBackend();
    return previous;
}

}  // namespace ui
