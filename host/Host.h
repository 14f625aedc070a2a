#pragma once
// The host framework layer in one include: every host header, whose names are
// brought into namespace cartova so library code reads TPen, TList, Format.

#include "host/Exceptions.h"
#include "host/Version.h"
#include "host/Classes.h"
#include "host/Types.h"
#include "host/Graphics.h"
#include "host/Bitmap.h"
#include "host/Canvas.h"
#include "host/DeviceServices.h"
#include "host/Lists.h"
#include "host/Collections.h"
#include "host/StringList.h"
#include "host/Input.h"
#include "host/Dialogs.h"
#include "host/Controls.h"
#include "host/Forms.h"
