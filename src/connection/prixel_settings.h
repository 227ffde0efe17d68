#pragma once
// The connection identity every request carries: customer number, computer name, server and
// rights. Three of them persist in Prixel.ini, in the host's current data folder; every answer's
// header line refreshes them.

#include <string>

#include "platform/object.h"

// The service's hosts: the default server, and the alternate one a recording drops.
inline constexpr const char* PRIXEL_DEFAULT_HOST = "services.vakoprixel.fr";
inline constexpr const char* PRIXEL_ALTERNATE_HOST = "secours.vakoprixel.fr";

// Time a page may take before the exchange gives up, when Prixel.ini does not say (milliseconds).
inline constexpr int PRIXEL_DEFAULT_TIMEOUT = 10000;

class CPrixelSettings : public CObject {
  public:
    CPrixelSettings();
    ~CPrixelSettings() override;

    void Load();
    void Save();
    // Takes "customer:computer:server:rights" (the customer number may start with '!' flags, which
    // are not kept); a missing part leaves its field as it was. Saves whatever was replaced.
    void SetFromHeader(std::string line);
    std::string GetIdentity() const;
    std::string GetServerAddr() const { return m_strServerAddr; }
    std::string GetRightsString() const { return m_strRightsString; }
    // Prepares a customer recording: reloads Prixel.ini, drops the alternate server, forgets the
    // customer number and the rights.
    void ResetForRecording();

    std::string m_strCustomerNumber;
    std::string m_strComputerName;
    std::string m_strServerAddr;
    std::string m_strRightsString;
};

// The navigation time-out of Prixel.ini in milliseconds: the decimal integer its value starts
// with, PRIXEL_DEFAULT_TIMEOUT when there is none.
int GetNavigateTimeout();

// The full name of Prixel.ini in the host's current data folder.
std::string PrixelIniPath();
