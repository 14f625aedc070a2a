#include "host/VectorState.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

namespace cartova::host {

namespace {

// Compiled for AVX on its own, so the rest of the library keeps its
// baseline instruction set; called only where the processor has AVX.
__attribute__((target("avx"))) void ZeroUpper() { _mm256_zeroupper(); }

bool HasAvx()
{
    static const bool Has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return Has;
}

} // namespace

void ClearUpperVectorState()
{
    if (HasAvx())
        ZeroUpper();
}

} // namespace cartova::host

#else

namespace cartova::host {

void ClearUpperVectorState() {}

} // namespace cartova::host

#endif
