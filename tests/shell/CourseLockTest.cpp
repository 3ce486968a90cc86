#include "shell/CourseLock.h"
#include "support/TempCourse.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(CourseLock, AFolderOrLinkNamedLikeTheLockIsToldAsSuch)
{
    for (const bool folder : {true, false}) {
        TempCourse course;
        if (folder)
            ASSERT_TRUE(QDir().mkdir("Users.eng.lock"));
        else
            ASSERT_TRUE(QFile::link("/nonexistent/lock", "Users.eng.lock"));
        CourseLock lock;
        EXPECT_FALSE(lock.acquire());
        EXPECT_TRUE(lock.problem().contains(QStringLiteral("папка или ссылка"))) << lock.problem().toStdString();
        EXPECT_FALSE(lock.problem().contains(QStringLiteral("процесс 0")));
    }
}

} // namespace
