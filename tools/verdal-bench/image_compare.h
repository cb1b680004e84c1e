#pragma once

#include "image_file.h"

// How far a rendered frame may stray from its reference and still pass.
// Honest rasterisers differ in a mipmap level's choice, derivatives and
// precision: small colour shifts over textured areas and a few pixels on
// edges. Faults (a pass, a texture or the shadow missing, a picture flipped,
// colours swapped) move the structure or many pixels at once in some part of
// the picture, which a mean over the whole frame dilutes: so each frame is
// judged by its worst region, a square of regionSize pixels, the squares
// overlapping by half.
struct FrameTolerance {
    double changedDistance = 0.08;  // a pixel counts as changed past this colour distance (0..1)
    int regionSize = 40;
    double maximumRegionChanged = 0;     // of a region's pixels
    double minimumRegionSimilarity = 0;  // mean SSIM within a region, of the worst colour channel
};

// What separates a frame from its reference.
struct FrameDifference {
    double changedFraction = 0;        // of the frame, past the tolerance's colour distance
    double similarity = 1;             // mean SSIM of the frame, of the worst of red, green and blue
    double regionChangedFraction = 0;  // of the region with most changed pixels
    double regionSimilarity = 1;       // of the least similar region and colour channel
};

// Both pictures must have the same size.
FrameDifference compareFrames(const RgbImage& reference, const RgbImage& result, const FrameTolerance& tolerance);
bool withinTolerance(const FrameDifference& difference, const FrameTolerance& tolerance);

// The difference made visible: each channel's absolute difference four times
// stronger on black, and every pixel past the colour distance in magenta.
RgbImage differencePicture(const RgbImage& reference, const RgbImage& result, double changedDistance);
