#include "about/registry.h"

std::unique_ptr<Registry> systemRegistry()
{
    return std::make_unique<NoRegistry>();
}
