// Times reading a DXF drawing of 100,000 LINE entities (made by our writer, then read back),
// best of five runs; a file given on the command line is timed instead. Checks the entity count
// before trusting a time.
#include "host/sdk/db/OdDbBlockTableRecord.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbLine.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::string text;
    std::size_t expected = 0;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "dxf_read: cannot open %s\n", argv[1]);
            return 2;
        }
        text = file.readAll().toStdString();
    } else {
        auto db = OdDbDatabase::createNew();
        auto* model = db->getModelSpaceId().openObject<OdDbBlockTableRecord>();
        expected = 100000;
        for (std::size_t i = 0; i < expected; ++i) {
            auto line = std::make_unique<OdDbLine>();
            line->setStartPoint({double(i % 200), double(i / 200), 0.0});
            line->setEndPoint({double(i % 200) + 0.5, double(i / 200) + 0.5, 0.0});
            line->setLayer(i % 2 ? QStringLiteral("GRID") : QStringLiteral("0"));
            const OdDbObjectId id = model->appendEntity(std::move(line));
            QString message;
            (void)id.object()->resolveReferences(*db, true, message);
        }
        text = OdDxfWriter::write(*db, OdDbDxfVersion::kR2000);
    }
    double bestWall = 1e9;
    double bestCpu = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto wall0 = std::chrono::steady_clock::now();
        const std::clock_t cpu0 = std::clock();
        OdDbReadError error;
        auto db = OdDxfReader::read(text, error);
        const std::clock_t cpu1 = std::clock();
        const auto wall1 = std::chrono::steady_clock::now();
        if (!db) {
            std::fprintf(stderr, "dxf_read: %s\n", error.message.toLocal8Bit().constData());
            return 1;
        }
        const std::size_t count = db->getModelSpaceId().openObject<OdDbBlockTableRecord>()->entityIds().size();
        if (expected && count != expected) {
            std::fprintf(stderr, "dxf_read: read %zu entities, expected %zu\n", count, expected);
            return 1;
        }
        bestWall = std::min(bestWall, std::chrono::duration<double, std::milli>(wall1 - wall0).count());
        bestCpu = std::min(bestCpu, 1000.0 * double(cpu1 - cpu0) / CLOCKS_PER_SEC);
        if (run == 0)
            std::printf("%zu model-space entities, %.1f MB of DXF\n", count, double(text.size()) / 1e6);
    }
    std::printf("best of 5: %.0f ms wall, %.0f ms CPU\n", bestWall, bestCpu);
    return 0;
}
