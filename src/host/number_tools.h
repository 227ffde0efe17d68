#pragma once
// The host's number services.

#include <string>

#include "platform/db/value.h"

class CNumberTools {
  public:
    explicit CNumberTools(int pricePrecision = 2) : m_nPricePrecision(pricePrecision) {}
    // A plain decimal reading of text: leading white space, a sign, digits with '.' or ',' as
    // the decimal mark, an exponent; reading stops at the first other character; 0 when no
    // number starts the text.
    double GetDoubleValue(const std::string& text) const;
    // A sound number unchanged; NaN or infinite gives replacement.
    double CorrectNumber(double value, double replacement) const;
    // Rounds by kind of value; kind 0 is a price, rounded half away from zero to the price
    // precision. Other kinds are left as they are.
    double Round(double value, int kind) const;
    int GetPricePrecision() const { return m_nPricePrecision; }

  private:
    int m_nPricePrecision;
};

struct CCrack {
    // A field value as an integer: integers as they are, reals truncated, texts read as decimal
    // integers, null as 0.
    static int intVARIANT(const db::Value& value);
};
