#pragma once
// What exo-tool says on standard error, after the command's output: each
// problem on one line,
//   exo-tool: FILE: what went wrong: the reason
// in the interface language. The engine's messages (those the window shows
// in a box) keep their text and take the same prefix; the system's reason
// follows where there is one.

#include <string>
#include <vector>

#include "scene/IMessageSink.h"

class ToolConsole : public IMessageSink {
 public:
  ~ToolConsole() override;

  // The file the following messages are about, as the user named it
  // ("-" reads as standard input, or output with `output`).
  void SetFile(const std::string& name, bool output = false);
  // A problem with the current file; `reason` (the system's) may be empty.
  void Problem(const std::string& what, const std::string& reason = {});
  // The system's reason for the message said last, e.g. why Open failed.
  void AddReason(const std::string& reason);
  // Prints what is held, after whatever went to standard output.
  void Flush();

  void ShowMessage(const std::string& text) override;
  // An older file's question is answered with Yes: the user asked for
  // exactly this file.
  bool AskYesNo(const std::string& caption, const std::string& text) override;

 private:
  std::string file_;
  std::vector<std::string> held_;
};

// "exo-tool: TEXT" on standard error at once, for a problem that is no
// file's (a usage error).
void SayNow(const std::string& text);
