#include "optics/TextTraceSink.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string Number(double value) {
  // "-0.000" would differ from "0.000" for no visible reason.
  if (std::fabs(value) < 0.0005) value = 0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.3f", value);
  return buffer;
}

std::string Points(TPointF a, TPointF b) {
  return Number(a.x) + '\t' + Number(a.y) + '\t' + Number(b.x) + '\t' + Number(b.y);
}

// A trailing field for a ray that lost part of its light, so that traces
// of full rays keep their bytes.
std::string Brightness(const DrawBaseRayDataStruct& ray) {
  return ray.brightness == 1 ? std::string() : '\t' + Number(ray.brightness);
}

const char* Reality(bool real) { return real ? "real" : "virtual"; }

}  // namespace

void TextTraceSink::RayPiece(TPointF from, TPointF to, const DrawBaseRayDataStruct& ray) {
  out_ << "ray\t" << Points(from, to) << '\t' << ray.rayColour << '\t' << (ray.blend ? 1 : 0)
       << Brightness(ray) << '\n';
}

void TextTraceSink::Arrow(TPointF at, float direction, const DrawBaseRayDataStruct&) {
  out_ << "arrow\t" << Number(at.x) << '\t' << Number(at.y) << '\t' << Number(direction) << '\n';
}

void TextTraceSink::Normal(TPointF n1, TPointF n2) { out_ << "normal\t" << Points(n1, n2) << '\n'; }

void TextTraceSink::Extension(TPointF from, TPointF to) {
  out_ << "extension\t" << Points(from, to) << '\n';
}

void TextTraceSink::AngleLabel(TPointF anchor, const std::string& text, bool incidence) {
  out_ << "angle\t" << Number(anchor.x) << '\t' << Number(anchor.y) << '\t' << text << '\t'
       << (incidence ? "incidence" : "outgoing") << '\n';
}

void TextTraceSink::ImagePoint(TPointF at, bool real, const std::string& label) {
  out_ << "image\t" << Number(at.x) << '\t' << Number(at.y) << '\t' << Reality(real) << '\t'
       << label << '\n';
}

void TextTraceSink::ImageArrow(TPointF first, TPointF second, bool real, int) {
  out_ << "image-arrow\t" << Points(first, second) << '\t' << Reality(real) << '\n';
}

void TextTraceSink::Spot(TPointF at, const DrawBaseRayDataStruct& ray) {
  out_ << "spot\t" << Number(at.x) << '\t' << Number(at.y) << '\t' << ray.rayColour
       << Brightness(ray) << '\n';
}
