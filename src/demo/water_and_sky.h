#pragma once

// The sky box around (0, 200, 0), blending the two sky sets by the sky clock.
void drawSky();
// The water quad at y = 0, from -waterHalfSize to waterHalfSize in x and z,
// with its reflection, refraction and normal map.
constexpr float waterHalfSize = 3.0f;
void drawWater();
