// The high-score screen: the records of the chosen level set, named under
// the title, ten levels a page over the menu background, the Previous, Back
// and Next buttons, F1 to reset the table.
#include <GL/gl.h>

#include <cmath>

#include "config/Language.h"
#include "config/Settings.h"
#include "puzzle/Puzzle.h"
#include "text/TextSystem.h"
#include "ui/HighScorePager.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"

namespace {

constexpr int kHeadsTop = 64;         // the column heads' box
constexpr int kHeadsHeight = 32;
constexpr int kButtonsFromBottom = 40;  // the buttons' box starts this far up

class HighScoreScreen final : public Screen {
 public:
  explicit HighScoreScreen(MenuSystem& menus) : m_menus(menus) {}

  void Enter() override {
    OpenFontStyle(m_big, kFontMenuBig);
    OpenFontStyle(m_small, kFontMenuSmall);
    OpenFontStyle(m_numbers, kFontGameSmallNumber);
    m_title = m_big.AddTextW(Label(LabelKey::HighScores));
    m_menus.Scores().Table();  // the records of the set chosen now
    m_setName = m_small.AddTextW(LevelSetSlot(m_menus.Scores().Set()).name);
    m_buttons[kScoreButtonPrevious] = m_big.AddTextW(Label(LabelKey::Previous));
    m_buttons[kScoreButtonBack] = m_big.AddTextW(Label(LabelKey::Back));
    m_buttons[kScoreButtonNext] = m_big.AddTextW(Label(LabelKey::Next));
    m_heads[0] = m_small.AddTextW(Label(LabelKey::Level));
    m_heads[1] = m_small.AddTextW(Label(LabelKey::Name));
    m_heads[2] = m_small.AddTextW(Label(LabelKey::Moves));
    m_big.Upload();
    BuildPage();
  }

  void Event(const SDL_Event& event) override {
    switch (m_pager.Event(UiEventFrom(event), m_menus.Scores().Table())) {
      case HighScoreAction::kRebuild:
        BuildPage();
        break;
      case HighScoreAction::kLeave:
        Flow().Pop();
        break;
      default:
        break;
    }
  }

  void Update(const FrameTime& time, const Pointer& pointer) override {
    m_elapsed = time.elapsed;
    // The pointer takes the highlight when it moves; resting, it leaves the
    // keys their choice. The first frame only learns where it rests.
    const bool first = m_pointerX < 0;
    if (pointer.x == m_pointerX && pointer.y == m_pointerY) return;
    m_pointerX = pointer.x;
    m_pointerY = pointer.y;
    if (first) return;
    m_pager.PointerMoved(m_pointerX, m_pointerY, m_menus.ScreenWidth(), m_menus.ScreenHeight(), m_menus.Metrics().fontHeight);
  }

