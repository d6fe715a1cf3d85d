// Arbitrary bytes as the text of a DXF file. A drawing that reads is written back and must read
// again: what the reader accepts, the writer must express.
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    OdDbReadError error;
    auto db = OdDxfReader::read(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!db)
        return 0;
    const std::string written = OdDxfWriter::write(*db, OdDbDxfVersion::kR2000);
    OdDbReadError again;
    if (!OdDxfReader::read(written, again)) {
        std::fprintf(stderr, "fuzz: a drawing that was read does not read back after writing: line %ld: %s\n", again.line,
                     qPrintable(again.message));
        std::abort();
    }
    return 0;
}
