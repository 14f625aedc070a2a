#pragma once
// The standard map tools in one include.

#include "tools/MapTools.h"
#include "tools/MultiPointTools.h"
#include "tools/PanTool.h"
#include "tools/PressMoveReleaseTool.h"
#include "tools/SelectionTool.h"
#include "tools/SymbolTools.h"
#include "tools/TextTool.h"
#include "tools/TwoPointTools.h"
#include "tools/ZoomTools.h"
