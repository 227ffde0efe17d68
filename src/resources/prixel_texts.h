#pragma once
// The French texts the system shows, in one place. They are written here in UTF-8 so that a
// reader sees the accents; Fr hands them out in the system's code page (CP1252).

#include <string>

inline constexpr const char* TXT_NO_CONNECTION = "Impossible de se connecter à Vako Prixel.\n";
inline constexpr const char* TXT_RECORDING_TOO_LARGE =
    "Opération impossible, dépassement de mémoire.\n";
inline constexpr const char* TXT_TOO_MANY_ARTICLES =
    "Opération impossible, vous avez sélectionné trop d'articles.\n";
inline constexpr const char* TXT_TOO_MANY_MAKERS =
    "Opération impossible, le nombre de fabricant est trop important.\n";

inline constexpr const char* TXT_TOASTER_ELEMENTS_DONE = "Récupération des éléments terminée.";
inline constexpr const char* TXT_TOASTER_UPDATE_DONE = "La mise à jour est terminée.";
inline constexpr const char* TXT_TOASTER_SUPPLIERS_DONE =
    "La synchronisation des fournisseurs est terminée.";
inline constexpr const char* TXT_TOASTER_WORKS_DONE = "L'importation d'ouvrage est terminée.";

// The text in CP1252.
std::string Fr(const char* utf8);

// Articles of the service's answers.
inline constexpr const char* TXT_WITHDRAWN_ARTICLE = "Cet article n'existe plus.";
inline constexpr const char* TXT_REFERENCE_TOO_LONG =
    "L'élément suivant n'a pu être récupéré car sa référence dépasse la longueur autorisée : "
    "%s%s,\n%s";
inline constexpr const char* TXT_LABEL_TO_DEFINE = "Libellé à définir";
inline constexpr const char* TXT_PARAMCOMPTA_PROBLEM = "Problème table ParamCompta : \n";
inline constexpr const char* TXT_DATABASE_PROBLEM = "Problème BD : \n";
inline constexpr const char* TXT_NO_ACCOUNTING_DATABASE =
    "La base de comptabilité de la société n'est pas ouverte.";
inline constexpr const char* TXT_NO_FREE_LINE_NUMBER =
    "L'élément %s n'a pu être ajouté à l'étude : ses 32768 numéros de ligne sont déjà pris.\n";
inline constexpr const char* TXT_NOTE_PACKAGING = "Conditionnement : ";
inline constexpr const char* TXT_NOTE_DISCOUNT_FAMILY = "Famille de remise : ";
inline constexpr const char* TXT_NOTE_EAN = "Code EAN : ";
inline constexpr const char* TXT_NOTE_AVAILABILITY = "Disponibilité : ";
inline constexpr const char* TXT_NOTE_WARRANTY = "Garantie en mois : ";
inline constexpr const char* TXT_NOTE_WEIGHT = "Poids en Kg : ";
inline constexpr const char* TXT_NOTE_LENGTH = "Longueur en ML : ";
inline constexpr const char* TXT_NOTE_WIDTH = "Largeur en ML : ";
inline constexpr const char* TXT_NOTE_HEIGHT = "Hauteur en ML : ";
inline constexpr const char* TXT_NOTE_OLD_CODE = "Ancien code : ";

// Tariff update.
inline constexpr const char* TXT_ALL_TARIFFS_UPDATED = "Tous les tarifs ont été mis à jour.";
inline constexpr const char* TXT_MAKER_TARIFFS_UPDATED =
    "Les tarifs du fabricant '%s' ont été mis à jour.";
inline constexpr const char* TXT_TOO_MANY_ARTICLES_ASKED =
    "Opération impossible, vous avez sélectionnez trop d'articles.\n";

// Folder activation switch.
inline constexpr const char* TXT_SWITCH_NO_RIGHT =
    "L'utilisation de Vako Prixel est désactivée sur ce dossier et vous n'avez pas les droits "
    "pour réactiver cette fonction.";
inline constexpr const char* TXT_SWITCH_QUESTION =
    "L'utilisation de Vako Prixel est désactivée sur ce dossier.\n\nVoulez vous réactiver cette "
    "fonction ?";

// Works import.
inline constexpr const char* TXT_SPECIFY_FOLDER = "Veulliez spécifier le dossier source.";
inline constexpr const char* TXT_NO_SUCH_FOLDER = "Ce répertoire n'existe pas.";
inline constexpr const char* TXT_CHOOSE_FOLDER = "Sélectionnez le chemin d'accès";
inline constexpr const char* TXT_MISSING_IMPORT_FILES =
    "Opération impossible : le dossier spécifié ne contient pas les fichiers nécessaires à "
    "l'importation.";
inline constexpr const char* TXT_IMPORT_RUNNING = "Importation en cours ...";
inline constexpr const char* TXT_IMPORTING_TRADES = "Importation des corps d'état en cours ...";
inline constexpr const char* TXT_IMPORTING_WORK_FAMILIES =
    "Importation des familles d'ouvrages en cours ...";
inline constexpr const char* TXT_IMPORTING_WORKS = "Importation des ouvrages en cours ...";
inline constexpr const char* TXT_CONFIRM_INTERRUPTION = "Confirmez-vous l'interruption ?";
inline constexpr const char* TXT_LABOUR_MATERIAL_LABEL =
    "La MO incluse dans l'ouvrage Vako Prixel est un temps constaté à personnaliser.";

// Lines of the diagnostic log (never shown to the user).
inline constexpr const char* TXT_LOG_FAILED_EXCHANGE =
    "Échange de type %d en échec : %s ; adresse : %s";
inline constexpr const char* TXT_LOG_TIMEOUT = "délai dépassé, aucune page après %d ms";
inline constexpr const char* TXT_LOG_TOO_LARGE = "page trop grande : %zu octets";
inline constexpr const char* TXT_LOG_NO_DOCUMENT = "aucun document à enregistrer";
inline constexpr const char* TXT_LOG_PAGE_CUT =
    "Page coupée à son premier octet nul, position %zu : %zu octets gardés sur %zu ; adresse : %s";
inline constexpr const char* TXT_LOG_DATABASE_ERROR = "Erreur de base de données %ld : %s";
