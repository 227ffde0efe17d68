#pragma once
// Turns an address, as the system concatenates it (CP1252 bytes, blanks, '|', ':' and all), into
// the form a browser sends: the fragment is dropped, and in the path and the query the bytes a
// browser would not send as they are become "%XX" of their CP1252 value.

#include <string>

std::string EncodeAddress(const std::string& address);

// The address a link of the page at base leads to: href as it is when absolute, otherwise resolved
// against base as a browser does; href itself when base cannot be read.
std::string ResolveLink(const std::string& base, const std::string& href);
