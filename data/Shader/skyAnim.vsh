#version 110
// The sky box: one face at a time, the same face of both sky sets.
//
// The box's sides reach far below the horizon, but from inside the valley the
// ring of hills hides the lower part of them: a line of sight from the eye
// leaves the valley over its border, which is nowhere lower than rimLow, and
// a line from an eye above the ground that passes the border below that
// height has met the ground on its way. So
// while the eye is above the water, below the rim and inside the valley, the
// sides are cut off at the lowest height that the border can still let
// through, and the hidden rows of the sky are never drawn. Moving a corner up
// its side with its picture's coordinate moved in proportion leaves every
// drawn pixel where it was.
//
// Under the mirror of the reflection pass the eye appears below the water, so
// the box is drawn whole there.

varying vec2 skyCoord;

// The box as the sky pass draws it: sides from -1000 to 1000, raised by 200,
// each side's picture running from t = 0 at the bottom to t = 1 at the top.
const float boxHalf = 1000.0;
const float boxLift = 200.0;

// The valley of the generated terrain: its extent (x from, z from, x to,
// z to) and the height of the lowest point along its border.
const vec4 valley = vec4(-14.0, -12.4, 14.0, 15.6);
const float rimLow = 1.7;

void main()
{
    vec4 corner = gl_Vertex;
    vec2 coord = gl_MultiTexCoord0.xy;
    vec3 eye = (gl_ModelViewMatrixInverse * vec4(0.0, 0.0, 0.0, 1.0)).xyz;
    float eyeHeight = eye.y + boxLift;
    if (eyeHeight > 0.0 && eyeHeight < rimLow && eye.x > valley.x && eye.z > valley.y && eye.x < valley.z
        && eye.z < valley.w) {
        // A line of sight rises from the border to the box by at most this
        // factor: the box's side lies that many times further away than the
        // border on the same side.
        vec4 toSide = vec4(boxHalf + eye.x, boxHalf + eye.z, boxHalf - eye.x, boxHalf - eye.z);
        vec4 toBorder = vec4(eye.x - valley.x, eye.z - valley.y, valley.z - eye.x, valley.w - eye.z);
        vec4 reach = toSide / toBorder;
        float rise = min(min(reach.x, reach.y), min(reach.z, reach.w));
        float hiddenBelow = min(eye.y + (rimLow - eyeHeight) * rise, boxHalf);
        if (corner.y < hiddenBelow) {
            coord.y += (hiddenBelow - corner.y) / (2.0 * boxHalf);
            corner.y = hiddenBelow;
        }
    }
    skyCoord = coord;
    gl_Position = gl_ModelViewProjectionMatrix * corner;
}
