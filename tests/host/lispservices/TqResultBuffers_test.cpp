// Result-buffer records and chains, and the value type of each group code.
#include "host/lispservices/TqResultBuffers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(TqResultBuffers, GroupCodesMapToTheirValueTypes)
{
    struct Case {
        int groupCode;
        short valueType;
    };
    const Case cases[] = {
        {-1, tqrt::kEntityName}, {-2, tqrt::kEntityName}, {-4, tqrt::kString},  {0, tqrt::kString},
        {2, tqrt::kString},      {9, tqrt::kString},      {10, tqrt::kPoint3d}, {11, tqrt::kPoint3d},
        {18, tqrt::kPoint3d},    {38, tqrt::kReal},       {40, tqrt::kReal},    {50, tqrt::kReal},
        {59, tqrt::kReal},       {60, tqrt::kShort},      {62, tqrt::kShort},   {70, tqrt::kShort},
        {79, tqrt::kShort},      {90, tqrt::kLong},       {99, tqrt::kLong},    {100, tqrt::kString},
        {105, tqrt::kString},    {110, tqrt::kPoint3d},   {140, tqrt::kReal},   {170, tqrt::kShort},
        {179, tqrt::kShort},     {210, tqrt::kPoint3d},   {270, tqrt::kShort},  {289, tqrt::kShort},
        {290, tqrt::kShort},     {300, tqrt::kString},    {310, tqrt::kBinaryChunk},
        {330, tqrt::kEntityName}, {360, tqrt::kEntityName}, {370, tqrt::kShort}, {420, tqrt::kLong},
        {999, tqrt::kString},    {1000, tqrt::kString},   {1001, tqrt::kString}, {1004, tqrt::kBinaryChunk},
        {1005, tqrt::kString},   {1010, tqrt::kPoint3d},  {1011, tqrt::kPoint3d}, {1040, tqrt::kReal},
        {1041, tqrt::kReal},     {1070, tqrt::kShort},    {1071, tqrt::kLong},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TqValueTypeOfGroupCode(c.groupCode), c.valueType) << "group code " << c.groupCode;
}

TEST(TqResultBuffers, CodesWithoutAValueAndValueTypesThemselves)
{
    for (int code : {-3, -5, -100, 80, 89, 180, 209, 482, 998, 1072, 4999, 5024, 32000})
        EXPECT_EQ(TqValueTypeOfGroupCode(code), tqrt::kNone) << "group code " << code;
    EXPECT_EQ(TqValueTypeOfGroupCode(5005), tqrt::kString);
    EXPECT_EQ(TqValueTypeOfGroupCode(5022), tqrt::kBinaryChunk);
    EXPECT_EQ(TqValueTypeOfGroupCode(5019), tqrt::kNil);
}

TEST(TqResultBuffers, AllocTextCopiesTheGivenUnitsAndTerminates)
{
    char16_t* whole = TqAllocText(u"abc", 3);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(std::u16string(whole), u"abc");

    char16_t* part = TqAllocText(u"abcdef", 2);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(std::u16string(part), u"ab");

    char16_t* empty = TqAllocText(nullptr, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], u'\0');

    TqResultBuffer* chain = TqNewResultBuffer(tqrt::kString);
    chain->value.string = whole;
    chain->next = TqNewResultBuffer(1);  // group code 1 is a string too
    chain->next->value.string = part;
    chain->next->next = TqNewResultBuffer(1000);
    chain->next->next->value.string = empty;
    TqReleaseChain(chain);  // the sanitizer build reports what this fails to free
}

TEST(TqResultBuffers, NewRecordIsZeroed)
{
    TqResultBuffer* record = TqNewResultBuffer(10);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->restype, 10);
    EXPECT_EQ(record->next, nullptr);
    EXPECT_EQ(record->value.point[0], 0.0);
    EXPECT_EQ(record->value.point[1], 0.0);
    EXPECT_EQ(record->value.point[2], 0.0);
    TqReleaseChain(record);
}

TEST(TqResultBuffers, ReleaseChainFreesChunksAndLeavesOtherValuesAlone)
{
    TqResultBuffer* chain = TqNewResultBuffer(310);
    chain->value.binary.length = 4;
    chain->value.binary.bytes = TqAllocBytes(4);
    ASSERT_NE(chain->value.binary.bytes, nullptr);
    EXPECT_EQ(std::memcmp(chain->value.binary.bytes, "\0\0\0\0", 4), 0);

    TqResultBuffer* tail = chain;
    for (short type : {short(tqrt::kReal), short(tqrt::kPoint3d), short(-1), short(tqrt::kSelectionSet),
                       short(tqrt::kBinaryChunk), short(tqrt::kListBegin), short(70)}) {
        tail->next = TqNewResultBuffer(type);
        tail = tail->next;
    }
    tail->value.int16 = 7;
    chain->next->next->next->value.name[0] = 0x1234;  // an entity name is no pointer to free
    chain->next->next->next->next->next->value.binary.bytes = TqAllocBytes(0);
    TqReleaseChain(chain);
    TqReleaseChain(nullptr);
}
