// Interleaved frame timing and its order statistics.
#include "base/InterleavedFrames.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The value at fraction q of the sorted figures, between neighbours.
double At(const std::vector<double>& sorted, double q) {
  const double position = q * static_cast<double>(sorted.size() - 1);
  const size_t below = static_cast<size_t>(position);
  if (below + 1 >= sorted.size()) return sorted.back();
  const double part = position - static_cast<double>(below);
  return sorted[below] + (sorted[below + 1] - sorted[below]) * part;
}

}  // namespace

Quartiles QuartilesOf(std::vector<double> values) {
  Quartiles q;
  if (values.empty()) return q;
  std::sort(values.begin(), values.end());
  q.low = At(values, 0.25);
  q.median = At(values, 0.5);
  q.high = At(values, 0.75);
  return q;
}

int InterleavedFrames::Add(std::string name, std::function<void()> frame) {
  m_subjects.push_back(Subject{std::move(name), std::move(frame), {}});
  return static_cast<int>(m_subjects.size()) - 1;
}

void InterleavedFrames::Run(int rounds, double seconds, const std::function<void()>& beforeRound) {
  if (m_subjects.empty()) return;
  const Clock::time_point start = Clock::now();
  const size_t count = m_subjects.size();
  do {
    if (beforeRound) beforeRound();
    for (size_t k = 0; k < count; ++k) {
      Subject& subject = m_subjects[(k + static_cast<size_t>(m_rounds)) % count];
      const Clock::time_point t = Clock::now();
      subject.frame();
      subject.ms.push_back(MillisecondsSince(t));
    }
    ++m_rounds;
  } while ((rounds <= 0 || m_rounds < rounds) && (seconds <= 0 || MillisecondsSince(start) < seconds * 1000.0) &&
           (rounds > 0 || seconds > 0));
}

double InterleavedFrames::Ratio(int a, int b) const {
  const double below = Of(b).median;
  return below > 0 ? Of(a).median / below : 0.0;
}

ExtraCost InterleavedFrames::Cost(int with, int without) const {
  const std::vector<double>& a = m_subjects[with].ms;
  const std::vector<double>& b = m_subjects[without].ms;
  std::vector<double> differences;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) differences.push_back(a[i] - b[i]);
  const Quartiles d = QuartilesOf(differences);
  ExtraCost cost;
  cost.ms = std::max(0.0, Of(with).median - Of(without).median);
  cost.spread = (d.high - d.low) / 2;
  return cost;
}

std::string InterleavedFrames::Describe(int subject) const {
  const Quartiles q = Of(subject);
  char line[256];
  std::snprintf(line, sizeof line, "%s: median %.2f ms (quartiles %.2f to %.2f), %.1f frames/s",
                Name(subject).c_str(), q.median, q.low, q.high, q.median > 0 ? 1000.0 / q.median : 0.0);
  return line;
}

std::string InterleavedFrames::DescribeCost(const std::string& name, int with, int without) const {
  const ExtraCost cost = Cost(with, without);
  char line[256];
  std::snprintf(line, sizeof line, "%s %.2f ms (spread %.2f ms)", name.c_str(), cost.ms, cost.spread);
  return line;
}

std::string InterleavedFrames::DescribeScene(const SceneSubjects& s) const {
  char ratio[160];
  std::snprintf(ratio, sizeof ratio, "%s frame / %s frame (medians): %.2f (drawn in full: %.2f)\n",
                Name(s.scene).c_str(), Name(s.quad).c_str(), Ratio(s.scene, s.quad), Ratio(s.inFull, s.quad));
  std::string text = Describe(s.scene) + "\n" + Describe(s.inFull) + "\n" + Describe(s.quad) + "\n" + ratio;
  if (s.withoutMirror >= 0) text += DescribeCost("mirror pass", s.scene, s.withoutMirror) + "\n";
  if (s.withoutShadow >= 0) text += DescribeCost("shadow pass", s.scene, s.withoutShadow) + "\n";
  return text;
}

MemoryUse ProcessMemory() {
  MemoryUse use;
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return use;
  char line[256];
  while (std::fgets(line, sizeof line, status)) {
    std::sscanf(line, "VmRSS: %ld", &use.residentKb);
    std::sscanf(line, "VmHWM: %ld", &use.peakKb);
  }
  std::fclose(status);
  return use;
}
