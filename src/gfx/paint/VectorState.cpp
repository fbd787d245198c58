#include "gfx/paint/VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

// Built for AVX alone, and only reached where the CPU has it: vzeroupper
// does not exist before AVX.
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }

bool HasAvx() {
  static const bool avx = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
  }();
  return avx;
}

}  // namespace

void ClearUpperVectorState() {
  if (HasAvx()) ZeroUpper();
}

#else

void ClearUpperVectorState() {}

#endif
