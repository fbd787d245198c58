#include "app/TLumidorApplication.h"

#include <exception>
#include <string>

#include "i18n/SharedTexts.h"
#include "i18n/TtlmController.h"
#include "scene/IMessageSink.h"

bool DeliverShowingExceptions(const std::function<bool()>& deliver) {
  try {
    return deliver();
  } catch (const std::bad_alloc&) {
    ShowMessage(Tr(texts::kOutOfMemory));
  } catch (const std::exception& e) {
    ShowMessage(e.what());
  } catch (...) {
    ShowMessage("Unknown exception");
  }
  return false;
}

bool TLumidorApplication::notify(QObject* receiver, QEvent* event) {
  return DeliverShowingExceptions([&] { return QApplication::notify(receiver, event); });
}
