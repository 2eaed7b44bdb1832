#include "ui/Menus.h"

#include "config/Language.h"

CUString MenuLabel(const CUString& text) {
  return CUString(text.Data(), text.Length() < kMenuLabelMax ? text.Length() : kMenuLabelMax);
}

MenuItem MakeMenuItem(int id, int kind, const CUString& label, Menu* target) {
  MenuItem item;
  item.id = id;
  item.kind = kind;
  item.label = MenuLabel(label);
  item.target = target;
  return item;
}

void BuildMainMenus(MenuSet& set) {
  Menu& main = set.mainMenu;
  main.items.clear();
  main.parent = nullptr;
  main.items.push_back(MakeMenuItem(kCommandGame, kMenuLink, Label(LabelKey::Game), &set.gameMenu));
  main.items.push_back(MakeMenuItem(kCommandOptions, kMenuLink, Label(LabelKey::Options), &set.optionsMenu));
  main.items.push_back(MakeMenuItem(kCommandHighScores, kMenuAction, Label(LabelKey::HighScores)));
  main.items.push_back(MakeMenuItem(kCommandOrder, kMenuAction, Label(LabelKey::Order)));
  main.items.push_back(MakeMenuItem(kCommandAbout, kMenuAction, Label(LabelKey::About)));
  main.items.push_back(MakeMenuItem(kCommandQuit, kMenuAction, Label(LabelKey::Quit)));

  Menu& game = set.gameMenu;
  game.items.clear();
  game.parent = &set.mainMenu;
  game.items.push_back(MakeMenuItem(kCommandPlay, kMenuAction, Label(LabelKey::Play)));
  game.items.push_back(MakeMenuItem(kCommandCode, kMenuAction, Label(LabelKey::Code)));
  game.items.push_back(MakeMenuItem(kCommandLoad, kMenuAction, Label(LabelKey::Load)));
  game.items.push_back(MakeMenuItem(kCommandGameBack, kMenuLink, Label(LabelKey::Back), &set.mainMenu));

  Menu& pause = set.pauseMenu;
  pause.items.clear();
  pause.parent = nullptr;
  pause.items.push_back(MakeMenuItem(kCommandResume, kMenuAction, Label(LabelKey::Resume)));
  pause.items.push_back(MakeMenuItem(kCommandPauseLoad, kMenuAction, Label(LabelKey::Load)));
  pause.items.push_back(MakeMenuItem(kCommandPauseSave, kMenuAction, Label(LabelKey::Save)));
  pause.items.push_back(MakeMenuItem(kCommandPauseQuit, kMenuLink, Label(LabelKey::Quit), &set.mainMenu));

  SetCurrentMenu(set, set.mainMenu);
}

void LayOutMenus(MenuSet& set, int screenHeight) {
  set.mainMenu.y = static_cast<int>(screenHeight - kMenuUnit * 10.5);
  set.gameMenu.y = static_cast<int>(screenHeight - kMenuUnit * 7.5);
  set.pauseMenu.y = set.gameMenu.y;
  set.optionsMenu.y = static_cast<int>(screenHeight - kMenuUnit * 18.0);
}

float MenuItemY(const Menu& menu, int item) {
  // Accumulated item by item, as the positions were always computed.
  float y = static_cast<float>(menu.y);
  for (int i = 0; i < item; ++i) y += kMenuUnit * 1.5f;
  return y;
}

ScreenRect MenuHighlightRect(const Menu& menu, int item, int labelLength, int screenWidth, int menuFontHeight) {
  bool choiceList = item >= 0 && item < static_cast<int>(menu.items.size()) && menu.items[item].kind == kMenuChoiceList;
  double width = choiceList ? screenWidth * 0.5 : screenWidth;
  double left = (width - labelLength * kMenuUnit) * 0.5;
  float y = MenuItemY(menu, item);
  return {static_cast<int>(left - kMenuUnit * 0.5), static_cast<int>(y - menuFontHeight * 0.5),
          static_cast<int>(left + labelLength * kMenuUnit + kMenuUnit * 0.5), static_cast<int>(y + menuFontHeight * 1.5)};
}

namespace {

void Highlight(Menu& menu, int index) {
  if (menu.items.empty()) return;
  if (menu.highlightedIndex >= 0 && menu.highlightedIndex < static_cast<int>(menu.items.size()))
    menu.items[menu.highlightedIndex].highlighted = 0;
  menu.highlightedIndex = index;
  menu.items[index].highlighted = 1;
}

MenuItem* HighlightedItem(MenuSet& set) {
  Menu* menu = set.currentMenu;
  if (!menu || menu->highlightedIndex < 0 || menu->highlightedIndex >= static_cast<int>(menu->items.size()))
    return nullptr;
  return &menu->items[menu->highlightedIndex];
}

// The item under the pointer (the last one whose band holds it), or -1.
int ItemUnderPointer(const Menu& menu, int mouseY) {
  int over = -1;
  float y = static_cast<float>(menu.y);
  for (int i = 0; i < static_cast<int>(menu.items.size()); ++i) {
    if (y < mouseY && mouseY < y + kMenuUnit * 1.5f) over = i;
    y += kMenuUnit * 1.5f;
  }
  return over;
}

}  // namespace

