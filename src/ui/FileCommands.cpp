#include "ui/FileCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

#include "files/ExperimentFile.h"
#include "files/RayOpticsWriter.h"
#include "i18n/TtlmController.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "ui/FileDialogLayout.h"

std::string ExampleDirectory() { return QDir::current().filePath("Optics example").toStdString(); }

OpenStatus OpenPageFile(const std::string& path, Document& document) {
  const OpenResult result = OpenExperimentFile(path, document);
  // An accepted file is shown by the open itself; after a refusal the old
  // experiment is shown again, as every open that read a file ends.
  if (result.status == OpenStatus::Refused) document.RefreshView();
  return result.status;
}

bool OpenPageClick(QWidget* parent, Document& document) {
  const std::string path = ChooseExperimentToOpen(parent);
  return !path.empty() && OpenPageFile(path, document) != OpenStatus::Failed;
}

std::string ChooseExperimentToOpen(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QString last = LastExperimentFolder();
  dialog.setDirectory(last.isEmpty() ? QString::fromStdString(ExampleDirectory()) : last);
  // Lessons open as experiments do.
  dialog.setNameFilters(
      {QString::fromStdString(Tr("OpenDialog.AnyFilter", "实验和课件(*.exo *.exol)")),
       QString::fromStdString(Tr("OpenDialog.Filter", kExperimentFilter)),
       QString::fromStdString(Tr("Lesson.Filter", "课件(*.exol)"))});
  dialog.setDefaultSuffix("exo");
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  RememberExperimentFolder(dialog.selectedFiles().first());
  return dialog.selectedFiles().first().toStdString();
}

std::string ChooseRayOpticsScene(QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  const QString last = LastExperimentFolder();
  if (!last.isEmpty()) dialog.setDirectory(last);
  dialog.setNameFilter(QString::fromStdString(Tr("RayOptics.Filter", "Ray Optics 场景(*.json)")));
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

bool ExportRayOpticsClick(QWidget* parent, const Document& document) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setWindowTitle(
      QString::fromStdString(Tr("RayOptics.ExportCaption", "导出为 Ray Optics 场景")));
  const QString last = LastExperimentFolder();
  if (!last.isEmpty()) dialog.setDirectory(last);
  dialog.setNameFilter(QString::fromStdString(Tr("RayOptics.Filter", "Ray Optics 场景(*.json)")));
  dialog.setDefaultSuffix("json");
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  std::string error;
  std::vector<std::string> messages;
  const bool written = RayOpticsWriter::Save(document, dialog.selectedFiles().first().toStdString(),
                                             error, messages);
  if (!written) {
    ShowMessage(Tr("RayOptics.CannotWrite", "不能写入这个场景文件:") + " " + error);
    return false;
  }
  for (const std::string& message : messages) ShowMessage(message);
  return true;
}

std::string AskRayOpticsLink(QWidget* parent) {
  bool ok = false;
  const QString link = QInputDialog::getText(
      parent, QString::fromStdString(Tr("RayOptics.LinkCaption", "打开 Ray Optics 分享链接")),
      QString::fromStdString(Tr("RayOptics.LinkPrompt", "粘贴分享链接(https://…#…):")),
      QLineEdit::Normal, {}, &ok);
  const std::string text = link.trimmed().toStdString();
  if (!ok || text.empty()) return {};
  // A bare hash is taken as well.
  return text.find('#') == std::string::npos && text.rfind("http", 0) != 0 ? "#" + text : text;
}

bool PageNamesExistingFile(const Document& document) {
  // Only a full path counts: the page's initial name "0" must never pick up a
  // file of that name in the working directory.
  const QFileInfo info(QString::fromStdString(document.page->fileName));
  return info.isAbsolute() && info.isFile();
}

bool SavePageFile(const std::string& path, Document& document) {
  std::string error;
  if (!SaveExperimentFile(path, document, &error)) {
    ShowMessage(error);
    return false;
  }
  document.page->fileName = path;
  document.page->saved = 1;
  return true;
}

bool SavePageClick(QWidget* parent, Document& document) {
  if (PageNamesExistingFile(document)) return SavePageFile(document.page->fileName, document);
  QFileDialog dialog(parent, QString::fromStdString(Tr("SaveDialog.Title", "保存")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QString::fromStdString(Tr("SaveDialog.Filter", kExperimentFilter)));
  dialog.setDefaultSuffix("exo");
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  dialog.setDirectory(ExperimentSaveFolder());
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  RememberExperimentFolder(dialog.selectedFiles().first());
  return SavePageFile(dialog.selectedFiles().first().toStdString(), document);
}
