#pragma once
// The texts the service answers with: the envelope of an answer page, the header line, article
// records and maker lines. Lines end with CR LF; fields are separated by TAB.

#include <string>
#include <string_view>

#include "catalogue_model.h"
#include "service_request.h"

inline constexpr std::string_view kWithdrawnLabel = "Cet article n'existe plus.";

// "<HTML><BODY><PRE>" answer "</PRE></BODY></HTML>".
std::string Envelope(std::string_view answer);
// The same answer without its markers, as a broken page of the service would send it.
std::string MalformedEnvelope(std::string_view answer);

// customer:computer:server:rights, with a leading "!" when a recording was accepted.
std::string HeaderLine(const RequestIdentity& identity, bool recorded = false);

// The 30 fields of one article, the tariff date taken from its maker.
std::string ArticleRecord(const Article& article, const Maker& maker);
// A record the service sends for an article it no longer has.
std::string WithdrawnRecord(const std::string& makerId, const std::string& prefix,
                            const std::string& reference, const std::string& tariffDate);
// The 8 fields of one maker; the tariff date written DD/MM/YYYY.
std::string MakerLine(const Maker& maker, int articleCount);

// YYYYMMDD <-> DD/MM/YYYY; an ill-formed date gives an empty text.
std::string DayMonthYear(std::string_view yyyymmdd);
std::string YearMonthDay(std::string_view ddmmyyyy);

std::string Money(double value);
