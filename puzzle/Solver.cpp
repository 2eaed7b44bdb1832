// The solver's search; see Solver.h for the stages.
//
// A position is one 16-bit entry per movable cube, square x 24 + face state,
// the cubes grouped by class (same own letter, same word letter upright in
// every face state: interchangeable for the rules) and sorted within a class,
// so that positions differing only by which of two equal cubes stands where
// are one position.
//
// Distances are those of a lone cube (other cubes ignored, walls and static
// blocks not), read from tables made by a breadth-first search over squares
// and face states. Every move rolls one cube once, so the sum over cubes of
// such distances never exceeds the moves still needed; the bounds below only
// ever combine them so that each cube is counted at most once.
#include "puzzle/Solver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <queue>
#include <memory>
#include <string>
#include <tuple>

#include "puzzle/Cube.h"
#include "puzzle/Puzzle.h"

namespace {

constexpr int kTurns = 24;         // face states of a cube
constexpr int kInfinite = 1 << 24;
constexpr uint8_t kFar = 255;      // a table's "never"
// Weights of the shared-letter bound are sixtieths: a cube serves 1 to 5 words.
constexpr int kWeightScale = 60;
// Goals the guided stage tries, and placements per word it combines.
constexpr int kGuidedGoals = 4;
constexpr int kPlacementsPerWord = 3;
// The guided stage's share of the node budget, in percent.
constexpr long kGuidedShare = 55;
// The staged stage's share of the node budget, in percent, and what one of
// its searches may spend: a share of the budget, never less than the least.
constexpr long kStagedShare = 40;
constexpr long kStagedTries = 20;
constexpr long kStagedTryLeast = 2000;
constexpr int kStagedWeight = 3;
// What crossing a square where a cube stands costs a way, in rolls: about
// what rolling it aside and back costs.
constexpr int kBlockerCost = 6;
// What crossing a square a word still wants costs a cube's way in the fill
// order's reckoning: it will be filled, so a way around is worth a detour.
constexpr int kOpenCrossCost = 8;
// How far from the words the plain order parks the cubes standing on them.
constexpr int kClearGap = 2;
constexpr int kStagedPasses = 4;  // over the goals, each when those before found nothing
// Positions a search may keep (their index fills 24 bits of a heap key).
constexpr size_t kMaxNodes = (size_t{1} << 24) - 1;
// Breadth-first steps a distance table costs, per unit of work.
constexpr long kTableStepsPerWork = 256;

uint64_t Mix(uint64_t v) {
  v += 0x9E3779B97F4A7C15ull;
  v = (v ^ (v >> 30)) * 0xBF58476D1CE4E5B9ull;
  v = (v ^ (v >> 27)) * 0x94D049BB133111EBull;
  return v ^ (v >> 31);
}

bool SameFaces(const FacePositions& p, const FaceRecord a[6], const FacePositions& q, const FaceRecord b[6]) {
  if (!(p == q)) return false;
  for (int f = 0; f < 6; ++f)
    if (a[f].table != b[f].table || (a[f].index & 3) != (b[f].index & 3)) return false;
  return true;
}

// The 24 face states of a cube, found by rolling a cube of the game from its
// first state: where each roll leads and the upper face in each.
struct Orientations {
  bool valid = false;
  int count = 0;
  int roll[kTurns][4] = {};
  int upperSlot[kTurns] = {};
  int upperTurn[kTurns] = {};
  FacePositions positions[kTurns] = {};
  FaceRecord faces[kTurns][6] = {};

  Orientations() {
    const char16_t letters[6] = {};
    std::unique_ptr<Cube> probe(Cube::Create("probe", nullptr, letters, false));
    if (!probe) return;
    InitialFaces(faces[0], positions[0]);
    count = 1;
    for (int s = 0; s < count; ++s) {
      for (int d = 0; d < 4; ++d) {
        std::copy(faces[s], faces[s] + 6, probe->faces);
        probe->positions = positions[s];
        probe->rollDirection = d;
        probe->FinishRoll();
        int found = Find(probe->positions, probe->faces);
        if (found < 0) {
          if (count == kTurns) return;
          found = count++;
          positions[found] = probe->positions;
          std::copy(probe->faces, probe->faces + 6, faces[found]);
        }
        roll[s][d] = found;
      }
    }
    if (count != kTurns) return;
    for (int s = 0; s < kTurns; ++s) {
      upperSlot[s] = positions[s].upper;
      upperTurn[s] = faces[s][upperSlot[s]].Value();
      // A roll back must restore the state: the tables are searched both ways.
      for (int d = 0; d < 4; ++d)
        if (roll[roll[s][d]][OppositeDirection(d)] != s) return;
    }
    valid = true;
  }

  int Find(const FacePositions& p, const FaceRecord f[6]) const {
    for (int s = 0; s < count; ++s)
      if (SameFaces(positions[s], faces[s], p, f)) return s;
    return -1;
  }
};

// Least total of costs giving each slot a cube of its own; cost[s * cubes + c].
// Exact up to eight cubes; beyond, each slot takes its cheapest cube, which
// can only be less.
int Assign(int slots, int cubes, const int* cost, std::vector<int>& scratch) {
  if (slots == 0) return 0;
  if (slots > cubes) return kInfinite;
  if (slots == 1 || cubes > 8) {
    int total = 0;
    for (int s = 0; s < slots; ++s) {
      int least = kInfinite;
      for (int c = 0; c < cubes; ++c) least = std::min(least, cost[s * cubes + c]);
      total += least;
      if (total >= kInfinite) return kInfinite;
    }
    return total;
  }
  if (slots == 2 && cubes == 2) return std::min(cost[0] + cost[3], cost[1] + cost[2]);
  const int subsets = 1 << cubes;
  scratch.assign(static_cast<size_t>(subsets), kInfinite);
  scratch[0] = 0;
  int best = kInfinite;
  for (int used = 0; used < subsets; ++used) {
    const int sofar = scratch[static_cast<size_t>(used)];
    if (sofar >= kInfinite) continue;
    const int s = __builtin_popcount(static_cast<unsigned>(used));
    if (s == slots) {
      best = std::min(best, sofar);
      continue;
    }
    for (int c = 0; c < cubes; ++c) {
      if (used & (1 << c)) continue;
      int& next = scratch[static_cast<size_t>(used | (1 << c))];
      next = std::min(next, sofar + cost[s * cubes + c]);
    }
  }
  return std::min(best, kInfinite);
}

}  // namespace

struct Solver::Search {
  // Interchangeable cubes: the same own letter (which anchors words) and the
  // same word letter upright in each face state (0 where none is).
  struct CubeClass {
    char16_t own = 0;
    char16_t shown[kTurns] = {};
    int begin = 0, end = 0;   // its entries in a position
    int weight = kWeightScale;  // kWeightScale / the number of words it can serve
    uint32_t words = 0;       // bit w: it can serve word w
  };
  // The slots of one letter: squares that must show it upright.
  struct Group {
    int letter = 0;
    std::vector<int> squares;
  };
  struct Placement {
    int start = 0;
    int direction = 0;
    std::vector<Group> groups;
  };
  struct WordRule {
    std::u16string text;
    bool always = false;  // no anchor can ever exist: it counts as formed
    std::vector<Placement> placements;
    int designStart = 0, designDirection = 0;  // where the level puts it
  };
  // A class that can show a letter upright, and in which face states.
  struct Shower {
    int cls = 0;
    int mask = 0;  // index in masks
  };
  // A goal of the guided stage: every word at one placement.
  struct Goal {
    std::vector<Group> groups;
    std::vector<std::vector<int>> groupsOfClass;
    int rootCost = 0;
  };
  struct Node {
    uint32_t parent;
    uint16_t g;
    uint16_t h;
    uint16_t from;  // the square the moved cube left
    uint8_t direction;
    uint8_t closed;
  };
  enum class Stage { kTables, kStart, kStaged, kGuided, kFallback, kProof, kDone };

  SolverLimits limits;
  SolverResult result;
  Orientations turns;
  Stage stage = Stage::kDone;

  // ---- The board ----
  int width = 0, height = 0, squares = 0;
  std::vector<uint8_t> isStatic;
  std::vector<uint8_t> floor;  // no wall: a cube may stand there
  std::vector<int> neighbour;  // squares x 4: where a roll leads, -1 when it cannot
  int firstStatic = -1;        // row by row, -1 when there is none
  int staticCount = 0;

  // ---- Cubes, letters, words ----
  int cubes = 0;
  std::vector<CubeClass> classes;
  std::vector<int> classOf;  // per entry
  std::vector<uint16_t> root;
  std::vector<char16_t> letters;  // the words' letters
  std::vector<std::vector<Shower>> showers;  // per letter
  std::vector<uint32_t> masks;
  std::vector<WordRule> words;
  std::vector<int> active;  // words that can fail
  std::vector<int> need;    // per letter: cubes some goal must show it on
  bool perCubeBound = true;  // no cube can show two word letters

  // ---- Distance tables of a lone cube: squares x 24 entries each ----
  std::vector<int32_t> slotTable;   // masks x squares -> offset, -1 when not needed
  std::vector<int32_t> nearTable;   // per letter and shower: to any square a goal may want it on
  std::vector<uint8_t> tableData;
  struct TableJob {
    int32_t* offset;
    int mask;
    std::vector<int> targets;
  };
  std::vector<TableJob> jobs;
  size_t jobsDone = 0;

  // ---- Goals of the guided stage ----
  std::vector<Goal> goals;
  size_t goalIndex = 0;

  // ---- The fallback: one cube at a time ----
  struct Slot {
    int square;
    int letter;
  };
  std::vector<uint16_t> fallbackPosition;
  std::vector<SolverMove> fallbackMoves;
  std::vector<uint8_t> placed;
  std::vector<Slot> openSlots;
  std::vector<int32_t> cameFrom, bestCameFrom;
  std::vector<int> slotAt, fallbackQueue;
  std::vector<uint8_t> busy;
  int evictions = 0;
  int scanCube = 0;  // the next cube to search from, 0 at a step's start
  int closestLength = 0, closestCube = -1, closestCell = -1;
  long guidedBudget = 0;

