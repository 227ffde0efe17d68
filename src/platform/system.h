#pragma once
// Services of the operating system and of the process the plug-in lives in.

#include <array>
#include <optional>
#include <string>

namespace sys {

// The computer's name, asked with a buffer of 16 characters: at most 15 characters. Here the
// host name's first label, cut to 15 characters and in upper case as Windows gives it.
// Nothing when the name cannot be obtained.
std::optional<std::string> GetComputerName();

// The version of the host program, four numbers, as the host supplies it at start.
using Version = std::array<int, 4>;
void SetHostVersion(const Version& version);
Version GetHostVersion();  // {0, 0, 0, 0} until the host supplied one

// The C runtime's _access: 0 when the file or folder at path (CP1252) exists (mode 0) or can be
// read (mode 4), -1 otherwise.
int Access(const std::string& path, int mode);

// The C runtime's pseudo-random generator.
int Rand();
void SeedRand(unsigned seed);

}  // namespace sys
