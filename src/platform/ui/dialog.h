#pragma once
// The framework's dialog class: a window made from a dialog template, modal (DoModal, EndDialog)
// or modeless (Create, DestroyWindow), with data exchange between members and controls and
// handlers of its controls' notifications registered by control id.

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/ui/wnd.h"

// Results of message boxes and of dialogs; also the ids of the standard buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate;  // true: controls to members; false: members to controls
    CWnd* m_pDlgWnd;
};

// Moves a text between a member and the control of that id.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// Binds a control object to the control of that id.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
  public:
    explicit CDialog(int templateId, CWnd* parent = nullptr);
    // Destroys a window still shown, without PostNcDestroy.
    ~CDialog() override;

    // Makes the window, runs it until EndDialog and destroys it. Answers the result, or -1 when
    // the window could not be made.
    virtual int DoModal();
    // Makes the window, modeless. Answers whether it exists after its initialisation.
    bool Create(int templateId, CWnd* parent = nullptr);
    // A modal dialog ends its loop with result; a modeless one is hidden.
    void EndDialog(int result);
    // true: controls to members; false: members to controls.
    bool UpdateData(bool saveAndValidate = true);

    virtual bool OnInitDialog();  // moves the members into the controls
    virtual void OnOK();          // reads the controls and ends with IDOK
    virtual void OnCancel();      // ends with IDCANCEL

    // Sends a notification to the handler registered for it; button IDOK goes to OnOK and button
    // IDCANCEL to OnCancel when no handler is registered for them.
    bool OnNotify(int id, ui::Notification code, int* result) override;

  protected:
    using Handler = std::function<void()>;

    virtual void DoDataExchange(CDataExchange*) {}
    void OnClicked(int controlId, Handler handler);
    void On(int controlId, ui::Notification code, Handler handler);

  private:
    // Makes the window and initialises it; answers whether it still exists.
    bool MakeWindow(const ui::DialogTemplate& dialog);

    int m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    int m_nModalResult = -1;
    std::map<std::pair<int, ui::Notification>, Handler> m_handlers;
};
