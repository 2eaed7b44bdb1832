// Frame costs that hold on a machine whose load changes from second to
// second: the subjects are timed in turns, one frame each, so that all of
// them see the same load, and each is summed up by its median and quartiles,
// which a few frames slowed by someone else do not move.
//
//   InterleavedFrames bench;
//   const int board = bench.Add("board", [&] { DrawBoard(); Present(); glFinish(); });
//   const int quad = bench.Add("quad", [&] { DrawQuad(); Present(); glFinish(); });
//   bench.Run(600, 0);                      // 600 rounds, or Run(0, 5.0) for 5 s
//   std::puts(bench.Describe(board).c_str());
//   bench.Ratio(board, quad);
#pragma once

#include <functional>
#include <string>
#include <vector>

// The quartiles of a set of figures (0 for an empty set).
struct Quartiles {
  double low = 0;     // a quarter of the figures lie below
  double median = 0;  // half of them
  double high = 0;    // three quarters
};
Quartiles QuartilesOf(std::vector<double> values);

// How much one subject costs more than another: the difference of their
// medians, never below 0 (a pass that saves time costs nothing), and half
// the distance between the quartiles of their round-by-round differences.
struct ExtraCost {
  double ms = 0;
  double spread = 0;
};

// The subjects of a board benchmark; -1 for a pass left out.
struct SceneSubjects {
  int scene, inFull, quad;
  int withoutMirror = -1, withoutShadow = -1;
};

class InterleavedFrames {
 public:
  // A subject: its name and one whole frame of it (drawn, presented and
  // finished, so that the time is the frame's). Returns its number.
  int Add(std::string name, std::function<void()> frame);

  // Rounds of one frame of every subject, the first subject of a round
  // moving on by one each round so that none always follows the same one,
  // until `rounds` rounds are done or `seconds` have passed (0: no limit;
  // at least one round is run). beforeRound runs, untimed, before each
  // round (the animation step of a scene).
  void Run(int rounds, double seconds, const std::function<void()>& beforeRound = {});

  int Rounds() const { return m_rounds; }
  const std::string& Name(int subject) const { return m_subjects[subject].name; }
  Quartiles Of(int subject) const { return QuartilesOf(m_subjects[subject].ms); }
  // Median of a over median of b.
  double Ratio(int a, int b) const;
  ExtraCost Cost(int with, int without) const;

  // "NAME: median M ms (quartiles L to H), F frames/s"
  std::string Describe(int subject) const;
  // "NAME M ms (spread S ms)"
  std::string DescribeCost(const std::string& name, int with, int without) const;
  // The scene, the scene drawn in full and the quad described, the ratios
  // of their medians and what the passes cost, a line each.
  std::string DescribeScene(const SceneSubjects& subjects) const;

 private:
  struct Subject {
    std::string name;
    std::function<void()> frame;
    std::vector<double> ms;
  };
  std::vector<Subject> m_subjects;
  int m_rounds = 0;
};

// The memory of this process now and at its peak (/proc/self/status; -1
// where it cannot be read).
struct MemoryUse {
  long residentKb = -1;
  long peakKb = -1;
};
MemoryUse ProcessMemory();
