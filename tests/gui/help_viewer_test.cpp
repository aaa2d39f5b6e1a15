// The help viewer's search: the words typed keep the pages that hold them all.
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "gui/help_viewer.h"
#include "qt_app.h"

namespace zelk {
namespace {

class HelpSearch : public ::testing::Test {
 protected:
  // The application must exist before the viewer is built.
  QApplication& app = test::qt_app();
  HelpViewer viewer;
};

TEST_F(HelpSearch, KeepsThePagesHoldingEveryWordInAnyCase) {
  const QStringList all = viewer.find(QString());
  EXPECT_EQ(all.size(), static_cast<qsizetype>(QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}).size()));
  EXPECT_GT(all.size(), 40);

  // Words taken from the pages themselves: Fisher's ratio is on the Fisher
  // Test page, Daniell filters on the smoothing pages, Ljung-Box on the tests.
  const QStringList fisher = viewer.find(QStringLiteral("FISHER"));
  EXPECT_TRUE(fisher.contains(QStringLiteral("Fisher Test")));
  EXPECT_FALSE(fisher.contains(QStringLiteral("Box - Cox")));
  const QStringList both = viewer.find(QStringLiteral("periodogram daniell"));
  EXPECT_TRUE(both.contains(QStringLiteral("Smoothed Periodogram")));
  EXPECT_FALSE(both.contains(QStringLiteral("Fisher Test")));
  EXPECT_TRUE(viewer.find(QStringLiteral("ljung")).contains(QStringLiteral("Tests of Randomness")));
  EXPECT_TRUE(viewer.find(QStringLiteral("qwxzv")).isEmpty());
  // The contents page names every topic; a search lists the topics themselves.
  EXPECT_FALSE(fisher.contains(QStringLiteral("Contents")));
}

TEST_F(HelpSearch, TypingFiltersTheListAndEnterOpensTheFirstPage) {
  viewer.search_field()->setText(QStringLiteral("Hannan-Rissanen"));
  ASSERT_GT(viewer.page_list()->count(), 0);
  for (int i = 0; i < viewer.page_list()->count(); ++i)
    EXPECT_TRUE(viewer.find(QStringLiteral("Hannan-Rissanen")).contains(viewer.page_list()->item(i)->text()));
  Q_EMIT viewer.search_field()->returnPressed();
  EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("Hannan-Rissanen")));

  // A second search whose first page differs opens that page on Enter.
  viewer.search_field()->setText(QStringLiteral("Kolmogorov-Smirnov"));
  ASSERT_GT(viewer.page_list()->count(), 0);
  Q_EMIT viewer.search_field()->returnPressed();
  EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("Kolmogorov-Smirnov")));

  viewer.search_field()->clear();
  EXPECT_EQ(viewer.page_list()->count(), viewer.find(QString()).size());
}

}  // namespace
}  // namespace zelk
