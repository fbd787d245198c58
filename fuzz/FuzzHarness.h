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

// Work bounds far below the program's: a scene that reaches them (a lamp of
// a million rays, rays caught between mirrors) costs milliseconds, not
// seconds, and the cut trace is exercised the more often.
void LowerWorkBounds(Document& document);

// The process's scratch folder, with a trailing '/'; on tmpfs when there is one.
const std::string& ScratchDirectory();
// Writes `data` to ScratchDirectory() + name and gives the path; aborts when
// the file cannot be written (the fuzzer would learn nothing).
std::string WriteScratchFile(const std::string& name, std::span<const std::uint8_t> data);
Bytes ReadScratchFile(const std::string& path);

// Stops the run with a message: a broken promise of the product.
[[noreturn]] void FuzzFailure(const std::string& what);
inline void Require(bool condition, const std::string& what) {
  if (!condition) FuzzFailure(what);
}

// The pictures beside the program, empty unless a target fills them.
const std::string& FuzzPictureDirectory();

// Opens `path` as the program does at start-up and, when it opened, traces
// and renders it on a small surface, saves it, reopens the saved file and
// requires the same trace and, on a second save, the same bytes. Files of
// other layouts go through the converter library in `converterDirectory`.
void RoundTripExperiment(const std::string& path, const std::string& converterDirectory = {});
