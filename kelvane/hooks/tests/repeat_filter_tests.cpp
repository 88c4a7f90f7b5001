#include "kelvane/hooks/repeat_filter.h"

#include <gtest/gtest.h>

namespace {

using kelvane::RememberedMessage;

constexpr uint16_t kSysCommand = 0xC123;
constexpr uintptr_t kWindow = 0x10020;

TEST(RepeatFilter, AnIdenticalMessageWithin350MsIsARepeat) {
    struct Case {
        const char* name;
        RememberedMessage stored;
        RememberedMessage incoming;
        bool repeat;
    };
    const Case cases[] = {
        {"349 ms later", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow, 61400, 10349}, true},
        {"350 ms later", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow, 61400, 10350}, true},
        {"351 ms later", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow, 61400, 10351}, false},
        {"same tick", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow, 61400, 10000}, true},
        {"other window", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow + 1, 61400, 10010}, false},
        {"other parameter", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand, kWindow, 61401, 10010}, false},
        {"other message", {kSysCommand, kWindow, 61400, 10000}, {kSysCommand + 1, kWindow, 61400, 10010}, false},
        // The distance counts either way...
        {"350 ms earlier", {kSysCommand, kWindow, 61400, 10350}, {kSysCommand, kWindow, 61400, 10000}, true},
        {"351 ms earlier", {kSysCommand, kWindow, 61400, 10351}, {kSysCommand, kWindow, 61400, 10000}, false},
        // ...and across the wrap of the tick count after 49.7 days.
        {"200 ms across the wrap",
         {kSysCommand, kWindow, 61400, 0xFFFFFF9Cu},
         {kSysCommand, kWindow, 61400, 100},
         true},
        {"400 ms across the wrap",
         {kSysCommand, kWindow, 61400, 0xFFFFFF38u},
         {kSysCommand, kWindow, 61400, 200},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kelvane::IsRepeat(c.stored, c.incoming), c.repeat);
    }
}

TEST(RepeatFilter, RemembersOnlyTheLastRecordedMessage) {
    kelvane::RepeatFilter filter;
    const RememberedMessage first{kSysCommand, kWindow, 61400, 1000};
    EXPECT_FALSE(filter.IsRepeat(first)) << "nothing recorded yet";
    filter.Record(first);
    EXPECT_TRUE(filter.IsRepeat({kSysCommand, kWindow, 61400, 1100}));
    filter.Record({kSysCommand, kWindow, 61401, 1100});
    EXPECT_FALSE(filter.IsRepeat({kSysCommand, kWindow, 61400, 1200}));
    EXPECT_TRUE(filter.IsRepeat({kSysCommand, kWindow, 61401, 1200}));
}

}  // namespace
