#include "secure_setting.h"

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
