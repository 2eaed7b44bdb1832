// The load screen: a used slot is read into the game (the shell then resumes
// it); an empty slot does nothing.
#include "config/Language.h"
#include "puzzle/SavedGame.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"
#include "ui/SlotListScreen.h"

namespace {

class LoadScreen final : public SlotListScreen {
 public:
  explicit LoadScreen(int* loadedSlot) : m_loadedSlot(loadedSlot) { *m_loadedSlot = -1; }

 protected:
  const CUString& Title() const override { return Label(LabelKey::LoadGame); }
  bool ChooseSlot(int slot, const SaveSlotInfo& info) override {
    if (info.slot < 0) return false;
    if (!LoadGame(slot)) return true;  // the reason is printed; nothing changed
    *m_loadedSlot = slot;
    // The options show the loaded game's level set and difficulty.
    SelectOption(GameMenus(), kOptionLangage, kChoiceLevelSetFirst + info.levelSet);
    SelectOption(GameMenus(), kOptionDifficulty, kChoiceEasy + info.difficulty);
    return true;
  }

 private:
  int* m_loadedSlot;
};

}  // namespace

std::unique_ptr<Screen> MakeLoadScreen(int* loadedSlot) { return std::make_unique<LoadScreen>(loadedSlot); }
