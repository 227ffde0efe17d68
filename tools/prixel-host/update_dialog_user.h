#pragma once
// The person at the update dialog: he reads the list of out-of-date makers, refreshes them all,
// or refreshes named makers one after the other, then leaves with Quitter. Each action waits for
// the dialog to be shown again.

#include <string>
#include <vector>

#include "host_screen.h"

// One row of the update list: the maker's name and its count of out-of-date materials (CP1252).
struct ListedMaker {
    std::string name;
    std::string count;
};

// Reads the list into rows when the dialog shows, then presses Quitter.
void ReadUpdateList(HostScreen& host, std::vector<ListedMaker>& rows);

// Presses "Tout Actualiser".
void RefreshAllMakers(HostScreen& host);

// For each name (CP1252), clicks the row that shows it and presses "Actualiser"; a name the list
// does not show is reported on standard error and skipped. Then presses Quitter.
void RefreshMakersNamed(HostScreen& host, const std::vector<std::string>& names);

// The rows of the update list shown, or none.
std::vector<ListedMaker> ShownUpdateList(const ui::Automation& hand);
