// The library's last error (per thread) and the capture of GDAL's errors
// while a call of the interface runs.
#pragma once

#include <cpl_error.h>

#include <string>

namespace cartova::mitab {

void ClearError();
void SetError(int No, std::string Message);
int LastErrorNo();
const std::string& LastErrorMessage();

// While alive, GDAL's failures in this thread are recorded here instead of
// being printed; warnings and debug messages go on to GDAL's default handler,
// except a warning numbered Dropped.
class TGdalErrors {
public:
    explicit TGdalErrors(int Dropped = -1);
    ~TGdalErrors();
    TGdalErrors(const TGdalErrors&) = delete;
    TGdalErrors& operator=(const TGdalErrors&) = delete;

    bool Failed() const { return No != CPLE_None; }
    // Sets the last error to Context, followed by GDAL's message when there
    // was one; Fallback is the number when GDAL reported nothing.
    void Report(int Fallback, const std::string& Context) const;

private:
    static void CPL_STDCALL Handler(CPLErr Class, CPLErrorNum Number, const char* Message);

    int No = CPLE_None;
    std::string Message;
    int DroppedWarning;
};

} // namespace cartova::mitab
