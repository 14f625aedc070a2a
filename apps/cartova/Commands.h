#pragma once
// The commands of the `cartova` program. Each takes the arguments after its
// name, writes its result to stdout and its errors to stderr, and returns
// the exit status.

#include <string>
#include <vector>

namespace cartova::cli {

using TArgs = std::vector<std::string>;

/// cartova render FILE... -o out.png [--size WxH] [--center X,Y] [--zoom Z] [--rotate DEG]
int Render(const TArgs& Args);
/// cartova info FILE... [--json]
int Info(const TArgs& Args);
/// cartova convert IN OUT [--overwrite]: refuses to replace an existing OUT
/// (or IN) without --overwrite; warns of objects the reader skipped.
int Convert(const TArgs& Args);
/// cartova index FILE
int Index(const TArgs& Args);

/// Writes "cartova: <Message>" to stderr and returns 1.
int Fail(const std::string& Message);

} // namespace cartova::cli
