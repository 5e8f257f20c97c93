#include "drive/tray_answers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace ventrix {
namespace {

using Bytes = std::vector<std::uint8_t>;
using enum TrayReading;

constexpr std::uint8_t kGood = 0x00;
constexpr std::uint8_t kCheck = 0x02;
constexpr std::uint8_t kBusy = 0x08;

enum class Command { kMechanismStatus, kTestUnitReady };

struct Row {
  const char* name;
  Command command;
  bool answered;  // false: the request failed, nothing came back
  std::uint8_t status;
  Bytes sense;
  Bytes data;
  TrayReading expected;
};

// Fixed-format sense (response code, key at 2, additional length at 7, ASC and ASCQ at 12, 13).
Bytes Fixed(std::uint8_t code, std::uint8_t key, std::uint8_t asc, std::uint8_t ascq,
            std::uint8_t additional = 10, std::size_t size = 18) {
  Bytes bytes(size, 0);
  const auto put = [&bytes](std::size_t at, std::uint8_t value) {
    if (at < bytes.size()) bytes[at] = value;
  };
  put(0, code);
  put(2, key);
  put(7, additional);
  put(12, asc);
  put(13, ascq);
  return bytes;
}
// Descriptor-format sense: response code, key, ASC, ASCQ in bytes 0 to 3.
Bytes Descriptor(std::uint8_t code, std::uint8_t key, std::uint8_t asc, std::uint8_t ascq) {
  return {code, key, asc, ascq, 0, 0, 0, 0};
}
// MECHANISM STATUS header: byte 1 carries the door bit (0x10) among the mechanism state bits.
Bytes Header(std::uint8_t byte0, std::uint8_t byte1, std::size_t size = 8) {
  Bytes bytes(size, 0);
  if (size > 0) bytes[0] = byte0;
  if (size > 1) bytes[1] = byte1;
  return bytes;
}

constexpr Command kMech = Command::kMechanismStatus;
constexpr Command kTur = Command::kTestUnitReady;

const Row kRows[] = {
    {"mechanism: the request failed", kMech, false, kGood, {}, Header(0, 0x10), kUnknown},
    {"mechanism: door open", kMech, true, kGood, {}, Header(0, 0x10), kOpen},
    {"mechanism: door closed", kMech, true, kGood, {}, Header(0, 0x00), kClosed},
    {"mechanism: door open among other bits", kMech, true, kGood, {}, Header(0xFF, 0xF0), kOpen},
    {"mechanism: door closed among other bits",
     kMech,
     true,
     kGood,
     {},
     Header(0xFF, 0xEF),
     kClosed},
    {"mechanism: a header one byte short", kMech, true, kGood, {}, Header(0, 0x10, 7), kUnknown},
    {"mechanism: no data", kMech, true, kGood, {}, {}, kUnknown},
    {"mechanism: not supported (CHECK CONDITION)", kMech, true, kCheck, Fixed(0x70, 5, 0x20, 0),
     Header(0, 0x10), kUnknown},
    {"mechanism: busy", kMech, true, kBusy, {}, Header(0, 0x10), kUnknown},

    {"unit ready: the request failed", kTur, false, kGood, {}, {}, kUnknown},
    {"unit ready: ready, so closed with a disc", kTur, true, kGood, {}, {}, kClosed},
    {"unit ready: no medium, tray closed",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 2, 0x3A, 1),
     {},
     kClosed},
    {"unit ready: no medium, tray open", kTur, true, kCheck, Fixed(0x70, 2, 0x3A, 2), {}, kOpen},
    {"unit ready: no medium, tray unknown",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 2, 0x3A, 0),
     {},
     kUnknown},
    {"unit ready: becoming ready", kTur, true, kCheck, Fixed(0x70, 2, 0x04, 1), {}, kUnknown},
    {"unit ready: medium changed (unit attention)",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 6, 0x28, 0),
     {},
     kUnknown},
    {"unit ready: no medium under another key",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 3, 0x3A, 2),
     {},
     kUnknown},
    {"unit ready: valid bit and flag bits around the key",
     kTur,
     true,
     kCheck,
     Fixed(0xF0, 0xE2, 0x3A, 2),
     {},
     kOpen},
    {"unit ready: descriptor format, tray open",
     kTur,
     true,
     kCheck,
     Descriptor(0x72, 2, 0x3A, 2),
     {},
     kOpen},
    {"unit ready: descriptor format, tray closed",
     kTur,
     true,
     kCheck,
     Descriptor(0x72, 2, 0x3A, 1),
     {},
     kClosed},
    {"unit ready: deferred error, fixed",
     kTur,
     true,
     kCheck,
     Fixed(0x71, 2, 0x3A, 2),
     {},
     kUnknown},
    {"unit ready: deferred error, descriptor",
     kTur,
     true,
     kCheck,
     Descriptor(0x73, 2, 0x3A, 2),
     {},
     kUnknown},
    {"unit ready: unknown response code",
     kTur,
     true,
     kCheck,
     Fixed(0x00, 2, 0x3A, 2),
     {},
     kUnknown},
    {"unit ready: fixed sense cut before the ASCQ",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 2, 0x3A, 2, 10, 13),
     {},
     kUnknown},
    {"unit ready: additional length leaving out the ASCQ",
     kTur,
     true,
     kCheck,
     Fixed(0x70, 2, 0x3A, 2, 5),
     {},
     kUnknown},
    {"unit ready: descriptor sense cut before the ASCQ",
     kTur,
     true,
     kCheck,
     Bytes{0x72, 2, 0x3A},
     {},
     kUnknown},
    {"unit ready: CHECK CONDITION without sense", kTur, true, kCheck, {}, {}, kUnknown},
    {"unit ready: busy", kTur, true, kBusy, Fixed(0x70, 2, 0x3A, 2), {}, kUnknown},
};

TEST(TrayAnswers, EachAnswerReadsAsTheDriveMeantIt) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    std::optional<ScsiAnswer> answer;
    if (row.answered) answer = ScsiAnswer{row.status, row.sense, row.data};
    const TrayReading reading =
        row.command == kMech ? ReadMechanismStatus(answer) : ReadTestUnitReady(answer);
    EXPECT_EQ(reading, row.expected);
  }
}

}  // namespace
}  // namespace ventrix
