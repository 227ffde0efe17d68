#include "adapters/curl/curl_browser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

#include "adapters/curl/error_page.h"
#include "platform/text.h"
#include "platform/ui/headless/headless_backend.h"
#include "support/quiet_port.h"
#include "support/running_service.h"
#include "support/test_certificates.h"

namespace {

const std::string kErrorPageStart = text::FromUtf8(
    "<HTML><BODY><H1>Impossible d'afficher la page</H1><P>La connexion au serveur a "
    "échoué.</P><P>");

// An HTTPS server on a free port of the given loopback address, answering every GET with one
// page, and noting what it was asked and from which client ports. Unless told to keep them, it
// closes connections after each answer, so that stopping it never waits for idle ones. The test
// sets what it answers while no request is under way.
class HttpsServer {
  public:
    explicit HttpsServer(const TestCertificates& certificates,
                         const std::string& host = "127.0.0.1")
        : m_server(certificates.ServerCertFile().c_str(), certificates.ServerKeyFile().c_str()),
          m_host(host) {
        m_server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(m_mutex);
            m_targets.push_back(request.target);
            m_clientPorts.insert(request.remote_port);
            response.status = status;
            response.set_content(body, encoding.empty() ? "text/html; charset=windows-1252"
                                                        : "application/octet-stream");
            if (!encoding.empty()) response.set_header("Content-Encoding", encoding);
            if (!keepConnections) response.set_header("Connection", "close");
        });
        m_port = m_server.bind_to_any_port(host);
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running()) std::this_thread::yield();
    }
    ~HttpsServer() {
        m_server.stop();
        m_thread.join();
    }

    std::string Url(const std::string& target) const {
        return "https://" + m_host + ":" + std::to_string(m_port) + target;
    }
    std::vector<std::string> Targets() {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }
    std::size_t Connections() {
        std::lock_guard lock(m_mutex);
        return m_clientPorts.size();
    }

    int status = 200;
    std::string body = "<HTML><BODY><PRE>ok</PRE></BODY></HTML>";
    std::string encoding;  // of a body already encoded, sent as it is
    bool keepConnections = false;

  private:
    httplib::SSLServer m_server;
    std::string m_host;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    std::vector<std::string> m_targets;
    std::set<int> m_clientPorts;
};

// size bytes of 'x' in the gzip format: a few kilobytes for megabytes of page.
std::string GzipOfRepeatedBytes(std::size_t size) {
    return CommandOutput("head -c " + std::to_string(size) + " /dev/zero | tr '\\0' x | gzip -9");
}

}  // namespace

class CurlBrowserTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { s_certificates = new TestCertificates; }
    static void TearDownTestSuite() { delete s_certificates; }
    void SetUp() override { setenv("PRIXEL_CA_FILE", s_certificates->CaFile().c_str(), 1); }
    void TearDown() override { unsetenv("PRIXEL_CA_FILE"); }

    std::unique_ptr<CurlBrowser> CreatedBrowser() {
        auto browser = std::make_unique<CurlBrowser>();
        browser->Create(nullptr, 5000,
                        [this](const std::string& url) { m_completed.push_back(url); });
        return browser;
    }
    // Runs the loop while keepGoing holds, for at most limit of real time (a safety net).
    void RunWhile(const std::function<bool()>& keepGoing, std::chrono::milliseconds limit) {
        auto end = std::chrono::steady_clock::now() + limit;
        m_backend->RunWhile([&] { return keepGoing() && std::chrono::steady_clock::now() < end; });
    }
    void RunUntilCompleted(std::size_t count = 1) {
        RunWhile([&] { return m_completed.size() < count; }, std::chrono::seconds(30));
        ASSERT_EQ(m_completed.size(), count);
    }
    std::string Fetch(const std::string& url) {
        auto browser = CreatedBrowser();
        browser->Navigate(url);
        RunUntilCompleted(m_completed.size() + 1);
        m_cause = text::ToUtf8(browser->FailureCause());
        return browser->SaveDocument().value_or("(none)");
    }

    static TestCertificates* s_certificates;
    ui::VirtualClock m_clock;
    std::shared_ptr<ui::HeadlessBackend> m_backend = std::make_shared<ui::HeadlessBackend>(m_clock);
    ui::ScopedBackend m_scopedBackend{m_backend};
    std::vector<std::string> m_completed;
    std::string m_cause;  // of the last page fetched, in UTF-8
};

