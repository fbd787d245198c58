#include "app/PageSettings.h"

#include "scene/IPropertySheet.h"
#include "scene/PageSettingsRows.h"
#include "scene/ProcessSettings.h"
#include "ui/TShowPropertiesFrm.h"

int ShowPageSettings(Document& document) {
  IPropertySheet& sheet = *Settings().sheet;
  return RunPropertySheet(
      sheet,
      [&] {
        FillPageSettingsRows(document, sheet);
        return sheet.ShowModal();
      },
      [&] { return ApplyPageSettings(document, sheet); });
}
