// halcyractl against the running window: the same choice sends the same bytes as Apply.
#include <gtest/gtest.h>

#include <string>

#include "ctl_run.h"
#include "effects.h"
#include "main_window.h"

namespace {

using ctl::test::RunCtl;
using dialog::test::EffectButton;
using dialog::test::Swatch;

class CtlAndWindow : public dialog::test::MainWindowTest {
 protected:
  std::string WindowApplies() {
    Click(dialog::test::kApply);
    return LastReport();
  }
};

TEST_F(CtlAndWindow, EffectSendsWhatApplySendsForTheSameChoice) {
  // At start: effect 8 in the colour read back, which halcyractl given no colour reads back too.
  const std::string at_start = WindowApplies();
  ASSERT_EQ(0, RunCtl({"effect", "8"}).status);
  EXPECT_EQ(at_start, LastReport());

  for (int effect = 1; effect <= device::kEffectCount; ++effect) {
    const int preset = 1 + (effect + 3) % device::kPresetColorCount;
    Click(EffectButton(effect));
    Click(Swatch(preset));
    const std::string applied = WindowApplies();
    const std::string number = std::to_string(effect);
    EXPECT_EQ(applied + "\n",
              RunCtl({"--dry-run", "effect", number, "--preset", device::PresetName(preset)}).out)
        << "effect " << effect << ", preset " << preset;
  }

  // A colour from the wheel is the custom colour, which --color gives.
  Click({709, 130});
  ASSERT_EQ(0, dlg_->m_nColor);
  const std::string applied = WindowApplies();
  EXPECT_EQ(applied + "\n", RunCtl({"--dry-run", "effect", "24", "--color",
                                    std::to_string(dlg_->m_sliderRed.m_nPos),
                                    std::to_string(dlg_->m_sliderGreen.m_nPos),
                                    std::to_string(dlg_->m_sliderBlue.m_nPos)})
                                .out);
}

}  // namespace
