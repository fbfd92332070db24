#include "secure_setting.h"

#include <cctype>
#include <cstdlib>

namespace {

bool IsOn(const std::string& value)
{
    return std::atoi(value.c_str()) != 0;
}

} // namespace

bool SaverIsSecure(const std::optional<std::string>& policyValue, std::optional<bool> systemAnswer,
                   const std::optional<std::string>& userValue)
{
    if (policyValue)
        return IsOn(*policyValue);
    if (systemAnswer)
        return *systemAnswer;
    return userValue && IsOn(*userValue);
}

unsigned GracePeriodMs(const std::optional<std::string>& value)
{
    const unsigned kDefaultMs = 5000, kMostSeconds = 3600;
    if (!value || value->empty() || value->size() > 9)
        return kDefaultMs;
    for (const char c : *value)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return kDefaultMs;
    const unsigned long seconds = std::strtoul(value->c_str(), nullptr, 10);
    return static_cast<unsigned>(seconds < kMostSeconds ? seconds : kMostSeconds) * 1000;
}
