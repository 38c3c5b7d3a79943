#pragma once
// The commands of zevo3, each with its handler in a file of its own group.

#include "command_line.h"

#include <vector>

namespace zevo3::cli {

std::vector<CommandSpec> fileCommands();        // dump, make, check
std::vector<CommandSpec> drawingCommands();     // print, wave
std::vector<CommandSpec> interchangeCommands(); // import, export
std::vector<CommandSpec> protocolCommands();    // decode, encode
std::vector<CommandSpec> unitCommands();        // version, send, fire, download, search

} // namespace zevo3::cli
