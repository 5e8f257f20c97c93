#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drive/device_io.h"
#include "tests/support/fake_services.h"

namespace ventrix {
namespace {

using testing::FakeDriveEnumeration;

constexpr std::uint32_t kFixed = 3;  // DRIVE_FIXED
constexpr std::uint32_t kRemovable = 2;

struct RecordingList : DriveListControl {
  std::vector<std::string> items;
  void AddItem(const std::string& entry) override { items.push_back(entry); }
};

// Records every root whose type was asked, so the walk itself can be checked.
struct WalkRecorder : FakeDriveEnumeration {
  std::vector<std::string> asked;
  std::uint32_t GetDriveType(const std::string& root) override {
    asked.push_back(root);
    return FakeDriveEnumeration::GetDriveType(root);
  }
};

std::string Roots(const std::string& letters) {
  std::string list;
  for (const char letter : letters) list += std::string{letter, ':', '\\', '\0'};
  return list + '\0';
}

TEST(NextListItem, TakesItemsOffTheFrontAndLeavesTextWithoutNul) {
  std::string list("A:\\\0C:\\\0\0", 9);
  EXPECT_EQ(basDeviceIO::NextListItem(list), "A:\\");
  EXPECT_EQ(list, std::string("C:\\\0\0", 5));
  EXPECT_EQ(basDeviceIO::NextListItem(list), "C:\\");
  EXPECT_EQ(list, std::string(1, '\0'));

  std::string plain = "D:\\";
  EXPECT_EQ(basDeviceIO::NextListItem(plain), "");
  EXPECT_EQ(plain, "D:\\");
}

TEST(GetDriveStrings, ReturnsTheListWithItsNulsOrEmptyOnFailure) {
  FakeDriveEnumeration drives;
  drives.drives = {{"C:\\", kFixed}, {"D:\\", kDriveCdrom}};
  EXPECT_EQ(basDeviceIO::GetDriveStrings(drives), Roots("CD"));
  EXPECT_EQ(drives.list_calls, 1);

  drives.fails = true;
  EXPECT_EQ(basDeviceIO::GetDriveStrings(drives), "");
}

TEST(FillCdDriveList, AppendsOnlyCdromRootsInLetterOrder) {
  WalkRecorder drives;
  drives.drives = {{"A:\\", kRemovable}, {"C:\\", kFixed}, {"D:\\", kDriveCdrom}};
  RecordingList list;
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(drives.asked, (std::vector<std::string>{"A:\\", "C:\\", "D:\\"}));
  EXPECT_EQ(list.items, std::vector<std::string>{"D:\\"});

  drives.drives["E:\\"] = kDriveCdrom;
  list.items.clear();
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"D:\\", "E:\\"}));
}

TEST(FillCdDriveList, DoesNotClearTheControlAndAddsNothingOnFailure) {
  FakeDriveEnumeration drives;
  drives.drives = {{"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
  RecordingList list;
  basDeviceIO::FillCdDriveList(drives, list);
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"D:\\", "E:\\", "D:\\", "E:\\"}));

  drives.fails = true;
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(list.items.size(), 4u);
}

TEST(FillCdDriveList, ReadsAgainWhenAll26LettersAreInUse) {
  FakeDriveEnumeration drives;
  std::string letters;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    letters += letter;
    drives.drives[std::string{letter, ':', '\\'}] = letter >= 'X' ? kDriveCdrom : kFixed;
  }
  EXPECT_EQ(basDeviceIO::GetDriveStrings(drives), Roots(letters));
  EXPECT_EQ(drives.list_calls, 2);

  RecordingList list;
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(list.items, (std::vector<std::string>{"X:\\", "Y:\\", "Z:\\"}));
}

TEST(GetDriveStrings, RefusesAListLongerThan26Roots) {
  FakeDriveEnumeration drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    drives.drives[std::string{letter, ':', '\\'}] = kDriveCdrom;
  drives.drives["[:\\"] = kDriveCdrom;  // one root more than any machine can list
  EXPECT_EQ(basDeviceIO::GetDriveStrings(drives), "");
  EXPECT_EQ(drives.list_calls, 1);
  RecordingList list;
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_TRUE(list.items.empty());
}

TEST(GetDriveStrings, GivesUpWhenTheListKeepsGrowing) {
  // Asks for the full 105 characters, then for more again on the second read.
  struct GrowingList : FakeDriveEnumeration {
    std::vector<std::size_t> offered;
    std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override {
      offered.push_back(buffer.size());
      return static_cast<std::uint32_t>(basDeviceIO::kMaxDriveListLength + offered.size() - 1);
    }
  } drives;
  EXPECT_EQ(basDeviceIO::GetDriveStrings(drives), "");
  EXPECT_EQ(drives.offered, (std::vector<std::size_t>{104, 105}));
}

TEST(FillCdDriveList, EndsOnAListWithoutTerminatingNuls) {
  struct UnterminatedList : FakeDriveEnumeration {
    std::uint32_t GetLogicalDriveStrings(std::span<char> buffer) override {
      const std::string text("D:\\\0E:\\", 7);
      std::copy(text.begin(), text.end(), buffer.begin());
      return static_cast<std::uint32_t>(text.size());
    }
  } drives;
  drives.drives = {{"D:\\", kDriveCdrom}, {"E:\\", kDriveCdrom}};
  RecordingList list;
  basDeviceIO::FillCdDriveList(drives, list);
  EXPECT_EQ(list.items, std::vector<std::string>{"D:\\"});
}

}  // namespace
}  // namespace ventrix
