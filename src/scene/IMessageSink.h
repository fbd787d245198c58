#pragma once
// Plain message boxes, behind an interface so that tests can read the texts.

#include <string>
#include <vector>

class IMessageSink {
 public:
  virtual ~IMessageSink() = default;
  virtual void ShowMessage(const std::string& text) = 0;
  // Yes/No question; true only for Yes.
  virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;
};

// Keeps the messages; answers every question with the preset answer.
class CollectingMessageSink : public IMessageSink {
 public:
  std::vector<std::string> messages;
  bool answer = false;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& caption, const std::string& text) override {
    messages.push_back(caption + ": " + text);
    return answer;
  }
};

// Shorthand for Settings().messages->ShowMessage(text).
void ShowMessage(const std::string& text);
