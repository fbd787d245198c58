#pragma once
// What the fuzz targets share: a quiet process set up once (offscreen fonts,
// messages swallowed, questions answered Yes), a scratch folder for the
// readers that take a path, and the open / trace / render / save / reopen
// round trip that every experiment reader must survive.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
class Document;

// Once per process: the GUI application (text needs fonts), C numbers, the
// scratch folder. Every target calls it from LLVMFuzzerInitialize.
void FuzzSetUp();
// Back to start-up settings, with the quiet message sink and the empty
// picture folder; before each input.
void FuzzResetSettings();

// Work bounds far below the program's, for a target that paints only to
// exercise its pictures: a scene on them costs milliseconds, not seconds.
void LowerWorkBounds(Document& document);

// The process's scratch folder, with a trailing '/'; on tmpfs when there is one.
const std::string& ScratchDirectory();
// Writes `data` to ScratchDirectory() + name and gives the path; aborts when
// the file cannot be written (the fuzzer would learn nothing).
std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> data);
// The whole file, read at once; aborts when it cannot be read or is larger
// than any file the program writes.
Bytes ReadScratchFile(const std::string& path);

// Stops the run with a message: a broken promise of the product.
[[noreturn]] void FuzzFailure(const std::string& what);
inline void Require(bool condition, const std::string& what) {
  if (!condition) FuzzFailure(what);
}

// The pictures beside the program, empty unless a target fills them.
const std::string& FuzzPictureDirectory();

// Opens `path` as the program does at start-up and, when it opened, traces
// and paints it as the window's refresh does (a 1920x1080 surface, the
// program's own work bounds), then saves it and reopens the saved file. The
// reopened objects must hold what the first opening's held, trace the same,
// and save again to the same bytes. Files of other layouts go through the
// converter library in `converterDirectory`.
void RoundTripExperiment(const std::string& path, const std::string& converterDirectory = {});
