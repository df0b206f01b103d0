#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <QDir>

#include <string>
#include <vector>

namespace {

std::vector<std::string> entries(const TRecentFiles& list) {
    std::vector<std::string> out;
    for (int j = 1; j <= list.Count(); ++j)
        out.push_back(list.Path(j));
    return out;
}

} // namespace

TEST(RecentFiles, NewestFirstCappedAtFiveWithoutDuplicates) {
    TRecentFiles list;
    EXPECT_FALSE(list.Add(""));
    for (const char* name : {"/g/a.qxf", "/g/b.qxf", "/g/c.qxf"})
        EXPECT_TRUE(list.Add(name));
    // A path already listed changes nothing, not even the order; case counts.
    EXPECT_FALSE(list.Add("/g/a.qxf"));
    EXPECT_TRUE(list.Add("/g/A.qxf"));
    EXPECT_EQ(entries(list), (std::vector<std::string>{"/g/A.qxf", "/g/c.qxf", "/g/b.qxf", "/g/a.qxf"}));
    EXPECT_TRUE(list.Add("/g/d.qxf"));
    EXPECT_TRUE(list.Add("/g/e.qxf")); // the oldest drops off
    EXPECT_EQ(entries(list),
              (std::vector<std::string>{"/g/e.qxf", "/g/d.qxf", "/g/A.qxf", "/g/c.qxf", "/g/b.qxf"}));
    EXPECT_EQ(list.Path(0), "");
    EXPECT_EQ(list.Path(6), "");

    EXPECT_FALSE(list.Remove(0));
    EXPECT_FALSE(list.Remove(6));
    EXPECT_TRUE(list.Remove(2));
    EXPECT_EQ(entries(list), (std::vector<std::string>{"/g/e.qxf", "/g/A.qxf", "/g/c.qxf", "/g/b.qxf"}));
    EXPECT_TRUE(list.Remove(4));
    EXPECT_EQ(list.Path(4), "");
    EXPECT_EQ(TRecentFiles::Caption("/g/sub/e.qxf"), "e.qxf");
}

TEST(RecentFiles, PathsAreStoredAbsolute) {
    TRecentFiles list;
    list.Add("rel/x.qxf");
    EXPECT_EQ(list.Path(1), QDir::current().absoluteFilePath("rel/x.qxf").toStdString());
    EXPECT_FALSE(list.Add(QDir::current().absoluteFilePath("rel/x.qxf").toStdString()));
}
