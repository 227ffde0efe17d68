#pragma once
// The labour times of the works file, in hours.

#include <string_view>

// A decimal number written with '.' or ',' as its decimal separator: leading white space is
// skipped, then an optional sign, digits, one separator, digits and an exponent are read up to
// the first other character. Empty text, text that does not begin with a number, and a number
// too large for a double give 0.
double ReadLabourTime(std::string_view text);
