#pragma once
#include "effects/EffectScope.h"

// The seven animated effects. Each draws on its scope's canvas, paced only by the host's sleeps,
// reads the stop requests at the start of every step, and on a stop ends at once without a
// closing picture. All of them stop whatever sound plays when they end.
EffectEnd HatchScatter(EffectScope& effect);
EffectEnd Sparkle(EffectScope& effect);
EffectEnd GrowingCircles(EffectScope& effect);
EffectEnd TwinOrbit(EffectScope& effect);
EffectEnd BouncingIcon(EffectScope& effect);
EffectEnd DiagonalRings(EffectScope& effect);
EffectEnd Shockwave(EffectScope& effect);

using EffectRoutine = EffectEnd (*)(EffectScope&);

// Runs an effect on a canvas. An empty drawing area (zero width or height) ends it at once,
// silently, before it plays or draws anything.
EffectEnd RunEffect(EffectRoutine routine, Canvas& canvas, EffectHost& host);
