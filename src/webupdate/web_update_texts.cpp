#include "webupdate/web_update_texts.h"

namespace ventrix::web_update {

namespace {
constexpr char kLineFeed = '\n';
}  // namespace

std::string CurrentVersionLabel(const std::string& version) { return "Current Version " + version; }

std::string NewVersionCaption(const std::string& app_title) {
  return "A new version of " + app_title + " has been found";
}

std::string NewVersionText(const std::string& app_title, const std::string& available,
                           const std::string& version, const std::string& download,
                           const std::string& information) {
  std::string text = app_title + " Version available is :" + available + kLineFeed;
  text += app_title + " CurrentVersion is : " + version + kLineFeed + kLineFeed;
  text += "Download URL : " + download + kLineFeed + kLineFeed;
  text += "Information : " + information;
  return text;
}

std::string UpToDateText(const std::string& version) {
  return "You have the most recent version available (" + version + ")";
}

}  // namespace ventrix::web_update
