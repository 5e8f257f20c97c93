#include "platform/components/version_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace ventrix {
namespace {

std::int32_t FailureCode(std::string_view body) {
  auto parsed = ParseVersionFile(body);
  const auto* code = std::get_if<std::int32_t>(&parsed);
  return code ? *code : 0;
}

VersionFile Parsed(std::string_view body) {
  auto parsed = ParseVersionFile(body);
  EXPECT_TRUE(std::holds_alternative<VersionFile>(parsed)) << "code " << FailureCode(body);
  return std::holds_alternative<VersionFile>(parsed) ? std::get<VersionFile>(parsed)
                                                     : VersionFile{};
}

int Compare(std::string_view a, std::string_view b) {
  return CompareVersions(ParseVersion(a).value(), ParseVersion(b).value());
}

TEST(CompareVersions, ComparesComponentsAsIntegersWithMissingOnesAsZero) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"3.5", "3.36", -1},   {"3.36", "3.36", 0},
      {"3.36", "3.36.0", 0}, {"3.36.0.0", "3.36", 0},
      {"3.36.1", "3.36", 1}, {"4", "3.99", 1},
      {"3.05", "3.5", 0},    {"10.0", "9.999", 1},
      {"3.36", "3.37", -1},  {"999999999", "999999998.9", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compare(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(Compare(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

TEST(ParseVersion, AcceptsOneToFourBoundedNumbersOnly) {
  EXPECT_EQ(ParseVersion("3.36"), (VersionNumber{3, 36}));
  EXPECT_EQ(ParseVersion(" 1.2.3.4\t"), (VersionNumber{1, 2, 3, 4}));
  EXPECT_EQ(ParseVersion("999999999"), (VersionNumber{999999999}));
  for (const char* bad : {"", ".", "3.", ".3", "3..6", "1.2.3.4.5", "1234567890", "3.1234567890",
                          "-3.1", "+3", "3.3a", "v3.36", "3 .36", "3,36", "0x10"}) {
    EXPECT_FALSE(ParseVersion(bad).has_value()) << bad;
  }
}

TEST(ParseVersionFile, ReadsKeysValuesCommentsAndEitherLineEnd) {
  const VersionFile lf = Parsed(
      "# Ventrix\n"
      "version: 3.37\n"
      "download: https://example.com/v337.exe\n"
      "\n"
      "   # indented comment\n"
      "information: Locks: and = unlocks\n");
  EXPECT_EQ(lf.version, "3.37");
  EXPECT_EQ(lf.number, (VersionNumber{3, 37}));
  EXPECT_EQ(lf.download, "https://example.com/v337.exe");
  EXPECT_EQ(lf.information, "Locks: and = unlocks");

  const VersionFile crlf = Parsed("\xEF\xBB\xBFVERSION = 4.0\r\nDownload=http://x/y\r\n");
  EXPECT_EQ(crlf.version, "4.0");
  EXPECT_EQ(crlf.download, "http://x/y");
  EXPECT_EQ(crlf.information, "");

  EXPECT_EQ(Parsed("version:3.36").version, "3.36");  // no final line end
  EXPECT_EQ(Parsed("version: 5\nnotes: later files may add keys\n").version, "5");
  EXPECT_EQ(
      Parsed("version: 5\ninformation: caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x92\xBF\n").information,
      "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x92\xBF");
}

TEST(ParseVersionFile, RejectsMissingTruncatedOrAmbiguousContent) {
  for (const char* bad : {
           "",                                       // empty file
           "\r\n\n# only comments\n",                // nothing but comments
           "download: http://x/\ninformation: y\n",  // no version
           "version:\n",                             // truncated: no value
           "version: 3.",                            // cut mid-value
           "version: 3.37\ndownl",                   // cut mid-line, no separator
           "version: 3.37\nversion: 3.38\n",         // given twice
           "version: 3.37\ninformation: a\ninformation: b\n",
           "version: 3.36 beta\n",
           "version: 1.2.3.4.5\n",
           "version: 3.1234567890\n",
           "<html><body>Not Found</body></html>",
       }) {
    EXPECT_EQ(FailureCode(bad), kCheckMalformedFile) << bad;
  }
}

TEST(ParseVersionFile, RejectsControlBytesAndBrokenUtf8) {
  using std::string_literals::operator""s;
  for (const std::string& bad : {
           "version: 3.37\0\n"s,                // NUL
           "version: 3.37\n\x01\n"s,            // other control byte
           "version: 3.37\rinformation: x\n"s,  // lone CR
           "version: 3.37\ninformation: \x7F\n"s,
           "version: 3.37\ninformation: \xC3\n"s,              // cut sequence
           "version: 3.37\ninformation: \xC0\xAF\n"s,          // overlong
           "version: 3.37\ninformation: \xED\xA0\x80\n"s,      // surrogate
           "version: 3.37\ninformation: \xF4\x90\x80\x80\n"s,  // above U+10FFFF
           "version: 3.37\ninformation: \xFF\n"s,
       }) {
    EXPECT_EQ(FailureCode(bad), kCheckMalformedFile) << bad;
  }
  EXPECT_EQ(Parsed("version:\t3.37\t\n").version, "3.37");  // tabs are blanks
}

TEST(ParseVersionFile, BoundsFileAndLineLength) {
  // Fill the file to the byte with comment lines of the longest allowed length.
  std::string at_limit = "version: 3.37\n";
  while (at_limit.size() < kMaxVersionFileBytes) {
    const std::size_t room = kMaxVersionFileBytes - at_limit.size();
    const std::size_t line = std::min(room, kMaxVersionFileLineBytes + 1);
    at_limit += "#" + std::string(line - 1, 'x');
    if (at_limit.size() < kMaxVersionFileBytes) at_limit.back() = '\n';
  }
  EXPECT_EQ(Parsed(at_limit).version, "3.37");
  EXPECT_EQ(FailureCode(at_limit + "x"), kCheckFileTooLarge);

  const std::string long_value(kMaxVersionFileLineBytes - std::string("information: ").size(), 'i');
  EXPECT_EQ(Parsed("version: 1\ninformation: " + long_value + "\r\n").information, long_value);
  EXPECT_EQ(FailureCode("version: 1\ninformation: " + long_value + "i\n"), kCheckMalformedFile);
}

TEST(DecideCheckOutcome, MapsTransportAndStatusBeforeTheFile) {
  const std::string newer = "version: 3.37\ndownload: http://d/\ninformation: i\n";
  const auto code = [](const CheckOutcome& outcome) {
    const auto* failed = std::get_if<CheckFailedOutcome>(&outcome);
    return failed ? failed->code : 0;
  };
  EXPECT_EQ(code(DecideCheckOutcome({std::nullopt, newer}, "3.36")), kCheckCouldNotConnect);
  for (int status : {404, 500, 301, 302, 100, 199, 300, 403}) {
    EXPECT_EQ(code(DecideCheckOutcome({status, newer}, "3.36")), kCheckFileNotFound) << status;
  }
  for (int status : {200, 203, 299}) {
    const auto outcome = DecideCheckOutcome({status, newer}, "3.36");
    ASSERT_TRUE(std::holds_alternative<NewVersionOutcome>(outcome)) << status;
    const auto& found = std::get<NewVersionOutcome>(outcome);
    EXPECT_EQ(found.available, "3.37");
    EXPECT_EQ(found.download, "http://d/");
    EXPECT_EQ(found.information, "i");
  }
  EXPECT_EQ(code(DecideCheckOutcome({200, "version: x"}, "3.36")), kCheckMalformedFile);
  EXPECT_EQ(code(DecideCheckOutcome({200, std::string(kMaxVersionFileBytes + 1, '#')}, "3.36")),
            kCheckFileTooLarge);
  // An unusable running version cannot be compared, whatever the server says.
  for (const char* running : {"", "3.x", "1.2.3.4.5"}) {
    EXPECT_EQ(code(DecideCheckOutcome({200, newer}, running)), kCheckBadRunningVersion) << running;
  }
}

TEST(DecideCheckOutcome, NewVersionOnlyWhenThePublishedOneIsNewer) {
  const auto outcome_for = [](const char* published, const char* running) {
    return DecideCheckOutcome({200, std::string("version: ") + published + "\n"}, running);
  };
  EXPECT_TRUE(std::holds_alternative<NoNewVersionOutcome>(outcome_for("3.36", "3.36")));
  EXPECT_TRUE(std::holds_alternative<NoNewVersionOutcome>(outcome_for("3.36.0", "3.36")));
  EXPECT_TRUE(std::holds_alternative<NoNewVersionOutcome>(outcome_for("3.5", "3.36")));
  EXPECT_TRUE(std::holds_alternative<NewVersionOutcome>(outcome_for("3.36.1", "3.36")));
  EXPECT_TRUE(std::holds_alternative<NewVersionOutcome>(outcome_for("3.36", "3.5")));
  const auto found = outcome_for("4.0", "3.36");
  ASSERT_TRUE(std::holds_alternative<NewVersionOutcome>(found));
  EXPECT_EQ(std::get<NewVersionOutcome>(found).download, "");
  EXPECT_EQ(std::get<NewVersionOutcome>(found).information, "");
}

TEST(IsHttpAddress, AcceptsOnlyBoundedHttpAndHttpsAddresses) {
  for (const char* good :
       {"http://example.com/", "https://example.com/v.exe", "HTTP://X", "hTtPs://x/y?z=1"}) {
    EXPECT_TRUE(IsHttpAddress(good)) << good;
  }
  for (const char* bad :
       {"", "http://", "https://", "ftp://example.com/", "file:///C:/x.exe", "mailto:a@b",
        "C:\\setup.exe", "javascript:alert(1)", "http://exa mple.com/", "http://x/\ty",
        " http://x/", "httpx://x", "http:/x"}) {
    EXPECT_FALSE(IsHttpAddress(bad)) << bad;
  }
  const std::string scheme = "http://";
  EXPECT_TRUE(IsHttpAddress(scheme + std::string(kMaxHttpAddressBytes - scheme.size(), 'a')));
  EXPECT_FALSE(IsHttpAddress(scheme + std::string(kMaxHttpAddressBytes - scheme.size() + 1, 'a')));
}

}  // namespace
}  // namespace ventrix
