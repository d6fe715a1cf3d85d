// The DXF writer: open → save → open keeps handles, owners, group codes and extended data; the
// files pass the independent validator in strict mode and compare equal to the originals; a
// failed save leaves the previous file as it was.
#include "host/sdk/db/OdDbBlockTableRecord.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbDictionary.h"
#include "host/sdk/db/OdDbLine.h"
#include "host/sdk/db/OdDbSymbolTableRecord.h"
#include "host/sdk/db/OdVLObject.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kFixtures = QStringLiteral(KELTORA_SOURCE_DIR "/../shared/dxf/");

std::unique_ptr<OdDbDatabase> readFile(const QString& path)
{
    OdDbReadError error;
    auto db = OdDxfReader::readFile(path, error);
    EXPECT_NE(db, nullptr) << path.toStdString() << ": " << error.message.toStdString();
    return db;
}

bool allApplications(const QString&)
{
    return true;
}

// What an R12 file stores with its handle: entities and the records of the tables it has. Table
// heads, block records and dictionaries get new handles each time R12 is read.
bool storedWithHandleInR12(const OdDbObject& object)
{
    return (dynamic_cast<const OdDbEntity*>(&object) || dynamic_cast<const OdDbSymbolTableRecord*>(&object))
        && !dynamic_cast<const OdDbBlockTableRecord*>(&object);
}

// An owner by handle, or, where R12 renews handles, by kind and name.
OdDbTag comparableOwner(const OdDbTag& owner, bool r12)
{
    const OdDbObject* object = owner.objectId().object();
    if (!r12 || !object || storedWithHandleInR12(*object))
        return owner;
    const auto* record = dynamic_cast<const OdDbSymbolTableRecord*>(object);
    return OdDbTag::string(330, object->dxfName() + QLatin1Char(' ') + (record ? record->name() : QString()));
}

// Every object of a has an object of the same handle in b with the same group codes.
void expectSameObjects(OdDbDatabase& a, OdDbDatabase& b)
{
    const bool r12 = a.version() == OdDbDxfVersion::kR12;
    std::size_t compared = 0;
    a.forEachObject([&](OdDbObject& object) {
        if (object.isErased() || (r12 && !storedWithHandleInR12(object)))
            return;
        const OdDbObject* other = b.getOdDbObjectId(object.handle()).object();
        ASSERT_NE(other, nullptr) << object.dxfName().toStdString() << " " << object.handle().ascii().toStdString();
        OdDbTagList expected = object.groupCodes(allApplications);
        OdDbTagList actual = other->groupCodes(allApplications);
        expected[2] = comparableOwner(expected[2], r12);
        actual[2] = comparableOwner(actual[2], r12);
        if (expected != actual) {
            QString left, right;
            for (const OdDbTag& tag : expected)
                left += tag.toString();
            for (const OdDbTag& tag : actual)
                right += tag.toString();
            ADD_FAILURE() << left.toStdString() << "\n  !=\n" << right.toStdString();
        }
        ++compared;
    });
    EXPECT_GT(compared, 0u);
}

// The validator's exit status; -1 when Python or ezdxf is not installed.
int validate(const QStringList& arguments, QString* output = nullptr)
{
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        return -1;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/usr/bin/python3"), QStringList{kFixtures + QStringLiteral("validate_dxf.py")} + arguments);
    process.waitForFinished(120000);
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return process.exitCode();
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

}  // namespace

TEST_P(RoundTrip, SameDatabaseAndAValidFile)
{
    const QString original = kFixtures + QStringLiteral("fixtures/") + QString::fromLatin1(GetParam());
    auto first = readFile(original);
    ASSERT_NE(first, nullptr);
    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("written.dxf"));
    QString error;
    ASSERT_EQ(OdDxfWriter::writeFile(*first, written, error), OdResult::eOk) << error.toStdString();
    auto second = readFile(written);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->version(), first->version());
    expectSameObjects(*first, *second);

    QString output;
    const int strict = validate({QStringLiteral("--strict"), QStringLiteral("--quiet"), written}, &output);
    if (strict < 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_EQ(strict, 0) << output.toStdString();
    EXPECT_EQ(validate({QStringLiteral("--compare"), original, written}, &output), 0) << output.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RoundTrip,
                         ::testing::Values("features_r12.dxf", "features_r2000.dxf", "features_r2018.dxf"));

