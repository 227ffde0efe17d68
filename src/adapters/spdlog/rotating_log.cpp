#include "adapters/spdlog/rotating_log.h"

#include <spdlog/logger.h>
#include <spdlog/sinks/rotating_file_sink.h>

#include <filesystem>

namespace adapters {
namespace {

// One logger at a time, on the folder written last: a host works on one company at a time. The
// logger is the plug-in's own, not registered with spdlog, so a host that logs with spdlog keeps
// its loggers to itself.
class RotatingLog : public diag::Sink {
  public:
    void Write(const std::string& folder, const std::string& line) override {
        try {
            if (folder != m_folder || !m_logger) Open(folder);
            m_logger->info(line);
        } catch (const spdlog::spdlog_ex&) {
            m_logger.reset();
        }
    }

  private:
    void Open(const std::string& folder) {
        m_logger.reset();
        m_folder = folder;
        const std::filesystem::path file = std::filesystem::path(folder) / diag::LOG_FILE;
        auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_st>(
            file.string(), diag::LOG_MAX_BYTES, diag::LOG_OLD_FILES);
        m_logger = std::make_shared<spdlog::logger>("prixel", std::move(sink));
        m_logger->set_pattern("%Y-%m-%d %H:%M:%S %v");
        m_logger->flush_on(spdlog::level::info);
    }

    std::string m_folder;
    std::shared_ptr<spdlog::logger> m_logger;
};

}  // namespace

std::shared_ptr<diag::Sink> MakeRotatingLog() {
    return std::make_shared<RotatingLog>();
}

}  // namespace adapters
