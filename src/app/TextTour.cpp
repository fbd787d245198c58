#include "app/TextTour.h"

#include "app/HelpViewer.h"
#include "app/TAboutBox.h"
#include "app/TDrawSurface.h"
#include "app/TForm43.h"
#include "app/TLumidorNetworkFrm.h"
#include "i18n/TtlmController.h"
#include "i18n/TtlmSystem.h"
#include "objects/ObjectFactory.h"
#include "scene/DrawObjectUnit.h"
#include "scene/IMessageSink.h"
#include "scene/PageSettingsRows.h"
#include "scene/ProcessSettings.h"
#include "scene/TypedPropertySheet.h"
#include "ui/TShowPropertiesFrm.h"
#include "ui/TtlmStepDialog.h"

namespace {

// The tour's sheet and message sink in place of the process's, for its time.
class TourServices {
 public:
  TourServices() : oldSheet_(Settings().sheet), oldMessages_(Settings().messages) {
    Settings().sheet = &sheet;
    Settings().messages = &messages;
  }
  ~TourServices() {
    Settings().sheet = oldSheet_;
    Settings().messages = oldMessages_;
  }
  TourServices(const TourServices&) = delete;
  TourServices& operator=(const TourServices&) = delete;

  TypedPropertySheet sheet;
  CollectingMessageSink messages;

 private:
  IPropertySheet* oldSheet_;
  IMessageSink* oldMessages_;
};

std::vector<std::string> RowKeys(const MemoryPropertySheet& sheet) {
  std::vector<std::string> keys;
  for (const auto& row : sheet.rows) keys.push_back(row.key);
  return keys;
}

}  // namespace

std::vector<std::pair<std::string, TRowClass>> ObjectRowClasses(TCanvas* canvas) {
  TourServices services;
  const TtlmController sheetTexts("TShowPropertiesFrm");
  std::vector<std::pair<std::string, TRowClass>> out;
  for (const std::string& name : KnownClassNames()) {
    auto object = CreateObjectByClassName(name, canvas);
    if (!object) continue;
    object->ShowProperties();
    for (const std::string& key : RowKeys(services.sheet))
      out.emplace_back(key, ClassifyPropertyKey(key, sheetTexts));
  }
  return out;
}

TextTourResult VisitEveryText(QSize surfaceSize) {
  TextTourResult result;
  TLumidorNetworkFrm::Options options;
  options.splash = false;
  options.surfaceSize = surfaceSize;
  TLumidorNetworkFrm w(options);
  w.FormShow();
  TShowPropertiesFrm sheetWindow(&w);
  TForm43 board(&w, w.Surface(), [] {});
  TAboutBox splash(&w, true), about(&w, false);
  TtlmStepDialog stepDialog(&w);
  HelpViewer helpViewer(&w);
  TtlmSystem::Instance().ChangeLanguage();
  TCanvas* canvas = w.Surface()->Canvas();
  result.rows = ObjectRowClasses(canvas).size();

  TourServices services;
  FillPageSettingsRows(w.Doc(), services.sheet);
  for (const std::string& name : KnownClassNames()) {
    auto shown = CreateObjectByClassName(name, canvas);
    if (!shown) continue;
    shown->Draw(kDrawCopy);  // the first paint only clears the placing flag
    shown->Draw(kDrawCopy);
    shown->ShowProperties();
    // Each row alone with values that are not numbers, too small or too large.
    for (const std::string& key : RowKeys(services.sheet))
      for (const char* bad : {"abc", "-1000", "0.5", "1000000"}) {
        auto object = CreateObjectByClassName(name, canvas);
        services.sheet.typed = {{key, bad}};
        object->ShowProperties();
        object->ApplyProperties();
      }
    services.sheet.typed.clear();
  }
  result.messages = services.messages.messages.size();
  return result;
}
