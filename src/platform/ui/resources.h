#pragma once
// Resources a module carries: its dialog templates and its version record. A module registers
// them when it is loaded, so that its dialogs find their templates, and withdraws them when it is
// unloaded. Templates are looked up through the chain of registered modules, newest first.

#include <array>
#include <string>
#include <vector>

namespace ui {

enum class ControlKind {
    PushButton,
    DefPushButton,
    Static,
    GroupBox,
    Edit,
    ListView,
    Progress,
    Browser
};

// Control and dialog styles the templates use.
enum Style : unsigned {
    kStyleNone = 0,
    kStylePopup = 1u << 0,
    kStyleCaption = 1u << 1,
    kStyleSysMenu = 1u << 2,
    kStyleBorder = 1u << 3,
    kStyleVisible = 1u << 4,
    kStyleTransparent = 1u << 5,
    kStyleModalFrame = 1u << 6,
    kStyleCentre = 1u << 7,
    kStyleCentreVertically = 1u << 8,
    kStyleTabStop = 1u << 9,
    kStyleReport = 1u << 10,
    kStyleSingleSelection = 1u << 11,
    kStyleDisabled = 1u << 12,
    kStyleMultiline = 1u << 13,
    kStyleReadOnly = 1u << 14,
    kStyleAutoHScroll = 1u << 15,
};

struct ControlTemplate {
    int id;  // -1 for a control without id
    ControlKind kind;
    int x, y, cx, cy;  // dialog units
    std::string text;  // CP1252
    unsigned style;
};

struct DialogTemplate {
    int id;
    std::string title;  // CP1252
    int cx, cy;         // dialog units
    unsigned style;
    std::string font;
    int fontPoints;
    std::vector<ControlTemplate> controls;
};

struct VersionRecord {
    std::array<int, 4> fileVersion;
    std::string companyName;
    std::string fileDescription;
    std::string productName;
    std::string legalCopyright;
};

struct ResourceModule {
    std::string name;
    std::vector<DialogTemplate> dialogs;
    VersionRecord version;
};

void RegisterResourceModule(const ResourceModule* module);
void UnregisterResourceModule(const ResourceModule* module);
// The template of dialog id in the registered modules, or null.
const DialogTemplate* FindDialogTemplate(int id);
// The registered module of that name, or null.
const ResourceModule* FindResourceModule(const std::string& name);

}  // namespace ui
