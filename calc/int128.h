#pragma once

namespace tubaro {

// Wide enough for any product of two 64-bit counts; GCC and Clang provide it.
__extension__ using Int128 = __int128;

}  // namespace tubaro
