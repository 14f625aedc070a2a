#pragma once
// The processor's vector register state around Qt's drawing.
//
// Qt's AVX2 drawing routines (image fills, span blending) return with the
// upper halves of the AVX registers still in use. On processors that then
// make every following SSE instruction wait on those halves, the library's
// own floating point code runs several times slower until the state is
// cleared: converting a nine-million-vertex layer took 70 ms instead of 17.
// The canvas clears it after each drawing call, and the long loops clear it
// on entry, because other code (an application's paint handler) may draw
// between them.

namespace cartova::host {

/// Marks the upper halves of the AVX registers unused (vzeroupper) where the
/// processor has AVX; does nothing elsewhere. Costs about one instruction.
void ClearUpperVectorState();

} // namespace cartova::host

namespace cartova {
using host::ClearUpperVectorState;
} // namespace cartova