  // ---- The staged stage: one square more at a time ----
  std::vector<uint16_t> stagedPosition;
  std::vector<SolverMove> stagedMoves;
  std::vector<Slot> stagedOpen, stagedFilled;
  std::vector<int> stagedOrder;
  size_t stagedTry = 0;
  size_t stagedAlone = 0;  // the next square in order to fill by a cube alone
  bool stagedClearing = false;  // that square waits for the cubes in its way to be rolled aside
  bool stagedSearching = false;
  // The search for the square now tried may roll the cubes on filled squares
  // too (out of the way and back): its second try, when the first, with them
  // standing as walls, found nothing.
  bool stagedFreed = false;
  Goal stagedGoal;
  long stagedBudget = 0;  // where the pass ends
  long goalBudget = 0;    // where the goal's searches end
  // The moves already made before a search's start: its lengths count on
  // from there.
  int baseMoves = 0;
  // A partial goal: its squares filled is enough, the words need not read.
  bool partial = false;
  // A partial goal's search rolls only the cubes on the floor around the
  // square it fills: the filled squares stand as walls.
  std::vector<uint8_t> movable;
  // Where the last fill that shut a square off would have split the floor,
  // and that square (stagedOpen).
  std::vector<int> cutPart;
  int cutSlot = -1;
  // Every fill in the order shuts a square off; cubes moved to its side so far.
  bool stagedAllCut = false;
  // The passes over the goals, each only when those before found nothing:
  // the first orders the squares by the cubes' ways and moves cubes to the
  // side that lacks them; the second clears the words, then goes without;
  // the third and fourth clear the words to the farthest free squares, then
  // go as the first and as the second.
  int stagedPass = 0;
  bool Routes() const { return stagedPass != 1 && stagedPass != 3; }
  // The last two park the cleared cubes far off and share out their budget
  // goal by goal.
  bool FarPasses() const { return stagedPass >= 2; }
  int relocations = 0;
  // A search is bringing a cube to stagedParking, a square no word wants.
  bool stagedRelocating = false;
  bool stagedClearPending = false;  // the plain order clears the words first
  Slot stagedParking{};
  uint32_t reached = UINT32_MAX;

  // ---- The running search ----
  const Goal* goal = nullptr;  // null: the proof stage
  std::vector<Node> nodes;
  std::vector<uint16_t> states;
  std::vector<uint64_t> hashes;
  std::vector<int32_t> wordCosts;  // proof stage: per node, 2 per active word
  std::vector<uint32_t> slots;     // hash table of node index + 1
  std::vector<uint64_t> heap;
  int weightG = 1, weightH = 1;    // order by weightG g + weightH h
  long stageNodes = 0;             // generated in this stage
  long stageLimit = 0;

  // ---- The answer ----
  int best = kInfinite;
  std::vector<SolverMove> bestMoves;
  int rootBound = 0;

  // ---- Scratch ----
  std::vector<int> occupant;
  std::vector<uint32_t> stamp;
  uint32_t stampNow = 0;
  std::vector<int> costScratch, assignScratch, groupCost, nearScratch;
  std::vector<uint16_t> child, expanding;
  std::vector<int32_t> parentWords, costs;
  std::vector<uint8_t> taken;

  Search(const Puzzle& puzzle, const SolverLimits& given) : limits(given) {
    if (!turns.valid || !Read(puzzle)) {
      result.outcome = SolverOutcome::kNothingFound;
      return;
    }
    Prepare();
    stage = Stage::kTables;
  }

  // ---- Reading the puzzle ----

