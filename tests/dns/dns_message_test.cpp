// SPDX-License-Identifier: GPL-3.0-or-later
// The query's bytes, the rule that judges a reply, and server addresses.
#include "dns/dns_message.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "dns/endpoint.h"

namespace dorvane::dns {
namespace {

TEST(BuildQuery, WritesHeaderQuestionTypeAAndClassIn) {
    const Bytes expected = {0xBE, 0xEF, 0x01, 0x00, 0,   1,   0,   0,   0,   0,   0,   0,  // header
                            3,    'w',  'w',  'w',  7,   'd', 'o', 'r', 'v', 'a', 'n', 'e',
                            7,    'e',  'x',  'a',  'm', 'p', 'l', 'e', 0,  // name
                            0,    1,    0,    1};                           // A, IN
    EXPECT_EQ(BuildQuery(0xBEEF, "www.dorvane.example"), expected);
    EXPECT_EQ(BuildQuery(0xBEEF, "www.dorvane.example."), expected);  // the root, written out
    EXPECT_EQ(BuildQuery(0, "x").size(), 12u + 3 + 4);
    EXPECT_EQ(BuildQuery(65534, "x")[0], 0xFF);
    EXPECT_EQ(BuildQuery(65534, "x")[1], 0xFE);
}

TEST(BuildQuery, RefusesWhatCannotBeLabels) {
    const std::string label63(63, 'a'), label64(64, 'a');
    std::string long253 = label63 + "." + label63 + "." + label63 + "." + std::string(61, 'b');
    struct Row {
        std::string name;
        bool valid;
    };
    const Row rows[] = {{"known.test", true},
                        {"a-b_c.d9", true},
                        {label63 + ".x", true},
                        {long253, true},
                        {long253 + "c", false},
                        {label64 + ".x", false},
                        {"", false},
                        {".", false},
                        {"a..b", false},
                        {".a", false},
                        {"a b.test", false},
                        {"h\xC3\xA9.test", false},
                        {"a/b", false},
                        {std::string("a\0b", 3), false}};
    for (const Row& r : rows) {
        EXPECT_EQ(IsValidHostName(r.name), r.valid) << r.name;
        if (!r.valid) {
            EXPECT_THROW(BuildQuery(1, r.name), std::invalid_argument) << r.name;
        }
    }
}

// A reply made from the query: flags and length changed as a row says.
Bytes Reply(const Bytes& query, std::uint8_t flags2, std::uint8_t flags3, int extra) {
    Bytes r = query;
    r[2] = flags2;
    r[3] = flags3;
    if (extra >= 0)
        r.insert(r.end(), static_cast<std::size_t>(extra), 0);
    else
        r.resize(r.size() - static_cast<std::size_t>(-extra));
    return r;
}

TEST(ClassifyReply, OnlyOurAnsweredReplyCounts) {
    const Bytes query = BuildQuery(0x1234, "known.test");
    struct Row {
        const char* what;
        Bytes reply;
        ReplyKind kind;
    };
    Bytes otherId = Reply(query, 0x81, 0x80, 16);
    otherId[1] ^= 1;
    const Row rows[] = {
        {"answer with a record", Reply(query, 0x81, 0x80, 16), ReplyKind::Answer},
        {"answer, as long as the query", Reply(query, 0x81, 0x80, 0), ReplyKind::Answer},
        {"response code 2", Reply(query, 0x81, 0x82, 0), ReplyKind::Failure},
        {"name does not exist (3)", Reply(query, 0x81, 0x83, 0), ReplyKind::Failure},
        {"refused (5)", Reply(query, 0x81, 0x85, 0), ReplyKind::Failure},
        {"shorter than the query", Reply(query, 0x81, 0x80, -1), ReplyKind::Failure},
        {"only a header", Bytes(query.begin(), query.begin() + 12), ReplyKind::NotOurs},
        {"another identifier", otherId, ReplyKind::NotOurs},
        {"the query itself (QR clear)", query, ReplyKind::NotOurs},
        {"eleven bytes", Bytes(query.begin(), query.begin() + 11), ReplyKind::NotOurs},
        {"nothing", Bytes{}, ReplyKind::NotOurs},
    };
    for (const Row& r : rows) EXPECT_EQ(ClassifyReply(r.reply, query), r.kind) << r.what;
    // A whole header with the QR bit, our identifier and code 0, but cut short.
    Bytes header(query.begin(), query.begin() + 12);
    header[2] = 0x81;
    EXPECT_EQ(ClassifyReply(header, query), ReplyKind::Failure);
}

TEST(ParseEndpoint, TakesAddressLiteralsWithOptionalPorts) {
    struct Row {
        const char* text;
        const char* shown;  // null: refused
    };
    const Row rows[] = {
        {"9.9.9.9", "9.9.9.9:53"},
        {"127.0.0.1:5353", "127.0.0.1:5353"},
        {"127.0.0.1:65535", "127.0.0.1:65535"},
        {"::1", "[::1]:53"},
        {"[::1]", "[::1]:53"},
        {"[2001:db8::1]:853", "[2001:db8::1]:853"},
        {"127.0.0.1:0", nullptr},
        {"127.0.0.1:65536", nullptr},
        {"127.0.0.1:", nullptr},
        {"127.0.0.1:+53", nullptr},
        {"127.0.0.1:53x", nullptr},
        {"[::1]53", nullptr},
        {"[::1", nullptr},
        {"dns.example", nullptr},
        {"1.2.3", nullptr},
        {"", nullptr},
        {"256.1.1.1", nullptr},
        {"fe80::1%eth0", nullptr},
    };
    for (const Row& r : rows) {
        const auto e = ParseEndpoint(r.text);
        ASSERT_EQ(e.has_value(), r.shown != nullptr) << r.text;
        if (e) {
            EXPECT_EQ(e->toString(), r.shown) << r.text;
        }
    }
}

}  // namespace
}  // namespace dorvane::dns
