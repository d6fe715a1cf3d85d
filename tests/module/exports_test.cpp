// The two exports, called directly on the library without the dynamic linker.
#include "module_test_support.h"

#include <dlfcn.h>

namespace {

// Opens the library for one test; the dynamic linker must not hold it meanwhile.
class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(odrxDynamicLinker()->module(CTqString(kModulePath)), nullptr);
        m_library = dlopen(kModulePath, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_library, nullptr) << dlerror();
        create = reinterpret_cast<OdRxCreateModuleObjectFn>(dlsym(m_library, "odrxCreateModuleObject"));
        getVersion = reinterpret_cast<OdRxGetAPIVersionFn>(dlsym(m_library, "odrxGetAPIVersion"));
        ASSERT_NE(create, nullptr);
        ASSERT_NE(getVersion, nullptr);
    }
    void TearDown() override
    {
        if (m_library)
            dlclose(m_library);
    }

    OdRxCreateModuleObjectFn create = nullptr;
    OdRxGetAPIVersionFn getVersion = nullptr;

private:
    void* m_library = nullptr;
};

TEST_F(ExportsTest, FirstCreationTakesTheHandleLaterOnesReturnTheSameObject)
{
    int handleTarget = 0;
    void* location = &handleTarget;
    OdRxModule* first = create(&location);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(location, nullptr);
    EXPECT_EQ(first->sysData(), &handleTarget);

    int otherTarget = 0;
    void* otherLocation = &otherTarget;
    EXPECT_EQ(create(&otherLocation), first);
    EXPECT_EQ(otherLocation, &otherTarget);
    EXPECT_EQ(first->sysData(), &handleTarget);

    first->deleteModuleObject();
}

TEST_F(ExportsTest, DeletedObjectIsReplacedByTheNextCreation)
{
    int firstTarget = 0;
    void* location = &firstTarget;
    OdRxModule* first = create(&location);
    ASSERT_NE(first, nullptr);
    first->deleteModuleObject();

    int secondTarget = 0;
    location = &secondTarget;
    OdRxModule* second = create(&location);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(location, nullptr);
    EXPECT_EQ(second->sysData(), &secondTarget);
    second->deleteModuleObject();
}

TEST_F(ExportsTest, ReportsTheApiVersionTheLinkerChecks)
{
    int version[4] = {-1, -1, -1, -1};
    getVersion(&version[0], &version[1], &version[2], &version[3]);
    EXPECT_EQ(version[0], 4);
    EXPECT_EQ(version[1], 1);
    EXPECT_EQ(version[2], 1);
    EXPECT_EQ(version[3], 84274);
}

}  // namespace
