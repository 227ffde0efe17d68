#pragma once
// Prints a company table as tab-separated UTF-8 text: a header line of column names, then one
// line per row. TAB, CR, LF and backslash inside values are written as \t, \r, \n and \\.

#include <ostream>
#include <string>

// Throws CDaoException when the table cannot be read.
void PrintTable(const std::string& databaseFile, const std::string& table, std::ostream& out);
