#pragma once
// The non-graphical services of the host layer in one include: exceptions,
// strings and numbers, dates, files, streams, variants, the component model,
// lists and collections, the message handler. No Qt widget or painter header
// comes with it, so parsers and geometry code include this instead of
// host/Host.h.

#include "host/Exceptions.h"
#include "host/Version.h"
#include "host/SysUtils.h"
#include "host/StrUtils.h"
#include "host/DateTime.h"
#include "host/FileUtils.h"
#include "host/DynLib.h"
#include "host/Guid.h"
#include "host/Variant.h"
#include "host/Streams.h"
#include "host/Classes.h"
#include "host/Ownership.h"
#include "host/Types.h"
#include "host/Lists.h"
#include "host/Collections.h"
#include "host/StringList.h"
#include "host/Dialogs.h"
