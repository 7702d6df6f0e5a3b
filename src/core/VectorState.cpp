#include "core/VectorState.h"

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
const bool HasAvx = __builtin_cpu_supports("avx");
}

void ClearUpperVectorState() {
    if (HasAvx) __asm__ volatile("vzeroupper" ::: "memory");
}
#else
void ClearUpperVectorState() {}
#endif
