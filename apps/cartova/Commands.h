#pragma once
// The commands of the `cartova` program. Each takes the arguments after its
// name, prints its help for --help, writes its result to stdout, and returns
// the exit status; it raises TUsageError for a wrong command line and
// TFileError for a file it cannot read or write (Messages.h).

#include "apps/cartova/Arguments.h"

namespace cartova::cli {

/// cartova render FILE... -o OUTPUT [--size WxH] [--bbox MINX,MINY,MAXX,MAXY]
/// [--center X,Y] [--zoom Z] [--rotate DEG] [--background COLOR]
int Render(const TArgs& Args);
/// cartova info FILE... [--json]: describes every file it can read and
/// reports the others; 1 when any could not be read.
int Info(const TArgs& Args);
/// cartova convert IN OUT [--overwrite]: refuses to replace an existing OUT
/// (or IN) without --overwrite; warns of objects the reader skipped.
int Convert(const TArgs& Args);
/// cartova index FILE
int Index(const TArgs& Args);

} // namespace cartova::cli
