#pragma once
// The host's application object, as the host loaded it from its configuration (host.ini).

#include <string>
#include <vector>

#include "host/number_tools.h"

class CWnd;

// The host's default coefficients for one element type.
struct CPriceEntry {
    int nType = 0;
    double dOverheadCoefficient = 1.0;
    double dSaleCoefficient = 1.0;
};

// The customer identity the host holds for the service, read as data.
class CVakoProtection {
  public:
    std::string m_strCustomerCode;
    std::string m_strCompanyName;
    std::string m_strAddress1;
    std::string m_strAddress2;
    std::string m_strPostcode;
    std::string m_strTown;
    std::string m_strPhone;
    std::string m_strFax;
    std::string m_strEmail;
    std::string m_strSiret;
    std::string m_strApe;
    std::string m_strSerialNumber;
    int m_nWorkstations = 1;
    int m_nMode = 0;
    int m_nOption = 0;

    const std::string& GetCustomerCode() const { return m_strCustomerCode; }
    const std::string& GetCompanyName() const { return m_strCompanyName; }
    const std::string& GetAddress1() const { return m_strAddress1; }
    const std::string& GetAddress2() const { return m_strAddress2; }
    const std::string& GetPostcode() const { return m_strPostcode; }
    const std::string& GetTown() const { return m_strTown; }
    const std::string& GetPhone() const { return m_strPhone; }
    const std::string& GetFax() const { return m_strFax; }
    const std::string& GetEmail() const { return m_strEmail; }
    const std::string& GetSiret() const { return m_strSiret; }
    const std::string& GetApe() const { return m_strApe; }
    const std::string& GetSerialNumber() const { return m_strSerialNumber; }
    int GetWorkstations() const { return m_nWorkstations; }
    int GetMode() const { return m_nMode; }
    int GetOption() const { return m_nOption; }
};

class CHostApp {
  public:
    CNumberTools m_NumberTools;
    std::vector<CPriceEntry> m_PriceEntries;
    bool m_bSupplierDiscount = true;  // supplier discounts go into the materials
    int m_bPrixelDisabled = 0;        // non-zero: the service is switched off for the folder
    CVakoProtection m_Protection;
    std::vector<std::string> m_Rights;  // granted rights, "350:MODIF" and the like
    CWnd* m_pMainWnd = nullptr;

    // The entry of type, or null.
    const CPriceEntry* FindPriceEntry(int type) const;
};

// The application object of the current thread, or null when the host has none.
CHostApp* GetHostApp();