  int FrameRate() const override { return kMenuFrameRate; }
  void Draw() override {
    m_menus.DrawBackdrop(m_elapsed, false);
    const int W = m_menus.ScreenWidth(), H = m_menus.ScreenHeight();
    const int m = m_menus.Metrics().fontHeight;
    m_menus.Begin2D();
    m_menus.DrawHighlight(ScoreButtonRect(m_pager.Highlighted(), W, H, m));
    m_big.Draw(m_title, 0, 0, W, 32, 1, 1);
    m_small.Draw(m_setName, 0, 32, W, kHeadsTop - 32, 1, 1);
    const int third = static_cast<int>(W * 0.33);
    const int buttonsY = H - kButtonsFromBottom;
    m_big.Draw(m_buttons[kScoreButtonPrevious], 0, buttonsY, third, 32, 1, 1);
    m_big.Draw(m_buttons[kScoreButtonBack], third, buttonsY, third, 32, 1, 1);
    m_big.Draw(m_buttons[kScoreButtonNext], static_cast<int>(W * 0.66), buttonsY, third, 32, 1, 1);
    m_small.Draw(m_heads[0], 0, kHeadsTop, W / 4, kHeadsHeight, 1, 1);
    m_small.Draw(m_heads[1], W / 4, kHeadsTop, W / 2, kHeadsHeight, 1, 1);
    m_small.Draw(m_heads[2], static_cast<int>(W * 0.75), kHeadsTop, W / 4, kHeadsHeight, 1, 1);
    const int k = m_small.TextHeight(m_heads[0]);
    for (int i = 0; i < kScoreRowsPerPage; ++i) {
      const int y = RowY(i, H, k);
      m_numbers.Draw(m_rows[i].level, static_cast<int>(W * 0.1), y, 0, 0, 0, 0);
      // Names centred under their head, counts right-aligned, the par mark
      // after them.
      m_small.Draw(m_rows[i].name, W / 4, y, W / 2, 0, 1, 0);
      m_numbers.Draw(m_rows[i].moves, static_cast<int>(W * 0.82) - m_numbers.TextWidth(m_rows[i].moves), y, 0, 0, 0, 0);
      if (m_rows[i].par >= 0) m_small.Draw(m_rows[i].par, static_cast<int>(W * 0.85), y, 0, 0, 0, 0);
    }
    m_menus.End2D();
  }

  void Leave() override {
    m_big.Close();
    m_small.Close();
    m_numbers.Close();
  }

 private:
  struct RowTexts {
    int level = -1, name = -1, moves = -1, par = -1;
  };

  // Rows two lines apart, centred; on a screen too low for that they share
  // the room between the column heads and the buttons.
  static int RowY(int row, int H, int k) {
    const int top = kHeadsTop + kHeadsHeight, bottom = H - kButtonsFromBottom;
    if (ScoreRowY(0, H, k) >= top && ScoreRowY(kScoreRowsPerPage - 1, H, k) + k <= bottom)
      return static_cast<int>(ScoreRowY(row, H, k));
    return top + row * (bottom - top - k) / (kScoreRowsPerPage - 1);
  }

  // The small font keeps the column heads; the rows are rendered again.
  void BuildPage() {
    m_small.ReleaseTextures();
    m_small.Clear();
    m_numbers.ReleaseTextures();
    m_numbers.Clear();
    m_heads[0] = m_small.AddTextW(Label(LabelKey::Level));
    m_heads[1] = m_small.AddTextW(Label(LabelKey::Name));
    m_heads[2] = m_small.AddTextW(Label(LabelKey::Moves));
    m_setName = m_small.AddTextW(LevelSetSlot(m_menus.Scores().Set()).name);
    for (int i = 0; i < kScoreRowsPerPage; ++i) {
      m_rows[i] = RowTexts();
      const int level = m_pager.PageStart() + i;
      const int record = m_menus.ThePuzzle().LevelSet().RecordOf(level);
      ScoreRowTexts row = ScoreRow(m_menus.Scores().Table(), level, record);
      m_rows[i].level = m_numbers.AddText(row.level.c_str());
      m_rows[i].name = m_small.AddTextW(row.name);
      m_rows[i].moves = m_numbers.AddText(row.moves.c_str());
      // A record made at or under par in this run says so.
      if (m_menus.Scores().RecordAtPar(record)) m_rows[i].par = m_small.AddTextW(Label(LabelKey::Par));
    }
    m_small.Upload();
    m_numbers.Upload();
  }

  MenuSystem& m_menus;
  HighScorePager m_pager;
  GLFontTrueType m_big, m_small, m_numbers;
  int m_title = -1;
  int m_buttons[3] = {-1, -1, -1};
  int m_heads[3] = {-1, -1, -1};
  RowTexts m_rows[kScoreRowsPerPage];
  int m_setName = -1;
  int m_pointerX = -1, m_pointerY = -1;
  float m_elapsed = 0.0f;
};

}  // namespace

std::unique_ptr<Screen> MakeHighScoreScreen(MenuSystem& menus) { return std::make_unique<HighScoreScreen>(menus); }
