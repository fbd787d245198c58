// Veltrano Optics: the only command-line argument is an experiment file to open.

#include "app/TLumidorApplication.h"
#include "app/TLumidorNetworkFrm.h"

int main(int argc, char** argv) {
  TLumidorApplication app(argc, argv);
  // TODO(sheet): install TShowPropertiesFrm as Settings().sheet and
  // QtMessageSink as Settings().messages once they land.
  TLumidorNetworkFrm::Options options;
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() > 1) options.openFile = arguments.at(1).toStdString();
  TLumidorNetworkFrm window(options);
  window.showMaximized();
  return app.exec();
}
