// libFuzzer target for the page script reader and writer: any bytes are read
// and written without a crash and without a fault of formatFault.
#include "codepage.h"
#include "invariants.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace nimbra;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString script = fromCp1252(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (const std::optional<std::string> fault = formatFault(script)) {
        std::fprintf(stderr, "property failed: %s\n", fault->c_str());
        std::abort();
    }
    return 0;
}