void SetCurrentMenu(MenuSet& set, Menu& menu) {
  set.currentMenu = &menu;
  for (MenuItem& item : menu.items) item.highlighted = 0;
  menu.highlightedIndex = -1;
  Highlight(menu, 0);
}

void NextItem(Menu& menu) {
  int count = static_cast<int>(menu.items.size());
  if (count > 0) Highlight(menu, (menu.highlightedIndex + 1) % count);
}

void PreviousItem(Menu& menu) {
  int count = static_cast<int>(menu.items.size());
  if (count > 0) Highlight(menu, (menu.highlightedIndex + count - 1) % count);
}

int ActivateHighlighted(MenuSet& set, int direction) {
  MenuItem* item = HighlightedItem(set);
  if (!item) return -1;
  if (item->kind == kMenuChoiceList) {
    int count = static_cast<int>(item->choices.size());
    if (count == 0) return -1;
    item->currentChoice = ((item->currentChoice + direction) % count + count) % count;
    return item->choices[item->currentChoice].id;
  }
  int id = item->id;
  if (item->kind == kMenuLink && item->target) SetCurrentMenu(set, *item->target);
  return id;
}

MenuItem* FindItem(Menu& menu, int id) {
  for (MenuItem& item : menu.items)
    if (item.id == id) return &item;
  return nullptr;
}

void SelectChoice(MenuItem& item, int choiceId) {
  for (int i = 0; i < static_cast<int>(item.choices.size()); ++i)
    if (item.choices[i].id == choiceId) item.currentChoice = i;
}

const MenuChoice* CurrentChoice(const MenuItem& item) {
  if (item.currentChoice < 0 || item.currentChoice >= static_cast<int>(item.choices.size())) return nullptr;
  return &item.choices[item.currentChoice];
}

MenuPoll MenuInput::PointerMoved(MenuSet& set, int mouseY) {
  if (!set.currentMenu) return kMenuNothing;
  int over = ItemUnderPointer(*set.currentMenu, mouseY);
  if (over < 0) {
    // Leaving the items forgets the last one, so that coming back onto it
    // plays the move sound again.
    m_pointerItem = -1;
    return kMenuNothing;
  }
  Highlight(*set.currentMenu, over);
  if (over == m_pointerItem) return kMenuNothing;
  m_pointerItem = over;
  return kMenuMoved;
}

MenuPoll MenuInput::Activate(MenuSet& set, int& itemId, int& choiceId) {
  MenuItem* item = HighlightedItem(set);
  if (!item) return kMenuNothing;
  itemId = item->id;
  if (item->kind == kMenuChoiceList) {
    choiceId = ActivateHighlighted(set, +1);
    return kMenuChoiceChanged;
  }
  ActivateHighlighted(set, 0);
  return kMenuActivated;
}

MenuPoll MenuInput::Step(MenuSet& set, int direction, int& itemId, int& choiceId) {
  MenuItem* item = HighlightedItem(set);
  if (!item || item->kind != kMenuChoiceList) return kMenuKeyIgnored;
  itemId = item->id;
  choiceId = ActivateHighlighted(set, direction);
  return kMenuChoiceChanged;
}

MenuPoll MenuInput::Event(MenuSet& set, const UiEvent& event, int& itemId, int& choiceId) {
  itemId = choiceId = -1;
  if (!set.currentMenu) return kMenuNothing;
  Menu& menu = *set.currentMenu;
  switch (event.kind) {
    case UiEvent::kButtonPress:
      if (event.button == SDL_BUTTON_LEFT) m_pressedItem = ItemUnderPointer(menu, event.y);
      return kMenuNothing;
    case UiEvent::kButtonRelease: {
      if (event.button != SDL_BUTTON_LEFT) return kMenuNothing;
      int over = ItemUnderPointer(menu, event.y);
      int pressed = m_pressedItem;
      m_pressedItem = -1;
      if (over < 0 || over != pressed) return kMenuNothing;
      Highlight(menu, over);
      return Activate(set, itemId, choiceId);
    }
    case UiEvent::kKeyRelease:
      break;
    default:
      return kMenuNothing;
  }
  bool pointerOnItem = m_pointerItem >= 0;
  switch (event.key) {
    case SDLK_ESCAPE:
      if (menu.parent) SetCurrentMenu(set, *menu.parent);
      return kMenuBack;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return Activate(set, itemId, choiceId);
    case SDLK_DOWN:
    case SDLK_KP2:
    case SDLK_UP:
    case SDLK_KP8:
      if (pointerOnItem || menu.items.empty()) return kMenuKeyIgnored;
      if (event.key == SDLK_DOWN || event.key == SDLK_KP2)
        NextItem(menu);
      else
        PreviousItem(menu);
      itemId = menu.items[menu.highlightedIndex].id;
      return kMenuMoved;
    case SDLK_LEFT:
    case SDLK_KP4:
      return Step(set, -1, itemId, choiceId);
    case SDLK_RIGHT:
    case SDLK_KP6:
      return Step(set, +1, itemId, choiceId);
    default:
      return kMenuNothing;
  }
}
