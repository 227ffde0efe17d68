#pragma once
// The works import dialog: the folder that holds the import files and the prefix put in front of
// the code of every element created. "&Importer" closes it with OK once a folder is given.

#include <string>

#include "platform/ui/dialog.h"

class CImportWorkDlg : public CDialog {
  public:
    // The prefix holds at most this many characters.
    static constexpr std::size_t MAX_PREFIX_LENGTH = 6;

    // Starts from the host's server data folder followed by "OuvragesPrixel" and the prefix
    // "PRIXEL".
    explicit CImportWorkDlg(CWnd* parent = nullptr);

    std::string m_strFolder;
    std::string m_strPrefix;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void OnBrowse();
    void OnImport();
    // A folder typed that does not exist is refused when the edit loses the focus.
    void OnKillFocusFolder();
    // A seventh character typed into the prefix is refused.
    void OnChangePrefix();
};
