#include "adapters/routing_driver.h"

#include <cctype>
#include <utility>

namespace adapters {

namespace {

bool IsKeywordCharacter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Whether text begins, after blanks, with a keyword followed by '=' (blanks allowed around it).
bool BeginsWithSetting(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t keyword = i;
    while (i < text.size() && IsKeywordCharacter(text[i])) ++i;
    if (i == keyword) return false;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i < text.size() && text[i] == '=';
}

}  // namespace

RoutingDriver::RoutingDriver(std::shared_ptr<db::Driver> files, std::shared_ptr<db::Driver> server)
    : m_files(std::move(files)), m_server(std::move(server)) {}

bool RoutingDriver::IsServerAddress(std::string_view address) {
    return address.starts_with("postgresql://") || address.starts_with("postgres://") ||
           BeginsWithSetting(address);
}

std::shared_ptr<db::Connection> RoutingDriver::Open(const std::string& path, bool readOnly) {
    return DriverOf(path).Open(path, readOnly);
}

std::shared_ptr<db::Connection> RoutingDriver::Create(const std::string& path) {
    return DriverOf(path).Create(path);
}

void RoutingDriver::SetLockWait(int milliseconds) {
    m_files->SetLockWait(milliseconds);
    m_server->SetLockWait(milliseconds);
}

db::Driver& RoutingDriver::DriverOf(std::string_view address) const {
    return IsServerAddress(address) ? *m_server : *m_files;
}

}  // namespace adapters
