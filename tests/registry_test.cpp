// The registry read, in-process, on a key of the test's own below
// HKEY_CURRENT_USER: what fits, what does not, and values without terminator.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

#include <string>

#include "registry.h"

namespace {

const char *kKey = "Software\\MarluneRegistryTest";

class RegistryRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, NULL, 0,
                                                 KEY_ALL_ACCESS, NULL, &key, NULL));
    }
    void TearDown() override
    {
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    void Set(DWORD type, const std::string &bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Value", 0, type,
                                                (const BYTE *)bytes.data(), (DWORD)bytes.size()));
    }
    HKEY key;
};

TEST_F(RegistryRead, ReadsWhatFitsAndRefusesTheRest)
{
    struct Case {
        const char *what;
        DWORD type;
        std::string bytes;
        const char *expected;  // null: not read
    } cases[] = {
        {"string", REG_SZ, std::string("C:\\A\\B", 7), "C:\\A\\B"},
        {"expandable string, unexpanded", REG_EXPAND_SZ, std::string("%X%\\B", 6), "%X%\\B"},
        {"exactly fills with terminator", REG_SZ, std::string("1234567", 8), "1234567"},
        {"too large", REG_SZ, std::string("12345678", 9), NULL},
        {"fills without terminator", REG_BINARY, "12345678", NULL},
        {"short, without terminator", REG_BINARY, "abc", "abc"},
        {"empty", REG_SZ, std::string("", 1), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Set(c.type, c.bytes);
        char buffer[8];
        memset(buffer, 'j', sizeof(buffer));
        bool read = RegGetKeyStringValue(HKEY_CURRENT_USER, kKey, "Value", buffer, sizeof(buffer));
        EXPECT_EQ(c.expected != NULL, read);
        EXPECT_STREQ(c.expected ? c.expected : "", buffer);
    }
}

TEST_F(RegistryRead, MissingKeyOrValueLeavesTheBufferEmpty)
{
    char buffer[16] = "stale";
    EXPECT_FALSE(RegGetKeyStringValue(HKEY_CURRENT_USER, kKey, "Value", buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
    strcpy(buffer, "stale");
    EXPECT_FALSE(RegGetKeyStringValue(HKEY_CURRENT_USER, "Software\\MarluneNoSuchKey", "Value",
                                      buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
}

}  // namespace
