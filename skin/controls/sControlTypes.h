#pragma once
// The small option sets the skinned controls share: how a disabled control or its glyph is
// drawn, and which state changes of a button fade.
#include "framework/classes/Component.h"

// Whole-control disabled look. Its bits are the options PaintDisabledLook takes (1 blend, 2 grey).
enum TsDisabledKindFlag { dkBlended, dkGrayed };
using TsDisabledKind = TEnumSet<TsDisabledKindFlag>;

enum TsDisabledGlyphKindFlag { dgBlended, dgGrayed };
using TsDisabledGlyphKind = TEnumSet<TsDisabledGlyphKindFlag>;

// aeGlobalDef defers to the skin manager's button events.
enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = TEnumSet<TacAnimatEvent>;

inline int DisabledLookOptions(TsDisabledKind Kind) { return static_cast<int>(Kind.Bits()); }
