#pragma once
// The certificates a transfer trusts: the system's, plus those of the file named by the
// environment variable PRIXEL_CA_FILE when it is set.

#include <optional>
#include <string>

// The system's bundle (the file systemCaFile) followed by the extra file, as one PEM text; nothing
// when no extra file is named, and the system's own trust then applies unchanged.
std::optional<std::string> CombinedCaBundle(const std::string& systemCaFile);
