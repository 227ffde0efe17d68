#pragma once
// A real window drawn from a dialog template: a wx dialog with the template's font, its size and
// its controls' rectangles converted from dialog units with that font, titles and texts converted
// from CP1252, the default button, disabled controls, group boxes, the list view in report mode,
// the progress bar and the place of the browser. What the person does to it is told to the
// listener by control id, as the framework's notifications are.

#include <wx/dialog.h>

#include <functional>
#include <map>

#include "platform/ui/backend.h"
#include "platform/ui/resources.h"

namespace adapters {

class TemplateDialog : public wxDialog {
  public:
    using Listener = std::function<void(int controlId, ui::Notification code, int* result)>;

    TemplateDialog(const ui::DialogTemplate& dialog, Listener listener);

    // The control of that template id, or null.
    wxWindow* Control(int controlId) const;
    // The template's kind of a control of this dialog.
    ui::ControlKind KindOf(const wxWindow* control) const;
    int IdOf(const wxWindow* control) const;
    const std::map<int, wxWindow*>& Controls() const { return m_byId; }

    // Texts: a static text centred vertically keeps its place in its rectangle.
    void SetControlText(wxWindow* control, const wxString& text);
    // Lets a programmatic change of the list's selection through without telling the listener.
    void SelectQuietly(int listId, int row);

  private:
    wxWindow* MakeControl(const ui::ControlTemplate& control);
    void Tell(int controlId, ui::Notification code, int* result = nullptr);
    void CentreVertically(wxWindow* text);
    void BindList(wxWindow* list, int id);

    Listener m_listener;
    std::map<int, wxWindow*> m_byId;
    std::map<const wxWindow*, std::pair<int, ui::ControlKind>> m_controls;
    std::map<const wxWindow*, wxRect> m_verticallyCentred;
    bool m_quiet = false;
};

}  // namespace adapters
