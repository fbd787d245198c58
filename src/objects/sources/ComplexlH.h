#pragma once
// The composite (white) source: a parallel source whose every ray leaves as
// seven coloured rays with slightly different index factors, so that prisms
// and lenses fan it out into a spectrum.

#include <array>

#include "objects/sources/LampHouse.h"

class ComplexlH : public ObjectOf<ComplexlH, LampHouse> {
 public:
  explicit ComplexlH(TCanvas* canvas);

  static constexpr int kSlots = 7;
  // Slot 1 is emitted with the template's own colour and factor; the first
  // entries are kept in the record but not read.
  std::array<TColor, kSlots> colourTable;
  std::array<float, kSlots> factorTable;

  void DrawHandles() override;
  std::vector<DrawBaseRayDataStruct> GetBaseRays() override;

 protected:
  void RecordFields(RecordIo& io) override;
  // The parallel source's rows without the ray colour and the index factor,
  // which the colour tables fix.
  PropertyRows Rows() override;
};
