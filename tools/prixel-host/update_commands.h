#pragma once
// The host program's commands of the tariff update: the up-to-date check as the person sees it
// in the update dialog, the update of all or of named makers, the refresh of named articles and
// the tariff query. Texts are UTF-8; each answers the program's exit code.

#include <string>
#include <vector>

#include "host_screen.h"

class CPrixelCtrl;

// Prints the check's state, the number of out-of-date makers, the number of out-of-date
// articles, then "name<TAB>count" for each maker the update dialog lists.
int CheckTariffs(CPrixelCtrl& prixel, HostScreen& host);

// Checks, then refreshes every maker (all) or the makers named by identifier or name, in turn.
// Prints the check's state and, when the dialog was opened, what OpenUpdate answered.
int UpdateTariffs(CPrixelCtrl& prixel, HostScreen& host, bool all,
                  const std::vector<std::string>& makers);

// One text: the request parameter as it is; four: maker, prefix, reference and tariff date.
int RefreshArticles(CPrixelCtrl& prixel, const std::vector<std::string>& texts, bool study);

// Prints the list price the service gives for the three texts (an empty line for none).
int PrintTariff(CPrixelCtrl& prixel, const std::vector<std::string>& texts);

const char* UpdateStateName(int state);
