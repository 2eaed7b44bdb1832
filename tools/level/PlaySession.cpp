#include "tools/level/PlaySession.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/PlayState.h"

#include <sstream>
#include <string>
#include <vector>

#include "base/CUString.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "puzzle/SavedGame.h"
#include "puzzle/Scene.h"
#include "tools/level/ToolHost.h"

namespace {

std::string JsonText(const char16_t* units, size_t length) {
  std::string utf8 = CUString(units, length).ToUtf8();
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonLetter(char16_t letter) { return JsonText(&letter, 1); }

template <typename T, typename Write>
void JsonArray(std::ostream& out, const std::vector<T>& items, Write write) {
  out << "[";
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out << ",";
    write(items[i]);
  }
  out << "]";
}

void Show(std::ostream& out, ToolHost& host) {
  const Board& b = g_board;
  out << "{\"level\":" << g_play.levelIndex << ",\"moves\":" << g_play.moveCount << ",\"formed\":" << b.formedCount
      << ",\"words\":[";
  for (uint32_t w = 0; w < b.wordCount; ++w) {
    if (w) out << ",";
    out << JsonText(b.words[w].text, static_cast<size_t>(b.words[w].length));
  }
  out << "],\"found\":[";
  for (uint32_t w = 0; w < b.wordCount; ++w) out << (w ? "," : "") << static_cast<int>(b.found[w]);
  out << "],\"selected\":" << g_play.selectedCube << ",\"width\":" << b.width << ",\"height\":" << b.height
      << ",\"cells\":[";
  for (uint32_t y = 0; y < b.height; ++y) {
    out << (y ? ",[" : "[");
    for (uint32_t x = 0; x < b.width; ++x) out << (x ? "," : "") << static_cast<int>(b.cells[Board::Index(x, y)]);
    out << "]";
  }
  out << "],\"cubes\":[";
  for (int i = 0; i < g_cubeCount; ++i) {
    const Cube* cube = g_level.CubeAt(i);
    if (i) out << ",";
    out << "{\"x\":" << g_cubes[i].x << ",\"y\":" << g_cubes[i].y;
    if (cube) {
      out << ",\"upper\":" << JsonLetter(cube->UpperLetter()) << ",\"turn\":" << cube->UpperTurn() << ",\"faces\":[";
      for (int f = 0; f < 6; ++f) out << (f ? "," : "") << JsonLetter(cube->faces[f].letter);
      out << "]";
    }
    out << ",\"inPlace\":" << g_cubes[i].inPlace << "}";
  }
  out << "],\"sounds\":";
  JsonArray(out, host.sounds, [&](int sound) { out << sound; });
  out << "}\n";
  out.flush();
  host.sounds.clear();
}

bool DirectionOf(const std::string& name, int& direction) {
  static const char* const kNames[] = {"n", "e", "s", "w"};
  for (int d = 0; d < 4; ++d)
    if (name == kNames[d]) {
      direction = d;
      return true;
    }
  return false;
}

}  // namespace

int RunPlaySession(const PlayOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
  ToolHost host;
  InstallPuzzleHost(&host);
  if (!StartLevel(options.levelIndex, options.start)) {
    InstallPuzzleHost(nullptr);
    return 1;
  }
  host.sounds.clear();
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::istringstream words(line);
    std::string command;
    if (!(words >> command)) continue;
    auto refuse = [&](const std::string& why) { err << "line " << number << ": " << why << "\n"; };
    if (command == "show") {
      Show(out, host);
    } else if (command == "select") {
      int x, y;
      if (!(words >> x >> y)) {
        refuse("select takes X Y");
        continue;
      }
      const int cube = FindCubeAt(x, y);
      if (cube < 0)
        refuse("no cube stands on (" + std::to_string(x) + ", " + std::to_string(y) + ")");
      else if (!CanMove(x, y))
        refuse("the cube on (" + std::to_string(x) + ", " + std::to_string(y) + ") cannot move");
      else
        SelectCube(cube);
    } else if (command == "tab" || command == "shift-tab") {
      SelectNextMovable(command == "tab");
    } else if (command == "move") {
      std::string name;
      int direction;
      if (!(words >> name) || !DirectionOf(name, direction)) {
        refuse("move takes n, e, s or w");
        continue;
      }
      if (!MoveSelected(direction)) refuse("the selected cube cannot move " + name);
      host.FinishRolls();
    } else if (command == "undo") {
      if (!Undo()) refuse("nothing to undo");
      host.FinishRolls();
    } else if (command == "restart") {
      StartLevel(g_play.levelIndex, options.start);
    } else if (command == "save" || command == "load") {
      std::string path;
      if (!(words >> path)) {
        refuse(command + " takes a path");
        continue;
      }
      if (command == "save") {
        if (!SaveGameFile(path.c_str())) refuse("the game was not saved");
      } else if (LoadGameFile(path.c_str())) {
        ResumeLoadedGame();
      } else {
        refuse("the game was not loaded");
      }
    } else {
      refuse("unknown command \"" + command + "\"");
    }
  }
  g_level.Clear();
  InstallPuzzleHost(nullptr);
  return 0;
}
