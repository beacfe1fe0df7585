#pragma once
#include <array>

#include "effects/EffectHost.h"
#include "surface/Canvas.h"

// The seven animated effects. Each draws on its canvas, paced only by the host's sleeps, reads the
// stop requests at the start of every step, and on a stop ends at once without a closing
// picture. All of them stop whatever sound plays when they end. An empty drawing area (zero width
// or height) ends an effect at once, silently, before it plays or draws anything.
EffectEnd HatchScatter(Canvas& canvas, EffectHost& host);
EffectEnd Sparkle(Canvas& canvas, EffectHost& host);
EffectEnd GrowingCircles(Canvas& canvas, EffectHost& host);
EffectEnd TwinOrbit(Canvas& canvas, EffectHost& host);
EffectEnd BouncingIcon(Canvas& canvas, EffectHost& host);
EffectEnd DiagonalRings(Canvas& canvas, EffectHost& host);
EffectEnd Shockwave(Canvas& canvas, EffectHost& host);

using EffectRoutine = EffectEnd (*)(Canvas&, EffectHost&);

// The effects menu's commands that start an effect, with their routines.
struct EffectCommand {
  unsigned commandId;
  EffectRoutine routine;
};
inline constexpr std::array<EffectCommand, 7> EffectCommands = {{
    {131, &HatchScatter},
    {132, &Sparkle},
    {133, &TwinOrbit},
    {134, &Shockwave},
    {146, &BouncingIcon},
    {147, &DiagonalRings},
    {148, &GrowingCircles},
}};

// The routine of a command id; nullptr for any other command.
EffectRoutine EffectForCommand(unsigned commandId);

// An area with no width or no height, where no effect draws.
bool DrawingAreaIsEmpty(const Rect& area);
