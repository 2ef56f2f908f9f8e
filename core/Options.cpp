// The options record in force.
#include "core/Options.h"

TOptions& CurrentOptions()
{
    static TOptions options;
    return options;
}
