#pragma once
// The service's pages for people: the catalogue where articles are picked, the makers' list,
// the sheets and the account creation. Pages are built in UTF-8 and sent in windows-1252.

#include <optional>
#include <string>
#include <vector>

#include "catalogue_model.h"

std::string CataloguePage(const std::string& stamp, const std::string& query,
                          const std::vector<Article>& found, const std::vector<Article>& picked);
std::string MakerCataloguePage(const std::string& stamp, const std::vector<Maker>& makers,
                               const std::vector<Article>& picked);
std::string ArticleSheetPage(const std::string& title, const std::optional<Article>& article,
                             const std::optional<Maker>& maker);
std::string MakerSheetPage(const std::optional<Maker>& maker, int articleCount);
std::string AccountPage();
std::string AccountOpenedPage(const Customer& customer);
std::string MessagePage(const std::string& title, const std::string& message);

// Escapes the characters that markup gives a meaning to.
std::string EscapeHtml(const std::string& text);
// Percent-encodes a UTF-8 text as its windows-1252 bytes, for a query value.
std::string QueryValue(const std::string& utf8);
