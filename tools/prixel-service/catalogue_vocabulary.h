#pragma once
// Words of the building trade that the catalogue generator draws from.

#include <span>

struct ProductLine {
    const char* family;     // second level under the trade, at most 18 characters
    const char* subFamily;  // third level, empty when the line sits in the family itself
    const char* pattern;    // label, "{}" standing for the variant
    const char* variants;   // ';'-separated
    const char* unit;
    double minPrice;
    double maxPrice;
    const char* packaging;
    int packQuantity;
    double weight;  // kilograms per unit
};

struct Trade {
    const char* label;      // at most 18 characters
    const char* makerWord;  // begins the names of the trade's makers
    std::span<const ProductLine> lines;
};

std::span<const Trade> Trades();
std::span<const char* const> MakerSurnames();
std::span<const char* const> Distributors();
std::span<const char* const> Availabilities();
std::span<const char* const> Ranges();  // "" for the plain range
