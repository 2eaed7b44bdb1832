#include "tests/ui/UiTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>

#include "config/Language.h"
#include "config/Settings.h"

namespace uitest {

void LoadShippedLanguage(const char* code) {
  std::string path = testsupport::GameTreeDir() + "/data/text_" + code + ".txt";
  ASSERT_TRUE(LoadLanguage(path.c_str())) << path;
}

ScopedGameDirectory::ScopedGameDirectory() : m_previous(g_settings.gamePath) {
  // The game writes the directory with a trailing backslash, as game.ini does.
  std::string path = m_dir.Path() + "\\";
  std::snprintf(g_settings.gamePath, sizeof g_settings.gamePath, "%s", path.c_str());
  mkdir((m_dir / "save").c_str(), 0777);
}

ScopedGameDirectory::~ScopedGameDirectory() { std::snprintf(g_settings.gamePath, sizeof g_settings.gamePath, "%s", m_previous.c_str()); }

}  // namespace uitest
