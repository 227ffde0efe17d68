#pragma once
// The plug-in's facade: the one class the library exports. The host creates one CPrixelCtrl,
// keeps it as long as it wants the service, and calls its members from its user-interface thread.

#include <list>
#include <string>

#define PRIXEL_EXPORT __attribute__((visibility("default")))

class CPrixelSettings;
class CPrixelMaker;
class CPrixelToasterDlg;

class PRIXEL_EXPORT CPrixelCtrl {
  public:
    enum PrixelUpdateState {
        PrixelUpToDate = 0,
        PrixelOutOfDate = 1,
        PrixelNotChecked = 2,
    };

    enum PrixelRecordingState {
        PrixelRecordedWithoutRights = 0,
        PrixelRecorded = 1,
        PrixelNotRecorded = 2,
        PrixelNoAnswer = 3,
    };

    CPrixelCtrl();
    // A copy shares the settings, the maker array and the toaster of the facade it was copied
    // from; the last facade holding them deletes them.
    CPrixelCtrl(const CPrixelCtrl& other);
    CPrixelCtrl& operator=(const CPrixelCtrl& other);
    virtual ~CPrixelCtrl();

    // Catalogue browsing: the user picks articles on the service, which are written into the
    // library (toLibrary non-zero) or the open study; their codes are appended to codes. Answers
    // how many were written.
    int OpenVarnelo(std::list<std::string>& codes, std::string text, int toLibrary, int notify);

    // Opens the maker's product page in the user's own web browser.
    void OpenVakoPrixelCom();
    // Show the service's sheet of an article, a product or a maker; nothing comes back.
    void OpenArticleSheet(std::string a, std::string b, std::string c, std::string d);
    void OpenMakerSheet(std::string maker);
    void OpenProductSheet(std::string a, std::string b, std::string c);

    // Asks the service which makers' tariffs changed and finds the library's out-of-date articles.
    PrixelUpdateState IsUpToDate();
    // Number of library articles out of date over all makers of the last up-to-date check.
    int GetArticleUpToDateCount();
    // The update dialog: lists the out-of-date makers and refreshes one or all of them. Answers
    // non-zero when no maker is left out of date.
    int OpenUpdate();
    // Bring the service's current data of named articles into the library (toLibrary non-zero)
    // or the open study; the four texts are joined with ",".
    void UpdatePrixelArticle(std::string a, std::string b, std::string c, std::string d,
                             int toLibrary);
    void UpdatePrixelArticle(std::string param, int toLibrary);
    // One article's list price at the service, as text; empty when none came back.
    std::string GetArticleTarif(std::string a, std::string b, std::string c);

    // Registers the company with the service and keeps the identity it answers.
    void CustomerRecording();
    // Outcome of the last customer recording or account creation; PrixelNoAnswer until one ran.
    PrixelRecordingState GetRecordingState();
    // Lets the user create an account on the service's pages.
    void CreateAccount();

    // Sends the host's supplier contacts to the service, in batches; writes nothing.
    void SynchronizeProvider();
    // Whether the service is on for the current company folder (1) or off (0); when it is off, a
    // user holding the parameter right may switch it back on, which records the customer again.
    int CheckPrixelActivate();

    // Imports ready-made works, their trades and families from a folder of text files that the
    // user chooses, with the prefix of the codes to create.
    void ImportWork();

    // Shows text for three seconds in a small window at the corner of the screen.
    void DisplayToaster(std::string text);

  private:
    void UpdatePrixelMaker(int index);
    void UpdateRecordingState(std::string header);
    std::string ClearSymbol(std::string text);
    void DeleteToaster();

    CPrixelSettings* m_pSettings;
    CPrixelMaker* m_pMakers;
    int m_nMakerCount;
    int m_nOutdatedMakers;
    CPrixelToasterDlg* m_pToaster;
    PrixelRecordingState m_eRecordingState;
};
