#include "tools/level/PlaySession.h"

#include <sstream>
#include <string>
#include <vector>

#include "base/CUString.h"
#include "puzzle/Cube.h"
#include "puzzle/Puzzle.h"
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

void Show(std::ostream& out, const Puzzle& puzzle, ToolHost& host) {
  const Board& b = puzzle.Board();
  const PlayState& play = puzzle.Play();
  out << "{\"level\":" << play.levelIndex << ",\"moves\":" << play.moveCount << ",\"formed\":" << b.formedCount
      << ",\"words\":[";
  for (uint32_t w = 0; w < b.wordCount; ++w) {
    if (w) out << ",";
    out << JsonText(b.words[w].text, static_cast<size_t>(b.words[w].length));
  }
  out << "],\"found\":[";
  for (uint32_t w = 0; w < b.wordCount; ++w) out << (w ? "," : "") << static_cast<int>(b.found[w]);
  out << "],\"selected\":" << play.selectedCube << ",\"width\":" << b.width << ",\"height\":" << b.height
      << ",\"cells\":[";
  for (uint32_t y = 0; y < b.height; ++y) {
    out << (y ? ",[" : "[");
    for (uint32_t x = 0; x < b.width; ++x) out << (x ? "," : "") << static_cast<int>(b.cells[Board::Index(x, y)]);
    out << "]";
  }
  out << "],\"cubes\":[";
  for (int i = 0; i < puzzle.CubeCount(); ++i) {
    const Cube* cube = puzzle.Level().CubeAt(i);
    const CubeState& record = puzzle.CubeRecord(i);
    if (i) out << ",";
    out << "{\"x\":" << record.x << ",\"y\":" << record.y;
    if (cube) {
      out << ",\"upper\":" << JsonLetter(cube->UpperLetter()) << ",\"turn\":" << cube->UpperTurn() << ",\"faces\":[";
      for (int f = 0; f < 6; ++f) out << (f ? "," : "") << JsonLetter(cube->faces[f].letter);
      out << "]";
    }
    out << ",\"inPlace\":" << record.inPlace << "}";
  }
  out << "],\"sounds\":";
  JsonArray(out, host.sounds, [&](int sound) { out << sound; });
  out << "}\n";
  out.flush();
  host.sounds.clear();
}

bool DirectionOf(const std::string& name, int& direction) {
  for (int d = 0; d < 4; ++d)
    if (name == MoveName(d)) {
      direction = d;
      return true;
    }
  return false;
}

}  // namespace

const char* MoveName(int direction) {
  static const char* const kNames[] = {"n", "e", "s", "w"};
  return direction >= North && direction <= West ? kNames[direction] : "?";
}

int RunPlaySession(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  if (!puzzle.StartLevel(options.levelIndex, options.start)) return 1;
  PlayCommands(puzzle, host, options, in, out, err);
  puzzle.EndLevel();
  return 0;
}

void PlayCommands(Puzzle& puzzle, ToolHost& host, const PlayOptions& options, std::istream& in, std::ostream& out,
                  std::ostream& err) {
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
      Show(out, puzzle, host);
    } else if (command == "select") {
      int x, y;
      if (!(words >> x >> y)) {
        refuse("select takes X Y");
        continue;
      }
      const int cube = puzzle.FindCubeAt(x, y);
      if (cube < 0)
        refuse("no cube stands on (" + std::to_string(x) + ", " + std::to_string(y) + ")");
      else if (!puzzle.CanMove(x, y))
        refuse("the cube on (" + std::to_string(x) + ", " + std::to_string(y) + ") cannot move");
      else
        puzzle.SelectCube(cube);
    } else if (command == "tab" || command == "shift-tab") {
      puzzle.SelectNextMovable(command == "tab");
    } else if (command == "move") {
      std::string name;
      int direction;
      if (!(words >> name) || !DirectionOf(name, direction)) {
        refuse("move takes n, e, s or w");
        continue;
      }
      if (!puzzle.MoveSelected(direction)) refuse("the selected cube cannot move " + name);
      host.FinishRolls(puzzle);
    } else if (command == "undo") {
      if (!puzzle.Undo()) refuse("nothing to undo");
      host.FinishRolls(puzzle);
    } else if (command == "restart") {
      puzzle.StartLevel(puzzle.Play().levelIndex, options.start);
    } else if (command == "save" || command == "load") {
      std::string path;
      if (!(words >> path)) {
        refuse(command + " takes a path");
        continue;
      }
      if (command == "save") {
        if (!puzzle.SaveGameFile(path.c_str())) refuse("the game was not saved");
      } else if (puzzle.LoadGameFile(path.c_str())) {
        puzzle.ResumeLoadedGame();
      } else {
        refuse("the game was not loaded");
      }
    } else {
      refuse("unknown command \"" + command + "\"");
    }
  }
}
