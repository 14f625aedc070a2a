#pragma once
// The arguments of one command: options (with "--name value", "--name=value"
// or a short "-o value") and operands, in any order. "--" ends the options;
// "--help" or "-h" anywhere before it asks for the command's help.

#include <map>
#include <string>
#include <vector>

namespace cartova::cli {

using TArgs = std::vector<std::string>;

/// An option a command accepts.
struct TOption {
    std::string Name;  ///< "--size"
    std::string Value; ///< what its value stands for in messages ("WxH"); empty for a switch
    std::string Short; ///< "-o", or empty
};

class TArguments {
public:
    /// Parses Args; raises TUsageError for an unknown option or a missing value.
    /// When help is asked for, nothing else is parsed.
    TArguments(const TArgs& Args, const std::vector<TOption>& Options);

    bool Help() const { return FHelp; }
    bool Has(const std::string& Name) const { return FValues.count(Name) > 0; }
    /// The value given last for the option Name; "" when it was not given.
    std::string Get(const std::string& Name) const;
    /// The arguments that are not options, in order.
    const TArgs& Operands() const { return FOperands; }

private:
    bool FHelp = false;
    std::map<std::string, std::string> FValues;
    TArgs FOperands;
};

/// Reads Count numbers separated by Separator ("10,20"; spaces around them
/// are allowed); false when Text is not exactly that.
bool ParseNumbers(const std::string& Text, char Separator, std::size_t Count, std::vector<double>& Numbers);

} // namespace cartova::cli
