#pragma once
// The diagnostic log on spdlog's rotating file sink: Prixel.log in the company folder, started
// afresh as Prixel.1.log (the oldest dropped) once it would pass its size.

#include <memory>

#include "platform/diagnostic_log.h"

namespace adapters {

std::shared_ptr<diag::Sink> MakeRotatingLog();

}  // namespace adapters
