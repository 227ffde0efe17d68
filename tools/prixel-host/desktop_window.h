#pragma once
// The stand-in host as a small desktop application: one window with a button for each member of
// the facade a user starts, and the library's materials, read again after each operation. Drawn
// from a template of the host program's own, like the plug-in's dialogs. The operations on one
// article (its sheets, its tariff, its refresh) take the article of the row chosen in the list.

#include <string>
#include <vector>

#include "host_screen.h"

class CPrixelCtrl;

// Runs the window until the person closes it.
int RunDesktopWindow(CPrixelCtrl& prixel);

// The scripted user works the window: he looks at it, presses "Catalogue > bibliothèque", picks
// codes on the catalogue page and presses Valider, looks at the window again once its list has
// been read again, then closes it. Each look prints the buttons on show ("bouton: LABEL") and the
// list's rows ("article: CODE<TAB>LABEL<TAB>PRICE<TAB>MAKER"), then an empty line.
int RunDesktopWindowScripted(CPrixelCtrl& prixel, HostScreen& host,
                             const std::vector<std::string>& codes);
