#pragma once
// The maker's product page on the web, which OpenVakoPrixelCom opens in the user's own browser.

inline constexpr const char* PRIXEL_PRODUCT_PAGE = "https://www.vakoprixel.fr/";
