#include "optics/Fresnel.h"

#include <cmath>
#include <numbers>

double FresnelReflectance(double n1, double n2, double incidence) {
  const double i = incidence * std::numbers::pi / 180;
  const double sinT = n1 / n2 * std::sin(i);
  if (!(std::fabs(sinT) < 1)) return 1;
  const double cosI = std::cos(i), cosT = std::sqrt(1 - sinT * sinT);
  const double s = (n1 * cosI - n2 * cosT) / (n1 * cosI + n2 * cosT);
  const double p = (n1 * cosT - n2 * cosI) / (n1 * cosT + n2 * cosI);
  return (s * s + p * p) / 2;
}
