// What a compiled song holds, as text for the user: its measures as the performance listing shows
// them, and every chord with the scale kinds the players choose their phrases by, in the song's
// key. The desktop program's listings and zimbrel-cli compile --bars and analyze write these.
#pragma once

#include "core/CMString.h"

class CMMusicSong;

// The song's measures, a line each.
CMString BarsListing(const CMMusicSong& song);
// "Dm7 --> Dorian", a line for each chord of the song.
CMString ScaleListing(const CMMusicSong& song);
