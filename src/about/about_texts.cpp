#include "about/about_texts.h"

#include "drive/win_ver.h"
#include "program/product.h"

namespace ventrix::about {

std::string PlatformText(VersionQuery& query) {
  const WindowsRelease* release = RunningRelease(query);
  return release != nullptr ? release->about_text : std::string{};
}

std::string NoticeLine(int year) { return "Copyright (c) " + std::to_string(year) + " " + kAuthor; }

std::string VersionLine() { return "Version " + VersionText(); }

}  // namespace ventrix::about
