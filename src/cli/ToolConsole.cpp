#include "cli/ToolConsole.h"

#include <cstdio>

#include "cli/ToolStreams.h"
#include "i18n/TtlmController.h"

namespace {

// "打开文件失败." + reason reads "打开文件失败: reason".
std::string WithoutFullStop(std::string text) {
  for (const std::string stop : {".", "。", "!", "！"})
    if (text.size() >= stop.size() &&
        text.compare(text.size() - stop.size(), stop.size(), stop) == 0)
      return text.substr(0, text.size() - stop.size());
  return text;
}

}  // namespace

ToolConsole::~ToolConsole() { Flush(); }

void ToolConsole::SetFile(const std::string& name, bool output) {
  if (name == "-")
    file_ =
        output ? Tr("ExoTool.StandardOutput", "标准输出") : Tr("ExoTool.StandardInput", "标准输入");
  else
    file_ = name;
}

void ToolConsole::Problem(const std::string& what, const std::string& reason) {
  ShowMessage(what);
  AddReason(reason);
}

void ToolConsole::AddReason(const std::string& reason) {
  if (reason.empty() || held_.empty()) return;
  held_.back() = WithoutFullStop(held_.back()) + ": " + reason;
}

void ToolConsole::ShowMessage(const std::string& text) {
  held_.push_back("exo-tool: " + (file_.empty() ? std::string() : file_ + ": ") + text);
}

bool ToolConsole::AskYesNo(const std::string& caption, const std::string& text) {
  ShowMessage(caption + ": " + text + " (" + Tr("ExoTool.Yes", "是") + ")");
  return true;
}

void ToolConsole::Flush() {
  StandardOutput().flush();
  for (const auto& text : held_) std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  held_.clear();
}

void SayNow(const std::string& text) { std::fprintf(stderr, "exo-tool: %s\n", text.c_str()); }
