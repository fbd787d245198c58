#include "cli/ToolStreams.h"

#include <QFile>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/OutputBuffer.h"
#include "cli/ToolConsole.h"
#include "files/ExperimentFile.h"
#include "i18n/TtlmController.h"
#include "platform/Platform.h"

namespace {

std::string CannotRead() { return Tr("ExoTool.CannotRead", "不能读取"); }

OutputBuffer& StandardBuffer() {
  static OutputBuffer buffer;
  return buffer;
}

}  // namespace

bool IsStandardStream(const std::string& name) { return name == "-"; }

std::ostream& StandardOutput() {
  static std::ostream out(&StandardBuffer());
  return out;
}

void Print(const char* format, ...) {
  char small[512];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  if (n < 0) {
    va_end(again);
    return;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    StandardOutput().write(small, n);
  } else {
    std::vector<char> large(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(large.data(), large.size(), format, again);
    StandardOutput().write(large.data(), n);
  }
  va_end(again);
}

std::unique_ptr<QTemporaryFile> CopyStandardInput(std::size_t maxBytes, ToolConsole& console) {
  console.SetFile("-");
  auto copy = std::make_unique<QTemporaryFile>();
  if (!copy->open()) {
    console.Problem(Tr("ExoTool.CannotKeepInput", "不能保存标准输入的副本"),
                    copy->errorString().toStdString());
    return nullptr;
  }
  std::vector<char> chunk(1 << 16);
  std::size_t total = 0;
  for (;;) {
    int error = 0;
    const std::ptrdiff_t n = ReadStandardInput(chunk.data(), chunk.size(), &error);
    if (n < 0) {
      console.Problem(CannotRead(), std::strerror(error));
      return nullptr;
    }
    if (n == 0) break;
    total += static_cast<std::size_t>(n);
    if (total > maxBytes) {
      console.ShowMessage(TooLargeFileMessage());
      return nullptr;
    }
    if (copy->write(chunk.data(), n) != n) {
      console.Problem(Tr("ExoTool.CannotKeepInput", "不能保存标准输入的副本"),
                      copy->errorString().toStdString());
      return nullptr;
    }
  }
  if (!copy->flush()) {
    console.Problem(Tr("ExoTool.CannotKeepInput", "不能保存标准输入的副本"),
                    copy->errorString().toStdString());
    return nullptr;
  }
  return copy;
}

bool WriteOutput(const std::string& name, const QByteArray& bytes, std::string& reason) {
  if (IsStandardStream(name)) {
    StandardOutput().write(bytes.constData(), bytes.size());
    return FlushStandardOutput(reason);
  }
  QFile out(QString::fromStdString(name));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
      !out.flush()) {
    reason = out.errorString().toStdString();
    return false;
  }
  out.close();
  if (out.error() != QFileDevice::NoError) {
    reason = out.errorString().toStdString();
    return false;
  }
  return true;
}

bool FlushStandardOutput(std::string& reason) {
  StandardOutput().flush();
  if (StandardBuffer().Error() == 0) return true;
  reason = std::strerror(StandardBuffer().Error());
  return false;
}
