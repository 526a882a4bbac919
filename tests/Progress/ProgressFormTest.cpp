// The progress window as the print preview finds it: caption, size, bar and window kind.
#include <QProgressBar>
#include <gtest/gtest.h>

#include "Progress/TProgressForm.h"

namespace plomix {
namespace {

TEST(ProgressForm, IsASmallAlwaysOnTopToolWindowWithOneBar) {
  TProgressForm form;
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("ただいま計算中です。  ---  しばらくお待ち下さい。"));
  EXPECT_EQ(form.size(), QSize(267, 72));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint) << "no border icons";
  auto *bar = form.findChild<QProgressBar *>("ProgressBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  form.StepIt();
  form.StepIt();
  EXPECT_EQ(bar->value(), 2) << "step 1";
}

}  // namespace
}  // namespace plomix
