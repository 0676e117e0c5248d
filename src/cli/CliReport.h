#pragma once
// The interpretation report of a cast chart from the command line.
#include "Ziweiex.h"

#include <optional>
#include <string>

// The report text of the engine's natal chart. With htmlPath, the formatted report is also
// written there as HTML; a failed write is said on standard error and gives an empty text.
std::string Report(const MZiWeiEx& engine, const std::optional<std::string>& htmlPath);
