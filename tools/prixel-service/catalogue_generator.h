#pragma once
// A sample catalogue made from a seed: the same seed always gives the same catalogue.

#include <string>
#include <string_view>

#include "catalogue_model.h"

Catalogue GenerateCatalogue(unsigned seed);

// The EAN-13 check digit of twelve digits.
char EanCheckDigit(std::string_view twelveDigits);
