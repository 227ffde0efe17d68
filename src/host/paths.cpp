#include "host/paths.h"

std::string CParPath::sFirmDefaut;
std::string CParPath::sCurrentPath;
std::string CParPath::sServeurDataPath;
