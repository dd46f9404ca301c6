#include "special_files.h"

void MakeFifoWherePossible(const std::string&) {}
