#pragma once
// exo-tool's commands: each opens its experiment exactly as the program's
// Open command does, then traces, renders, re-saves or describes it.
// Returns the exit status: 0 done, 1 the file was refused, read only in
// part (after `info` has printed what was read) or the output could not be
// written; problems are held by `console`.

#include "cli/ToolArguments.h"

class ToolConsole;

int RunCommand(const ToolArguments& args, ToolConsole& console);
