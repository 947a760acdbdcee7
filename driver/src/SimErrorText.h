// Texts of the library's result codes.
#pragma once

#include <cstdint>
#include <string>

namespace qdxsim {

// A text for every code; unknown codes name their number.
[[nodiscard]] std::string ErrorText(int32_t code);

}  // namespace qdxsim
