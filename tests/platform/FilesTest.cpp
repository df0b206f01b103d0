#include "platform/Files.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

TEST(Files, WholeFilesRoundTripAndNameTheFileThatFailed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string name = dir.filePath("data.bin").toStdString();
    const std::string bytes("a\0b\r\n\xFF", 6);
    std::string error;
    ASSERT_TRUE(WriteFileBytes(name, bytes.data(), bytes.size(), &error)) << error;
    QByteArray read;
    ASSERT_TRUE(ReadFileBytes(name, read, &error)) << error;
    EXPECT_EQ(read.toStdString(), bytes);

    // A second write replaces the whole file, shorter or not.
    ASSERT_TRUE(WriteFileBytes(name, "xy", 2));
    ASSERT_TRUE(ReadFileBytes(name, read));
    EXPECT_EQ(read.toStdString(), "xy");

    const std::string missing = dir.filePath("missing.bin").toStdString();
    EXPECT_FALSE(ReadFileBytes(missing, read, &error));
    EXPECT_EQ(error.rfind("Cannot open file " + missing + ": ", 0), 0u) << error;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));

    const std::string unwritable = dir.filePath("no/such/dir/x.bin").toStdString();
    EXPECT_FALSE(WriteFileBytes(unwritable, "z", 1, &error));
    EXPECT_EQ(error.rfind("Cannot write file " + unwritable + ": ", 0), 0u) << error;
    EXPECT_FALSE(WriteFileBytes(unwritable, "z", 1)); // no text wanted
}
