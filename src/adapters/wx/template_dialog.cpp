#include "adapters/wx/template_dialog.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/text.h"
#include "platform/ui/dialog.h"

namespace adapters {
namespace {

using ui::ControlKind;

wxString FromCp1252(const std::string& cp1252) {
    return wxString::FromUTF8(text::ToUtf8(cp1252));
}

long FrameStyle(unsigned style) {
    if (style & ui::kStyleCaption) return wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
    return (style & ui::kStyleBorder) ? wxBORDER_SIMPLE : wxBORDER_NONE;
}

// The template's 8-point font; a sans-serif face stands where MS Sans Serif is not found.
wxFont TemplateFont(const ui::DialogTemplate& dialog) {
    return wxFont(wxFontInfo(dialog.fontPoints).Family(wxFONTFAMILY_SWISS));
}

long StaticStyle(unsigned style) {
    long wx = wxST_NO_AUTORESIZE;
    if (style & ui::kStyleCentre) wx |= wxALIGN_CENTRE_HORIZONTAL;
    return wx;
}

}  // namespace

TemplateDialog::TemplateDialog(const ui::DialogTemplate& dialog, Listener listener)
    : m_listener(std::move(listener)) {
    SetFont(TemplateFont(dialog));
    Create(nullptr, wxID_ANY, FromCp1252(dialog.title), wxPoint(0, 0), wxDefaultSize,
           FrameStyle(dialog.style));
    SetFont(TemplateFont(dialog));
    SetEscapeId(wxID_NONE);
    SetClientSize(ConvertDialogToPixels(wxSize(dialog.cx, dialog.cy)));
    for (const ui::ControlTemplate& control : dialog.controls) {
        wxWindow* window = MakeControl(control);
        window->SetSize(wxRect(ConvertDialogToPixels(wxPoint(control.x, control.y)),
                               ConvertDialogToPixels(wxSize(control.cx, control.cy))));
        if (control.style & ui::kStyleDisabled) window->Disable();
        m_controls[window] = {control.id, control.kind};
        if (control.id != -1) m_byId[control.id] = window;
        if ((control.style & ui::kStyleCentreVertically) && control.kind == ControlKind::Static)
            m_verticallyCentred[window] = window->GetRect();
    }
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        event.Veto();
        Tell(IDCANCEL, ui::Notification::Clicked);
    });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            Tell(IDCANCEL, ui::Notification::Clicked);
        else
            event.Skip();
    });
}

wxWindow* TemplateDialog::MakeControl(const ui::ControlTemplate& control) {
    const wxString label = FromCp1252(control.text);
    const int id = control.id;
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefPushButton: {
            auto* button = new wxButton(this, wxID_ANY, label);
            if (control.kind == ControlKind::DefPushButton) button->SetDefault();
            button->Bind(wxEVT_BUTTON,
                         [this, id](wxCommandEvent&) { Tell(id, ui::Notification::Clicked); });
            return button;
        }
        case ControlKind::Static:
            return new wxStaticText(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                                    StaticStyle(control.style));
        case ControlKind::GroupBox:
            return new wxStaticBox(this, wxID_ANY, label);
        case ControlKind::Edit: {
            auto* edit = new wxTextCtrl(this, wxID_ANY, label);
            edit->Bind(wxEVT_TEXT,
                       [this, id](wxCommandEvent&) { Tell(id, ui::Notification::Changed); });
            edit->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
                event.Skip();
                CallAfter([this, id] { Tell(id, ui::Notification::KillFocus); });
            });
            return edit;
        }
        case ControlKind::ListView: {
            long style = wxLC_REPORT;
            if (control.style & ui::kStyleSingleSelection) style |= wxLC_SINGLE_SEL;
            if (control.style & ui::kStyleBorder) style |= wxBORDER_THEME;
            auto* list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
            BindList(list, id);
            return list;
        }
        case ControlKind::Progress:
            return new wxGauge(this, wxID_ANY, 100);
        case ControlKind::Browser:
            return new wxPanel(this, wxID_ANY);
    }
    return new wxPanel(this, wxID_ANY);
}

void TemplateDialog::BindList(wxWindow* list, int id) {
    list->Bind(wxEVT_LIST_ITEM_SELECTED, [this, id](wxListEvent& event) {
        event.Skip();
        if (!m_quiet) Tell(id, ui::Notification::ListClick);
    });
    list->Bind(wxEVT_LIST_COL_BEGIN_DRAG, [this, id](wxListEvent& event) {
        int refused = 0;
        Tell(id, ui::Notification::HeaderBeginTrack, &refused);
        if (refused != 0) event.Veto();
    });
}

wxWindow* TemplateDialog::Control(int controlId) const {
    auto found = m_byId.find(controlId);
    return found == m_byId.end() ? nullptr : found->second;
}

ui::ControlKind TemplateDialog::KindOf(const wxWindow* control) const {
    auto found = m_controls.find(control);
    return found == m_controls.end() ? ControlKind::Static : found->second.second;
}

int TemplateDialog::IdOf(const wxWindow* control) const {
    auto found = m_controls.find(control);
    return found == m_controls.end() ? 0 : found->second.first;
}

void TemplateDialog::SetControlText(wxWindow* control, const wxString& text) {
    if (auto* edit = dynamic_cast<wxTextCtrl*>(control)) {
        edit->ChangeValue(text);
        return;
    }
    control->SetLabel(text);
    if (m_verticallyCentred.contains(control)) CentreVertically(control);
}

// The text wraps at its rectangle's width and stands in the middle of its height.
void TemplateDialog::CentreVertically(wxWindow* text) {
    const wxRect place = m_verticallyCentred.at(text);
    auto* label = static_cast<wxStaticText*>(text);
    label->SetSize(place);
    label->Wrap(place.width);
    const int height = std::min(label->GetBestSize().y, place.height);
    label->SetSize(place.x, place.y + (place.height - height) / 2, place.width, height);
}

void TemplateDialog::SelectQuietly(int listId, int row) {
    auto* list = dynamic_cast<wxListCtrl*>(Control(listId));
    if (!list) return;
    m_quiet = true;
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_quiet = false;
}

void TemplateDialog::Tell(int controlId, ui::Notification code, int* result) {
    int ignored = 0;
    m_listener(controlId, code, result ? result : &ignored);
}

}  // namespace adapters
