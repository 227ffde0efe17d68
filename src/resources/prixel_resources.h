#pragma once
// The plug-in's resources: its dialog templates and its version record.

#include "platform/ui/resources.h"

inline constexpr const char* PRIXEL_RESOURCE_MODULE = "prixel";

// Dialog ids.
inline constexpr int IDD_PRIXEL_TOASTER = 5018;
inline constexpr int IDC_TOASTER_TEXT = 5020;

const ui::ResourceModule& PrixelResources();
