#pragma once
// The modal dialog every exchange with the service goes through. It holds the embedded browser,
// opens the request's address, and — when the kind expects an answer — saves the document that
// completes as the answer: at once for the silent kinds, after Valider for the catalogues. A
// time-out read from Prixel.ini ends it when a page takes too long.

#include <memory>
#include <string>

#include "connection/prixel_request.h"
#include "connection/web_browser.h"
#include "platform/ui/dialog.h"

class CPrixelSettings;

// Results of the dialog besides IDOK (a document was saved), 0 (the user left) and IDCANCEL.
inline constexpr int PRIXEL_TOO_LARGE = 10;
inline constexpr int PRIXEL_NO_CONNECTION = 11;

// The time-out timer's id; the toaster uses the same id on its own window.
inline constexpr unsigned PRIXEL_TIMER_ID = 987654321;

class CPrixelWebDlg : public CDialog {
  public:
    CPrixelWebDlg(PrixelRequestKind kind, CPrixelSettings* settings, std::string param,
                  CWnd* parent);
    ~CPrixelWebDlg() override;

    // The page's text after a result of IDOK: the saved bytes up to the first zero byte; empty
    // when no document could be saved.
    std::string GetPageText() const;

    bool OnInitDialog() override;
    void OnDocumentComplete(const std::string& url);
    void OnValider();
    void OnQuitter();
    void OnTimer(unsigned id) override;

    std::unique_ptr<std::string> m_pAnswerText;
    std::unique_ptr<CWebBrowser2> m_browser;
    unsigned m_nTimer = 0;
    int m_nNavigateTimeout = 0;
    bool m_bAnswerPending = false;
    PrixelRequestKind m_nKind;
    std::string m_strServer;
    std::string m_strPath;
    std::string m_strPage;
    std::string m_strPageKey;
    std::string m_strPageCode;
    std::string m_strParam;
    std::string m_strStamp;
    std::string m_strIdentity;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void StartTimeout();
    // Opens the request's address, or the recuperation's.
    void NavigateTo(bool recuperation);
    std::string Address(bool recuperation, const std::string& identity,
                        const std::string& param) const;
    // Ends the dialog with the document just completed as the answer; cause, when not empty, is
    // why that document is not the service's page.
    void SaveAnswerAndEnd(std::string cause);
    // Writes a line into the company's diagnostic log about the address opened last.
    void LogFailure(const std::string& cause) const;
    void LogCutAtZero(const std::string& document) const;

    bool m_bBrowserCreated = false;
    std::string m_strHostVersion;
    // The address opened last, without the identity of who asks, for the diagnostic log.
    std::string m_strLoggedAddress;
};