TestCertificates* CurlBrowserTest::s_certificates = nullptr;

// A silent server never completes, and a new navigation drops it.
TEST_F(CurlBrowserTest, PagesAreSavedByteForByteOverOneConnectionWithTheirAddressEncoded) {
    QuietPort silent(true);
    HttpsServer server(*s_certificates);
    server.keepConnections = true;
    server.body.assign(1 << 20, '\0');
    for (std::size_t i = 0; i < server.body.size(); ++i) server.body[i] = static_cast<char>(i);
    auto browser = CreatedBrowser();
    browser->Navigate(silent.Url());
    RunWhile([] { return true; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(m_completed.empty());
    browser->Navigate(server.Url("/page"));
    EXPECT_EQ(browser->SaveDocument(), std::nullopt);
    RunUntilCompleted();
    EXPECT_EQ(m_completed[0], server.Url("/page"));
    EXPECT_EQ(browser->SaveDocument(), server.body);
    EXPECT_EQ(browser->FailureCause(), "");

    // An error status completes with the server's body.
    server.status = 500;
    server.body = "<HTML><BODY>Erreur du serveur</BODY></HTML>";
    EXPECT_EQ(Fetch(server.Url("/p a?x=a b|\xE9:_#fragment")), server.body);
    EXPECT_EQ(m_cause, "statut HTTP 500");

    // A compressed page is cut where the dialog would refuse it.
    server.status = 200;
    server.encoding = "gzip";
    server.body = GzipOfRepeatedBytes(PRIXEL_MAX_DOCUMENT - 1);
    EXPECT_EQ(Fetch(server.Url("/p")), std::string(PRIXEL_MAX_DOCUMENT - 1, 'x'));
    server.keepConnections = false;
    server.body = GzipOfRepeatedBytes(4 * PRIXEL_MAX_DOCUMENT);
    EXPECT_EQ(Fetch(server.Url("/p")), std::string(PRIXEL_MAX_DOCUMENT, 'x'));
    EXPECT_EQ(m_cause, "page trop grande : 10000000 octets ou plus une fois décompressée");

    EXPECT_EQ(server.Targets().at(1), "/p%20a?x=a%20b|%E9:_");
    EXPECT_EQ(server.Connections(), 1u);
}

// No request reaches a server whose certificate is not trusted.
TEST_F(CurlBrowserTest, FailedConnectionsGiveTheErrorPageWithTheirCause) {
    HttpsServer misnamed(*s_certificates, "127.0.0.2");
    HttpsServer server(*s_certificates);
    QuietPort closed(false);
    const struct {
        const char* name;
        std::string url;
        bool trusted;
        const char* cause;
    } cases[] = {
        {"misnamed", misnamed.Url("/p"), true,
         "certificat non vérifié \\(curl 60 : .*127\\.0\\.0\\.2.*\\), résultat de la vérification "
         "[0-9]+"},
        // OpenSSL's 20: the issuer of the certificate is not known.
        {"unknown authority", server.Url("/p"), false,
         "certificat non vérifié \\(curl 60 : SSL certificate problem: .*\\), résultat de la "
         "vérification 20"},
        {"refused", closed.Url(), false, "connexion refusée \\(curl 7 : .*\\)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.trusted) unsetenv("PRIXEL_CA_FILE");
        const std::string document = Fetch(c.url);
        EXPECT_EQ(document.rfind(kErrorPageStart, 0), 0u) << document;
        EXPECT_TRUE(document.ends_with("</P></BODY></HTML>")) << document;
        EXPECT_THAT(m_cause, testing::MatchesRegex(c.cause));
    }
    EXPECT_TRUE(misnamed.Targets().empty());
    EXPECT_TRUE(server.Targets().empty());
    // The detail is escaped.
    EXPECT_EQ(ErrorPage("<BODY><PRE>&"),
              kErrorPageStart + "&lt;BODY&gt;&lt;PRE&gt;&amp;</P></BODY></HTML>");
}

TEST_F(CurlBrowserTest, CompletionPostedBeforeTheBrowserIsDestroyedIsNotTold) {
    HttpsServer server(*s_certificates);
    auto browser = CreatedBrowser();
    browser->Navigate(server.Url("/p"));
    RunWhile([&] { return !browser->SaveDocument(); }, std::chrono::seconds(30));
    ASSERT_TRUE(browser->SaveDocument());
    browser.reset();
    m_backend->PumpPending();
    EXPECT_TRUE(m_completed.empty());
}
