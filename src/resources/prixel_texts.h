#pragma once
// The French texts the system shows, in one place. They are written here in UTF-8 so that a
// reader sees the accents; Fr hands them out in the system's code page (CP1252).

#include <string>

inline constexpr const char* TXT_NO_CONNECTION = "Impossible de se connecter à Vako Prixel.\n";
inline constexpr const char* TXT_RECORDING_TOO_LARGE =
    "Opération impossible, dépassement de mémoire.\n";

inline constexpr const char* TXT_TOASTER_ELEMENTS_DONE = "Récupération des éléments terminée.";
inline constexpr const char* TXT_TOASTER_UPDATE_DONE = "La mise à jour est terminée.";
inline constexpr const char* TXT_TOASTER_SUPPLIERS_DONE =
    "La synchronisation des fournisseurs est terminée.";
inline constexpr const char* TXT_TOASTER_WORKS_DONE = "L'importation d'ouvrage est terminée.";

// The text in CP1252.
std::string Fr(const char* utf8);
