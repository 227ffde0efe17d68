#pragma once
// The plug-in's resources: its dialog templates and its version record.

#include "platform/ui/resources.h"

inline constexpr const char* PRIXEL_RESOURCE_MODULE = "prixel";

// The web exchange dialog.
inline constexpr int IDD_PRIXEL_WEB = 5000;
inline constexpr int IDC_PRIXEL_BROWSER = 5000;
inline constexpr int IDC_PRIXEL_QUITTER = 5001;
inline constexpr int IDC_PRIXEL_VALIDER = 5002;

// The update dialog; its "Quitter" button is IDC_PRIXEL_QUITTER.
inline constexpr int IDD_PRIXEL_UPDATE = 5003;
inline constexpr int IDC_UPDATE_LIST = 5004;
inline constexpr int IDC_UPDATE_ONE = 5006;
inline constexpr int IDC_UPDATE_ALL = 3;

// The works import dialog, and an earlier form of it that the module carries under its own id.
inline constexpr int IDD_IMPORT_WORK = 5019;
inline constexpr int IDD_IMPORT_WORK_EARLIER = 5016;
inline constexpr int IDC_IMPORT_PREFIX = 5007;
inline constexpr int IDC_IMPORT_FOLDER = 13120;
inline constexpr int IDC_IMPORT_BROWSE = 13121;
inline constexpr int IDC_IMPORT_START = 13122;

// The works import's progress window; its "Interrompre" button is IDCANCEL.
inline constexpr int IDD_IMPORT_PROGRESS = 5017;
inline constexpr int IDC_PROGRESS_BAR = 5017;
inline constexpr int IDC_PROGRESS_CAPTION = 5018;

// The toaster.
inline constexpr int IDD_PRIXEL_TOASTER = 5018;
inline constexpr int IDC_TOASTER_TEXT = 5020;

const ui::ResourceModule& PrixelResources();
