// The administrator check, in-process: the scan of constructed group lists
// (the only way to see a non-administrator under Wine, whose token always
// holds the Administrators group) and the reading of long group lists.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "admin.h"

namespace {

// A SID that frees itself; sub-authorities beyond two are zero.
struct Sid {
    PSID sid = NULL;
    Sid(BYTE authority, DWORD first, DWORD second, BYTE count = 2)
    {
        SID_IDENTIFIER_AUTHORITY id = {{0, 0, 0, 0, 0, authority}};
        AllocateAndInitializeSid(&id, count, first, second, 0, 0, 0, 0, 0, 0, &sid);
    }
    ~Sid() { FreeSid(sid); }
};

// A TOKEN_GROUPS record in a buffer of its own size.
struct Groups {
    std::vector<ULONG_PTR> storage;
    TOKEN_GROUPS *list;
    Groups(const std::vector<PSID> &sids, DWORD attributes)
    {
        size_t bytes = sizeof(TOKEN_GROUPS) + sids.size() * sizeof(SID_AND_ATTRIBUTES);
        storage.resize(bytes / sizeof(ULONG_PTR) + 1);
        list = (TOKEN_GROUPS *)storage.data();
        list->GroupCount = (DWORD)sids.size();
        for (size_t i = 0; i < sids.size(); i++) {
            list->Groups[i].Sid = sids[i];
            list->Groups[i].Attributes = attributes;
        }
    }
    size_t Bytes() const { return sizeof(TOKEN_GROUPS) + list->GroupCount * sizeof(SID_AND_ATTRIBUTES); }
};

TEST(GroupsContainSid, FindsAdministratorsByPresenceAlone)
{
    Sid admins(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    Sid users(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS);
    Sid everyone(1, SECURITY_WORLD_RID, 0, 1);
    Sid otherAuthority(1, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    Sid probe(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);  // a separate copy

    struct Case {
        const char *what;
        std::vector<PSID> sids;
        DWORD attributes;
        bool expected;
    } cases[] = {
        {"administrator", {everyone.sid, admins.sid, users.sid}, SE_GROUP_ENABLED, true},
        {"deny-only administrators group", {users.sid, admins.sid}, SE_GROUP_USE_FOR_DENY_ONLY, true},
        {"plain user", {everyone.sid, users.sid}, SE_GROUP_ENABLED, false},
        {"same numbers, other authority", {otherAuthority.sid}, SE_GROUP_ENABLED, false},
        {"no groups", {}, 0, false},
    };
    for (const Case &c : cases) {
        Groups groups(c.sids, c.attributes);
        EXPECT_EQ(c.expected, GroupsContainSid(groups.list, probe.sid)) << c.what;
    }
}

TEST(GroupsContainSid, ScansListsLongerThanTheFixedBuffer)
{
    Sid admins(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
    std::vector<Sid *> many;
    std::vector<PSID> sids;
    for (DWORD i = 0; i < 200; i++) {
        many.push_back(new Sid(5, 21, 1000 + i));
        sids.push_back(many.back()->sid);
    }
    sids.push_back(admins.sid);  // last, beyond the first 1024 bytes
    Groups groups(sids, SE_GROUP_ENABLED);
    EXPECT_GT(groups.Bytes(), 1024u);
    EXPECT_TRUE(GroupsContainSid(groups.list, admins.sid));
    for (Sid *sid : many)
        delete sid;
}

TEST(ReadTokenGroups, AListLongerThanTheBufferIsStillRead)
{
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token));
    Sid admins(5, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);

    ULONG_PTR roomy[1024 / sizeof(ULONG_PTR)];
    TOKEN_GROUPS *inBuffer = ReadTokenGroups(token, roomy, sizeof(roomy));
    ASSERT_TRUE(inBuffer != NULL);
    EXPECT_EQ((void *)roomy, (void *)inBuffer);

    ULONG_PTR tiny[2];  // too small for any real list: the heap path
    TOKEN_GROUPS *onHeap = ReadTokenGroups(token, tiny, sizeof(tiny));
    ASSERT_TRUE(onHeap != NULL);
    EXPECT_NE((void *)tiny, (void *)onHeap);
    EXPECT_EQ(inBuffer->GroupCount, onHeap->GroupCount);
    // Wine's token lists the Administrators group, as an administrator's does.
    EXPECT_TRUE(GroupsContainSid(onHeap, admins.sid));
    FreeTokenGroups(onHeap, tiny);
    FreeTokenGroups(inBuffer, roomy);
    CloseHandle(token);
}

TEST(IsUserAdmin, WinesUserIsAnAdministratorOnNT)
{
    EXPECT_EQ(1, IsWindowsNT());
    EXPECT_EQ(1, IsUserAdmin());
}

}  // namespace
