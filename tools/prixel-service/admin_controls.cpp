#include "admin_controls.h"

#include <stdexcept>

#include "answer_format.h"
#include "page_coding.h"
#include "platform/text.h"
#include "service_answers.h"

namespace {

constexpr const char* kAdminType = "text/plain; charset=utf-8";

// A refused control: its message goes back with status 400.
struct AdminRefusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Required(const httplib::Request& request, const char* name) {
    if (!request.has_param(name)) throw AdminRefusal(std::string("Paramètre manquant : ") + name);
    return text::ToUtf8(request.get_param_value(name));
}

long long WholeNumber(const std::string& text, const char* name) {
    size_t used = 0;
    long long value = -1;
    try {
        value = std::stoll(text, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (used != text.size() || value < 0)
        throw AdminRefusal(std::string("Nombre invalide pour ") + name + " : " + text);
    return value;
}

double Factor(const httplib::Request& request) {
    if (!request.has_param("factor")) return 1.0;
    const std::string text = request.get_param_value("factor");
    size_t used = 0;
    double value = 0.0;
    try {
        value = std::stod(text, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (used != text.size() || value <= 0.0)
        throw AdminRefusal("Coefficient de prix invalide : " + text);
    return value;
}

}  // namespace

void AddressLog::Add(const std::string& address) {
    std::lock_guard lock(m_mutex);
    m_lines.push_back(address);
}

std::vector<std::string> AddressLog::Lines() {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

void AddressLog::Clear() {
    std::lock_guard lock(m_mutex);
    m_lines.clear();
}

bool IsLoopback(const std::string& address) {
    return address.starts_with("127.") || address == "::1" || address.starts_with("::ffff:127.");
}

std::string PadPage(std::string page, long long size) {
    const std::string open = "\r\n<!-- ";
    const std::string close = " -->\r\n";
    const long long room = size - static_cast<long long>(page.size() + open.size() + close.size());
    if (room < 0) return page;
    return page + open + std::string(static_cast<size_t>(room), 'x') + close;
}

void AdminControls::Register(httplib::Server& server) {
    Route(server, "/admin/tariff", &AdminControls::Tariff);
    Route(server, "/admin/withdraw", &AdminControls::Withdraw);
    Route(server, "/admin/delay", &AdminControls::Delay);
    Route(server, "/admin/oversize", &AdminControls::Oversize);
    Route(server, "/admin/malformed", &AdminControls::Malformed);
    Route(server, "/admin/log", &AdminControls::Log);
    Route(server, "/admin/pick", &AdminControls::Pick);
    Route(server, "/admin/suppliers", &AdminControls::Suppliers);
    Route(server, "/admin/reset", &AdminControls::Reset);
}

void AdminControls::Route(httplib::Server& server, const std::string& path, Handler handler) {
    auto serve = [this, handler](const httplib::Request& request, httplib::Response& response) {
        if (!IsLoopback(request.remote_addr)) {
            response.status = 403;
            SetCodedContent(request, response, "Réservé à cette machine.\n", kAdminType);
            return;
        }
        try {
            SetCodedContent(request, response, (this->*handler)(request), kAdminType);
        } catch (const AdminRefusal& refusal) {
            response.status = 400;
            SetCodedContent(request, response, std::string(refusal.what()) + "\n", kAdminType);
        }
    };
    server.Get(path, serve);
    server.Post(path, serve);
}

std::string AdminControls::Tariff(const httplib::Request& request) {
    const std::string maker = Required(request, "maker");
    const std::string date = YearMonthDay(Required(request, "date"));
    if (date.empty()) throw AdminRefusal("Date invalide, JJ/MM/AAAA attendu");
    const std::string version = Required(request, "version");
    if (!m_store.ChangeTariff(maker, date, version, Factor(request)))
        throw AdminRefusal("Fabricant inconnu : " + maker);
    return "tarif " + maker + " " + DayMonthYear(date) + " " + version + "\n";
}

std::string AdminControls::Withdraw(const httplib::Request& request) {
    const std::string code = Required(request, "code");
    if (!m_store.Withdraw(code)) throw AdminRefusal("Article inconnu : " + code);
    return "retiré " + code + "\n";
}

std::string AdminControls::Delay(const httplib::Request& request) {
    m_faults.delayMs = static_cast<int>(WholeNumber(Required(request, "ms"), "ms"));
    return "délai " + std::to_string(m_faults.delayMs) + " ms\n";
}

std::string AdminControls::Oversize(const httplib::Request& request) {
    m_faults.oversizeBytes = WholeNumber(Required(request, "bytes"), "bytes");
    return "taille " + std::to_string(m_faults.oversizeBytes) + " octets\n";
}

std::string AdminControls::Malformed(const httplib::Request& request) {
    m_faults.malformed = Required(request, "on") != "0";
    return m_faults.malformed ? "pages sans balises\n" : "pages normales\n";
}

std::string AdminControls::Log(const httplib::Request& request) {
    std::string lines;
    for (const std::string& line : m_log.Lines()) lines += line + "\n";
    if (request.has_param("clear")) m_log.Clear();
    return lines;
}

std::string AdminControls::Pick(const httplib::Request& request) {
    const std::string stamp = Required(request, "stamp");
    const std::vector<std::string> codes = SplitText(Required(request, "codes"), ',');
    for (const std::string& code : codes)
        if (!m_store.FindArticle(code)) throw AdminRefusal("Article inconnu : " + code);
    std::string picked;
    for (const std::string& code : codes) {
        m_store.Pick(stamp, code);
        picked += " " + code;
    }
    return "choisis" + picked + "\n";
}

std::string AdminControls::Suppliers(const httplib::Request&) {
    std::string lines;
    for (const std::string& batch : m_store.SupplierBatches()) lines += batch + "\n";
    return lines;
}

std::string AdminControls::Reset(const httplib::Request&) {
    m_faults.delayMs = 0;
    m_faults.oversizeBytes = 0;
    m_faults.malformed = false;
    m_log.Clear();
    return "réinitialisé\n";
}
