#pragma once
// The host's access check that every member changing data asks first.

// Whether the user may change data: right 350 in mode "MODIF", asked with the host's main window.
bool MayModify();
