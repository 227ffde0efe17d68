#pragma once
// The stand-in host as a small desktop application: one window with a button for each member of
// the facade a user starts, and the library's materials, read again after each operation. Drawn
// from a template of the host program's own, like the plug-in's dialogs.

class CPrixelCtrl;

// Runs the window until the person closes it.
int RunDesktopWindow(CPrixelCtrl& prixel);
