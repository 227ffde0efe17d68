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

const std::string kErrorPageStart = "<HTML><BODY><H1>Impossible d'afficher la page</H1>";

// An HTTPS server on a free port of the given loopback address, answering every GET with one
// page, and noting what it was asked and from which client ports. Unless told to keep them, it
// closes connections after each answer, so that stopping it never waits for idle ones.
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
            response.status = m_status;
            response.set_content(m_body, m_contentType);
            if (!m_encoding.empty()) response.set_header("Content-Encoding", m_encoding);
            if (!m_keepConnections) response.set_header("Connection", "close");
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
    void Answer(int status, const std::string& body) {
        std::lock_guard lock(m_mutex);
        m_status = status;
        m_body = body;
    }
    // A body already encoded (gzip), sent as it is.
    void AnswerEncoded(const std::string& encoding, const std::string& body) {
        std::lock_guard lock(m_mutex);
        m_encoding = encoding;
        m_contentType = "application/octet-stream";
        m_body = body;
    }
    void KeepConnections(bool keep) {
        std::lock_guard lock(m_mutex);
        m_keepConnections = keep;
    }
    std::vector<std::string> Targets() {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }
    std::size_t Connections() {
        std::lock_guard lock(m_mutex);
        return m_clientPorts.size();
    }

  private:
    httplib::SSLServer m_server;
    std::string m_host;
    int m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    int m_status = 200;
    bool m_keepConnections = false;
    std::string m_body = "<HTML><BODY><PRE>ok</PRE></BODY></HTML>";
    std::string m_contentType = "text/html; charset=windows-1252";
    std::string m_encoding;
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

TEST_F(CurlBrowserTest, PageIsSavedByteForByteAndCompletionNamesTheAddress) {
    HttpsServer server(*s_certificates);
    std::string page(1 << 20, '\0');
    for (std::size_t i = 0; i < page.size(); ++i) page[i] = static_cast<char>(i % 256);
    server.Answer(200, page);
    auto browser = CreatedBrowser();
    browser->Navigate(server.Url("/page"));
    EXPECT_EQ(browser->SaveDocument(), std::nullopt);
    RunUntilCompleted();
    EXPECT_EQ(m_completed[0], server.Url("/page"));
    EXPECT_EQ(browser->SaveDocument(), page);
    EXPECT_EQ(browser->FailureCause(), "");
}

TEST_F(CurlBrowserTest, CompressedPageIsCutWhereTheDialogWouldRefuseIt) {
    HttpsServer server(*s_certificates);
    server.AnswerEncoded("gzip", GzipOfRepeatedBytes(PRIXEL_MAX_DOCUMENT - 1));
    EXPECT_EQ(Fetch(server.Url("/p")), std::string(PRIXEL_MAX_DOCUMENT - 1, 'x'));

    server.AnswerEncoded("gzip", GzipOfRepeatedBytes(4 * PRIXEL_MAX_DOCUMENT));
    EXPECT_EQ(Fetch(server.Url("/p")), std::string(PRIXEL_MAX_DOCUMENT, 'x'));
    EXPECT_EQ(m_cause, "page trop grande : 10000000 octets ou plus une fois décompressée");
}

TEST_F(CurlBrowserTest, AddressIsSentEncodedAndAnErrorStatusCompletesWithTheServersBody) {
    HttpsServer server(*s_certificates);
    server.Answer(500, "<HTML><BODY>Erreur du serveur</BODY></HTML>");
    EXPECT_EQ(Fetch(server.Url("/p a?x=a b|\xE9:_#fragment")),
              "<HTML><BODY>Erreur du serveur</BODY></HTML>");
    EXPECT_EQ(server.Targets(), std::vector<std::string>{"/p%20a?x=a%20b|%E9:_"});
    EXPECT_EQ(m_cause, "statut HTTP 500");
}

TEST_F(CurlBrowserTest, UntrustedOrMisnamedCertificateGivesTheErrorPageAndNoRequest) {
    HttpsServer misnamed(*s_certificates, "127.0.0.2");
    std::string document = Fetch(misnamed.Url("/p"));
    EXPECT_EQ(document.rfind(kErrorPageStart, 0), 0u) << document;
    EXPECT_TRUE(misnamed.Targets().empty());
    EXPECT_THAT(m_cause,
                testing::MatchesRegex("certificat non vérifié \\(curl 60 : .*127\\.0\\.0\\.2.*"
                                      "\\), résultat de la vérification [0-9]+"));

    HttpsServer server(*s_certificates);
    unsetenv("PRIXEL_CA_FILE");
    document = Fetch(server.Url("/p"));
    EXPECT_EQ(document.rfind(kErrorPageStart, 0), 0u) << document;
    EXPECT_TRUE(server.Targets().empty());
    // OpenSSL's 20: the issuer of the certificate is not known.
    EXPECT_THAT(m_cause,
                testing::MatchesRegex("certificat non vérifié \\(curl 60 : SSL certificate "
                                      "problem: .*\\), résultat de la vérification 20"));
}

TEST_F(CurlBrowserTest, RefusedConnectionGivesTheErrorPageWithItsDetail) {
    QuietPort closed(false);
    std::string document = Fetch(closed.Url());
    EXPECT_EQ(document.rfind(kErrorPageStart + "<P>La connexion au serveur a \xE9"
                                               "chou\xE9.</P><P>",
                             0),
              0u)
        << document;
    EXPECT_NE(document.find("</P></BODY></HTML>"), std::string::npos);
    EXPECT_THAT(m_cause, testing::StartsWith("connexion refusée (curl 7 : "));
    // The detail is escaped.
    EXPECT_NE(ErrorPage("<BODY><PRE>&").find("<P>&lt;BODY&gt;&lt;PRE&gt;&amp;</P>"),
              std::string::npos);
}

TEST_F(CurlBrowserTest, SilentServerNeverCompletesAndANewNavigationDropsIt) {
    QuietPort silent(true);
    HttpsServer server(*s_certificates);
    auto browser = CreatedBrowser();
    browser->Navigate(silent.Url());
    RunWhile([] { return true; }, std::chrono::milliseconds(300));
    EXPECT_TRUE(m_completed.empty());
    EXPECT_EQ(browser->SaveDocument(), std::nullopt);
    browser->Navigate(server.Url("/second"));
    RunUntilCompleted();
    RunWhile([] { return true; }, std::chrono::milliseconds(100));
    EXPECT_EQ(m_completed, std::vector<std::string>{server.Url("/second")});
    EXPECT_EQ(browser->SaveDocument(), "<HTML><BODY><PRE>ok</PRE></BODY></HTML>");
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

TEST_F(CurlBrowserTest, SuccessiveBrowsersReuseOneConnection) {
    HttpsServer server(*s_certificates);
    server.KeepConnections(true);
    Fetch(server.Url("/first"));
    Fetch(server.Url("/second"));
    server.KeepConnections(false);
    Fetch(server.Url("/third"));
    EXPECT_EQ(server.Targets().size(), 3u);
    EXPECT_EQ(server.Connections(), 1u);
}
