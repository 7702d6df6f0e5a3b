#pragma once
// Clears the upper halves of the wide vector registers. Qt's raster code runs
// AVX paths and may leave them dirty; the plain SSE arithmetic of the star
// pass (and glibc's sin and cos called from it) then pays a state-transition
// penalty on every instruction, running several times slower. vzeroupper is
// only executed where the processor has AVX, so the binary still runs on any
// x86-64.

void ClearUpperVectorState();
