#pragma once
// The page the browser shows in place of a document it could not load, as a browser does.

#include <string>

// The markup (CP1252) telling that the page could not be shown, with reason (ASCII) as detail.
std::string ErrorPage(const std::string& reason);
