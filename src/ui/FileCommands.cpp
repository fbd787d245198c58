#include "ui/FileCommands.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "files/ExperimentFile.h"
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
  dialog.setNameFilter(QString::fromStdString(Tr("OpenDialog.Filter", kExperimentFilter)));
  dialog.setDefaultSuffix("exo");
  LayOutFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  RememberExperimentFolder(dialog.selectedFiles().first());
  return dialog.selectedFiles().first().toStdString();
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
