#include "answer_format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kRecordFields = 30;

std::string Decimal(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, value);
    return buffer;
}

std::string JoinFields(const std::vector<std::string>& fields, char separator) {
    std::string joined;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) joined += separator;
        joined += fields[i];
    }
    return joined;
}

template <typename Offer, typename Read>
std::string JoinOffers(const std::vector<Offer>& offers, Read read) {
    std::vector<std::string> values;
    for (const Offer& offer : offers) values.push_back(read(offer));
    return JoinFields(values, '|');
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

std::vector<std::string> EmptyRecord() {
    return std::vector<std::string>(kRecordFields);
}

std::string Line(const std::vector<std::string>& fields) {
    return JoinFields(fields, '\t') + std::string(kLineEnd);
}

}  // namespace

std::string Envelope(std::string_view answer) {
    return "<HTML><BODY><PRE>" + std::string(answer) + "</PRE></BODY></HTML>";
}

std::string MalformedEnvelope(std::string_view answer) {
    return "<HTML><BODY><P>" + std::string(answer) + "</P></BODY></HTML>";
}

std::string HeaderLine(const RequestIdentity& identity, bool recorded) {
    return (recorded ? "!" : "") + identity.customer + ":" + identity.computer + ":" +
           identity.server + ":" + identity.rights;
}

std::string ArticleRecord(const Article& article, const Maker& maker) {
    const double price = std::round(article.listPrice * 100.0) / 100.0;
    std::vector<std::string> fields = EmptyRecord();
    fields[0] = article.makerId;
    fields[1] = article.prefix;
    fields[2] = article.reference;
    fields[3] = article.withdrawn ? std::string(kWithdrawnLabel) : article.label;
    fields[4] = maker.name;
    fields[5] = maker.tariffDate;
    fields[6] = Money(price);
    fields[7] = article.unit;
    fields[8] = "1";
    fields[9] = "EUR";
    fields[10] = article.packaging;
    fields[11] = std::to_string(article.packQuantity);
    fields[12] = article.discountCode;
    fields[13] = article.discountLabel;
    fields[14] = JoinFields(article.familyCodes, '|');
    fields[15] = JoinFields(article.familyLabels, '|');
    fields[16] = article.ean;
    fields[17] = Money(article.ecoContribution);
    fields[18] = article.availability;
    fields[19] = std::to_string(article.warrantyMonths);
    fields[20] = Decimal(article.weight, 3);
    fields[21] = Decimal(article.length, 3);
    fields[22] = Decimal(article.width, 3);
    fields[23] = Decimal(article.height, 3);
    fields[24] = article.oldCode;
    fields[25] = JoinOffers(article.suppliers,
                            [&](const SupplierOffer& o) { return Money(price * o.coefficient); });
    fields[26] = JoinOffers(article.suppliers, [](const SupplierOffer& o) { return o.code; });
    fields[27] = JoinOffers(article.suppliers,
                            [](const SupplierOffer& o) { return std::to_string(o.deliveryDays); });
    fields[28] =
        JoinOffers(article.suppliers, [](const SupplierOffer& o) { return Money(o.coefficient); });
    fields[29] = article.fixedPrice ? "X" : "";
    return Line(fields);
}

std::string WithdrawnRecord(const std::string& makerId, const std::string& prefix,
                            const std::string& reference, const std::string& tariffDate) {
    std::vector<std::string> fields = EmptyRecord();
    fields[0] = makerId;
    fields[1] = prefix;
    fields[2] = reference;
    fields[3] = std::string(kWithdrawnLabel);
    fields[5] = tariffDate;
    return Line(fields);
}

std::string MakerLine(const Maker& maker, int articleCount) {
    return Line({maker.id, maker.prefix, maker.name, DayMonthYear(maker.tariffDate), maker.version,
                 std::to_string(articleCount), "EUR", maker.fullUpdate ? "X" : ""});
}

std::string DayMonthYear(std::string_view yyyymmdd) {
    if (yyyymmdd.size() != 8 || !AllDigits(yyyymmdd)) return "";
    return std::string(yyyymmdd.substr(6, 2)) + "/" + std::string(yyyymmdd.substr(4, 2)) + "/" +
           std::string(yyyymmdd.substr(0, 4));
}

std::string YearMonthDay(std::string_view ddmmyyyy) {
    if (ddmmyyyy.size() != 10 || ddmmyyyy[2] != '/' || ddmmyyyy[5] != '/') return "";
    std::string digits = std::string(ddmmyyyy.substr(6, 4)) + std::string(ddmmyyyy.substr(3, 2)) +
                         std::string(ddmmyyyy.substr(0, 2));
    if (!AllDigits(digits)) return "";
    const int month = std::stoi(digits.substr(4, 2));
    const int day = std::stoi(digits.substr(6, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 ? digits : "";
}

std::string Money(double value) {
    return Decimal(value, 2);
}
