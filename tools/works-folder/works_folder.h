#pragma once
// Import folders of works for demonstrations, tests and benchmarks: the six files of a works
// import, in CP1252 with CR LF line ends, made of French trades, families of works on three
// levels below them and works with their labour times, labels built from a building vocabulary.

#include <string>

struct WorksFolderSize {
    int trades = 30;  // each with 3 families, 2 sub-families each, 1 below each of those
    int works = 3000;
};

// Writes the files into folder, which is created when missing; false when a file cannot be
// written. Every work has a labour time, written with either decimal separator.
bool WriteWorksFolder(const std::string& folder, const WorksFolderSize& size);
