#include "formats/Progresser.h"

namespace cartova {

TStartProgressProc StartProgress = [](int, int, const std::string&) {};
TShowProgressProc ShowProgress = [](int) {};
TStopProgressProc StopProgress = [] {};

namespace detail {

void CallStartProgress(int Min, int Max, const std::string& Caption)
{
    if (StartProgress)
        StartProgress(Min, Max, Caption);
}

void CallShowProgress(int Position)
{
    if (ShowProgress)
        ShowProgress(Position);
}

void CallStopProgress()
{
    if (StopProgress)
        StopProgress();
}

} // namespace detail
} // namespace cartova
