#pragma once

// Registers the class of every zone and point payload key with the scene's
// payload factory, so the levels read their placements. The kinds register
// themselves when the program starts; calling again changes nothing.
void RegisterZonePayloadKinds();
