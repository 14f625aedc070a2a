#pragma once
// The host framework layer in one include: every host header, whose names are
// brought into namespace cartova so library code reads TPen, TList, Format.
// host/Core.h holds the non-graphical part alone.

#include "host/Core.h"
#include "host/Graphics.h"
#include "host/Bitmap.h"
#include "host/Canvas.h"
#include "host/DeviceServices.h"
#include "host/Input.h"
#include "host/Controls.h"
#include "host/Forms.h"
#include "host/StdCtrls.h"
#include "host/Grids.h"
#include "host/ImageList.h"
#include "host/ComponentRegistry.h"
