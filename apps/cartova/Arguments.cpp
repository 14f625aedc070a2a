#include "apps/cartova/Arguments.h"
#include "apps/cartova/Messages.h"
#include "host/StrUtils.h"
#include "host/SysUtils.h"

#include <algorithm>
#include <cmath>

namespace cartova::cli {

TArguments::TArguments(const TArgs& Args, const std::vector<TOption>& Options)
{
    const auto End = std::find(Args.begin(), Args.end(), "--");
    FHelp = std::any_of(Args.begin(), End, [](const std::string& A) { return A == "--help" || A == "-h"; });
    if (FHelp)
        return;
    for (auto It = Args.begin(); It != Args.end(); ++It) {
        if (It == End) {
            FOperands.insert(FOperands.end(), End + 1, Args.end());
            break;
        }
        const std::string& A = *It;
        if (A.size() < 2 || A[0] != '-') { // "-" alone is an operand: standard output or input
            FOperands.push_back(A);
            continue;
        }
        const std::size_t Equals = A.find('=');
        const std::string Name = A.substr(0, Equals);
        const auto Option = std::find_if(Options.begin(), Options.end(), [&](const TOption& O) {
            return O.Name == Name || (!O.Short.empty() && O.Short == Name);
        });
        if (Option == Options.end())
            throw TUsageError("unknown option " + Name);
        if (Option->Value.empty()) {
            if (Equals != std::string::npos)
                throw TUsageError("option " + Name + " takes no value");
            FValues[Option->Name];
        } else if (Equals != std::string::npos) {
            FValues[Option->Name] = A.substr(Equals + 1);
        } else if (It + 1 != End) {
            FValues[Option->Name] = *++It;
        } else {
            throw TUsageError("option " + Name + " needs a value: " + Name + " " + Option->Value);
        }
    }
}

std::string TArguments::Get(const std::string& Name) const
{
    const auto It = FValues.find(Name);
    return It == FValues.end() ? std::string() : It->second;
}

bool ParseNumbers(const std::string& Text, char Separator, std::size_t Count, std::vector<double>& Numbers)
{
    Numbers.clear();
    std::size_t From = 0;
    for (;;) {
        const std::size_t To = Text.find(Separator, From);
        double V = 0;
        if (!TryStrToFloat(Trim(Text.substr(From, To - From)), V) || !std::isfinite(V))
            return false;
        Numbers.push_back(V);
        if (To == std::string::npos)
            break;
        From = To + 1;
    }
    return Numbers.size() == Count;
}

} // namespace cartova::cli
