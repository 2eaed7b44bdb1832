// Every text of every language file on the smallest screen the game runs at:
// each label and level-set name in each of the nine text styles, wrapped to
// the screens' text width as the game does, drawn centred at 800 x 600; none
// may run past the screen.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Language.h"
#include "config/Settings.h"
#include "platform/Display.h"
#include "tests/support/GLFrame.h"
#include "tests/support/TestFiles.h"
#include "text/GLFontTrueType.h"
#include "text/TextSystem.h"

using namespace testsupport;

TEST(AllLabels, EveryTextOfEveryLanguageStaysOnAn800x600Screen) {
  constexpr int kWidth = 800, kHeight = 600;
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  ASSERT_EQ(InitTextSystem(), 1);
  ASSERT_EQ(OpenDisplay(kWidth, kHeight), 1);
  ScopedWorkingDirectory inGame(GameTreeDir());
  for (int style = 0; style < kFontStyleCount; ++style)
    ReadFontStyle(kFontIniPath, g_settings.fontStyles[style], FontStyleSection(style));
  for (const char* lang : {"en", "fr", "es", "de"}) {
    ASSERT_EQ(LoadLanguage((std::string("data/text_") + lang + ".txt").c_str()), 1) << lang;
    std::vector<CUString> texts;
    for (int key = 0; key < kLabelCount; ++key) texts.push_back(Label(static_cast<LabelKey>(key)));
    for (int set = 0; set < LevelSetCount(); ++set) texts.push_back(LevelSetSlot(set).name);
    for (int style = 0; style < kFontStyleCount; ++style) {
      GLFontTrueType font;
      ASSERT_EQ(OpenFontStyle(font, style), 1);
      std::vector<int> ids;
      for (const CUString& text : texts) {
        const int id = font.AddTextW(text, ScreenTextWidth(kWidth));
        ASSERT_NE(id, -1) << lang << " " << text.ToUtf8();
        EXPECT_LE(font.TextWidth(id) + font.shadowOffset[0], kWidth) << lang << " style " << style << ": " << text.ToUtf8();
        EXPECT_LE(font.TextHeight(id), kHeight / 2) << lang << " style " << style << ": " << text.ToUtf8();
        ids.push_back(id);
      }
      // All drawn over each other, centred: the screen's edges stay dark.
      font.Upload();
      UsePixelProjection(kWidth, kHeight);
      glClearColor(0, 0, 0, 1);
      glClear(GL_COLOR_BUFFER_BIT);
      for (int id : ids) font.Draw(id, 0, 0, kWidth, kHeight, 1, 1);
      const Image frame = ReadFrame(kWidth, kHeight);
      int edge = 0;
      for (int y = 0; y < kHeight; ++y) edge += frame.At(0, y).r + frame.At(kWidth - 1, y).r;
      for (int x = 0; x < kWidth; ++x) edge += frame.At(x, 0).r + frame.At(x, kHeight - 1).r;
      EXPECT_EQ(edge, 0) << lang << " style " << style;
      EXPECT_GT(frame.CountLit(), 1000) << lang << " style " << style;
    }
  }
  CloseDisplay();
  QuitTextSystem();
  SDL_Quit();
}