  bool Read(const Puzzle& puzzle) {
    if (puzzle.Play().moveState != kMoveStateReady) return false;
    const Board& board = puzzle.Board();
    width = static_cast<int>(board.width);
    height = static_cast<int>(board.height);
    if (width < 1 || height < 1 || width > kMaxBoardSide || height > kMaxBoardSide) return false;
    squares = width * height;
    isStatic.assign(static_cast<size_t>(squares), 0);
    floor.assign(static_cast<size_t>(squares), 0);
    for (int sq = 0; sq < squares; ++sq) {
      const int x = sq % width, y = sq / width;
      isStatic[sq] = board.IsStaticBlock(x, y) ? 1 : 0;
      floor[sq] = IsWallCode(board.CellAt(x, y)) ? 0 : 1;
      if (isStatic[sq]) {
        ++staticCount;
        if (firstStatic < 0) firstStatic = sq;
      }
    }
    neighbour.assign(static_cast<size_t>(squares) * 4, -1);
    for (int sq = 0; sq < squares; ++sq) {
      if (!floor[sq]) continue;
      for (int d = 0; d < 4; ++d) {
        const int x = sq % width + DirectionDx(d), y = sq / width + DirectionDy(d);
        if (x >= 0 && y >= 0 && x < width && y < height && floor[y * width + x]) neighbour[sq * 4 + d] = y * width + x;
      }
    }

    for (uint32_t w = 0; w < board.wordCount && w < kMaxWords; ++w) {
      const LevelWord& word = board.words[w];
      const int length = std::clamp(static_cast<int>(word.length), 0, kMaxWordLength);
      WordRule rule;
      rule.text.assign(word.text, word.text + length);
      rule.designStart = word.y * width + word.x;
      rule.designDirection = word.direction;
      words.push_back(rule);
      for (char16_t letter : rule.text)
        if (std::find(letters.begin(), letters.end(), letter) == letters.end()) letters.push_back(letter);
    }

    struct Entry {
      CubeClass cls;
      uint16_t cell;
    };
    std::vector<Entry> entries;
    for (int i = 0; i < puzzle.CubeCount(); ++i) {
      const Cube* cube = puzzle.Level().CubeAt(i);
      if (!cube || cube->isStatic) continue;
      const CubeState& record = puzzle.CubeRecord(i);
      if (board.CellAt(record.x, record.y) != CUBE || cube->moving) return false;
      const int turn = turns.Find(cube->positions, cube->faces);
      if (turn < 0) return false;
      Entry entry;
      entry.cls.own = cube->OwnLetter();
      for (int s = 0; s < kTurns; ++s) {
        const char16_t letter = cube->faces[turns.upperSlot[s]].letter;
        const int t = turns.upperTurn[s];
        const bool upright = t == 0 || (t == 2 && puzzle.LevelSet().IsSymmetric(letter));
        const bool wanted = std::find(letters.begin(), letters.end(), letter) != letters.end();
        entry.cls.shown[s] = upright && wanted ? letter : 0;
      }
      entry.cell = static_cast<uint16_t>((record.y * width + record.x) * kTurns + turn);
      entries.push_back(entry);
    }
    auto key = [](const CubeClass& c) { return std::u16string(1, c.own) + std::u16string(c.shown, c.shown + kTurns); };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
      const std::u16string ka = key(a.cls), kb = key(b.cls);
      return ka != kb ? ka < kb : a.cell < b.cell;
    });
    cubes = static_cast<int>(entries.size());
    for (int k = 0; k < cubes; ++k) {
      if (classes.empty() || key(classes.back()) != key(entries[k].cls)) {
        classes.push_back(entries[k].cls);
        classes.back().begin = k;
      }
      classes.back().end = k + 1;
      classOf.push_back(static_cast<int>(classes.size()) - 1);
      root.push_back(entries[k].cell);
    }
    return true;
  }

  // ---- Words, placements and the tables they need ----

  int LetterIndex(char16_t letter) const {
    return static_cast<int>(std::find(letters.begin(), letters.end(), letter) - letters.begin());
  }

  void Prepare() {
    // Which classes show which letter, in which face states.
    showers.assign(letters.size(), {});
    for (size_t c = 0; c < classes.size(); ++c) {
      int shows = 0;
      for (size_t l = 0; l < letters.size(); ++l) {
        uint32_t mask = 0;
        for (int s = 0; s < kTurns; ++s)
          if (classes[c].shown[s] == letters[l]) mask |= 1u << s;
        if (!mask) continue;
        ++shows;
        auto found = std::find(masks.begin(), masks.end(), mask);
        if (found == masks.end()) found = masks.insert(masks.end(), mask);
        showers[l].push_back(Shower{static_cast<int>(c), static_cast<int>(found - masks.begin())});
      }
      if (shows > 1) perCubeBound = false;
    }

    // A word whose first letter no cube carries, on a board without static
    // blocks, has no anchor and counts as formed; so does an empty one.
    for (size_t w = 0; w < words.size(); ++w) {
      WordRule& rule = words[w];
      bool anchored = firstStatic >= 0;
      for (const CubeClass& c : classes) anchored = anchored || (!rule.text.empty() && c.own == rule.text[0]);
      rule.always = rule.text.empty() || !anchored;
      if (!rule.always) active.push_back(static_cast<int>(w));
    }

    // Every line of squares a word could be read on: on the board, no wall.
    slotTable.assign(masks.size() * static_cast<size_t>(squares), -1);
    std::vector<std::vector<uint8_t>> feasible(letters.size(), std::vector<uint8_t>(static_cast<size_t>(squares), 0));
    for (int w : active) {
      WordRule& rule = words[static_cast<size_t>(w)];
      const int length = static_cast<int>(rule.text.size());
      for (int direction : {kWordHorizontal, kWordVertical}) {
        for (int start = 0; start < squares; ++start) {
          const int x = start % width, y = start / width;
          if (direction == kWordHorizontal ? x + length > width : y + length > height) continue;
          Placement placement;
          placement.start = start;
          placement.direction = direction;
          bool open = true;
          for (int i = 0; i < length && open; ++i) {
            const int sq = direction == kWordHorizontal ? start + i : start + i * width;
            if (isStatic[sq]) continue;
            if (!floor[static_cast<size_t>(sq)]) {
              open = false;
              break;
            }
            const int l = LetterIndex(rule.text[i]);
            auto group = std::find_if(placement.groups.begin(), placement.groups.end(),
                                      [l](const Group& g) { return g.letter == l; });
            if (group == placement.groups.end()) {
              placement.groups.push_back(Group{l, {}});
              group = placement.groups.end() - 1;
            }
            group->squares.push_back(sq);
          }
          if (!open) continue;
          for (const Group& g : placement.groups)
            for (int sq : g.squares) feasible[static_cast<size_t>(g.letter)][static_cast<size_t>(sq)] = 1;
          rule.placements.push_back(std::move(placement));
        }
      }
    }

    // Cubes each letter needs in any goal: the most one word holds, less the
    // static blocks that may stand in for it.
    need.assign(letters.size(), 0);
    for (int w : active) {
      const WordRule& rule = words[static_cast<size_t>(w)];
      for (size_t l = 0; l < letters.size(); ++l) {
        const int count = static_cast<int>(std::count(rule.text.begin(), rule.text.end(), letters[l]));
        need[l] = std::max(need[l], count - staticCount);
      }
      for (size_t c = 0; c < classes.size(); ++c)
        for (char16_t letter : rule.text)
          for (const Shower& s : showers[static_cast<size_t>(LetterIndex(letter))])
            if (s.cls == static_cast<int>(c)) classes[c].words |= 1u << w;
    }
    for (CubeClass& c : classes) {
      const int served = __builtin_popcount(c.words);
      c.weight = served > 0 ? kWeightScale / served : kWeightScale;
    }

    // The tables: one per face-state mask and square a slot may ask for, and
    // one per letter and class to the nearest square a goal may want it on.
    for (const WordRule& rule : words)
      for (const Placement& p : rule.placements)
        for (const Group& g : p.groups)
          for (const Shower& s : showers[static_cast<size_t>(g.letter)])
            for (int sq : g.squares) {
              int32_t& offset = slotTable[static_cast<size_t>(s.mask) * squares + sq];
              if (offset == -1) {
                offset = -2;
                jobs.push_back(TableJob{nullptr, s.mask, {sq}});
              }
            }
    for (TableJob& job : jobs) job.offset = &slotTable[static_cast<size_t>(job.mask) * squares + job.targets[0]];
    size_t nearCount = 0;
    for (const auto& list : showers) nearCount += list.size();
    nearTable.assign(nearCount, -1);
    size_t n = 0;
    for (size_t l = 0; l < letters.size(); ++l) {
      std::vector<int> targets;
      for (int sq = 0; sq < squares; ++sq)
        if (feasible[l][static_cast<size_t>(sq)]) targets.push_back(sq);
      for (const Shower& s : showers[l]) {
        if (!targets.empty()) jobs.push_back(TableJob{&nearTable[n], s.mask, targets});
        ++n;
      }
    }
  }

  // Breadth first from the targets in the face states of the mask; rolls are
  // undone by the opposite roll, so this is the distance towards them.
  long MakeTable(const TableJob& job) {
    const size_t size = static_cast<size_t>(squares) * kTurns;
    const size_t offset = tableData.size();
    tableData.resize(offset + size, kFar);
    uint8_t* table = tableData.data() + offset;
    std::vector<int> queue;
    queue.reserve(size);
    for (int sq : job.targets)
      for (int s = 0; s < kTurns; ++s)
        if (masks[static_cast<size_t>(job.mask)] & (1u << s)) {
          table[sq * kTurns + s] = 0;
          queue.push_back(sq * kTurns + s);
        }
    for (size_t head = 0; head < queue.size(); ++head) {
      const int cell = queue[head];
      const int sq = cell / kTurns, s = cell % kTurns;
      const uint8_t next = static_cast<uint8_t>(std::min(table[cell] + 1, kFar - 1));
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[sq * 4 + d];
        if (to < 0) continue;
        const int reached = to * kTurns + turns.roll[s][d];
        if (table[reached] != kFar) continue;
        table[reached] = next;
        queue.push_back(reached);
      }
    }
    *job.offset = static_cast<int32_t>(offset);
    return static_cast<long>(queue.size()) / kTableStepsPerWork + 1;
  }

  int Distance(int mask, int sq, uint16_t cell) const {
    const int32_t offset = slotTable[static_cast<size_t>(mask) * squares + sq];
    if (offset < 0) return kInfinite;
    const uint8_t d = tableData[static_cast<size_t>(offset) + cell];
    return d == kFar ? kInfinite : d;
  }

  // ---- Costs ----

  // Least total distance of distinct cubes to the group's squares.
  int GroupCost(const Group& group, const uint16_t* position) {
    const std::vector<Shower>& list = showers[static_cast<size_t>(group.letter)];
    int candidates = 0;
    for (const Shower& s : list) candidates += classes[static_cast<size_t>(s.cls)].end - classes[static_cast<size_t>(s.cls)].begin;
    const int slotCount = static_cast<int>(group.squares.size());
    if (candidates < slotCount) return kInfinite;
    if (slotCount == 1 && list.size() == 1) {
      const CubeClass& c = classes[static_cast<size_t>(list[0].cls)];
      int least = kInfinite;
      for (int k = c.begin; k < c.end; ++k) least = std::min(least, Distance(list[0].mask, group.squares[0], position[k]));
      return least;
    }
    costScratch.resize(static_cast<size_t>(slotCount * candidates));
    for (int s = 0; s < slotCount; ++s) {
      int column = 0;
      for (const Shower& sh : list) {
        const CubeClass& c = classes[static_cast<size_t>(sh.cls)];
        for (int k = c.begin; k < c.end; ++k)
          costScratch[static_cast<size_t>(s * candidates + column++)] = Distance(sh.mask, group.squares[static_cast<size_t>(s)], position[k]);
      }
    }
    return Assign(slotCount, candidates, costScratch.data(), assignScratch);
  }

  int GroupWeight(const Group& group) const {
    int weight = kWeightScale;
    for (const Shower& s : showers[static_cast<size_t>(group.letter)]) weight = std::min(weight, classes[static_cast<size_t>(s.cls)].weight);
    return weight;
  }

  // The least cost over the word's placements, and the least weighted cost.
  void WordCost(const WordRule& rule, const uint16_t* position, int32_t& least, int32_t& weighted) {
    least = kInfinite;
    weighted = kInfinite;
    for (const Placement& p : rule.placements) {
      int cost = 0, share = 0;
      for (const Group& g : p.groups) {
        const int c = GroupCost(g, position);
        cost += c;
        share += c >= kInfinite ? kInfinite : c * GroupWeight(g);
        if (cost >= least && share >= weighted) break;
      }
      least = std::min(least, std::min(cost, kInfinite));
      weighted = std::min(weighted, std::min(share, kInfinite));
    }
  }

  // Sum over letters of the nearest cubes' distances to any square a goal may
  // want the letter on, for as many cubes as some word needs.
  int PerCubeBound(const uint16_t* position) {
    if (!perCubeBound) return 0;
    int total = 0;
    size_t n = 0;
    for (size_t l = 0; l < letters.size(); ++l) {
      nearScratch.clear();
      for (const Shower& s : showers[l]) {
        const int32_t offset = nearTable[n++];
        const CubeClass& c = classes[static_cast<size_t>(s.cls)];
        for (int k = c.begin; k < c.end; ++k) {
          const uint8_t d = offset < 0 ? kFar : tableData[static_cast<size_t>(offset) + position[k]];
          nearScratch.push_back(d == kFar ? kInfinite : d);
        }
      }
      const int wanted = need[l];
      if (wanted <= 0) continue;
      if (static_cast<int>(nearScratch.size()) < wanted) return kInfinite;
      std::partial_sort(nearScratch.begin(), nearScratch.begin() + wanted, nearScratch.end());
      for (int i = 0; i < wanted; ++i) total = std::min(total + nearScratch[static_cast<size_t>(i)], kInfinite);
    }
    return total;
  }

  // The lower bound: no position needs fewer moves. Word costs are kept per
  // node; those of words the moved class cannot serve are the parent's.
  int Bound(const uint16_t* position, const int32_t* parentCosts, uint32_t changedWords, int32_t* costs) {
    int largest = 0;
    int64_t shared = 0;
    for (size_t a = 0; a < active.size(); ++a) {
      const int w = active[a];
      if (parentCosts && !(changedWords & (1u << w))) {
        costs[2 * a] = parentCosts[2 * a];
        costs[2 * a + 1] = parentCosts[2 * a + 1];
      } else {
        WordCost(words[static_cast<size_t>(w)], position, costs[2 * a], costs[2 * a + 1]);
      }
      if (costs[2 * a] >= kInfinite) return kInfinite;
      largest = std::max(largest, static_cast<int>(costs[2 * a]));
      shared += costs[2 * a + 1];
    }
    const int sharedBound = static_cast<int>((shared + kWeightScale - 1) / kWeightScale);
    return std::max({largest, sharedBound, PerCubeBound(position)});
  }

  int GoalCost(const Goal& g, const uint16_t* position) {
    int total = 0;
    for (const Group& group : g.groups) total = std::min(total + GroupCost(group, position), kInfinite);
    return total;
  }

  // ---- The rules: every word read from its anchor ----

  void MarkOccupants(const uint16_t* position) {
    if (stamp.size() != static_cast<size_t>(squares)) {
      stamp.assign(static_cast<size_t>(squares), 0);
      occupant.assign(static_cast<size_t>(squares), -1);
    }
    if (++stampNow == 0) {
      std::fill(stamp.begin(), stamp.end(), 0);
      stampNow = 1;
    }
    for (int k = 0; k < cubes; ++k) {
      const int sq = position[k] / kTurns;
      stamp[static_cast<size_t>(sq)] = stampNow;
      occupant[static_cast<size_t>(sq)] = k;
    }
  }
  int OccupantOf(int sq) const { return stamp[static_cast<size_t>(sq)] == stampNow ? occupant[static_cast<size_t>(sq)] : -1; }

  bool Reads(const uint16_t* position, int x, int y, char16_t letter) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const int sq = y * width + x;
    if (isStatic[sq]) return true;
    const int k = OccupantOf(sq);
    return k >= 0 && classes[static_cast<size_t>(classOf[k])].shown[position[k] % kTurns] == letter;
  }

  bool IsGoal(const uint16_t* position) {
    MarkOccupants(position);
    for (const WordRule& rule : words) {
      if (rule.text.empty()) continue;
      int anchor = firstStatic >= 0 ? firstStatic : squares;
      for (const CubeClass& c : classes)
        if (c.own == rule.text[0])
          for (int k = c.begin; k < c.end; ++k) anchor = std::min(anchor, position[k] / kTurns);
      if (anchor == squares) continue;  // no anchor: the word counts
      const int ax = anchor % width, ay = anchor / width;
      if (!isStatic[anchor] && !Reads(position, ax, ay, rule.text[0])) return false;
      const int length = static_cast<int>(rule.text.size());
      bool row = true, column = true;
      for (int i = 1; i < length && row; ++i) row = Reads(position, ax + i, ay, rule.text[i]);
      if (row) continue;
      for (int i = 1; i < length && column; ++i) column = Reads(position, ax, ay + i, rule.text[i]);
      if (!column) return false;
    }
    return true;
  }

  // ---- Goals of the guided stage ----

  void AddGoal(const std::vector<const Placement*>& chosen) {
    std::map<int, int> letterAt;  // square -> letter
    for (const Placement* p : chosen)
      for (const Group& g : p->groups)
        for (int sq : g.squares) {
          auto [at, fresh] = letterAt.emplace(sq, g.letter);
          if (!fresh && at->second != g.letter) return;  // two words want different letters there
        }
    Goal goal;
    for (const auto& [sq, letter] : letterAt) {
      auto group = std::find_if(goal.groups.begin(), goal.groups.end(), [l = letter](const Group& g) { return g.letter == l; });
      if (group == goal.groups.end()) {
        goal.groups.push_back(Group{letter, {}});
        group = goal.groups.end() - 1;
      }
      group->squares.push_back(sq);
    }
    goal.rootCost = GoalCost(goal, root.data());
    if (goal.rootCost >= kInfinite) return;
    for (const Goal& other : goals)
      if (other.rootCost == goal.rootCost && SameGroups(other, goal)) return;
    // The goal must be one by the rules: cubes put on its squares, upright,
    // the others where they stand.
    std::vector<uint16_t> virtualPosition = root;
    std::vector<uint8_t> used(static_cast<size_t>(cubes), 0);
    for (const Group& g : goal.groups) {
      for (int sq : g.squares) {
        bool placed = false;
        for (const Shower& s : showers[static_cast<size_t>(g.letter)]) {
          const CubeClass& c = classes[static_cast<size_t>(s.cls)];
          for (int k = c.begin; k < c.end && !placed; ++k) {
            if (used[static_cast<size_t>(k)]) continue;
            used[static_cast<size_t>(k)] = 1;
            virtualPosition[static_cast<size_t>(k)] = static_cast<uint16_t>(sq * kTurns + __builtin_ctz(masks[static_cast<size_t>(s.mask)]));
            placed = true;
          }
          if (placed) break;
        }
        if (!placed) return;
      }
    }
    for (int k = 0; k < cubes; ++k)
      if (!used[static_cast<size_t>(k)] && letterAt.count(root[static_cast<size_t>(k)] / kTurns)) return;
    if (!IsGoal(virtualPosition.data())) return;
    goal.groupsOfClass.assign(classes.size(), {});
    for (size_t i = 0; i < goal.groups.size(); ++i)
      for (const Shower& s : showers[static_cast<size_t>(goal.groups[i].letter)])
        goal.groupsOfClass[static_cast<size_t>(s.cls)].push_back(static_cast<int>(i));
    goals.push_back(std::move(goal));
  }

  static bool SameGroups(const Goal& a, const Goal& b) {
    if (a.groups.size() != b.groups.size()) return false;
    for (size_t i = 0; i < a.groups.size(); ++i)
      if (a.groups[i].letter != b.groups[i].letter || a.groups[i].squares != b.groups[i].squares) return false;
    return true;
  }

  // The cheapest placements of each word, combined; the level's own layout
  // is always among them.
  void ChooseGoals() {
    std::vector<std::vector<const Placement*>> choices;
    std::vector<const Placement*> designs;
    for (int w : active) {
      WordRule& rule = words[static_cast<size_t>(w)];
      std::vector<std::pair<int, int>> ranked;
      int design = -1;
      for (size_t i = 0; i < rule.placements.size(); ++i) {
        const Placement& p = rule.placements[i];
        if (p.start == rule.designStart && p.direction == rule.designDirection) design = static_cast<int>(i);
        int cost = 0;
        for (const Group& g : p.groups) cost = std::min(cost + GroupCost(g, root.data()), kInfinite);
        if (cost < kInfinite) ranked.emplace_back(cost, static_cast<int>(i));
      }
      std::stable_sort(ranked.begin(), ranked.end());
      std::vector<const Placement*> kept;
      for (size_t i = 0; i < ranked.size() && i < static_cast<size_t>(kPlacementsPerWord); ++i)
        kept.push_back(&rule.placements[static_cast<size_t>(ranked[i].second)]);
      if (design >= 0) designs.push_back(&rule.placements[static_cast<size_t>(design)]);
      if (kept.empty()) return;
      choices.push_back(kept);
    }
    if (designs.size() == active.size()) AddGoal(designs);
    std::vector<size_t> pick(choices.size(), 0);
    for (;;) {
      std::vector<const Placement*> chosen;
      for (size_t i = 0; i < choices.size(); ++i) chosen.push_back(choices[i][pick[i]]);
      AddGoal(chosen);
      size_t i = 0;
      while (i < pick.size() && ++pick[i] == choices[i].size()) pick[i++] = 0;
      if (i == pick.size()) break;
    }
    std::stable_sort(goals.begin(), goals.end(), [](const Goal& a, const Goal& b) { return a.rootCost < b.rootCost; });
    if (goals.size() > static_cast<size_t>(kGuidedGoals)) goals.resize(static_cast<size_t>(kGuidedGoals));
  }

  // ---- The search over positions ----

  size_t NodeBytes() const {
    return sizeof(Node) + sizeof(uint64_t) + static_cast<size_t>(cubes) * sizeof(uint16_t) +
           (goal ? 0 : 2 * active.size() * sizeof(int32_t)) + 2 * sizeof(uint32_t) + sizeof(uint64_t);
  }
  bool OverMemory() const {
    return nodes.size() >= kMaxNodes || tableData.size() + nodes.size() * NodeBytes() > limits.memoryBytes;
  }

  // A search from the position `from` that may generate `expected` positions.
  void Begin(const Goal* toward, const uint16_t* from, long expected) {
    goal = toward;
    reached = UINT32_MAX;
    nodes.clear();
    states.clear();
    hashes.clear();
    wordCosts.clear();
    heap.clear();
    // Room for every position the budget allows, made once: growing the
    // lists and the table on the way would stall a slice of the search.
    const size_t most = std::min({static_cast<size_t>(std::max(limits.nodes, 0L)) + 1, kMaxNodes,
                                  limits.memoryBytes / NodeBytes() + 1});
    nodes.reserve(most);
    hashes.reserve(most);
    states.reserve(most * static_cast<size_t>(cubes));
    if (!goal) wordCosts.reserve(most * 2 * active.size());
    heap.reserve(most);
    // The table for the positions the search may add within what is left
    // of the budget (and one expansion over it): clearing a larger one would
    // stall the call that begins the search.
    expected = std::min(expected, std::max(limits.nodes - result.nodes, 0L) + 1024);
    size_t table = 1024;
    while (table < 2 * std::min(most, static_cast<size_t>(std::max(expected, 0L)) + 1)) table *= 2;
    if (slots.size() == table)
      std::fill(slots.begin(), slots.end(), 0);
    else
      slots.assign(table, 0);
    stageNodes = 0;
    uint64_t hash = 0;
    for (int k = 0; k < cubes; ++k) hash ^= Mix(static_cast<uint64_t>(classOf[k]) << 16 | from[k]);
    int h;
    if (goal) {
      h = GoalCost(*goal, from);
    } else {
      wordCosts.resize(2 * active.size());
      h = Bound(from, nullptr, 0, wordCosts.data());
    }
    Add(Node{0, 0, static_cast<uint16_t>(std::min(h, 0xFFFF)), 0, 0, 0}, from, hash);
    if (h == 0 && partial) reached = 0;
  }

  uint32_t Find(uint64_t hash, const uint16_t* position) const {
    const size_t mask = slots.size() - 1;
    for (size_t i = static_cast<size_t>(hash) & mask;; i = (i + 1) & mask) {
      const uint32_t at = slots[i];
      if (at == 0) return UINT32_MAX;
      const size_t n = at - 1;
      if (hashes[n] == hash && std::memcmp(&states[n * cubes], position, static_cast<size_t>(cubes) * sizeof(uint16_t)) == 0)
        return static_cast<uint32_t>(n);
    }
  }

  void Insert(uint64_t hash, uint32_t index) {
    const size_t mask = slots.size() - 1;
    size_t i = static_cast<size_t>(hash) & mask;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = index + 1;
  }

  uint32_t Add(const Node& node, const uint16_t* position, uint64_t hash) {
    if ((nodes.size() + 1) * 2 > slots.size()) {
      slots.assign(slots.size() * 2, 0);
      for (size_t n = 0; n < nodes.size(); ++n) Insert(hashes[n], static_cast<uint32_t>(n));
    }
    const uint32_t index = static_cast<uint32_t>(nodes.size());
    nodes.push_back(node);
    hashes.push_back(hash);
    states.insert(states.end(), position, position + cubes);
    Insert(hash, index);
    Push(index);
    return index;
  }

  int Ceiling() const { return best >= kInfinite ? kInfinite : best - baseMoves; }

  uint64_t Order(const Node& n) const {
    return static_cast<uint64_t>(weightG) * n.g + static_cast<uint64_t>(weightH) * n.h;
  }
  void Push(uint32_t index) {
    const Node& n = nodes[index];
    heap.push_back(std::min<uint64_t>(Order(n), 0xFFFFF) << 44 | static_cast<uint64_t>(n.h) << 24 | index);
    std::push_heap(heap.begin(), heap.end(), std::greater<uint64_t>());
  }

  std::vector<SolverMove> PathTo(uint32_t index) const {
    std::vector<SolverMove> moves;
    for (uint32_t n = index; n != 0; n = nodes[n].parent)
      moves.push_back(SolverMove{nodes[n].from % width, nodes[n].from / width, nodes[n].direction});
    std::reverse(moves.begin(), moves.end());
    return moves;
  }

  // Every roll of every cube from the node's position.
  void Expand(uint32_t index) {
    const Node parent = nodes[index];
    expanding.assign(&states[static_cast<size_t>(index) * cubes], &states[static_cast<size_t>(index) * cubes] + cubes);
    const uint64_t parentHash = hashes[index];
    if (goal) {
      groupCost.resize(goal->groups.size());
      for (size_t g = 0; g < goal->groups.size(); ++g) groupCost[g] = GroupCost(goal->groups[g], expanding.data());
    } else {
      const size_t width2 = 2 * active.size();
      parentWords.assign(&wordCosts[index * width2], &wordCosts[index * width2] + width2);
      costs.resize(width2);
    }
    taken.assign(static_cast<size_t>(squares), 0);
    for (int k = 0; k < cubes; ++k) taken[expanding[static_cast<size_t>(k)] / kTurns] = 1;
    const int g = parent.g + 1;
    for (int k = 0; k < cubes; ++k) {
      const int cls = classOf[k];
      const int cell = expanding[static_cast<size_t>(k)];
      const int sq = cell / kTurns, s = cell % kTurns;
      if (partial && !movable[static_cast<size_t>(sq)]) continue;
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[sq * 4 + d];
        if (to < 0 || taken[static_cast<size_t>(to)]) continue;
        const uint16_t moved = static_cast<uint16_t>(to * kTurns + turns.roll[s][d]);
        // The moved entry goes to its sorted place within the class.
        child = expanding;
        const CubeClass& c = classes[static_cast<size_t>(cls)];
        int at = k;
        child[static_cast<size_t>(at)] = moved;
        while (at > c.begin && child[static_cast<size_t>(at - 1)] > moved) {
          std::swap(child[static_cast<size_t>(at - 1)], child[static_cast<size_t>(at)]);
          --at;
        }
        while (at + 1 < c.end && child[static_cast<size_t>(at + 1)] < moved) {
          std::swap(child[static_cast<size_t>(at + 1)], child[static_cast<size_t>(at)]);
          ++at;
        }
        const uint64_t hash = parentHash ^ Mix(static_cast<uint64_t>(cls) << 16 | static_cast<uint64_t>(cell)) ^
                              Mix(static_cast<uint64_t>(cls) << 16 | moved);
        ++stageNodes;
        ++result.nodes;
        const uint32_t seen = Find(hash, child.data());
        if (seen != UINT32_MAX) {
          Node& n = nodes[seen];
          if (n.g <= g) continue;
          n.g = static_cast<uint16_t>(g);
          n.parent = index;
          n.from = static_cast<uint16_t>(sq);
          n.direction = static_cast<uint8_t>(d);
          n.closed = 0;
          if (g + n.h < Ceiling()) Push(seen);
          continue;
        }
        int h;
        if (goal) {
          h = parent.h;
          for (int gi : goal->groupsOfClass[static_cast<size_t>(cls)]) h += GroupCost(goal->groups[static_cast<size_t>(gi)], child.data()) - groupCost[static_cast<size_t>(gi)];
        } else {
          h = Bound(child.data(), parentWords.data(), c.words, costs.data());
        }
        if (h >= kInfinite || g + h >= Ceiling()) continue;
        const uint32_t added = Add(Node{index, static_cast<uint16_t>(g), static_cast<uint16_t>(h), static_cast<uint16_t>(sq),
                                        static_cast<uint8_t>(d), 0},
                                   child.data(), hash);
        if (!goal) wordCosts.insert(wordCosts.end(), costs.begin(), costs.end());
        if (h == 0 && partial) {
          reached = added;
          return;
        }
        if (h == 0 && IsGoal(child.data())) {
          best = g;
          bestMoves = PathTo(added);
        }
      }
    }
  }

  // Pops and expands until the work is spent. Returns true when this search
  // has ended: nothing left below the best answer, or its budget spent.
  bool Continue(long& work) {
    while (work > 0) {
      if (heap.empty() || reached != UINT32_MAX) return true;
      if (stageNodes >= stageLimit || result.nodes >= limits.nodes || OverMemory()) return true;
      const uint64_t top = heap.front();
      const uint32_t index = static_cast<uint32_t>(top & 0xFFFFFF);
      const Node& n = nodes[index];
      if (!goal && n.g + n.h >= best) return true;  // A*: nothing shorter is left
      std::pop_heap(heap.begin(), heap.end(), std::greater<uint64_t>());
      heap.pop_back();
      if (n.closed || (top >> 44) != std::min<uint64_t>(Order(n), 0xFFFFF) || n.g + n.h >= Ceiling()) continue;
      nodes[index].closed = 1;
      const long before = stageNodes;
      Expand(index);
      work -= std::max(1L, stageNodes - before);
    }
    return false;
  }

  // The lowest order left in the proof stage's heap: no answer is shorter.
  int ProofFloor() const {
    int floor = best;
    for (uint64_t key : heap) {
      const Node& n = nodes[key & 0xFFFFFF];
      if (!n.closed) floor = std::min(floor, n.g + n.h);
    }
    return floor;
  }

  // ---- The fallback ----
  //
  // When the guided searches found nothing within their share: each goal in
  // turn, its squares filled one cube at a time, each time the cube and
  // square closest by a roll path around the other cubes, which stay where
  // they are. Far from shortest, but an answer the proof stage can then
  // try to better.

  void BeginFallback(const Goal& g) {
    fallbackPosition = root;
    fallbackMoves.clear();
    placed.assign(static_cast<size_t>(cubes), 0);
    openSlots.clear();
    for (const Group& group : g.groups)
      for (int sq : group.squares) openSlots.push_back(Slot{sq, group.letter});
    evictions = 0;
    scanCube = 0;
  }

  // Breadth first from cube k's cell around the others: the first cell that
  // `wanted` accepts, -1 when none is reachable; cameFrom holds the way.
  template <typename Wanted>
  int Reach(const uint16_t* position, int k, Wanted wanted) {
    cameFrom.assign(static_cast<size_t>(squares) * kTurns, -2);
    const int start = position[k];
    cameFrom[static_cast<size_t>(start)] = -1;
    fallbackQueue.assign(1, start);
    for (size_t head = 0; head < fallbackQueue.size(); ++head) {
      const int cell = fallbackQueue[head];
      const int sq = cell / kTurns, s = cell % kTurns;
      if (wanted(sq, s)) return cell;
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[sq * 4 + d];
        if (to < 0 || (busy[static_cast<size_t>(to)] && to != start / kTurns)) continue;
        const int next = to * kTurns + turns.roll[s][d];
        if (cameFrom[static_cast<size_t>(next)] != -2) continue;
        cameFrom[static_cast<size_t>(next)] = cell * 4 + d;
        fallbackQueue.push_back(next);
      }
    }
    return -1;
  }

  static int PathLength(const std::vector<int32_t>& from, int cell) {
    int length = 0;
    for (int at = cell; from[static_cast<size_t>(at)] >= 0; at = from[static_cast<size_t>(at)] / 4) ++length;
    return length;
  }

  // Keeps cube k's way to cell (from Reach) in bestCameFrom when it is the
  // shortest yet.
  void KeepCloser(int k, int cell, int& length, int& cube, int& at) {
    if (cell < 0) return;
    const int steps = PathLength(cameFrom, cell);
    if (steps >= length) return;
    length = steps;
    cube = k;
    at = cell;
    bestCameFrom.swap(cameFrom);
  }

  // Rolls cube k along the way to cell.
  void Follow(int k, const std::vector<int32_t>& from, int cell) { Follow(k, from, cell, fallbackPosition, fallbackMoves); }
  void Follow(int k, const std::vector<int32_t>& from, int cell, std::vector<uint16_t>& position, std::vector<SolverMove>& moves) {
    std::vector<SolverMove> path;
    for (int at = cell; from[static_cast<size_t>(at)] >= 0; at = from[static_cast<size_t>(at)] / 4) {
      const int before = from[static_cast<size_t>(at)] / 4 / kTurns;
      path.push_back(SolverMove{before % width, before / width, from[static_cast<size_t>(at)] % 4});
    }
    moves.insert(moves.end(), path.rbegin(), path.rend());
    position[static_cast<size_t>(k)] = static_cast<uint16_t>(cell);
  }

  // Keeps the moves as the answer when they are shorter and lead to every
  // word read.
  void Offer(const std::vector<uint16_t>& position, const std::vector<SolverMove>& moves) {
    if (static_cast<int>(moves.size()) < best && IsGoal(position.data())) {
      best = static_cast<int>(moves.size());
      bestMoves = moves;
    }
  }

  // The squares the cubes of the position stand on.
  void MarkBusy(const uint16_t* position) {
    busy.assign(static_cast<size_t>(squares), 0);
    for (int k = 0; k < cubes; ++k) busy[position[k] / kTurns] = 1;
  }

  // One cube's search towards the open squares; after the last cube's, the
  // closest is placed (or one is moved out of the way). Returns false when
  // the goal is finished, reached or given up.
  bool FallbackStep() {
    if (scanCube == 0) {
      if (openSlots.empty()) {
        Offer(fallbackPosition, fallbackMoves);
        return false;
      }
      if (static_cast<int>(fallbackMoves.size()) >= best) return false;
      MarkBusy(fallbackPosition.data());
      slotAt.assign(static_cast<size_t>(squares), -1);
      for (size_t i = 0; i < openSlots.size(); ++i) slotAt[static_cast<size_t>(openSlots[i].square)] = static_cast<int>(i);
      closestLength = kInfinite;
      closestCube = closestCell = -1;
    }
    if (scanCube < cubes) {
      const int k = scanCube++;
      if (placed[static_cast<size_t>(k)]) return true;
      const CubeClass& c = classes[static_cast<size_t>(classOf[k])];
      const int cell = Reach(fallbackPosition.data(), k, [&](int sq, int s) {
        const int slot = slotAt[static_cast<size_t>(sq)];
        return slot >= 0 && c.shown[s] != 0 && c.shown[s] == letters[static_cast<size_t>(openSlots[static_cast<size_t>(slot)].letter)];
      });
      KeepCloser(k, cell, closestLength, closestCube, closestCell);
      return true;
    }
    scanCube = 0;
    if (closestCube >= 0) {
      Follow(closestCube, bestCameFrom, closestCell);
      placed[static_cast<size_t>(closestCube)] = 1;
      const int slot = slotAt[static_cast<size_t>(closestCell / kTurns)];
      openSlots.erase(openSlots.begin() + slot);
      return true;
    }
    // No cube reaches a square: one standing on a square it cannot serve
    // goes to the nearest square that is none of the goal's.
    if (++evictions > cubes) return false;
    for (int k = 0; k < cubes; ++k) {
      if (placed[static_cast<size_t>(k)] || slotAt[fallbackPosition[static_cast<size_t>(k)] / kTurns] < 0) continue;
      const int cell = Reach(fallbackPosition.data(), k, [&](int sq, int) { return slotAt[static_cast<size_t>(sq)] < 0; });
      if (cell < 0) continue;
      Follow(k, cameFrom, cell);
      return true;
    }
    return false;
  }

  // ---- The staged stage ----
  //
  // A first answer, fast: a goal's squares filled one more at a time, each
  // by a short search in which every cube may roll, towards the squares
  // filled so far and one more. The next square is the one with the fewest
  // ways in, so that a filled square never walls off those still open (a
  // word along a corridor fills from its far end), then the nearest.

  void BeginStaged(const Goal& g) {
    stagedPosition = root;
    stagedMoves.clear();
    stagedOpen.clear();
    stagedFilled.clear();
    for (const Group& group : g.groups)
      for (int sq : group.squares) stagedOpen.push_back(Slot{sq, group.letter});
    stagedTry = 0;
    stagedOrder.clear();
    stagedAlone = 0;
    stagedClearing = false;
    stagedSearching = false;
    stagedFreed = false;
    stagedAllCut = false;
    relocations = 0;
    stagedRelocating = false;
    stagedClearPending = stagedPass > 0;
    // The last passes share what is left among their goals, and a goal whose
    // share is spent still fills what cubes rolling alone can: another
    // placement of the words may need no search at all.
    goalBudget = stagedBudget;
    if (FarPasses())
      goalBudget = result.nodes + std::max(0L, stagedBudget - result.nodes) /
                                      static_cast<long>(goals.size() - goalIndex);
  }

  // Rolls from the nearest seed to each square, stepping only onto squares
  // enter allows; -1 where none reaches.
  template <typename Enter>
  std::vector<int> Spread(const std::vector<int>& seeds, Enter enter) {
    std::vector<int> steps(static_cast<size_t>(squares), -1);
    fallbackQueue.clear();
    for (int sq : seeds) {
      steps[static_cast<size_t>(sq)] = 0;
      fallbackQueue.push_back(sq);
    }
    for (size_t head = 0; head < fallbackQueue.size(); ++head)
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[fallbackQueue[head] * 4 + d];
        if (to < 0 || steps[static_cast<size_t>(to)] >= 0 || !enter(to)) continue;
        steps[static_cast<size_t>(to)] = steps[static_cast<size_t>(fallbackQueue[head])] + 1;
        fallbackQueue.push_back(to);
      }
    return steps;
  }

  // Before the later passes fill anything, every cube on a square a word
  // wants, other than the letter it wants upright, rolls alone around the
  // others to the nearest square at least kClearGap rolls from every such
  // square, those that can first: a word down a dead end crowded with cubes
  // in the wrong order then fills from its closed end instead of jamming.
  // In the last two passes it goes to the farthest square it reaches
  // instead, so that the first cubes out do not park in the way of those
  // behind them.
  void ClearWords() {
    std::vector<int> seeds;
    for (const Slot& slot : stagedOpen) seeds.push_back(slot.square);
    const std::vector<int> gap = Spread(seeds, [](int) { return true; });
    std::vector<int> letterAt(static_cast<size_t>(squares), -1);
    for (const Slot& slot : stagedOpen) letterAt[static_cast<size_t>(slot.square)] = slot.letter;
    auto serves = [&](int k) {
      const int at = stagedPosition[static_cast<size_t>(k)];
      for (const Shower& s : showers[static_cast<size_t>(letterAt[static_cast<size_t>(at / kTurns)])])
        if (s.cls == classOf[k] && (masks[static_cast<size_t>(s.mask)] & (1u << (at % kTurns)))) return true;
      return false;
    };
    for (bool moved = true; moved;) {
      moved = false;
      for (int k = 0; k < cubes; ++k) {
        if (gap[stagedPosition[static_cast<size_t>(k)] / kTurns] != 0 || serves(k)) continue;
        MarkBusy(stagedPosition.data());
        int least = kClearGap;
        if (FarPasses()) {
          // busy holds the cubes from MarkBusy above.
          const std::vector<int> reach =
              Spread({stagedPosition[static_cast<size_t>(k)] / kTurns}, [&](int to) { return !busy[static_cast<size_t>(to)]; });
          for (int sq = 0; sq < squares; ++sq)
            if (reach[static_cast<size_t>(sq)] > 0) least = std::max(least, gap[static_cast<size_t>(sq)]);
        }
        const int cell = Reach(stagedPosition.data(), k, [&](int sq, int) { return gap[static_cast<size_t>(sq)] >= least; });
        if (cell < 0) continue;
        Follow(k, cameFrom, cell, stagedPosition, stagedMoves);
        moved = true;
      }
    }
    for (const CubeClass& c : classes) std::sort(stagedPosition.begin() + c.begin, stagedPosition.begin() + c.end);
  }

  // When every fill left would shut an open square off from the cubes it
  // needs, one such cube first rolls, alone around the others, onto a free
  // square on that square's side: a word down a dead end then fills from
  // both ends. False when none can.
  bool Relocate() {
    if (stagedOrder.empty() || relocations >= cubes) return false;
    std::vector<uint8_t> filled(static_cast<size_t>(squares), 0), open(static_cast<size_t>(squares), 0);
    for (const Slot& slot : stagedFilled) filled[static_cast<size_t>(slot.square)] = 1;
    for (const Slot& slot : stagedOpen) open[static_cast<size_t>(slot.square)] = 1;
    if (!WallsOff(stagedOrder[0], filled)) return false;
    const Slot lacking = stagedOpen[static_cast<size_t>(cutSlot)];
    const std::vector<int> part = cutPart;
    const int where = part[static_cast<size_t>(lacking.square)];
    const std::vector<int> traffic = Traffic(filled, open);
    MarkBusy(stagedPosition.data());
    int closest = kInfinite, closestK = -1, closestAt = -1;
    for (const Shower& s : showers[static_cast<size_t>(lacking.letter)]) {
      const CubeClass& c = classes[static_cast<size_t>(s.cls)];
      for (int k = c.begin; k < c.end; ++k) {
        const int sq = stagedPosition[static_cast<size_t>(k)] / kTurns;
        if (filled[static_cast<size_t>(sq)] || part[static_cast<size_t>(sq)] == where) continue;
        // Not in a doorway of an open square, nor on another cube's way,
        // where it would stand in the way.
        for (int anywhere = 0; anywhere < 2; ++anywhere) {
          const int cell = Reach(stagedPosition.data(), k, [&](int to, int) {
            if (part[static_cast<size_t>(to)] != where || open[static_cast<size_t>(to)]) return false;
            if (!anywhere && traffic[static_cast<size_t>(to)] > 0) return false;
            for (int d = 0; d < 4 && !anywhere; ++d) {
              const int next = neighbour[to * 4 + d];
              if (next >= 0 && open[static_cast<size_t>(next)]) return false;
            }
            return true;
          });
          KeepCloser(k, cell, closest, closestK, closestAt);
          if (cell >= 0) break;
        }
      }
    }
    ++relocations;
    if (closestK >= 0) {
      Follow(closestK, bestCameFrom, closestAt, stagedPosition, stagedMoves);
      for (const CubeClass& c : classes) std::sort(stagedPosition.begin() + c.begin, stagedPosition.begin() + c.end);
      return true;
    }
    // Cubes stand in every way: a search brings one, upright, to the free
    // square on that side that the nearest of them reaches soonest alone.
    int nearest = kInfinite;
    for (int sq = 0; sq < squares; ++sq) {
      if (part[static_cast<size_t>(sq)] != where || open[static_cast<size_t>(sq)] || busy[static_cast<size_t>(sq)]) continue;
      for (const Shower& s : showers[static_cast<size_t>(lacking.letter)]) {
        const CubeClass& c = classes[static_cast<size_t>(s.cls)];
        for (int k = c.begin; k < c.end; ++k) {
          const int from = stagedPosition[static_cast<size_t>(k)] / kTurns;
          if (filled[static_cast<size_t>(from)] || part[static_cast<size_t>(from)] == where) continue;
          const int d = Distance(s.mask, sq, stagedPosition[static_cast<size_t>(k)]);
          if (d < nearest) {
            nearest = d;
            stagedParking = Slot{sq, lacking.letter};
          }
        }
      }
    }
    if (nearest >= kInfinite) return false;
    if (ClearAndReach(stagedParking, -1, filled)) {
      for (const CubeClass& c : classes) std::sort(stagedPosition.begin() + c.begin, stagedPosition.begin() + c.end);
      return true;
    }
    BeginStagedSearch(stagedParking, false);
    stagedRelocating = true;
    return false;
  }

  void OrderStaged() {
    std::vector<uint8_t> filled(static_cast<size_t>(squares), 0);
    for (const Slot& slot : stagedFilled) filled[static_cast<size_t>(slot.square)] = 1;
    // How deep each open square lies inside the words: rolls from the
    // nearest floor that no word wants, over open squares.
    std::vector<uint8_t> open(static_cast<size_t>(squares), 0);
    for (const Slot& slot : stagedOpen) open[static_cast<size_t>(slot.square)] = 1;
    std::vector<int> seeds;
    for (int sq = 0; sq < squares; ++sq)
      if (floor[static_cast<size_t>(sq)] && !filled[static_cast<size_t>(sq)] && !open[static_cast<size_t>(sq)])
        seeds.push_back(sq);
    const std::vector<int> depth = Spread(seeds, [&](int to) { return open[static_cast<size_t>(to)] != 0; });
    const std::vector<int> traffic = Routes() ? Traffic(filled, open) : std::vector<int>(static_cast<size_t>(squares), 0);
    std::vector<std::pair<int, int>> keyed;
    for (const Slot& slot : stagedOpen) {
      int ways = 0;
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[slot.square * 4 + d];
        ways += to >= 0 && !filled[static_cast<size_t>(to)];
      }
      int nearest = kInfinite;
      for (const Shower& s : showers[static_cast<size_t>(slot.letter)]) {
        const CubeClass& c = classes[static_cast<size_t>(s.cls)];
        for (int k = c.begin; k < c.end; ++k) nearest = std::min(nearest, Distance(s.mask, slot.square, stagedPosition[static_cast<size_t>(k)]));
      }
      const int index = static_cast<int>(keyed.size());
      const int inside = std::clamp(depth[static_cast<size_t>(slot.square)], 0, 15);
      const int crossing = std::min(traffic[static_cast<size_t>(slot.square)], 15);
      keyed.emplace_back((WallsOff(index, filled) ? 1 << 24 : 0) + crossing * (1 << 16) + (15 - inside) * 4096 + ways * 256 +
                             std::min(nearest, 255),
                         index);
    }
    std::stable_sort(keyed.begin(), keyed.end());
    stagedOrder.clear();
    for (const auto& k : keyed) stagedOrder.push_back(k.second);
    stagedAllCut = Routes() && !keyed.empty() && keyed.front().first >= 1 << 24;
  }

  // How many cubes still to bring would cross each square: every open
  // square given its own nearest cube, by a way that keeps off the filled
  // squares and, where it can, off the open ones and the cubes. A square
  // others must cross is better filled after them.
  std::vector<int> Traffic(const std::vector<uint8_t>& filled, const std::vector<uint8_t>& open) {
    std::vector<int> traffic(static_cast<size_t>(squares), 0);
    std::vector<int> cubeAt(static_cast<size_t>(squares), -1);
    for (int k = 0; k < cubes; ++k) cubeAt[stagedPosition[static_cast<size_t>(k)] / kTurns] = k;
    const size_t count = stagedOpen.size();
    std::vector<std::vector<int>> toward(count, std::vector<int>(static_cast<size_t>(squares), -1));
    std::vector<std::tuple<int, size_t, int>> pairs;  // cost, open square, cube
    using Entry = std::pair<int, int>;
    std::vector<int> cost(static_cast<size_t>(squares));
    for (size_t i = 0; i < count; ++i) {
      const Slot& slot = stagedOpen[i];
      std::fill(cost.begin(), cost.end(), kInfinite);
      std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
      cost[static_cast<size_t>(slot.square)] = 0;
      queue.emplace(0, slot.square);
      while (!queue.empty()) {
        const auto [at, sq] = queue.top();
        queue.pop();
        if (at != cost[static_cast<size_t>(sq)]) continue;
        for (int d = 0; d < 4; ++d) {
          const int to = neighbour[sq * 4 + d];
          if (to < 0 || filled[static_cast<size_t>(to)]) continue;
          const int step = 1 + (open[static_cast<size_t>(to)] ? kOpenCrossCost : 0) + (cubeAt[static_cast<size_t>(to)] >= 0 ? 2 : 0);
          if (at + step >= cost[static_cast<size_t>(to)]) continue;
          cost[static_cast<size_t>(to)] = at + step;
          toward[i][static_cast<size_t>(to)] = sq;
          queue.emplace(at + step, to);
        }
      }
      for (const Shower& s : showers[static_cast<size_t>(slot.letter)]) {
        const CubeClass& c = classes[static_cast<size_t>(s.cls)];
        for (int k = c.begin; k < c.end; ++k) {
          const int sq = stagedPosition[static_cast<size_t>(k)] / kTurns;
          if (!filled[static_cast<size_t>(sq)] && cost[static_cast<size_t>(sq)] < kInfinite)
            pairs.emplace_back(cost[static_cast<size_t>(sq)], i, k);
        }
      }
    }
    std::sort(pairs.begin(), pairs.end());
    std::vector<uint8_t> slotDone(count, 0), cubeDone(static_cast<size_t>(cubes), 0);
    for (const auto& [c, i, k] : pairs) {
      if (slotDone[i] || cubeDone[static_cast<size_t>(k)]) continue;
      slotDone[i] = 1;
      cubeDone[static_cast<size_t>(k)] = 1;
      const int last = stagedOpen[i].square;
      for (int sq = toward[i][stagedPosition[static_cast<size_t>(k)] / kTurns]; sq >= 0 && sq != last; sq = toward[i][static_cast<size_t>(sq)])
        ++traffic[static_cast<size_t>(sq)];
    }
    return traffic;
  }

  // Fills the open square stagedOrder[o] when a cube reaches it by rolling
  // alone around the others, which stand still (the nearest such cube), or,
  // with clear, once the cubes in its way are rolled aside: the two are a
  // call each, so that a frame's slice bears only one of them.
  enum class Reached { kFilled, kBlocked, kFailed };
  Reached ReachStaged(size_t o, bool clear) {
    MarkBusy(stagedPosition.data());
    std::vector<uint8_t> filled(static_cast<size_t>(squares), 0);
    for (const Slot& slot : stagedFilled) filled[static_cast<size_t>(slot.square)] = 1;
    const Slot target = stagedOpen[static_cast<size_t>(stagedOrder[o])];
    if (clear) {
      if (!ClearAndReach(target, stagedOrder[o], filled)) return Reached::kFailed;
      return FilledStaged(o, target);
    }
    int closest = kInfinite, closestK = -1, closestAt = -1;
    for (const Shower& s : showers[static_cast<size_t>(target.letter)]) {
      const CubeClass& c = classes[static_cast<size_t>(s.cls)];
      for (int k = c.begin; k < c.end; ++k) {
        if (filled[stagedPosition[static_cast<size_t>(k)] / kTurns]) continue;
        const int cell = Reach(stagedPosition.data(), k, [&](int sq, int st) {
          return sq == target.square && (masks[static_cast<size_t>(s.mask)] & (1u << st));
        });
        KeepCloser(k, cell, closest, closestK, closestAt);
      }
    }
    if (closestK < 0) return Reached::kBlocked;
    Follow(closestK, bestCameFrom, closestAt, stagedPosition, stagedMoves);
    return FilledStaged(o, target);
  }

  Reached FilledStaged(size_t o, const Slot& target) {
    for (const CubeClass& c : classes) std::sort(stagedPosition.begin() + c.begin, stagedPosition.begin() + c.end);
    stagedFilled.push_back(target);
    stagedOpen.erase(stagedOpen.begin() + stagedOrder[o]);
    return Reached::kFilled;
  }

  // When cubes stand in every way to the square: the way that crosses the
  // fewest of them (none of the filled squares), each of them rolled off it
  // to the nearest square that is neither on it nor open, then the cube
  // along it.
  // The target is open square `index`, or with -1 a square no word wants.
  bool ClearAndReach(const Slot& target, int index, std::vector<uint8_t>& filled) {
    std::vector<int> occupantAt(static_cast<size_t>(squares), -1);
    for (int k = 0; k < cubes; ++k) occupantAt[stagedPosition[static_cast<size_t>(k)] / kTurns] = k;
    const size_t cells = static_cast<size_t>(squares) * kTurns;
    std::vector<int> cost(cells), way(cells), bestWay;
    int bestCost = kInfinite, bestCube = -1, bestCell = -1;
    using Entry = std::pair<int, int>;
    for (const Shower& s : showers[static_cast<size_t>(target.letter)]) {
      const CubeClass& c = classes[static_cast<size_t>(s.cls)];
      for (int k = c.begin; k < c.end; ++k) {
        const int start = stagedPosition[static_cast<size_t>(k)];
        if (filled[static_cast<size_t>(start / kTurns)]) continue;
        std::fill(cost.begin(), cost.end(), kInfinite);
        std::fill(way.begin(), way.end(), -1);
        std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
        cost[static_cast<size_t>(start)] = 0;
        open.emplace(0, start);
        while (!open.empty()) {
          const auto [at, cell] = open.top();
          open.pop();
          if (at != cost[static_cast<size_t>(cell)] || at >= bestCost) continue;
          const int sq = cell / kTurns, st = cell % kTurns;
          if (sq == target.square && (masks[static_cast<size_t>(s.mask)] & (1u << st))) {
            bestCost = at;
            bestCube = k;
            bestCell = cell;
            bestWay = way;
            break;
          }
          for (int d = 0; d < 4; ++d) {
            const int to = neighbour[sq * 4 + d];
            if (to < 0 || filled[static_cast<size_t>(to)]) continue;
            const int next = to * kTurns + turns.roll[st][d];
            const int step = occupantAt[static_cast<size_t>(to)] >= 0 ? 1 + kBlockerCost : 1;
            if (at + step >= cost[static_cast<size_t>(next)]) continue;
            cost[static_cast<size_t>(next)] = at + step;
            way[static_cast<size_t>(next)] = cell * 4 + d;
            open.emplace(at + step, next);
          }
        }
      }
    }
    if (bestCube < 0) return false;
    std::vector<uint8_t> onWay(static_cast<size_t>(squares), 0), isOpen(static_cast<size_t>(squares), 0);
    std::vector<int> blockers;
    for (int at = bestCell; at >= 0; at = bestWay[static_cast<size_t>(at)] < 0 ? -1 : bestWay[static_cast<size_t>(at)] / 4) {
      const int sq = at / kTurns;
      onWay[static_cast<size_t>(sq)] = 1;
      if (occupantAt[static_cast<size_t>(sq)] >= 0 && occupantAt[static_cast<size_t>(sq)] != bestCube) blockers.push_back(occupantAt[static_cast<size_t>(sq)]);
    }
    for (const Slot& slot : stagedOpen) isOpen[static_cast<size_t>(slot.square)] = 1;
    std::vector<uint16_t> position = stagedPosition;
    std::vector<SolverMove> moves = stagedMoves;
    // The blockers nearest the cube first: each may need the one behind it gone.
    std::reverse(blockers.begin(), blockers.end());
    for (int b : blockers) {
      MarkBusy(position.data());
      int cell = Reach(position.data(), b, [&](int sq, int) { return !onWay[static_cast<size_t>(sq)] && !isOpen[static_cast<size_t>(sq)]; });
      if (cell < 0) cell = Reach(position.data(), b, [&](int sq, int) { return !onWay[static_cast<size_t>(sq)]; });
      if (cell < 0) return false;
      Follow(b, cameFrom, cell, position, moves);
    }
    MarkBusy(position.data());
    const int mask = [&] {
      for (const Shower& s : showers[static_cast<size_t>(target.letter)])
        if (s.cls == classOf[bestCube]) return s.mask;
      return 0;
    }();
    const int cell = Reach(position.data(), bestCube, [&](int sq, int st) {
      return sq == target.square && (masks[static_cast<size_t>(mask)] & (1u << st));
    });
    if (cell < 0) return false;
    Follow(bestCube, cameFrom, cell, position, moves);
    // The cubes rolled aside must not have shut a square off from its cubes.
    if (index >= 0 && WallsOff(index, filled, position.data())) return false;
    stagedPosition = position;
    stagedMoves = moves;
    return true;
  }

  // Whether filling open square `index` (after those filled) leaves some
  // other open square with no cube for it on its side of the floor.
  bool WallsOff(int index, std::vector<uint8_t>& filled) { return WallsOff(index, filled, stagedPosition.data()); }
  bool WallsOff(int index, std::vector<uint8_t>& filled, const uint16_t* position) {
    const int square = stagedOpen[static_cast<size_t>(index)].square;
    filled[static_cast<size_t>(square)] = 1;
    std::vector<int>& part = cutPart;
    part.assign(static_cast<size_t>(squares), -1);
    int parts = 0;
    for (int sq = 0; sq < squares; ++sq) {
      if (!floor[static_cast<size_t>(sq)] || filled[static_cast<size_t>(sq)] || part[static_cast<size_t>(sq)] >= 0) continue;
      fallbackQueue.assign(1, sq);
      part[static_cast<size_t>(sq)] = parts;
      for (size_t head = 0; head < fallbackQueue.size(); ++head)
        for (int d = 0; d < 4; ++d) {
          const int to = neighbour[fallbackQueue[head] * 4 + d];
          if (to < 0 || filled[static_cast<size_t>(to)] || part[static_cast<size_t>(to)] >= 0) continue;
          part[static_cast<size_t>(to)] = parts;
          fallbackQueue.push_back(to);
        }
      ++parts;
    }
    // Each open square needs a cube of its own on its side of the floor: as
    // many cubes there as open squares there want the letter.
    auto inPart = [&](int at, int where) {
      if (part[static_cast<size_t>(at)] == where) return true;
      // A cube on the square to fill leaves it by one of its sides.
      for (int d = 0; d < 4 && at == square; ++d) {
        const int to = neighbour[square * 4 + d];
        if (to >= 0 && part[static_cast<size_t>(to)] == where) return true;
      }
      return false;
    };
    bool cut = false;
    for (size_t j = 0; j < stagedOpen.size() && !cut; ++j) {
      if (static_cast<int>(j) == index) continue;
      const Slot& slot = stagedOpen[j];
      const int where = part[static_cast<size_t>(slot.square)];
      int wanted = 0, served = 0;
      for (size_t i = 0; i < stagedOpen.size(); ++i)
        wanted += static_cast<int>(i) != index && stagedOpen[i].letter == slot.letter &&
                  part[static_cast<size_t>(stagedOpen[i].square)] == where;
      for (const Shower& s : showers[static_cast<size_t>(slot.letter)]) {
        const CubeClass& c = classes[static_cast<size_t>(s.cls)];
        for (int k = c.begin; k < c.end; ++k) served += inPart(position[k] / kTurns, where);
      }
      cut = served < wanted;
      cutSlot = static_cast<int>(j);
    }
    filled[static_cast<size_t>(square)] = 0;
    return cut;
  }

  void MarkMovable(int square) {
    movable.assign(static_cast<size_t>(squares), 0);
    for (const Slot& slot : stagedFilled) movable[static_cast<size_t>(slot.square)] = 2;
    movable[static_cast<size_t>(square)] = 1;
    fallbackQueue.assign(1, square);
    for (size_t head = 0; head < fallbackQueue.size(); ++head)
      for (int d = 0; d < 4; ++d) {
        const int to = neighbour[fallbackQueue[head] * 4 + d];
        if (to < 0 || movable[static_cast<size_t>(to)]) continue;
        movable[static_cast<size_t>(to)] = 1;
        fallbackQueue.push_back(to);
      }
    for (const Slot& slot : stagedFilled) movable[static_cast<size_t>(slot.square)] = 0;
  }

  // The goal of the squares filled and the target.
  void MakeStagedGoal(const Slot& target) {
    std::vector<Slot> wanted = stagedFilled;
    wanted.push_back(target);
    stagedGoal = Goal();
    for (const Slot& slot : wanted) {
      auto group = std::find_if(stagedGoal.groups.begin(), stagedGoal.groups.end(),
                                [&](const Group& g) { return g.letter == slot.letter; });
      if (group == stagedGoal.groups.end()) {
        stagedGoal.groups.push_back(Group{slot.letter, {}});
        group = stagedGoal.groups.end() - 1;
      }
      group->squares.push_back(slot.square);
    }
    stagedGoal.groupsOfClass.assign(classes.size(), {});
    for (size_t i = 0; i < stagedGoal.groups.size(); ++i)
      for (const Shower& s : showers[static_cast<size_t>(stagedGoal.groups[i].letter)])
        stagedGoal.groupsOfClass[static_cast<size_t>(s.cls)].push_back(static_cast<int>(i));
  }

  // A search towards the squares filled and the target; with freed, the
  // cubes on filled squares may roll aside and back.
  void BeginStagedSearch(const Slot& target, bool freed) {
    MakeStagedGoal(target);
    if (freed)
      movable.assign(static_cast<size_t>(squares), 1);
    else
      MarkMovable(target.square);
    partial = true;
    baseMoves = static_cast<int>(stagedMoves.size());
    long tryNodes = std::max(kStagedTryLeast, limits.nodes / kStagedTries);
    if (FarPasses()) tryNodes = std::min(tryNodes, std::max(0L, goalBudget - result.nodes));
    weightG = 1;
    weightH = kStagedWeight;
    Begin(&stagedGoal, stagedPosition.data(), tryNodes);
    stageLimit = tryNodes;
    stagedSearching = true;
  }

  // One step of the staged stage; false once the goal is done or given up.
  bool StagedStep(long& work) {
    if (!stagedSearching) {
      if (stagedClearPending) {
        // Its own call: a frame's slice bears the clearing alone.
        stagedClearPending = false;
        ClearWords();
        work -= static_cast<long>(squares) * kTurns / kTableStepsPerWork + 1;
        return true;
      }
      if (stagedOpen.empty()) {
        Offer(stagedPosition, stagedMoves);
        return false;
      }
      if (static_cast<int>(stagedMoves.size()) >= best || (result.nodes >= stagedBudget && !FarPasses())) return false;
      if (stagedTry == 0 && stagedOrder.empty()) {
        // Ordering and rolling alone are a call each: a frame's slice bears one.
        OrderStaged();
        work -= static_cast<long>(squares) * kTurns / kTableStepsPerWork + 1;
        return true;
      }
      if (stagedTry >= stagedOrder.size()) return false;
      if (stagedTry == 0 && stagedAlone == 0 && !stagedClearing && stagedAllCut) {
        stagedAllCut = false;
        if (Relocate()) stagedOrder.clear();
        work -= static_cast<long>(squares) * kTurns / kTableStepsPerWork + 1;
        return true;
      }
      // Every square in order by a cube rolling alone, one a call, before
      // any search.
      if (stagedTry == 0 && stagedAlone < stagedOrder.size()) {
        const Reached reached = ReachStaged(stagedAlone, stagedClearing);
        if (reached == Reached::kFilled) {
          stagedOrder.clear();
          stagedAlone = 0;
          stagedClearing = false;
        } else if (reached == Reached::kBlocked) {
          stagedClearing = true;
        } else {
          ++stagedAlone;
          stagedClearing = false;
        }
        work -= static_cast<long>(squares) * kTurns / kTableStepsPerWork + 1;
        return true;
      }
      BeginStagedSearch(stagedOpen[static_cast<size_t>(stagedOrder[stagedTry])], stagedFreed);
      work -= 1;
    }
    const bool ended = Continue(work);
    if (stagedRelocating) {
      if (reached != UINT32_MAX) {
        const std::vector<SolverMove> path = PathTo(reached);
        stagedMoves.insert(stagedMoves.end(), path.begin(), path.end());
        std::copy_n(&states[static_cast<size_t>(reached) * cubes], cubes, stagedPosition.begin());
        stagedOrder.clear();
      }
      if (reached != UINT32_MAX || ended) {
        stagedRelocating = false;
        EndStagedSearch();
      }
      return true;
    }
    if (reached != UINT32_MAX) {
      const std::vector<SolverMove> path = PathTo(reached);
      stagedMoves.insert(stagedMoves.end(), path.begin(), path.end());
      std::copy_n(&states[static_cast<size_t>(reached) * cubes], cubes, stagedPosition.begin());
      const size_t chosen = static_cast<size_t>(stagedOrder[stagedTry]);
      stagedFilled.push_back(stagedOpen[chosen]);
      stagedOpen.erase(stagedOpen.begin() + static_cast<long>(chosen));
      stagedTry = 0;
      stagedOrder.clear();
      stagedAlone = 0;
      stagedFreed = false;
      EndStagedSearch();
    } else if (ended) {
      if (stagedFreed) ++stagedTry;
      stagedFreed = !stagedFreed;
      EndStagedSearch();
    }
    return true;
  }

  void EndStagedSearch() {
    stagedSearching = false;
    partial = false;
    baseMoves = 0;
    goal = nullptr;
    reached = UINT32_MAX;
  }

  // ---- The stages ----

  bool Run(long work) {
    while (work > 0 && stage != Stage::kDone) {
      switch (stage) {
        case Stage::kTables:
          if (jobsDone < jobs.size()) {
            work -= MakeTable(jobs[jobsDone++]);
          } else {
            stage = Stage::kStart;
          }
          break;
        case Stage::kStart:
          Start();
          break;
        case Stage::kStaged:
          if (!StagedStep(work)) {
            if (++goalIndex < goals.size() && (result.nodes < stagedBudget || FarPasses())) {
              BeginStaged(goals[goalIndex]);
            } else if (stagedPass + 1 < kStagedPasses && best >= kInfinite) {
              // Nothing yet: the goals again in the next pass.
              ++stagedPass;
              goalIndex = 0;
              stagedBudget = result.nodes + limits.nodes * kStagedShare / 100;
              BeginStaged(goals[0]);
            } else {
              BeginGuided();
            }
          }
          break;
        case Stage::kGuided:
          if (goalIndex >= goals.size()) {
            if (best < kInfinite || goals.empty()) {
              StartProof();
              work = 0;
            } else {
              goalIndex = 0;
              BeginFallback(goals[0]);
              stage = Stage::kFallback;
            }
            break;
          }
          if (!goal) {
            if (goals[goalIndex].rootCost >= best) {
              ++goalIndex;
              break;
            }
            weightG = 1;
            weightH = 2;
            Begin(&goals[goalIndex], root.data(), guidedBudget);
            const long left = guidedBudget - result.nodes;
            stageLimit = std::max(0L, left / static_cast<long>(goals.size() - goalIndex));
            work = 0;  // making the table is this call's work
            break;
          }
          if (Continue(work)) {
            goal = nullptr;
            ++goalIndex;
          }
          break;
        case Stage::kFallback:
          // A step is one breadth-first search: a few units of work.
          work -= static_cast<long>(squares) * kTurns / kTableStepsPerWork + 1;
          if (!FallbackStep()) {
            if (++goalIndex < goals.size()) {
              BeginFallback(goals[goalIndex]);
            } else {
              StartProof();
              work = 0;
            }
          }
          break;
        case Stage::kProof:
          if (Continue(work)) Finish(heap.empty() || nodes[heap.front() & 0xFFFFFF].g + nodes[heap.front() & 0xFFFFFF].h >= best);
          break;
        case Stage::kDone:
          break;
      }
    }
    return stage == Stage::kDone;
  }

  void Start() {
    std::vector<int32_t> costs(2 * active.size());
    rootBound = Bound(root.data(), nullptr, 0, costs.data());
    if (IsGoal(root.data())) {
      best = 0;
      rootBound = 0;
      Finish(true);
      return;
    }
    if (rootBound >= kInfinite) {
      Finish(true);
      return;
    }
    ChooseGoals();
    goal = nullptr;
    goalIndex = 0;
    if (goals.empty()) {
      BeginGuided();
      return;
    }
    stagedBudget = limits.nodes * kStagedShare / 100;
    BeginStaged(goals[0]);
    stage = Stage::kStaged;
  }

  void BeginGuided() {
    EndStagedSearch();
    guidedBudget = result.nodes + (limits.nodes - result.nodes) * kGuidedShare / 100;
    goalIndex = 0;
    stage = Stage::kGuided;
  }

  void StartProof() {
    if (best <= rootBound) {
      Finish(true);
      return;
    }
    weightG = 1;
    weightH = 1;
    Begin(nullptr, root.data(), limits.nodes);
    stageLimit = limits.nodes;
    stage = Stage::kProof;
  }

  void Finish(bool exhausted) {
    const bool proving = stage == Stage::kProof;
    stage = Stage::kDone;
    int floor = rootBound;
    if (!exhausted && proving && !nodes.empty()) floor = std::max(floor, ProofFloor());
    if (best < kInfinite) {
      result.outcome = SolverOutcome::kSolved;
      result.moves = bestMoves;
      result.proven = exhausted;
      result.lowerBound = exhausted ? best : std::min(floor, best);
    } else if (exhausted) {
      result.outcome = SolverOutcome::kUnsolvable;
      result.proven = true;
      result.lowerBound = -1;
    } else {
      result.outcome = SolverOutcome::kNothingFound;
      result.lowerBound = floor;
    }
    // What the search kept goes at once.
    std::vector<Node>().swap(nodes);
    std::vector<uint16_t>().swap(states);
    std::vector<uint64_t>().swap(hashes);
    std::vector<int32_t>().swap(wordCosts);
    std::vector<uint32_t>().swap(slots);
    std::vector<uint64_t>().swap(heap);
    std::vector<uint8_t>().swap(tableData);
  }
};

Solver::Solver(const Puzzle& puzzle, const SolverLimits& limits)
    : m_search(std::make_unique<Search>(puzzle, limits)) {}

Solver::~Solver() = default;

bool Solver::Run(long work) { return m_search->Run(work); }

const SolverResult& Solver::Solve() {
  while (!Run(1L << 20)) {
  }
  return Result();
}

const SolverResult& Solver::Stop() {
  if (m_search->stage != Search::Stage::kDone) m_search->Finish(false);
  return Result();
}

bool Solver::Finished() const { return m_search->stage == Search::Stage::kDone; }

bool Solver::Answered() const { return m_search->best < kInfinite; }

int Solver::AnswerMoves() const { return Answered() ? m_search->best : -1; }

const SolverResult& Solver::Result() const { return m_search->result; }
