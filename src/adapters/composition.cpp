#include "adapters/composition.h"

#include <memory>
#include <optional>

#include "adapters/postgresql/postgres_driver.h"
#include "adapters/routing_driver.h"
#include "adapters/spdlog/rotating_log.h"
#include "adapters/sqlite/sqlite_driver.h"
#include "adapters/wx/wx_backend.h"
#include "platform/db/driver.h"
#include "platform/diagnostic_log.h"
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

std::shared_ptr<ui::Backend> Desktop(const DesktopOptions& options) {
    std::shared_ptr<WxBackend> backend = WxBackend::Start();
    if (!backend) return nullptr;
    backend->SetScripted(options.scripted);
    if (!options.pictureFolder.empty()) backend->SavePictures(options.pictureFolder);
    return backend;
}

}  // namespace

bool Compose(Screen screen, const DesktopOptions& desktop) {
    std::shared_ptr<ui::Backend> backend =
        screen == Screen::Desktop ? Desktop(desktop) : HeadlessOnRealClock();
    if (!backend) return false;
    db::ReplaceDriver(
        std::make_shared<RoutingDriver>(SqliteDriver::Shared(), PostgresDriver::Shared()));
    ui::ReplaceBackend(std::move(backend));
    diag::ReplaceSink(MakeRotatingLog());
    Composed() = screen;
    return true;
}

void EnsureComposed() {
    if (!Composed()) Compose(Screen::Headless);
}

Screen ComposedScreen() {
    return Composed().value_or(Screen::Headless);
}

}  // namespace adapters
