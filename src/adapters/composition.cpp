#include "adapters/composition.h"

#include <memory>
#include <optional>

#include "adapters/sqlite/sqlite_driver.h"
#include "platform/db/driver.h"
#include "platform/ui/backend.h"
#include "platform/ui/headless/headless_backend.h"

namespace adapters {
namespace {

std::optional<Screen>& Composed() {
    static std::optional<Screen> screen;
    return screen;
}

std::shared_ptr<ui::Backend> HeadlessOnRealClock() {
    static ui::RealClock clock;
    return std::make_shared<ui::HeadlessBackend>(clock);
}

}  // namespace

void Compose(Screen screen) {
    db::ReplaceDriver(SqliteDriver::Shared());
    ui::ReplaceBackend(HeadlessOnRealClock());
    Composed() = screen;
}

void EnsureComposed() {
    if (!Composed()) Compose(Screen::Headless);
}

Screen ComposedScreen() {
    return Composed().value_or(Screen::Headless);
}

}  // namespace adapters
