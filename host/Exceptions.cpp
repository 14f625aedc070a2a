#include "host/Exceptions.h"

namespace cartova::host {

EListError EListError::OutOfBounds(long long index)
{
    return EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void AbstractError()
{
    throw EAbstractError("Abstract Error");
}

} // namespace cartova::host
