#pragma once
// The map unit in one include: the map control and everything it owns.

#include "map/Cartova.h"
#include "map/CartovaEvents.h"
#include "map/CartovaOptions.h"
#include "map/CellBounds.h"
#include "map/DataLinks.h"
#include "map/DebugLog.h"
#include "map/Extent.h"
#include "map/Layers.h"
#include "map/Selection.h"
#include "map/Substrates.h"
#include "map/UpdateGuard.h"
#include "objects/CustomMapObject.h"
#include "objects/MapPoints.h"
#include "tools/MapTools.h"