TEST(OdDxfWriter, NewDrawingWithLispDataIsAValidFile)
{
    auto db = OdDbDatabase::createNew();
    auto line = std::make_unique<OdDbLine>();
    line->setEndPoint({3, 4, 0});
    line->setLayer(QStringLiteral("Made"));
    const OdDbObjectId lineId = db->getModelSpaceId().openObject<OdDbBlockTableRecord>()->appendEntity(std::move(line));
    QString message;
    ASSERT_EQ(lineId.object()->resolveReferences(*db, true, message), OdResult::eOk);
    ASSERT_EQ(lineId.object()->createExtensionDictionary(), OdResult::eOk);
    auto data = std::make_unique<OdVLObject>();
    data->setData(std::string(600, 'x'));
    const double reals[] = {1.5, -2.25};
    data->setValues(reals);
    const OdDbObjectId dataId = lineId.object()->extensionDictionary().openObject<OdDbDictionary>()->setAt(
        QStringLiteral("KEY"), std::move(data));
    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("new.dxf"));
    QString error;
    ASSERT_EQ(OdDxfWriter::writeFile(*db, written, error), OdResult::eOk) << error.toStdString();
    auto again = readFile(written);
    ASSERT_NE(again, nullptr);
    const auto* stored = again->getOdDbObjectId(dataId.handle()).openObject<OdVLObject>();
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->data(), std::string(600, 'x'));
    EXPECT_EQ(stored->values(), (std::vector<double>{1.5, -2.25}));
    EXPECT_NE(again->symbolTable(OdDbSymbolTable::Kind::kLayer)->recordId(QStringLiteral("MADE")), OdDbObjectId());
    QString output;
    const int strict = validate({QStringLiteral("--strict"), QStringLiteral("--quiet"), written}, &output);
    if (strict < 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_EQ(strict, 0) << output.toStdString();
}

TEST(OdDxfWriter, R12LeavesOutWhatItCannotHoldAndStaysValid)
{
    auto db = readFile(kFixtures + QStringLiteral("fixtures/features_r2000.dxf"));
    ASSERT_NE(db, nullptr);
    QTemporaryDir dir;
    const QString written = dir.filePath(QStringLiteral("r12.dxf"));
    QString error;
    int leftOut = 0;
    ASSERT_EQ(OdDxfWriter::writeFile(*db, written, error, OdDbDxfVersion::kR12, &leftOut), OdResult::eOk);
    // ELLIPSE ×2, LWPOLYLINE ×2, MTEXT, SPLINE ×2, HATCH ×2 of model space, the VIEWPORT of paper
    // space and the MTEXTs of *D1 and *D2.
    EXPECT_EQ(leftOut, 12);
    auto again = readFile(written);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->version(), OdDbDxfVersion::kR12);
    QString output;
    const int strict = validate({QStringLiteral("--strict"), QStringLiteral("--quiet"), written}, &output);
    if (strict < 0)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_EQ(strict, 0) << output.toStdString();
}

TEST(OdDxfWriter, FailedSaveKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("drawing.dxf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous contents\n");
    }
    auto db = readFile(kFixtures + QStringLiteral("fixtures/features_r2000.dxf"));
    ASSERT_NE(db, nullptr);
    // A file-size limit makes the write fail halfway, as a full disk would.
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    QString error;
    const OdResult status = OdDxfWriter::writeFile(*db, path, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(status, OdResult::eFileWriteError);
    EXPECT_FALSE(error.isEmpty());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous contents\n"));
    // Nothing else is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("drawing.dxf")});
    // A folder that does not exist is refused too.
    EXPECT_EQ(OdDxfWriter::writeFile(*db, dir.filePath(QStringLiteral("no/such/folder.dxf")), error),
              OdResult::eFileWriteError);
}
