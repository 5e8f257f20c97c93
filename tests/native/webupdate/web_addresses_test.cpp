// Which addresses the web version check follows and which it lets the shell open.

#include "platform/components/web_addresses.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/components/version_file.h"
#include "program/product.h"

namespace ventrix {
namespace {

TEST(DownloadToOpen, OnlyHttpAndHttpsAddressesReachTheShell) {
  EXPECT_EQ(DownloadToOpen(true, "http://example.com/ventrix401.exe"),
            "http://example.com/ventrix401.exe");
  EXPECT_EQ(DownloadToOpen(true, "HTTPS://example.com/dl?v=4.0.1#top"),
            "HTTPS://example.com/dl?v=4.0.1#top");
  for (const char* other :
       {"", "file:///C:/Windows/System32/calc.exe", "file://server/share/setup.exe",
        "C:\\Windows\\notepad.exe", "\\\\server\\share\\setup.exe", "setup.exe",
        "javascript:alert(1)", "vbscript:msgbox(1)", "mailto:someone@example.com",
        "ftp://example.com/setup.exe", "shell:startup", "ms-settings:", "data:text/html,x",
        "search-ms:query=x", " http://example.com/", "http://example.com/a b.exe",
        "http://example.com/\r\nsetup.exe", "http:", "http://"}) {
    EXPECT_EQ(DownloadToOpen(true, other), std::nullopt) << other;
  }
  const std::string scheme = "https://";
  EXPECT_EQ(DownloadToOpen(true, scheme + std::string(kMaxHttpAddressBytes, 'a')), std::nullopt);
}

TEST(DownloadToOpen, NothingWithoutAutoLaunch) {
  EXPECT_EQ(DownloadToOpen(false, "https://example.com/ventrix401.exe"), std::nullopt);
}

TEST(DownloadToOpen, ABrowserCommandLineCannotBeBrokenOpen) {
  // The browser is started as: browser "%1"; a quote in the address must not end it.
  EXPECT_EQ(DownloadToOpen(true, "http://x/a.exe\"--disable-web-security"),
            "http://x/a.exe%22--disable-web-security");
  EXPECT_EQ(DownloadToOpen(true, "http://x/caf\xC3\xA9.exe"), "http://x/caf%C3%A9.exe");
}

TEST(PercentEncodeForBrowser, KeepsTheUrlCharacterSetAndEncodesTheRest) {
  const std::string kept =
      "https://user@example.com:8080/a-b_c.d~e/f?g=h&i=j;k,l+m*n'o(p)q!r$s[t]#u%20v";
  EXPECT_EQ(PercentEncodeForBrowser(kept), kept);
  EXPECT_EQ(PercentEncodeForBrowser("\"<>\\^`{|} \x7F\x01\xFF"),
            "%22%3C%3E%5C%5E%60%7B%7C%7D%20%7F%01%FF");
  EXPECT_EQ(PercentEncodeForBrowser(std::string("a\0b", 3)), "a%00b");
  EXPECT_EQ(PercentEncodeForBrowser(""), "");
}

TEST(MayFollowRedirect, OnlyToWebAddressesAndNeverDownToPlainHttp) {
  EXPECT_TRUE(MayFollowRedirect("http://a/v.txt", "http://b/v.txt"));
  EXPECT_TRUE(MayFollowRedirect("http://a/v.txt", "https://a/v.txt"));
  EXPECT_TRUE(MayFollowRedirect("https://a/v.txt", "HTTPS://b/v.txt"));
  EXPECT_FALSE(MayFollowRedirect("https://a/v.txt", "http://a/v.txt"));
  EXPECT_FALSE(MayFollowRedirect("HTTPS://a/v.txt", "http://a/v.txt"));
  for (const char* other : {"file:///C:/Windows/win.ini", "ftp://a/v.txt", "/v.txt", "v.txt",
                            "javascript:alert(1)", "", "http://a/v .txt"}) {
    EXPECT_FALSE(MayFollowRedirect("http://a/v.txt", other)) << other;
  }
  EXPECT_FALSE(
      MayFollowRedirect("http://a/v.txt", "http://" + std::string(kMaxHttpAddressBytes, 'a')));
}

TEST(WebSiteAddress, IsAWebAddress) {
  // The Help menu opens it through the shell as it stands.
  EXPECT_TRUE(IsHttpAddress(WebSiteUrl));
}

}  // namespace
}  // namespace ventrix
