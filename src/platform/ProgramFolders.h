#pragma once
// Where the running program and its data lie. Everything the program reads
// "beside itself" (the imaging system's pictures in "DAT/", the manual in
// "Optics help/", the language file, the example experiments) is looked up in
// DataFolderOf(): beside the program in a build tree, and in the data folder
// of the installed layout (bin/../share/veltrano-optics/) once installed.

#include <string>

// Directory of the running executable (links resolved), with a trailing '/'.
std::string ProgramDirectory();

// The data folder for a program in `programDirectory`, with a trailing '/':
// the installed layout's folder (kInstalledDataFolder relative to it) when
// that is a directory, `programDirectory` itself otherwise.
std::string DataFolderOf(const std::string& programDirectory);

// DataFolderOf(ProgramDirectory()).
std::string ProgramDataFolder();

// The installed data folder relative to the installed programs' folder.
extern const char* const kInstalledDataFolder;
