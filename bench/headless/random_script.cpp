#include "random_script.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <random>

namespace bench {
namespace {

// Where the main window opens on the virtual screen, and its size.
constexpr int kLeft = 360, kTop = 225, kWidth = 800, kHeight = 540;
constexpr int kScreenWidth = 1280, kScreenHeight = 800;

// mt19937's sequence is fixed by the language; the standard distributions are not, so numbers are
// drawn from it directly.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : engine_(seed) {}
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }

 private:
  std::mt19937 engine_;
};

struct Area {
  int left, top, right, bottom;  // client coordinates, right and bottom exclusive
};

// The minimise and close buttons would take the window away for the rest of the script.
constexpr Area kWindowButtons = {737, 3, 789, 31};

// Drags start on controls that take a drag themselves. A drag that starts on the background moves
// the window, and a script written in advance cannot follow a window that wanders.
constexpr std::array<Area, 6> kDragStarts = {{
    {586, 363, 718, 375},  // red slider
    {586, 403, 718, 415},  // green slider
    {586, 443, 718, 455},  // blue slider
    {620, 81, 719, 180},   // inside the colour wheel's circle
    {42, 335, 532, 509},   // the effect grid; a gap between buttons is skipped below
    {596, 480, 770, 517},  // Apply, away from its rounded corners
}};

// The effect buttons are 59 or 60 pixels square, 63 apart, with rounded corners cut out of their
// shape: a start keeps 6 pixels away from their edges.
bool InEffectGap(int x, int y) {
  const int column = (x - 37) % 63;
  if (column < 6 || column >= 53) return true;
  const int row_tops[] = {330, 392, 455};
  return std::none_of(std::begin(row_tops), std::end(row_tops),
                      [y](int top) { return y >= top + 6 && y < top + 53; });
}

void Append(std::string& text, const char* verb, std::initializer_list<int> numbers) {
  text += verb;
  for (int n : numbers) text += ' ' + std::to_string(n);
  text += '\n';
}

}  // namespace

RandomScript MakeRandomScript(int actions, std::uint32_t seed) {
  Dice dice(seed);
  RandomScript script;
  script.text = "# " + std::to_string(actions) + " random clicks and drags, seed " +
                std::to_string(seed) + "\nstart\n";
  for (int i = 0; i < actions; ++i) {
    if (i % 2 == 0) {
      int x = 0, y = 0;
      do {
        x = dice.Below(kWidth);
        y = dice.Below(kHeight);
      } while (x >= kWindowButtons.left && x < kWindowButtons.right && y >= kWindowButtons.top &&
               y < kWindowButtons.bottom);
      Append(script.text, "click", {kLeft + x, kTop + y});
      script.input_events += 3;
      continue;
    }
    const Area& area = kDragStarts[static_cast<std::size_t>(dice.Below(kDragStarts.size()))];
    int x = 0, y = 0;
    do {
      x = dice.Between(area.left, area.right - 1);
      y = dice.Between(area.top, area.bottom - 1);
    } while (&area == &kDragStarts[4] && InEffectGap(x, y));
    const int to_x = std::clamp(kLeft + x + dice.Between(-60, 60), 0, kScreenWidth - 1);
    const int to_y = std::clamp(kTop + y + dice.Between(-20, 20), 0, kScreenHeight - 1);
    Append(script.text, "drag", {kLeft + x, kTop + y, to_x, to_y});
    // A move to the start, the press, one move per pixel of the longer side, the release.
    script.input_events += 3 + std::max(std::abs(to_x - kLeft - x), std::abs(to_y - kTop - y));
  }
  script.actions = actions;
  return script;
}

}  // namespace bench
