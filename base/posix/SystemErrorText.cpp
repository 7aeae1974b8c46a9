#include "base/SystemErrorText.h"

#include <cstring>

std::string systemErrorText(unsigned long error)
{
    return std::strerror(static_cast<int>(error));
}
