#include "service_server.h"

#include <chrono>
#include <thread>

#include "answer_format.h"
#include "html_pages.h"
#include "page_coding.h"
#include "platform/text.h"

namespace {

constexpr const char* kPageType = "text/html; charset=windows-1252";

void SendPage(const httplib::Request& request, const std::string& utf8Html,
              httplib::Response& response, int status = 200) {
    response.status = status;
    SetCodedContent(request, response, text::FromUtf8(utf8Html), kPageType);
}

std::string Param(const httplib::Request& request, const char* name) {
    return text::ToUtf8(request.get_param_value(name));
}

// The request's texts arrive as windows-1252 bytes; the catalogue speaks UTF-8.
ServiceRequest InUtf8(ServiceRequest request) {
    for (std::string* piece :
         {&request.param, &request.identity.customer, &request.identity.computer,
          &request.identity.server, &request.identity.rights, &request.company})
        *piece = text::ToUtf8(*piece);
    return request;
}

constexpr std::size_t kRequestsPerConnection = 10000;
constexpr time_t kKeepAliveSeconds = 60;

}  // namespace

ServiceServer::ServiceServer(CatalogueStore& store, const std::string& certFile,
                             const std::string& keyFile, std::string advertised)
    : m_store(store),
      m_answers(store),
      m_admin(store, m_faults, m_log),
      m_server(certFile.c_str(), keyFile.c_str()),
      m_advertised(std::move(advertised)) {
    // Answers leave at once, and a client keeps its connection for many requests, as a
    // browser talking to a real server does.
    m_server.set_tcp_nodelay(true);
    m_server.set_keep_alive_max_count(kRequestsPerConnection);
    m_server.set_keep_alive_timeout(kKeepAliveSeconds);
    m_admin.Register(m_server);
    RegisterPages();
}

int ServiceServer::Bind(int port) {
    m_port = port == 0 ? m_server.bind_to_any_port("127.0.0.1")
                       : (m_server.bind_to_port("127.0.0.1", port) ? port : -1);
    return m_port;
}

void ServiceServer::RegisterPages() {
    auto serve =
        [this](void (ServiceServer::*handler)(const httplib::Request&, httplib::Response&)) {
            return [this, handler](const httplib::Request& request, httplib::Response& response) {
                (this->*handler)(request, response);
            };
        };
    m_server.Get("/catalogue", serve(&ServiceServer::ServeCatalogue));
    m_server.Get("/catalogue/(pick|unpick|pick-maker)", serve(&ServiceServer::ServePick));
    m_server.Post("/compte", serve(&ServiceServer::ServeAccount));
    m_server.Get(".*", serve(&ServiceServer::ServeAddress));
}

std::string ServiceServer::OwnAddress(const httplib::Request& request) const {
    if (!m_advertised.empty()) return m_advertised;
    const std::string host = request.get_header_value("Host");
    return host.empty() ? "127.0.0.1:" + std::to_string(m_port) : host;
}

void ServiceServer::ServeAddress(const httplib::Request& request, httplib::Response& response) {
    m_log.Add(text::ToUtf8(PercentDecode(request.target)));
    if (const int delay = m_faults.delayMs; delay > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    const auto parsed = ParseTarget(request.target);
    if (!parsed) {
        SendPage(request, MessagePage("Vako Prixel", "Adresse inconnue du service."), response,
                 404);
        return;
    }
    SendAnswer(request, m_answers.Answer(InUtf8(*parsed), OwnAddress(request)), response);
}

void ServiceServer::SendAnswer(const httplib::Request& request, const ServicePage& page,
                               httplib::Response& response) {
    if (!page.isAnswer) {
        SendPage(request, page.html, response);
        return;
    }
    const std::string answer = text::FromUtf8(page.answer);
    std::string html = m_faults.malformed ? MalformedEnvelope(answer) : Envelope(answer);
    if (const long long size = m_faults.oversizeBytes; size > 0) html = PadPage(html, size);
    SetCodedContent(request, response, std::move(html), kPageType);
}

void ServiceServer::ServeCatalogue(const httplib::Request& request, httplib::Response& response) {
    m_log.Add(text::ToUtf8(PercentDecode(request.target)));
    const std::string stamp = Param(request, "stamp");
    const std::string query = text::Trim(Param(request, "q"));
    SendPage(request,
             CataloguePage(stamp, query, m_store.Search(query, ServiceAnswers::kSearchLimit),
                           m_store.Picked(stamp)),
             response);
}

void ServiceServer::ServePick(const httplib::Request& request, httplib::Response& response) {
    m_log.Add(text::ToUtf8(PercentDecode(request.target)));
    const std::string action = request.matches[1];
    const std::string stamp = Param(request, "stamp");
    if (action == "pick-maker") {
        for (const Article& article : m_store.ArticlesOf(Param(request, "maker")))
            if (!article.withdrawn) m_store.Pick(stamp, article.Code());
    } else if (action == "pick") {
        m_store.Pick(stamp, Param(request, "code"));
    } else {
        m_store.Unpick(stamp, Param(request, "code"));
    }
    response.set_redirect("/catalogue?stamp=" + QueryValue(stamp) +
                          "&q=" + QueryValue(Param(request, "q")));
}

void ServiceServer::ServeAccount(const httplib::Request& request, httplib::Response& response) {
    m_log.Add(text::ToUtf8(PercentDecode(request.target)));
    const std::string company = text::Trim(Param(request, "societe"));
    const std::string email = text::Trim(Param(request, "email"));
    if (company.empty() || email.empty()) {
        SendPage(
            request,
            MessagePage("Création de compte", "Renseignez la raison sociale et l'adresse e-mail."),
            response, 400);
        return;
    }
    SendPage(request, AccountOpenedPage(m_store.OpenAccount(company, email)), response);
}
