// The failures of the film delivery: one exception naming the operation, the file and the
// library's reason.
#pragma once

#include <string>

// Throws ShowFailure with "<operation> <fileName>: <reason for errorCode>".
[[noreturn]] void failDelivery(const std::string& operation, const std::string& fileName, int errorCode);
