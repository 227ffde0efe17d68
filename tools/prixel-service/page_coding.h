#pragma once
// Pages leave compressed as a web server compresses what it makes on each request: with brotli
// at a moderate quality when the client takes it, else with gzip at zlib's default level, else
// as they are. The HTTP library would compress them itself, but always with brotli at its
// slowest quality, which costs the maker list of a large catalogue more than a second.

#include <httplib.h>

#include <string>

// Whether an Accept-Encoding text takes the coding (in lower case); a weight of 0 refuses it.
bool AcceptsCoding(const std::string& acceptEncoding, const std::string& coding);

// The response's body, of the given type, compressed for the client that asked.
void SetCodedContent(const httplib::Request& request, httplib::Response& response, std::string body,
                     const std::string& type);
