#include "reports/ParametresEdition.h"

namespace zelvane {

TParametresEdition &ParametresEdition()
{
    static TParametresEdition parameters;
    return parameters;
}

} // namespace zelvane
