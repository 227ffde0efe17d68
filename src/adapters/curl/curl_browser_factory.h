#pragma once
// Makes the HTTPS browser without exposing libcurl to the folders that use the browser port.

#include <memory>

#include "connection/web_browser.h"

std::unique_ptr<CWebBrowser2> MakeCurlBrowser();
