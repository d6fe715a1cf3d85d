// Arbitrary bytes, read as UTF-8, evaluated as one command line: the reader first, then
// whatever the text happens to call.
#include "fuzz/fuzz_session.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Evaluate(QString::fromUtf8(reinterpret_cast<const char*>(data), int(size)));
    return 0;
}
