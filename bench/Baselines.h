// The baselines the processing entries are measured against. They live in their own translation
// unit, so that the compiler cannot fold them into the benchmark's loops; the straight loops are
// told that no channel overlaps another and are vectorised, to show what the compiler can do.
#pragma once

#include "host/aeffect.h"

// The parameter values a straight loop reads once at the start of a block.
struct BlockParameters {
    float expansion;
    float output;
};

// memcpy of both channels.
void copyChannels(float** inputs, float** outputs, int32 frames);
void copyChannels(double** inputs, double** outputs, int32 frames);

// The stage's formula with k = 0.25 x expansion + 0.25 and gain g = output, read once per block.
// Single precision: out = (own - k x opposite) x g x 2.
void straightLoop(float** inputs, float** outputs, int32 frames, const BlockParameters& parameters);
// Double precision: out = (own + k x opposite) x g x 2.
void straightLoop(double** inputs, double** outputs, int32 frames,
                  const BlockParameters& parameters);
