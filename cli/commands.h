#pragma once
// The commands of zevo3, each with its handler in a file of its own group.

#include "command_line.h"

#include <vector>

namespace zevo3::cli {

std::vector<CommandEntry> fileCommands();        // dump, make, check
std::vector<CommandEntry> drawingCommands();     // print, wave
std::vector<CommandEntry> interchangeCommands(); // import, export
std::vector<CommandEntry> protocolCommands();    // decode, encode
std::vector<CommandEntry> unitCommands();        // version, send, fire, download, search

} // namespace zevo3::cli
